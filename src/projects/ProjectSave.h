#pragma once
// The save of the open project as one unit: the plan of the files to write, their temporaries, the
// save journal that commits them, the baselines of what was written and the package's write-back.

#include "foundation/db/files/Compaction.h"
#include "projects/PlanSequenceFiles.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVarLengthArray>

#include <functional>

class CDaoDatabase;
class CSaveJournal;
class ICompoundFileState;
class SaveProgress;
struct ProjectFileSet;

// What the save takes from the project manager that owns it: its file checks, and the open
// project's state the two share (the manager's members, read and reset by the save).
struct ProjectSaveLinks {
    // Writes a new name into the project record ("" leaves it); false after the message.
    std::function<bool(const QString& name)> setProjectName;
    // False after the message when the project's folder lacks that room.
    std::function<bool(qint64 bytesNeeded)> checkDiskSpace;
    // The file's size with its -wal; 0 after the message naming label when it cannot be read.
    std::function<qint64(const QString& path, const QString& label)> databaseFileSize;
    bool& pendingRecentFile; // a new project record was written; the next save adds it to the list
    bool& sameFolder;        // cleared by every save that succeeds
    ICompoundFileState* const& compoundFile; // the package state written back, or null
};

class CProjectSave {
public:
    // files: the application's file set, whose open project is saved.
    CProjectSave(ProjectFileSet& files, ProjectSaveLinks links);
    CProjectSave(const CProjectSave&) = delete;
    CProjectSave& operator=(const CProjectSave&) = delete;

    // Saves the open project (newName: under that name in its folder); fromPackage: the package's
    // own save, which does not write the package back. False after every failure was reported.
    bool SaveProject(const QString& newName, bool fromPackage);
    // Writes one working copy into its target from the database that holds it; true for no database.
    // prepare runs on the written file before it takes the target's name.
    // With a temporary, only that file is written and flushed; its rename is the caller's.
    bool CompactWorkingCopy(const QString& source, const QString& target, CDaoDatabase* database,
                            const CompactionPrepare& prepare = {}, const QString& temporary = QString());
    // Finishes (or discards) a save journal an earlier save of that project left; false after the
    // message. A journal naming other files is set aside after its message: true. The open runs it
    // too, before it reads the project.
    bool FinishSaveJournal(const QString& projectFile);
    // The open project closed: a save-back that failed is not retried for the next one.
    void ForgetUnfinishedSaveBack()
    {
        m_saveBackUnfinished = false;
        m_stepPaths.clear();
    }
    // The target files of the last save that succeeded.
    const QStringList& SavedTargets() const { return m_savedTargets; }
    // The plans' sequence files: copied in by the open, written by the save, deleted by the close.
    CPlanSequenceFiles& SequenceFiles() { return m_sequences; }

private:
    bool ConfirmTemplateSave();
    bool ReadStepRows(QList<long>& stepRows);
    qint64 SizeOfStepWorkingCopy(long stepID);
    std::function<qint64()> DatabaseSize(const QString& path, const QString& label);
    // One file a save may write: write() puts the working copy's content into the given temporary
    // (false after the failure was reported); size() is the room it takes (none: not counted);
    // needed says the target does not hold it already;
    // changeNumber is the working copy's, read once it is durable; written marks a temporary made;
    // progress is shown after it, written or not.
    struct PlannedWrite {
        QString target, workingCopy;
        std::function<bool(const QString& temporary)> write;
        std::function<qint64()> size;
        QVarLengthArray<int, 2> progress; // a step of one or two processes allocates nothing
        bool needed = true;
        quint64 changeNumber = 0;
        bool written = false;
    };
    QList<PlannedWrite> PlanSave(const QList<long>& stepRows, const QStringList& sequenceFiles,
                                 const QString& target, const QString& projectTarget);
    void PlanSequenceWrites(const QStringList& sequenceFiles, QList<PlannedWrite>& plan);
    static void LeaveOutCurrentTargets(QList<PlannedWrite>& plan);
    static qint64 SizeOfNeededWrites(const QList<PlannedWrite>& plan);
    bool MakeWorkingCopiesDurable(QList<PlannedWrite>& plan);
    static void RecordSavedBaselines(const QList<PlannedWrite>& plan);
    static bool AnyWritten(const QList<PlannedWrite>& plan);
    bool SaveBackIfWritten(const QList<PlannedWrite>& plan);
    bool WriteTemporaries(QList<PlannedWrite>& plan, const SaveProgress& progress, CSaveJournal& journal);
    bool Journalled(CSaveJournal& journal, const QString& temporary, const QString& target);
    static void RemoveTemporaries(const QList<PlannedWrite>& plan, qsizetype upTo);
    bool WriteTemporary(const PlannedWrite& write, const QString& temporary);
    bool CommitSave(const QList<PlannedWrite>& plan, CSaveJournal& journal);
    bool WriteStepTemporary(long stepID, const QString& temporary);
    bool WriteSequenceTemporary(const QString& workingCopy, const QString& target, const QString& temporary);
    bool WriteProjectTemporary(const QString& temporary);
    bool WriteLibraryTemporary(const QString& workingCopy, const char* copyName, const QString& temporary,
                               const QString& copyFailedMessage);
    bool CompactInto(CDaoDatabase& database, const QString& target, const CompactionPrepare& prepare,
                     const QString& temporary);
    bool FailWrite(const QString& message);
    bool WroteNothing(); // a planned write with nothing to write: true
    // Strips a project written as a template to what a template keeps, and writes a new name into
    // its record, in one transaction.
    bool ClearPlanTables(CDaoDatabase& templateDatabase, const QString& newName);
    static void RenameWrittenProject(CDaoDatabase& written, const QString& newName);
    static bool RenameWrittenProjectAlone(CDaoDatabase& written, const QString& newName);

    // A step's target and working copy, made once per pair of folders.
    struct StepPaths {
        QString target, workingCopy;
    };
    const StepPaths& PathsOfStep(long stepID, const QString& projectDir, const QString& workingCopyDir);

    ProjectFileSet& m_files;
    ProjectSaveLinks m_links;
    QString m_stepPathsProjectDir, m_stepPathsWorkingCopyDir; // the folders of m_stepPaths
    QHash<long, StepPaths> m_stepPaths;
    bool m_saveBackUnfinished = false; // the last save-back of the package failed
    bool m_wroteNothing = false;       // the planned write just made had nothing to write
    QString m_newName;                 // of the running save: written into the saved record only
    QStringList m_savedTargets;
    CPlanSequenceFiles m_sequences;
};
