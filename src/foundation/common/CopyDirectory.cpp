#include "foundation/common/CopyDirectory.h"

#include "foundation/common/MessageBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

bool failCreate(const QString& folder)
{
    QvMessageBox(QStringLiteral("Failed to create directory %1").arg(folder), MB_OK | MB_ICONSTOP);
    return false;
}

bool failCopy(const QString& from, const QString& to)
{
    QvMessageBox(QStringLiteral("Failed to copy file from %1 to %2").arg(from, to), MB_OK | MB_ICONSTOP);
    return false;
}

class FolderCopy {
public:
    FolderCopy(const QString& destination, const FileCopyFunction& copyFile)
        : m_destinationRoot(QFileInfo(destination).absoluteFilePath()), m_copyFile(copyFile)
    {
    }

    bool copy(const QString& source, const QString& destination) const
    {
        if (!isReadableFolder(source))
            return failCopy(source, destination); // never an empty copy reported as done
        if (!QDir().mkpath(destination))
            return failCreate(destination);
        // The entry filter leaves out "." and ".." by name.
        const auto filters = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
        for (const QFileInfo& entry : QDir(source).entryInfoList(filters, QDir::Name)) {
            if (!copyEntry(entry, destination + QLatin1Char('/') + entry.fileName()))
                return false;
        }
        return true;
    }

private:
    static bool isReadableFolder(const QString& folder)
    {
        const QFileInfo info(folder);
        return info.isDir() && info.isReadable() && info.isExecutable();
    }

    bool isDestinationRoot(const QFileInfo& entry) const
    {
        return entry.canonicalFilePath() == QFileInfo(m_destinationRoot).canonicalFilePath();
    }

    bool copyEntry(const QFileInfo& entry, const QString& target) const
    {
        if (!entry.isDir())
            return m_copyFile(entry.filePath(), target) || failCopy(entry.filePath(), target);
        if (entry.isSymLink() || isDestinationRoot(entry))
            return true; // no loops through links or through the copy itself
        return copy(entry.filePath(), target);
    }

    QString m_destinationRoot;
    const FileCopyFunction& m_copyFile;
};

} // namespace

bool CopyFileBytes(const QString& from, const QString& to)
{
    return QFile::copy(from, to);
}

bool CopyDirectory(const QString& source, const QString& destination, const FileCopyFunction& copyFile)
{
    return FolderCopy(destination, copyFile).copy(source, destination);
}
