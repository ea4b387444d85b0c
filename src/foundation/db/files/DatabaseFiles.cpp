#include "foundation/db/files/DatabaseFiles.h"

#include "foundation/common/NewFile.h"
#include "foundation/common/RegularFile.h"
#include "foundation/db/connection/ChangeTracking.h"
#include "foundation/db/files/Compaction.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/DatabaseHeader.h"
#include "foundation/db/files/DiskSyncs.h"
#include "foundation/db/connection/SharedConnection.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

void syncDescriptor(const QString& path, int flags)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags);
    if (fd < 0)
        throw CDaoException(QStringLiteral("Cannot open '%1': %2").arg(path, systemError()));
    const bool synced = SyncDescriptor(fd);
    const QString reason = systemError();
    ::close(fd);
    if (!synced)
        throw CDaoException(QStringLiteral("Cannot flush '%1' to disk: %2").arg(path, reason));
}

// The file a copy is written into before it takes the target's name.
QString temporaryOf(const QString& target)
{
    return target + QStringLiteral(".tmp");
}

// A link under the name is no leftover of ours: it is refused, and what it names is left alone.
void removeIfPresent(const QString& path)
{
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return; // nothing under the name
    if (S_ISLNK(status.st_mode))
        throw CDaoException(LinkRefusedText(path));
    if (!QFile::remove(path))
        throw CDaoException(QStringLiteral("Cannot remove '%1'.").arg(path));
}

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }
    void reset(int fd)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }

private:
    int m_fd;
};

void throwSystemError(const QString& what, const QString& path)
{
    throw CDaoException(QStringLiteral("%1 '%2': %3").arg(what, path, systemError()));
}

bool writeAll(int fd, const char* data, ssize_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size_t(size));
        if (written < 0 && errno != EINTR)
            return false;
        data += std::max<ssize_t>(written, 0);
        size -= std::max<ssize_t>(written, 0);
    }
    return true;
}

// Copies what remains of from into to with read and write, where the kernel cannot copy it.
bool copyByReading(int from, int to)
{
    char buffer[1 << 16];
    for (;;) {
        const ssize_t read = ::read(from, buffer, sizeof buffer);
        if (read < 0 && errno == EINTR)
            continue;
        if (read <= 0)
            return read == 0;
        if (!writeAll(to, buffer, read))
            return false;
    }
}

bool copyContent(int from, int to)
{
    for (;;) {
        const ssize_t copied = ::copy_file_range(from, nullptr, to, nullptr, 1 << 30, 0);
        if (copied == 0)
            return true;
        if (copied < 0 && errno == EINTR)
            continue;
        if (copied < 0)
            return (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP) &&
                   copyByReading(from, to);
    }
}

// The ends of a copy: the source open for reading, and a new file at target with the source's
// permissions (owner-writable for a working copy).
void openCopyEnds(const QString& source, const QString& target, bool workingCopy, Descriptor& from,
                  Descriptor& to)
{
    // A linked project database is read through its link (the save replaces it); a named pipe or a
    // device under a database's name is refused, never read.
    const RegularFileOpen opened = OpenRegularFile(source, LinkRule::Follow);
    if (opened.state == RegularFileState::Missing)
        throw CDaoException(CannotReadText(source, ENOENT));
    if (opened.state != RegularFileState::Opened)
        throw CDaoException(opened.refusal);
    from.reset(opened.fd);
    // A file grown past its database (a sparse tail costs nothing to send) is not copied whole.
    if (const QString refusal = DatabaseSizeRefusal(from.get(), source); !refusal.isEmpty())
        throw CDaoException(refusal);
    struct stat status {};
    if (::fstat(from.get(), &status) != 0)
        throwSystemError(QStringLiteral("Cannot read"), source);
    const mode_t mode = (status.st_mode & 07777) | (workingCopy ? S_IWUSR : 0);
    QString refused;
    to.reset(OpenNewFile(target, ExistingFile::Refuse, &refused, mode));
    if (to.get() < 0)
        throw CDaoException(refused);
    if (::fchmod(to.get(), mode) != 0)
        throwSystemError(QStringLiteral("Cannot create"), target);
}

// The source has no journal beside it, so its file holds the whole database: the copy comes out
// with a rollback journal, as a written file is (a working copy's connection turns it to
// write-ahead logging at its first write), unless the caller writes it at once.
void fillCopy(int from, int to, const QString& source, const QString& target,
              JournalFormat format = JournalFormat::Rollback)
{
    if (!copyContent(from, to) || !WriteJournalFormat(to, format))
        throwSystemError(QStringLiteral("Cannot copy '%1' to").arg(source), target);
}

// Source's bytes in a new file at target: its open descriptor.
int writeNewCopy(const QString& source, const QString& target, bool workingCopy,
                 JournalFormat format = JournalFormat::Rollback)
{
    Descriptor from(-1), to(-1);
    openCopyEnds(source, target, workingCopy, from, to);
    fillCopy(from.get(), to.get(), source, target, format);
    return to.release();
}

// The same, flushed unless it is scratch.
void writeCopy(const QString& source, const QString& target, bool workingCopy, bool flushed, JournalFormat format)
{
    const Descriptor to(writeNewCopy(source, target, workingCopy, format));
    if (flushed && !SyncDescriptor(to.get()))
        throwSystemError(QStringLiteral("Cannot flush to disk"), target);
}

// A part-written copy in place is removed; a link put under its name is left alone.
void removePartWritten(const QString& target)
{
    if (!IsSymbolicLink(target))
        QFile::remove(target);
}

// The written temporary takes the target's name, whatever journal lay beside the old one going with
// it; it is removed when it cannot.
void renameOver(const QString& temporary, const QString& target)
{
    try {
        RemoveSideFiles(target);
        ReplaceFile(temporary, target);
    } catch (const CDaoException&) {
        removePartWritten(temporary);
        throw;
    }
}

// Through a temporary file renamed over the target: the target name holds the old or the new bytes.
// A scratch copy skips the flushes of the file and its folder.
void replaceWithCopy(const QString& source, const QString& target, bool workingCopy, bool flushed,
                     JournalFormat format)
{
    const QString temporary = temporaryOf(target);
    removeIfPresent(temporary);
    try {
        writeCopy(source, temporary, workingCopy, flushed, format);
    } catch (const CDaoException&) {
        removePartWritten(temporary);
        throw;
    }
    renameOver(temporary, target);
    if (flushed)
        SyncFolderOf(target);
}

// The caller has noted the target written.
void clearInPlaceTarget(const QString& target)
{
    for (const QString& side : DatabaseSideFiles(target))
        removeIfPresent(side);
    removeIfPresent(target);
}

// In place, into a folder no in-use marker names yet. The caller flushes the copy (and then the
// folder) before anything relies on it.
void writeInPlace(const QString& source, const QString& target)
{
    NoteFileWritten(target);
    clearInPlaceTarget(target);
    try {
        ::close(writeNewCopy(source, target, true));
    } catch (const CDaoException&) {
        removePartWritten(target);
        throw;
    }
}

bool fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

} // namespace

QStringList DatabaseSideFiles(const QString& path)
{
    return {path + QStringLiteral("-wal"), path + QStringLiteral("-shm"), path + QStringLiteral("-journal")};
}

bool HasJournalBeside(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    return ::access((name + "-wal").constData(), F_OK) == 0 || ::access((name + "-journal").constData(), F_OK) == 0;
}

bool CopiesByCompaction(const QString& source)
{
    return CSharedConnection::isOpen(source) || HasJournalBeside(source);
}

DatabaseBytes ReadDatabaseBytes(const QString& path)
{
    DatabaseBytes bytes;
    const QByteArray name = QFile::encodeName(path);
    // O_NONBLOCK: a named pipe under the name does not hold the open.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return bytes;
    struct stat status {};
    const bool known = ::fstat(fd, &status) == 0;
    ::close(fd);
    if (known && !S_ISREG(status.st_mode))
        return bytes; // a folder, a named pipe or a device is no file to read
    bytes.readable = true;
    bytes.file = known ? qint64(status.st_size) : -1;
    struct stat log {};
    if (::stat((name + "-wal").constData(), &log) == 0 && S_ISREG(log.st_mode))
        bytes.log = qint64(log.st_size);
    return bytes;
}

void SyncFile(const QString& path)
{
    syncDescriptor(path, O_RDONLY);
}

void SyncFolderOf(const QString& path)
{
    syncDescriptor(QFileInfo(path).absolutePath(), O_RDONLY | O_DIRECTORY);
}

void SyncDatabaseFile(const QString& path)
{
    SyncFile(path);
    if (QFileInfo::exists(path + QStringLiteral("-wal")))
        SyncFile(path + QStringLiteral("-wal"));
}

bool LinkFile(const QString& existing, const QString& newName)
{
    return ::link(QFile::encodeName(existing).constData(), QFile::encodeName(newName).constData()) == 0;
}

void ReplaceFile(const QString& from, const QString& to)
{
    NoteFileWritten(from);
    NoteFileWritten(to);
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        throw CDaoException(QStringLiteral("Cannot rename '%1' to '%2': %3").arg(from, to, systemError()));
    NoteFileRenamed(from, to);
}

void RemoveSideFiles(const QString& path)
{
    NoteFileWritten(path);
    for (const QString& side : DatabaseSideFiles(path))
        removeIfPresent(side);
}

namespace {
enum class ByteCopy { Replace, Scratch, WorkingCopyReplace, WorkingCopyReplaceForWrites, WorkingCopyInPlace };

// Why the layer copies nothing from source to target, or "" when it may.
QString copyRefusal(const QString& source, const QString& target)
{
    if (!QFileInfo(source).isFile())
        return QStringLiteral("Could not find file '%1'.").arg(source);
    const QString targetKey = CSharedConnection::registryKey(target);
    if (CSharedConnection::registryKey(source) == targetKey)
        return QStringLiteral("Cannot copy '%1' onto itself.").arg(source);
    if (CSharedConnection::findByKey(targetKey))
        return QStringLiteral("The database '%1' is open and cannot be replaced.").arg(target);
    if (IsSymbolicLink(target))
        return LinkRefusedText(target);
    return QString();
}

// A written copy is in rollback form unless its caller writes it at once.
JournalFormat formatOf(ByteCopy byteCopy)
{
    return byteCopy == ByteCopy::WorkingCopyReplaceForWrites ? JournalFormat::WriteAheadLog : JournalFormat::Rollback;
}

bool copyThroughLayer(const QString& source, const QString& target, ByteCopy byteCopy, QString* error)
{
    const QString refused = copyRefusal(source, target);
    if (!refused.isEmpty())
        return fail(error, refused);
    NoteFileWritten(target);
    try {
        if (CopiesByCompaction(source))
            CompactDatabaseFile(source, target);
        else if (byteCopy == ByteCopy::WorkingCopyInPlace)
            writeInPlace(source, target);
        else
            replaceWithCopy(source, target, byteCopy != ByteCopy::Replace && byteCopy != ByteCopy::Scratch,
                            byteCopy != ByteCopy::Scratch, formatOf(byteCopy));
    } catch (const CDaoException& exception) {
        return fail(error, exception.GetErrorDescription());
    }
    return true;
}
} // namespace

bool CopyDatabaseFile(const QString& source, const QString& target, QString* error)
{
    return copyThroughLayer(source, target, ByteCopy::Replace, error);
}

bool CopyScratchDatabaseFile(const QString& source, const QString& target, QString* error)
{
    return copyThroughLayer(source, target, ByteCopy::Scratch, error);
}

bool CopyWorkingCopyFile(const QString& source, const QString& target, WorkingCopyWrite write, QString* error)
{
    const ByteCopy byteCopy = write == WorkingCopyWrite::Replace            ? ByteCopy::WorkingCopyReplace
                              : write == WorkingCopyWrite::ReplaceForWrites ? ByteCopy::WorkingCopyReplaceForWrites
                                                                            : ByteCopy::WorkingCopyInPlace;
    return copyThroughLayer(source, target, byteCopy, error);
}

QString WorkingCopyBeingWritten(const QString& target, WorkingCopyWrite write)
{
    return write == WorkingCopyWrite::IntoUnclaimedFolder ? target : temporaryOf(target);
}

WorkingCopyStart StartWorkingCopy(const QString& source, const QString& target, WorkingCopyWrite write,
                                  WorkingCopyEnds& ends, QString* error)
{
    const QString refused = copyRefusal(source, target);
    if (!refused.isEmpty()) {
        fail(error, refused);
        return WorkingCopyStart::Refused;
    }
    NoteFileWritten(target);
    const QString written = WorkingCopyBeingWritten(target, write);
    try {
        if (CopiesByCompaction(source)) {
            CompactDatabaseFile(source, target);
            return WorkingCopyStart::Written;
        }
        if (write == WorkingCopyWrite::IntoUnclaimedFolder)
            clearInPlaceTarget(target);
        else
            removeIfPresent(written);
    } catch (const CDaoException& exception) {
        fail(error, exception.GetErrorDescription());
        return WorkingCopyStart::Refused;
    }
    Descriptor from(-1), to(-1);
    try {
        openCopyEnds(source, written, true, from, to);
    } catch (const CDaoException& exception) {
        to.reset(-1);
        removePartWritten(written);
        fail(error, exception.GetErrorDescription());
        return WorkingCopyStart::Refused;
    }
    ends = {from.release(), to.release()};
    return WorkingCopyStart::BytesWanted;
}

bool FillWorkingCopy(const QString& source, const QString& target, WorkingCopyWrite write,
                     const WorkingCopyEnds& ends, QString* error)
{
    const QString written = WorkingCopyBeingWritten(target, write);
    const JournalFormat format =
        write == WorkingCopyWrite::ReplaceForWrites ? JournalFormat::WriteAheadLog : JournalFormat::Rollback;
    try {
        fillCopy(ends.from, ends.to, source, written, format);
        return true;
    } catch (const CDaoException& exception) {
        removePartWritten(written);
        return fail(error, exception.GetErrorDescription());
    }
}

bool PlaceWorkingCopy(const QString& target, QString* error)
{
    try {
        renameOver(temporaryOf(target), target);
        return true;
    } catch (const CDaoException& exception) {
        return fail(error, exception.GetErrorDescription());
    }
}

bool DeleteDatabaseFile(const QString& path, QString* error)
{
    if (CSharedConnection::isOpen(path))
        return fail(error, QStringLiteral("The database '%1' is open and cannot be deleted.").arg(path));
    NoteFileWritten(path);
    try {
        RemoveSideFiles(path);
        removeIfPresent(path);
    } catch (const CDaoException& exception) {
        return fail(error, exception.GetErrorDescription());
    }
    return true;
}
