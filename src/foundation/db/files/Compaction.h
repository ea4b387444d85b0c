#pragma once
// Writing a database into a target file by compaction, so that the target name never goes
// missing: VACUUM INTO target.tmp, flush it, keep the old target as target.bu (hard link), rename
// target.tmp over the target, flush the folder, drop target.bu. On failure the old content stays
// (or gets its name back) and CDaoException reports it. The written file uses a rollback journal.

#include <QString>
#include <functional>

class CDaoDatabase;

enum class CompactionStage {
    RemoveLeftover, // a leftover target.tmp goes; a lone target.bu gets its name back
    VacuumInto,
    SyncTemporary,
    KeepBackup,
    ReplaceTarget,
    SyncFolder,
    RemoveBackup,
};

// Writes the open database (its connection stays open) into the target.
void CompactDatabaseTo(CDaoDatabase& source, const QString& target);
// The same, and before target.tmp takes the target's name it is opened read-write and handed to
// prepare; an exception from prepare fails the write and the old target stays.
using CompactionPrepare = std::function<void(CDaoDatabase& written)>;
void CompactDatabaseTo(CDaoDatabase& source, const QString& target, const CompactionPrepare& prepare);
// Only the first stages: the database is written into temporary and flushed (prepare runs on it
// before the flush); a failure removes it. The caller gives it its name (see SaveJournal.h).
void CompactDatabaseToTemporary(CDaoDatabase& source, const QString& temporary,
                                const CompactionPrepare& prepare = {});
// The same from a file path; shares the layer's connection when the file is open.
void CompactDatabaseFile(const QString& source, const QString& target);

// Test seam: called before each stage. Answering false makes the stage fail (the failure path
// runs); an exception other than CDaoException leaves everything as a crash at that instant would.
using CompactionStageHook = std::function<bool(CompactionStage)>;
CompactionStageHook SetCompactionStageHook(CompactionStageHook hook);
