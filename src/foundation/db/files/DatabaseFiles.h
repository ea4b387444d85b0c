#pragma once
// Copying and deleting database files, and the durable-write helpers behind them. A database is
// never copied byte for byte while it is open or has a -wal or -journal beside it, and a delete
// takes its -wal, -shm and -journal along. A copy's target, its temporaries and a file removed as a
// leftover are never links: a link under such a name is refused (foundation/common/NewFile.h).

#include <QString>
#include <QStringList>

// The -wal, -shm and -journal names beside a database file.
QStringList DatabaseSideFiles(const QString& path);
bool HasJournalBeside(const QString& path);
// A copy of this source goes through compaction (it is open or a journal lies beside it), not bytes.
bool CopiesByCompaction(const QString& source);

// Overwrites the target; the target name always holds either its old or the new content.
// False with a description when it fails or the target is open.
bool CopyDatabaseFile(const QString& source, const QString& target, QString* error = nullptr);
// The same without flushing the copy or its folder: for a scratch file that is read or rewritten
// while the program runs and that nothing reads after a crash.
bool CopyScratchDatabaseFile(const QString& source, const QString& target, QString* error = nullptr);
// The same for a working copy: a byte copy comes out flushed and in rollback form, so that opening
// and reading it as a working copy writes nothing (its first write turns it to write-ahead logging).
// How it is written:
//   Replace: through a temporary file renamed over the target, the folder flushed at once.
//   ReplaceForWrites: the same, the byte copy in write-ahead form: for a copy its caller writes at
//   once (an imported step's recipe texts), whose first write then switches no journal (in rollback
//   form the switch flushes the file and its folder several times).
//   IntoUnclaimedFolder: in place and not flushed: the caller flushes each copy (SyncFile; a batch
//   goes through CWorkingCopyBatch) and then the folder once (SyncFolderOf). Only for a folder no
//   in-use marker names yet: a copy that a crash leaves half-written there is never taken for
//   recovery.
enum class WorkingCopyWrite { Replace, ReplaceForWrites, IntoUnclaimedFolder };
bool CopyWorkingCopyFile(const QString& source, const QString& target, WorkingCopyWrite write,
                         QString* error = nullptr);
// A byte copy in halves, so that the bytes of many copies can be written on other threads
// (CWorkingCopyBatch). Start runs the checks, clears what is in the way and creates the new file,
// all on the caller's thread: IntoUnclaimedFolder the target itself, Replace and ReplaceForWrites a
// temporary beside it. A source that copies by compaction is copied there at once (Written). After
// BytesWanted, `ends` holds the source open for reading and the new file open for writing (the
// caller closes both), and Fill, on any thread, writes the bytes: false with a description and no
// part-written file left when it fails. The caller flushes the new file; a temporary it then puts
// in place (Place, on the caller's thread) and flushes the folder after that.
enum class WorkingCopyStart { Refused, Written, BytesWanted };
struct WorkingCopyEnds {
    int from = -1;
    int to = -1;
};
WorkingCopyStart StartWorkingCopy(const QString& source, const QString& target, WorkingCopyWrite write,
                                  WorkingCopyEnds& ends, QString* error);
bool FillWorkingCopy(const QString& source, const QString& target, WorkingCopyWrite write,
                     const WorkingCopyEnds& ends, QString* error);
bool PlaceWorkingCopy(const QString& target, QString* error);
// The file Start creates and Fill writes for that target.
QString WorkingCopyBeingWritten(const QString& target, WorkingCopyWrite write);
// False when the layer has the file open or a file cannot be removed; a missing file is no error.
bool DeleteDatabaseFile(const QString& path, QString* error = nullptr);

// The bytes a database holds: its file and its -wal (committed edits not yet in the file).
struct DatabaseBytes {
    bool readable = false; // the file opens for reading
    qint64 file = -1;      // -1 when its size cannot be read
    qint64 log = 0;        // the -wal's, when one lies beside it
};
DatabaseBytes ReadDatabaseBytes(const QString& path);

// Durable-write steps; each raises CDaoException on failure.
void SyncFile(const QString& path);
void SyncFolderOf(const QString& path);
void ReplaceFile(const QString& from, const QString& to); // rename(2): atomic, overwrites
void RemoveSideFiles(const QString& path);
// Makes what is committed to a database durable: its file and its -wal (where there is one) are
// flushed. A working copy's own connection already flushes at every commit (synchronous=FULL); this
// is for a file written by other means, or to confirm it once more where a session ends.
void SyncDatabaseFile(const QString& path);
// A second name for an existing file (a hard link), as a backup that costs no copy. False where
// the file system has no links or `newName` exists.
bool LinkFile(const QString& existing, const QString& newName);
