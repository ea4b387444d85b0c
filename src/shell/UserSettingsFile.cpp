#include "shell/UserSettingsFile.h"

#include "shell/ShellConstants.h"

#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QSaveFile>
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
} // namespace

QString CUserSettingsFile::DefaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QLatin1Char('/') +
           USER_SETTINGS_FILE_NAME;
}

bool CUserSettingsFile::Load(const QString& path)
{
    QFile file(path.isEmpty() ? DefaultPath() : path);
    if (!file.open(QIODevice::ReadOnly) || !parse(file.readAll()))
        return false;
    if (m_window)
        ApplyTo(m_window);
    return true;
}

bool CUserSettingsFile::parse(const QByteArray& xml)
{
    QXmlStreamReader reader(xml);
    if (!reader.readNextStartElement() || reader.name() != ROOT)
        return false;
    QByteArray state, geometry;
    QMap<QString, QString> values;
    while (reader.readNextStartElement()) {
        if (reader.name() == STATE)
            state = QByteArray::fromBase64(reader.readElementText().toLatin1());
        else if (reader.name() == GEOMETRY)
            geometry = QByteArray::fromBase64(reader.readElementText().toLatin1());
        else if (reader.name() == VALUE)
            values.insert(reader.attributes().value(KEY).toString(), reader.readElementText());
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
    writer.writeTextElement(STATE, QString::fromLatin1(m_windowState.toBase64()));
    writer.writeTextElement(GEOMETRY, QString::fromLatin1(m_windowGeometry.toBase64()));
    writer.writeEndElement();
    for (auto it = m_values.constBegin(); it != m_values.constEnd(); ++it) {
        writer.writeStartElement(VALUE);
        writer.writeAttribute(KEY, it.key());
        writer.writeCharacters(it.value());
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
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(serialize());
    return file.commit();
}

bool CUserSettingsFile::ApplyTo(QMainWindow* window) const
{
    bool applied = true;
    if (!m_windowGeometry.isEmpty())
        applied = window->restoreGeometry(m_windowGeometry);
    if (!m_windowState.isEmpty())
        applied = window->restoreState(m_windowState) && applied;
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
