#include "foundation/db/files/SaveJournal.h"

#include "foundation/common/NewFile.h"
#include "foundation/common/RegularFile.h"
#include "foundation/common/UserSimSequenceFile.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/files/DatabaseHeader.h"
#include "foundation/db/files/DiskSyncs.h"
#include "foundation/db/files/SaveJournalNames.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const QByteArray HEADER = QByteArrayLiteral("QVSAVE 1\n");
const QByteArray TRAILER = QByteArrayLiteral("END\n");
constexpr quint64 FNV_OFFSET = 14695981039346656037ULL;
constexpr quint64 FNV_PRIME = 1099511628211ULL;

// 64-bit FNV-1a, the checksum every journal records. Eight bytes per round: fewer loads and
// loop tests, the same result.
quint64 AddToChecksum(quint64 hash, const uchar* bytes, qint64 count)
{
    qint64 i = 0;
    for (; i + 8 <= count; i += 8) {
        for (int k = 0; k < 8; ++k)
            hash = (hash ^ bytes[i + k]) * FNV_PRIME;
    }
    for (; i < count; ++i)
        hash = (hash ^ bytes[i]) * FNV_PRIME;
    return hash;
}

// The checksum of the whole file open at fd, read from its start.
quint64 ChecksumOf(int fd, const QString& path, qint64* size)
{
    quint64 hash = FNV_OFFSET;
    qint64 total = 0;
    QByteArray buffer(1 << 16, Qt::Uninitialized);
    for (;;) {
        const ssize_t n = ::pread(fd, buffer.data(), size_t(buffer.size()), off_t(total));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw CDaoException(CannotReadText(path, errno));
        if (n == 0)
            break;
        hash = AddToChecksum(hash, reinterpret_cast<const uchar*>(buffer.constData()), n);
        total += n;
    }
    if (size)
        *size = total;
    return hash;
}

QString ReplacedWhileSavedText(const QString& path)
{
    return QStringLiteral("The file \"%1\" was replaced while the project was saved: the save was undone.")
        .arg(path);
}

// The target's file as it is before a rename replaces it, open for reading; -1 when it has none.
int OpenOriginal(const QString& target)
{
    const RegularFileOpen opened = OpenRegularFile(target, LinkRule::Follow);
    return opened.state == RegularFileState::Opened ? opened.fd : -1;
}

QString journalSystemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// A name already gone is no failure: only the name is removed, never what a link names.
void removeJournalFileOrThrow(const QString& path)
{
    if (::unlink(QFile::encodeName(path).constData()) != 0 && errno != ENOENT)
        throw CDaoException(QStringLiteral("Cannot remove '%1': %2").arg(path, journalSystemError()));
}

QByteArray EntryLine(const CSaveJournal::Entry& entry)
{
    return QByteArray::number(entry.size) + '\t' + QByteArray::number(entry.checksum, 16) + '\t' +
           entry.temporary.toUtf8() + '\t' + entry.target.toUtf8() + '\n';
}

bool ParseEntry(const QByteArray& line, CSaveJournal::Entry& entry)
{
    const QList<QByteArray> fields = line.split('\t');
    bool sizeOk = false, sumOk = false;
    if (fields.size() != 4)
        return false;
    entry.size = fields.at(0).toLongLong(&sizeOk);
    entry.checksum = fields.at(1).toULongLong(&sumOk, 16);
    entry.temporary = QString::fromUtf8(fields.at(2));
    entry.target = QString::fromUtf8(fields.at(3));
    return sizeOk && sumOk && entry.size >= 0;
}

// The journal is made new: one a link stands in for is refused, and nothing goes through the link.
void WriteFlushed(const QString& path, const QByteArray& bytes)
{
    QString error;
    if (!WriteNewFile(path, bytes, ExistingFile::Replace, &error))
        throw CDaoException(error);
}

// A target may be a linked project database (it is replaced, not written through); a named pipe
// or a device under a name of the file set is refused, never read.
int OpenJournalFile(const QString& path)
{
    const RegularFileOpen opened = OpenRegularFile(path, LinkRule::Follow);
    if (opened.state == RegularFileState::Missing)
        throw CDaoException(CannotReadText(path, ENOENT));
    if (opened.state != RegularFileState::Opened)
        throw CDaoException(opened.refusal);
    return opened.fd;
}

// Closes a descriptor however its reader ends.
class ClosedAtEnd {
public:
    explicit ClosedAtEnd(int fd) : m_fd(fd) {}
    ~ClosedAtEnd() { ::close(m_fd); }
    ClosedAtEnd(const ClosedAtEnd&) = delete;
    ClosedAtEnd& operator=(const ClosedAtEnd&) = delete;

private:
    int m_fd;
};

// Why a file of the size an entry records is not read for its checksum: a sequence file beyond a
// text file's bound, or a database file that is none or is larger than its header gives (a sparse
// file of gigabytes costs nothing to send and a minute to read).
QString EntryFileRefusal(int fd, const QString& path, const CSaveJournal::Entry& entry)
{
    if (IsUserSimSequenceFileName(entry.target))
        return entry.size > TEXT_FILE_BOUND ? FileTooLargeText(path, entry.size, TEXT_FILE_BOUND) : QString();
    return DatabaseSizeRefusal(fd, path, true);
}

// Whether the file open at fd is the one the entry records: its size first, then what its kind
// allows to be read, and only then its checksum.
bool EntryMatches(int fd, const QString& path, const CSaveJournal::Entry& entry)
{
    struct stat status {};
    if (::fstat(fd, &status) != 0 || status.st_size != entry.size)
        return false;
    if (const QString refusal = EntryFileRefusal(fd, path, entry); !refusal.isEmpty())
        throw CDaoException(refusal);
    qint64 size = -1;
    return ChecksumOf(fd, path, &size) == entry.checksum && size == entry.size;
}
} // namespace

CSaveJournal::CSaveJournal(const QString& targetFile)
    : m_path(PathFor(targetFile)), m_folder(QFileInfo(targetFile).absolutePath() + QLatin1Char('/'))
{
}

CSaveJournal::~CSaveJournal()
{
    for (const int fd : m_written) {
        if (fd >= 0)
            ::close(fd);
    }
}

quint64 CSaveJournal::Checksum(const QString& path, qint64* size)
{
    const int fd = OpenJournalFile(path);
    const ClosedAtEnd closed(fd);
    return ChecksumOf(fd, path, size);
}

void CSaveJournal::Add(const QString& temporary, const QString& target)
{
    const QFileInfo from(temporary), to(target);
    if (from.absolutePath() + QLatin1Char('/') != m_folder ||
        to.absolutePath() + QLatin1Char('/') != m_folder)
        throw CDaoException(QStringLiteral("'%1' is not in the folder of '%2'.").arg(target, m_path));
    const RegularFileOpen opened = OpenRegularFile(temporary, LinkRule::Refuse);
    if (opened.state != RegularFileState::Opened)
        throw CDaoException(opened.state == RegularFileState::Missing ? CannotReadText(temporary, ENOENT)
                                                                      : opened.refusal);
    m_written.append(opened.fd);
    if (!IsFileMadeHere(temporary, opened.fd)) // put there by someone else since it was written
        throw CDaoException(ReplacedWhileSavedText(temporary));
    Entry entry{from.fileName(), to.fileName()};
    entry.checksum = ChecksumOf(opened.fd, temporary, &entry.size);
    m_entries.append(entry);
}

void CSaveJournal::Write()
{
    QByteArray bytes = HEADER;
    for (const Entry& entry : m_entries)
        bytes += EntryLine(entry);
    bytes += TRAILER;
    if (bytes.size() > TEXT_FILE_BOUND) // never a journal the next open would refuse to read
        throw CDaoException(FileTooLargeText(m_path, bytes.size(), TEXT_FILE_BOUND));
    WriteFlushed(m_path, bytes);
    SyncFolderOf(m_path);
}

void CSaveJournal::CloseOriginals(const QList<Renamed>& renamed)
{
    for (const Renamed& done : renamed) {
        if (done.original >= 0)
            ::close(done.original);
    }
}

// The old target keeps its content as target.bu until the journal is gone. A stale -journal or
// -wal beside the target would be applied to the new file: it goes first.
void CSaveJournal::RenameInto(const Entry& entry)
{
    const QString target = folderPath(entry.target), backup = target + QStringLiteral(".bu");
    if (QFileInfo::exists(target)) {
        removeJournalFileOrThrow(backup);
        if (!LinkFile(target, backup))
            QFile::remove(backup); // no backup where links fail; the journal still finishes the save
    }
    RemoveSideFiles(target);
    ReplaceFile(folderPath(entry.temporary), target);
}

// Every target renamed by this save gets its old content back, copied from the file kept open (its
// backup's name may have been given to another file since); one that was new goes. Then the
// journal and the backups this save linked go. Each kept file is closed.
void CSaveJournal::Undo(const QList<Renamed>& renamed, const QString& replaced)
{
    try {
        for (const Renamed& done : renamed) {
            const QString target = folderPath(done.target);
            QString failed;
            if (done.original < 0) {
                if (NamesOpenFile(target, done.written)) // a file put in its place since stays
                    QFile::remove(target);
            } else if (!ReplaceWithCopyOf(done.original, target, &failed))
                throw CDaoException(failed);
        }
        RemoveBackups(renamed);
        SyncFolderOf(m_path);
        removeJournalFileOrThrow(m_path);
    } catch (const CDaoException&) {
        // the journal stays: the next open or save finishes or discards it
    }
    CloseOriginals(renamed);
    throw CDaoException(replaced);
}

// The folder flush after the renames makes the save durable. The journal's removal needs none of
// its own: the folder's next flush carries it, and a journal a power loss brings back before then
// names temporaries already renamed over targets that verify, so the next open or save finishes it
// again without a change. A rename that fails stops the commit and leaves the journal for the next
// save or open to finish, unless its temporary was taken away: that one can never be renamed, so
// the renames before it are undone as for a temporary replaced. Only the backups this commit linked
// go: one that an interrupted save left under a target's name cannot be told from a file of the
// user's of that name, and stays until that file is saved again.
void CSaveJournal::Commit()
{
    QList<Renamed> renamed;
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        const Entry& entry = m_entries.at(i);
        const QString temporary = folderPath(entry.temporary), target = folderPath(entry.target);
        const int written = i < m_written.size() ? m_written.at(i) : -1;
        if (written < 0) // renamed already: whatever stands under the temporary's name now is not ours
            continue;
        if (!NamesOpenFile(temporary, written))
            Undo(renamed, ReplacedWhileSavedText(temporary));
        renamed.append({entry.target, OpenOriginal(target), written});
        try {
            RenameInto(entry);
        } catch (const CDaoException&) {
            if (!NamesOpenFile(temporary, written)) // taken away since the look above: never to be renamed
                Undo(renamed, ReplacedWhileSavedText(temporary));
            CloseOriginals(renamed);
            throw;
        }
        if (!NamesOpenFile(target, written))
            Undo(renamed, ReplacedWhileSavedText(target));
    }
    try {
        SyncFolderOf(m_path);
        removeJournalFileOrThrow(m_path);
    } catch (const CDaoException&) {
        CloseOriginals(renamed);
        throw;
    }
    RemoveBackups(renamed);
    CloseOriginals(renamed);
}

// The backups this save linked to the files it replaced; a name given to another file since stays.
void CSaveJournal::RemoveBackups(const QList<Renamed>& renamed) const
{
    for (const Renamed& done : renamed) {
        const QString backup = folderPath(done.target) + QStringLiteral(".bu");
        if (NamesOpenFile(backup, done.original))
            QFile::remove(backup);
    }
}

// A last line without its line break was cut short when the save was interrupted: it leaves the
// journal incomplete and is never read as an entry. Any complete line that is not the header, an
// entry of the project's file set or the end makes the journal foreign.
bool CSaveJournal::Read(bool& whole, bool& foreign)
{
    const RegularFileRead journal = ReadRegularFile(m_path, LinkRule::Refuse, TEXT_FILE_BOUND);
    if (journal.state == RegularFileState::Missing)
        return false;
    if (!journal.read())
        throw CDaoException(journal.refusal);
    QList<QByteArray> lines = journal.bytes.split('\n');
    const bool cut = !lines.takeLast().isEmpty();
    const QByteArray header = HEADER.chopped(1), trailer = TRAILER.chopped(1);
    whole = !cut && lines.size() > 1 && lines.first() == header && lines.last() == trailer;
    foreign = !lines.isEmpty() && lines.first() != header;
    const QString projectName = JournalProjectName(m_path);
    m_entries.clear();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        Entry entry;
        if (lines.at(i) == trailer || lines.at(i).isEmpty())
            continue;
        if (ParseEntry(lines.at(i), entry) &&
            IsJournalEntryAllowed(entry.temporary, entry.target, projectName) &&
            !IsSymbolicLink(folderPath(entry.temporary)))
            m_entries.append(entry);
        else
            foreign = true;
    }
    return true;
}

// A temporary that verifies stays open, so that the commit renames only that file; one already
// renamed verifies through its target.
bool CSaveJournal::Verified(const Entry& entry)
{
    const QString temporary = folderPath(entry.temporary), target = folderPath(entry.target);
    if (!QFileInfo::exists(temporary)) {
        m_written.append(-1);
        if (!QFileInfo::exists(target))
            return false;
        const int fd = OpenJournalFile(target);
        const ClosedAtEnd closed(fd);
        return EntryMatches(fd, target, entry);
    }
    const RegularFileOpen opened = OpenRegularFile(temporary, LinkRule::Refuse);
    if (opened.state != RegularFileState::Opened)
        throw CDaoException(opened.state == RegularFileState::Missing ? CannotReadText(temporary, ENOENT)
                                                                      : opened.refusal);
    m_written.append(opened.fd);
    return EntryMatches(opened.fd, temporary, entry);
}

void CSaveJournal::Discard()
{
    for (const Entry& entry : m_entries)
        removeJournalFileOrThrow(folderPath(entry.temporary));
    removeJournalFileOrThrow(m_path);
    SyncFolderOf(m_path);
}

// A journal that names files outside the project's file set is set aside, untouched, and nothing
// it names is changed.
void CSaveJournal::SetAside()
{
    ReplaceFile(m_path, RejectedJournalPath(m_path));
    SyncFolderOf(m_path);
}

CSaveJournal::Leftover CSaveJournal::FinishLeftover()
{
    bool whole = false, foreign = false;
    if (IsSymbolicLink(m_path)) // no save of ours wrote it: never read through it
        throw CDaoException(LinkRefusedText(m_path));
    if (!QFileInfo::exists(m_path))
        return Leftover::None;
    if (!Read(whole, foreign))
        throw CDaoException(QStringLiteral("Cannot read '%1'.").arg(m_path));
    if (foreign) {
        SetAside();
        return Leftover::Rejected;
    }
    for (const Entry& entry : m_entries)
        whole = Verified(entry) && whole;
    if (!whole || m_entries.isEmpty()) {
        Discard();
        return Leftover::Discarded;
    }
    Commit();
    return Leftover::Finished;
}
