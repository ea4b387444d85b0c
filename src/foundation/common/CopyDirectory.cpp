#include "foundation/common/CopyDirectory.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/NewFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

#include <sys/stat.h>

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

bool isReadableFolder(const QString& folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isReadable() && info.isExecutable();
}

// Mode bits themselves: Qt's permissions mix in what the running user may do (root may write all).
bool addPermissions(const QString& path, mode_t added)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    return ::stat(name.constData(), &status) == 0 &&
           ::chmod(name.constData(), (status.st_mode & 07777) | added) == 0;
}

} // namespace

bool CopyFileBytes(const QString& from, const QString& to)
{
    return ReplaceWithCopy(from, to, nullptr);
}

FolderCopy::FolderCopy(const QString& folder, FileCopyFunction copyFile)
    : m_folder(QFileInfo(folder).absoluteFilePath()), m_copyFile(std::move(copyFile))
{
}

// Newest first, so that a file goes before the folder it lies in.
FolderCopy::~FolderCopy()
{
    for (auto made = m_created.crbegin(); made != m_created.crend(); ++made) {
        if (QFileInfo(*made).isDir() && !QFileInfo(*made).isSymLink())
            QDir(*made).removeRecursively();
        else
            QFile::remove(*made);
    }
}

bool FolderCopy::MakeFolder()
{
    return makeFolder(m_folder);
}

bool FolderCopy::CopyFile(const QString& from, const QString& name)
{
    return MakeFolder() && copyFile(from, m_folder + QLatin1Char('/') + name);
}

bool FolderCopy::CopyTree(const QString& source)
{
    return copyTree(source, m_folder);
}

bool FolderCopy::makeFolder(const QString& folder)
{
    if (QFileInfo(folder).isDir())
        return true;
    const QString parent = QFileInfo(folder).absolutePath();
    if (parent != folder && !makeFolder(parent))
        return false;
    if (!QDir().mkdir(folder))
        return failCreate(folder);
    m_created << folder;
    return addPermissions(folder, S_IRWXU) || failCreate(folder);
}

bool FolderCopy::copyTree(const QString& source, const QString& destination)
{
    if (!isReadableFolder(source))
        return failCopy(source, destination); // never an empty copy reported as done
    if (!makeFolder(destination))
        return false;
    // The entry filter leaves out "." and ".." by name.
    const auto filters = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    for (const QFileInfo& entry : QDir(source).entryInfoList(filters, QDir::Name)) {
        const QString target = destination + QLatin1Char('/') + entry.fileName();
        if (!entry.isDir()) {
            if (!copyFile(entry.filePath(), target))
                return false;
        } else if (!entry.isSymLink() && !isCopyRoot(entry.filePath())) {
            if (!copyTree(entry.filePath(), target)) // no loops through links or the copy itself
                return false;
        }
    }
    return true;
}

// A target that exists is never written: what was there before stays the user's.
bool FolderCopy::copyFile(const QString& from, const QString& to)
{
    if (QFileInfo::exists(to) || QFileInfo(to).isSymLink())
        return failCopy(from, to);
    m_created << to; // a half-written target goes too
    if (!m_copyFile(from, to) || !addPermissions(to, S_IWUSR))
        return failCopy(from, to);
    return true;
}

bool FolderCopy::isCopyRoot(const QString& path) const
{
    return QFileInfo(path).canonicalFilePath() == QFileInfo(m_folder).canonicalFilePath();
}

bool CopyDirectory(const QString& source, const QString& destination, const FileCopyFunction& copyFile)
{
    FolderCopy copy(destination, copyFile);
    if (!copy.CopyTree(source))
        return false;
    copy.Keep();
    return true;
}
