// "CompoundFileLocation.txt": its first line names the package (all an older reader takes); an
// unpack adds its record on the lines after it. Each write replaces the whole file through a
// flushed temporary, the folder flushed after, so a crash leaves the old file or the new one.

#include "projects/CompoundFile.h"
#include "projects/UnpackRegistry.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/NewFile.h"
#include "foundation/common/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
const char LOCATION_FILE_NAME[] = "CompoundFileLocation.txt";
const QByteArray RECORD_PACKAGE = QByteArrayLiteral("Unpacked from=");
const QByteArray RECORD_FOLDER = QByteArrayLiteral("Unpacked into=");
const QByteArray RECORD_STATE = QByteArrayLiteral("State=");
const QByteArray SAVED_BACK = QByteArrayLiteral("saved back");
const QByteArray NOT_SAVED_BACK = QByteArrayLiteral("not saved back");

// The folder as a record names it: absolute, without a trailing "/".
QString OwnPath(const QString& folder)
{
    return QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}

bool WriteLocationText(const QString& folder, const QByteArray& text)
{
    const QString path = CCompoundFile::LocationFilePath(folder);
    if (ReplaceWithNewFile(path, text, nullptr))
        return true;
    QvMessageBox(QStringLiteral("An error occurred while writing %1.").arg(path), MB_OK | MB_ICONSTOP);
    return false;
}

// The file's bytes when it is a regular file under its own name within the bound of a text file: a
// link, a named pipe, a device or a larger file under the name is no location file of ours.
std::optional<QByteArray> LocationFileBytes(const QString& folder)
{
    RegularFileRead file =
        ReadRegularFile(CCompoundFile::LocationFilePath(folder), LinkRule::Refuse, TEXT_FILE_BOUND);
    if (!file.read())
        return std::nullopt;
    return std::move(file.bytes);
}

// The value of the line that starts with key; false when there is no such line.
bool RecordValue(const QList<QByteArray>& lines, const QByteArray& key, QString& value)
{
    for (const QByteArray& line : lines) {
        if (line.startsWith(key)) {
            value = QString::fromUtf8(line.mid(key.size()));
            return true;
        }
    }
    return false;
}
} // namespace

QString CCompoundFile::LocationFilePath(const QString& folder)
{
    return QDir(folder).filePath(QString::fromLatin1(LOCATION_FILE_NAME));
}

bool CCompoundFile::WriteLocationFile(const QString& package, const QString& folder)
{
    return WriteLocationText(folder, package.toUtf8());
}

bool CCompoundFile::WriteUnpackRecord(const QString& folder, const QString& package, bool savedBack)
{
    if (!UnpackRegistry::Register(folder, package)) {
        QvMessageBox(QStringLiteral("An error occurred while writing %1.").arg(UnpackRegistry::FilePath()),
                     MB_OK | MB_ICONSTOP);
        return false;
    }
    const QByteArray packagePath = package.toUtf8();
    const QByteArray text = packagePath + '\n' + RECORD_PACKAGE + packagePath + '\n' + RECORD_FOLDER +
                            OwnPath(folder).toUtf8() + '\n' + RECORD_STATE +
                            (savedBack ? SAVED_BACK : NOT_SAVED_BACK) + '\n';
    return WriteLocationText(folder, text);
}

std::optional<CCompoundFile::UnpackRecord> CCompoundFile::ReadUnpackRecord(const QString& folder)
{
    const std::optional<QByteArray> bytes = LocationFileBytes(folder);
    if (!bytes)
        return std::nullopt;
    const QList<QByteArray> lines = bytes->split('\n');
    const QList<QByteArray> recordLines = lines.mid(1);
    UnpackRecord record;
    QString state;
    if (!RecordValue(recordLines, RECORD_PACKAGE, record.package) ||
        !RecordValue(recordLines, RECORD_FOLDER, record.folder) ||
        !RecordValue(recordLines, RECORD_STATE, state))
        return std::nullopt;
    if (record.package.isEmpty() || record.package != QString::fromUtf8(lines.first()) ||
        record.folder != OwnPath(folder))
        return std::nullopt;
    if (state.toUtf8() != SAVED_BACK && state.toUtf8() != NOT_SAVED_BACK)
        return std::nullopt;
    if (!UnpackRegistry::Holds(folder, record.package)) // copied in or written by someone else
        return std::nullopt;
    record.savedBack = state.toUtf8() == SAVED_BACK;
    return record;
}

bool CCompoundFile::DeleteLocationFile(const QString& folder)
{
    const QString path = LocationFilePath(folder);
    if (!QFileInfo::exists(path))
        return true;
    return QFile::remove(path);
}

bool CCompoundFile::LocationFileExists(const QString& folder)
{
    const QFileInfo file(LocationFilePath(folder));
    return file.isFile() && !file.isSymLink();
}

QString CCompoundFile::ReadLocationFile(const QString& folder)
{
    const std::optional<QByteArray> bytes = LocationFileBytes(folder);
    if (!bytes)
        return QString();
    const qsizetype end = bytes->indexOf('\n');
    QByteArray line = end < 0 ? *bytes : bytes->left(end);
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return QString::fromUtf8(line);
}

std::optional<QByteArray> CCompoundFile::ReadWholeLocationFile(const QString& folder)
{
    return LocationFileBytes(folder);
}
