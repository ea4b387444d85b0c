#include "shell/UserSettingsFile.h"

#include "shell/ShellConstants.h"
#include "shell/WindowLayoutCheck.h"

#include "foundation/common/NewFile.h"
#include "foundation/common/RegularFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {
const QString ROOT = QStringLiteral("UserSettings");
const QString WORKSPACE = QStringLiteral("Workspace");
const QString STATE = QStringLiteral("WindowState");
const QString GEOMETRY = QStringLiteral("WindowGeometry");
const QString VALUE = QStringLiteral("Value");
const QString KEY = QStringLiteral("key");
const QString CHECKSUM = QStringLiteral("checksum");

QString LayoutChecksum(const QByteArray& bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

// A layout entry is taken only with the checksum it was written with: Qt's restore of a damaged
// window state can keep the window busy for minutes. Older files carry no checksum.
QByteArray ReadCheckedLayout(QXmlStreamReader& reader, QStringList& dropped)
{
    const QString name = reader.name().toString();
    const QString checksum = reader.attributes().value(CHECKSUM).toString();
    const QByteArray bytes = QByteArray::fromBase64(reader.readElementText().toLatin1());
    if (bytes.isEmpty() || checksum == LayoutChecksum(bytes))
        return bytes;
    dropped << name;
    return QByteArray();
}

// The key is taken before the text: reading the text moves past the element's attributes.
void ReadValue(QXmlStreamReader& reader, QMap<QString, QString>& values)
{
    const QString key = reader.attributes().value(KEY).toString();
    values.insert(key, reader.readElementText());
}

// Text as XML can hold it: a character it cannot (a control character other than a tab or a line
// end, half of a surrogate pair, U+FFFE or U+FFFF) becomes U+FFFD, so that the file reads back.
QString XmlText(const QString& text)
{
    QString held;
    held.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            held += c;
            held += text.at(++i);
            continue;
        }
        const char16_t u = c.unicode();
        const bool allowed = u == u'\t' || u == u'\n' || u == u'\r' ||
                             (u >= 0x20 && !c.isSurrogate() && u != 0xFFFE && u != 0xFFFF);
        held += allowed ? c : QChar(QChar::ReplacementCharacter);
    }
    return held;
}

void WriteCheckedLayout(QXmlStreamWriter& writer, const QString& name, const QByteArray& bytes)
{
    writer.writeStartElement(name);
    if (!bytes.isEmpty())
        writer.writeAttribute(CHECKSUM, LayoutChecksum(bytes));
    writer.writeCharacters(QString::fromLatin1(bytes.toBase64()));
    writer.writeEndElement();
}
} // namespace

QString CUserSettingsFile::DefaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QLatin1Char('/') +
           USER_SETTINGS_FILE_NAME;
}

bool CUserSettingsFile::Load(const QString& path)
{
    // The default file is one of ours, never read through a link nor beyond a text file's bound; a
    // file the user picked may be a link. Either is read only when it is a regular file.
    const QString source = path.isEmpty() ? DefaultPath() : path;
    const RegularFileRead file = path.isEmpty() ? ReadRegularFile(source, LinkRule::Refuse, TEXT_FILE_BOUND)
                                                : ReadRegularFile(source, LinkRule::Follow);
    if (file.state == RegularFileState::Refused)
        qWarning("%s", qPrintable(file.refusal));
    QStringList dropped;
    if (!file.read() || !parse(file.bytes, dropped))
        return false;
    if (!dropped.isEmpty())
        qWarning("%s: window layout not applied (%s): checksum missing or wrong", qPrintable(source),
                 qPrintable(dropped.join(QStringLiteral(", "))));
    m_source = source;
    if (m_window) {
        dropUnrestorable();
        ApplyTo(m_window);
    }
    return true;
}

void CUserSettingsFile::AttachWindow(QMainWindow* window)
{
    m_window = window;
    if (m_window)
        dropUnrestorable();
}

// A checksum only tells that the bytes were not changed since they were written; whoever wrote
// them can write a matching one. The structure is checked against the window itself.
void CUserSettingsFile::dropUnrestorable()
{
    QStringList dropped;
    if (!m_windowState.isEmpty() && !IsRestorableWindowState(m_windowState, *m_window)) {
        m_windowState.clear();
        dropped << STATE;
    }
    if (!m_windowGeometry.isEmpty() && !IsRestorableWindowGeometry(m_windowGeometry)) {
        m_windowGeometry.clear();
        dropped << GEOMETRY;
    }
    if (!dropped.isEmpty())
        qWarning("%s: window layout not applied (%s): not a layout of this window", qPrintable(m_source),
                 qPrintable(dropped.join(QStringLiteral(", "))));
}

bool CUserSettingsFile::parse(const QByteArray& xml, QStringList& dropped)
{
    QXmlStreamReader reader(xml);
    if (!reader.readNextStartElement() || reader.name() != ROOT)
        return false;
    QByteArray state, geometry;
    QMap<QString, QString> values;
    // Every element below the root: the values follow the workspace's end.
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (reader.name() == STATE)
            state = ReadCheckedLayout(reader, dropped);
        else if (reader.name() == GEOMETRY)
            geometry = ReadCheckedLayout(reader, dropped);
        else if (reader.name() == VALUE)
            ReadValue(reader, values);
        else if (reader.name() != WORKSPACE)
            reader.skipCurrentElement();
    }
    if (reader.hasError())
        return false;
    m_windowState = state;
    m_windowGeometry = geometry;
    m_values = values;
    return true;
}

QByteArray CUserSettingsFile::serialize() const
{
    QByteArray xml;
    QXmlStreamWriter writer(&xml);
    writer.setAutoFormatting(true);
    writer.writeStartDocument();
    writer.writeStartElement(ROOT);
    writer.writeAttribute(QStringLiteral("version"), PROFILE_VERSION_GROUP);
    writer.writeStartElement(WORKSPACE);
    writer.writeAttribute(QStringLiteral("name"), WORKSPACE_SETTINGS);
    WriteCheckedLayout(writer, STATE, m_windowState);
    WriteCheckedLayout(writer, GEOMETRY, m_windowGeometry);
    writer.writeEndElement();
    for (auto it = m_values.constBegin(); it != m_values.constEnd(); ++it) {
        writer.writeStartElement(VALUE);
        writer.writeAttribute(KEY, XmlText(it.key()));
        writer.writeCharacters(XmlText(it.value()));
        writer.writeEndElement();
    }
    writer.writeEndDocument();
    return xml;
}

bool CUserSettingsFile::SaveAs(const QString& path)
{
    if (m_window)
        CaptureFrom(m_window);
    const QString target = path.isEmpty() ? DefaultPath() : path;
    QDir().mkpath(QFileInfo(target).absolutePath());
    return ReplaceWithNewFile(target, serialize(), nullptr);
}

bool CUserSettingsFile::ApplyTo(QMainWindow* window) const
{
    bool applied = true;
    if (!m_windowGeometry.isEmpty())
        applied = IsRestorableWindowGeometry(m_windowGeometry) && window->restoreGeometry(m_windowGeometry);
    if (!m_windowState.isEmpty())
        applied =
            IsRestorableWindowState(m_windowState, *window) && window->restoreState(m_windowState) && applied;
    return applied;
}

void CUserSettingsFile::CaptureFrom(const QMainWindow* window)
{
    m_windowState = window->saveState();
    m_windowGeometry = window->saveGeometry();
}

QString CUserSettingsFile::value(const QString& key, const QString& fallback) const
{
    return m_values.value(key, fallback);
}
