// Files that replace others: made new beside the name and renamed over it; library output staged in
// a folder of the program's own first (NewFile.h).

#include "foundation/common/NewFile.h"

#include "foundation/common/RegularFile.h"
#include "foundation/db/files/DiskSyncs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
bool Fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

bool FailSystem(QString* error, const char* what, const QString& path, int reason)
{
    return Fail(error, QStringLiteral("%1 '%2': %3")
                           .arg(QLatin1String(what), path, QString::fromLocal8Bit(std::strerror(reason))));
}

const char* KindRefused(mode_t mode)
{
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a named pipe";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    if (S_ISSOCK(mode))
        return "a socket";
    return nullptr;
}

bool FailFlush(QString* error, const QString& path, int reason)
{
    return Fail(error, QStringLiteral("Cannot flush '%1' to disk: %2")
                           .arg(path, QString::fromLocal8Bit(std::strerror(reason))));
}

// The folder holding path flushed, so that a rename into it lasts; false with the reason (the file
// is in place all the same).
bool SyncFolderHolding(const QString& path, QString* error)
{
    const QString folderPath = QFileInfo(path).absolutePath();
    const int folder = ::open(QFile::encodeName(folderPath).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return FailFlush(error, folderPath, errno);
    const bool synced = SyncDescriptor(folder);
    const int reason = errno;
    ::close(folder);
    return synced || FailFlush(error, folderPath, reason);
}

// from (the file open at fd) renamed over to, only while from names it; to must name it after.
bool RenameOpenFile(int fd, const QString& from, const QString& to, QString* error)
{
    const QString refusal = ReplaceRefusal(to);
    if (!refusal.isEmpty())
        return Fail(error, refusal);
    if (!NamesOpenFile(from, fd))
        return Fail(error, QStringLiteral("The file \"%1\" was replaced while it was written: \"%2\" is left "
                                          "unchanged.")
                               .arg(from, to));
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return FailSystem(error, "Cannot replace", to, errno);
    if (!NamesOpenFile(to, fd))
        return Fail(error, QStringLiteral("The file \"%1\" was replaced while it was written.").arg(to));
    NoteFileMade(to, fd);
    return SyncFolderHolding(to, error);
}

// From the start of from, whatever its offset.
bool CopyDescriptor(int from, int to)
{
    QByteArray buffer(1 << 16, Qt::Uninitialized);
    for (off_t offset = 0;;) {
        const ssize_t n = ::pread(from, buffer.data(), size_t(buffer.size()), offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n == 0;
        for (ssize_t done = 0; done < n;) {
            const ssize_t written = ::write(to, buffer.constData() + done, size_t(n - done));
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return false;
            done += written;
        }
        offset += n;
    }
}
} // namespace

namespace {
struct MadeFileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const MadeFileIdentity&) const = default;
};

QMutex& madeFilesLock()
{
    static QMutex lock;
    return lock;
}

QHash<QString, MadeFileIdentity>& madeFiles()
{
    static QHash<QString, MadeFileIdentity> files;
    return files;
}

bool IdentityOf(int fd, MadeFileIdentity& identity)
{
    struct stat status {};
    if (fd < 0 || ::fstat(fd, &status) != 0)
        return false;
    identity = {status.st_dev, status.st_ino};
    return true;
}
} // namespace

void NoteFileMade(const QString& path, int fd)
{
    MadeFileIdentity identity;
    if (!IdentityOf(fd, identity))
        return;
    const QMutexLocker locker(&madeFilesLock());
    madeFiles().insert(QFileInfo(path).absoluteFilePath(), identity);
}

void NoteFileRenamed(const QString& from, const QString& to)
{
    const QMutexLocker locker(&madeFilesLock());
    const auto made = madeFiles().constFind(QFileInfo(from).absoluteFilePath());
    if (made == madeFiles().constEnd())
        return;
    const MadeFileIdentity identity = *made;
    madeFiles().remove(QFileInfo(from).absoluteFilePath());
    madeFiles().insert(QFileInfo(to).absoluteFilePath(), identity);
}

bool IsFileMadeHere(const QString& path, int fd)
{
    MadeFileIdentity identity;
    const QMutexLocker locker(&madeFilesLock());
    const auto made = madeFiles().constFind(QFileInfo(path).absoluteFilePath());
    return IdentityOf(fd, identity) && made != madeFiles().constEnd() && *made == identity;
}

bool NamesFileMadeHere(const QString& path)
{
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return false;
    const QMutexLocker locker(&madeFilesLock());
    const auto made = madeFiles().constFind(QFileInfo(path).absoluteFilePath());
    return made != madeFiles().constEnd() && *made == MadeFileIdentity{status.st_dev, status.st_ino};
}

QString ReplaceRefusal(const QString& path)
{
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return {};
    const char* kind = KindRefused(status.st_mode);
    if (!kind)
        return {};
    return QStringLiteral("The file \"%1\" is %2, not a regular file: nothing is written in its place.")
        .arg(path, QLatin1String(kind));
}

bool NamesOpenFile(const QString& path, int fd)
{
    struct stat named {};
    struct stat open {};
    return fd >= 0 && ::fstat(fd, &open) == 0 && ::lstat(QFile::encodeName(path).constData(), &named) == 0 &&
           S_ISREG(named.st_mode) && named.st_dev == open.st_dev && named.st_ino == open.st_ino;
}

CReplacingFile::CReplacingFile(const QString& target)
    : m_target(target), m_part(target + QStringLiteral(".part"))
{
}

CReplacingFile::~CReplacingFile()
{
    Drop();
}

void CReplacingFile::Drop()
{
    if (m_fd < 0)
        return;
    if (NamesOpenFile(m_part, m_fd))
        ::unlink(QFile::encodeName(m_part).constData());
    ::close(m_fd);
    m_fd = -1;
}

bool CReplacingFile::Open(QString* error)
{
    const QString refusal = ReplaceRefusal(m_target);
    if (!refusal.isEmpty())
        return Fail(error, refusal);
    Drop();
    m_fd = OpenNewFile(m_part, ExistingFile::Replace, error);
    return m_fd >= 0;
}

bool CReplacingFile::Write(const QByteArray& bytes, QString* error)
{
    for (qsizetype written = 0; written < bytes.size();) {
        const ssize_t n = ::write(m_fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return FailSystem(error, "Cannot write", m_part, n < 0 ? errno : ENOSPC);
        written += n;
    }
    return true;
}

bool CReplacingFile::Commit(QString* error)
{
    if (m_fd < 0)
        return Fail(error, QStringLiteral("Cannot write '%1'.").arg(m_target));
    if (!SyncDescriptor(m_fd))
        return FailFlush(error, m_part, errno);
    if (!RenameOpenFile(m_fd, m_part, m_target, error))
        return false;
    ::close(m_fd);
    m_fd = -1;
    return true;
}

bool ReplaceWithNewFile(const QString& target, const QByteArray& bytes, QString* error)
{
    CReplacingFile file(target);
    return file.Open(error) && file.Write(bytes, error) && file.Commit(error);
}

bool ReplaceWithCopyOf(int source, const QString& target, QString* error)
{
    struct stat status {};
    CReplacingFile file(target);
    return ::fstat(source, &status) == 0 && file.Open(error) &&
           (CopyDescriptor(source, file.descriptor()) ||
            FailSystem(error, "Cannot copy to", target, errno)) &&
           ::fchmod(file.descriptor(), status.st_mode & 0777) == 0 && file.Commit(error);
}

bool ReplaceWithCopy(const QString& source, const QString& target, QString* error)
{
    const RegularFileOpen opened = OpenRegularFile(source, LinkRule::Follow);
    if (opened.state != RegularFileState::Opened)
        return Fail(error, opened.state == RegularFileState::Missing ? CannotReadText(source, ENOENT)
                                                                     : opened.refusal);
    const bool copied = ReplaceWithCopyOf(opened.fd, target, error);
    ::close(opened.fd);
    return copied;
}

CStagingFolder::CStagingFolder(const QString& target)
{
    const QFileInfo info(target);
    QByteArray pattern = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                                           QStringLiteral(".staging-XXXXXX"));
    if (::mkdtemp(pattern.data()))
        m_path = QFile::decodeName(pattern);
    else
        FailSystem(&m_error, "Cannot create a staging folder beside", target, errno);
}

// Only what the libraries wrote in it: the folder was made new, with nobody else's files.
CStagingFolder::~CStagingFolder()
{
    if (!isValid())
        return;
    const QDir folder(m_path);
    for (const QString& name :
         folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        ::unlink(QFile::encodeName(folder.filePath(name)).constData());
    ::rmdir(QFile::encodeName(m_path).constData());
}

bool CStagingFolder::MoveIntoPlace(const QString& name, const QString& target, QString* error,
                                   int* kept) const
{
    const QString staged = filePath(name);
    const int fd =
        ::open(QFile::encodeName(staged).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return FailSystem(error, "Cannot read", staged, errno);
    const bool moved =
        (SyncDescriptor(fd) || FailFlush(error, staged, errno)) && RenameOpenFile(fd, staged, target, error);
    if (moved && kept)
        *kept = fd;
    else
        ::close(fd);
    return moved;
}
