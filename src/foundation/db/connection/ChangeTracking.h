#pragma once
// Whether a working copy changed since its target was last made equal to it. Each database path has
// a change number that outlives the connections on it: it rises when a file function of this layer
// writes the path (copy, replace, delete, compaction, side-file removal), and by every change the
// engine's data version shows on a connection to it (its own commits and those of any other handle),
// read at the connection's first statement, when the number is asked for, and when it closes. A
// baseline pairs a working copy's number with the identity of the target that then held its data.

#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>

class CTargetFolderScan;
class QSqlDatabase;
struct sqlite3;

// The engine handle under a connection of the SQLite driver; null when it has none.
sqlite3* SqliteEngineOf(const QSqlDatabase& database);

// A file as the file system names it: the same identity means the same bytes were left alone.
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0; // st_mtim
    qint64 changedNs = 0;  // st_ctim: moves with every write, rename or touch, and cannot be set back
    bool operator==(const FileIdentity& other) const = default;
};
// Nothing when the file cannot be read (missing, no access).
std::optional<FileIdentity> ReadFileIdentity(const QString& path);
// The identity a status read gave.
FileIdentity FileIdentityOf(const struct stat& status);

// The path's change number, after the open connection on it (if any) has read its changes.
quint64 ChangeNumber(const QString& path);
// Called by the layer's file functions for every database path they write.
void NoteFileWritten(const QString& path);

struct ChangeBaseline {
    QString target;           // the file whose data equals the working copy's (its key, see ChangeKey)
    FileIdentity identity;    // of the target
    quint64 changeNumber = 0; // of the working copy
};
// Before a copy of target into a working copy: the target's identity, or nothing when the copy
// would compact (the target is open or a journal lies beside it) or the target cannot be read.
// The caller sets the change number once the copy is made.
std::optional<ChangeBaseline> BaselineBeforeCopy(const QString& target);
// Baselines are kept per working copy; a layer write to the working copy forgets its baseline.
void RecordBaseline(const QString& workingCopy, const ChangeBaseline& baseline);
void ForgetBaseline(const QString& workingCopy);
std::optional<ChangeBaseline> BaselineOf(const QString& workingCopy);

// A write of the target left unfinished or open: .tmp, .bu, -wal, -shm or -journal beside it.
bool HasWriteLeftoversBeside(const QString& target);
const std::array<const char*, 5>& WriteLeftoverSuffixes();
// True when the target still holds the working copy's data: the working copy has a baseline for
// this target, its change number has not moved since, the target's identity is the one recorded
// and no leftover of a write lies beside the target. Anything else asks for the target's write.
bool TargetIsCurrent(const QString& workingCopy, const QString& target);
// The same for many targets, their folders looked at once by the scan (see TargetFolderScan.h).
bool TargetIsCurrent(const QString& workingCopy, const QString& target, CTargetFolderScan& scan);

// The key of a path among the change numbers and baselines: the same before and after the file
// exists (the canonical folder and the name, or the canonical file).
QString ChangeKey(const QString& path);

// One connection's reading of its data version (the shared connection holds one). The reference
// is taken at the first statement after the open's own work (a journal-mode switch never counts);
// a connection never used has changed nothing.
class CChangeReading {
public:
    explicit CChangeReading(const QString& path) : m_key(ChangeKey(path)) {}

    void openDone() { m_state = State::Unused; }
    // The engine handle was closed after read(): the next statement takes a new reference.
    void handleClosed()
    {
        if (m_state == State::Reading)
            m_state = State::Unused;
    }
    // Called before every statement; the first one after the open takes the reference.
    void beforeStatement(const QSqlDatabase& database)
    {
        if (m_state == State::Unused)
            takeReference(database);
    }
    // Adds the changes since the reference to the path's number and moves the reference on.
    // Inside a transaction (or under a running statement) the version cannot be read: the number
    // rises by one and the reference stays, to be read again later. Never throws.
    void read(const QSqlDatabase& database) noexcept;
    // Whether read() has anything to read: a connection never used has changed nothing.
    bool reading() const { return m_state == State::Reading || m_state == State::Unreliable; }
    // Moves the reference past the connection's own work just done (a journal-mode switch), counting
    // nothing; what changed before that work is to be read first. Never throws.
    void skipOwnWork(const QSqlDatabase& database) noexcept;
    // The path's change number as last read.
    quint64 number() const;

private:
    enum class State {
        Opening,   // the open's own statements run
        Unused,    // no statement yet
        Reading,   // the reference is held
        Unreliable // a reading failed: every later reading counts as a change
    };
    void takeReference(const QSqlDatabase& database) noexcept;

    QString m_key;
    State m_state = State::Opening;
    quint32 m_reference = 0;
};
