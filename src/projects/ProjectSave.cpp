// Saving the open project as one unit: the plan lists the files to write (steps first, then the
// plans' sequence files, the project, equipment and material); each is compacted (a sequence file
// copied) from its working copy into its flushed target.tmp; then the save journal commits the
// renames (foundation/db/files/SaveJournal.h).

#include "projects/ProjectSave.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/NewFile.h"
#include "foundation/common/UserSimSequenceFile.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/db/connection/ChangeTracking.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/files/SaveJournal.h"
#include "foundation/db/files/SaveJournalNames.h"
#include "foundation/db/connection/SharedConnection.h"
#include "foundation/db/connection/StatementCache.h"
#include "foundation/db/files/TargetFolderScan.h"
#include "projects/CompoundFileState.h"
#include "projects/ProjectFileNames.h"

#include <QCursor>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSqlQuery>

#include <algorithm>
#include <utility>

// The status-bar progress of one save; it ends on every exit once begun.
class SaveProgress {
public:
    ~SaveProgress()
    {
        if (m_begun)
            GetProgressServices()->EndProgress();
    }
    void begin(const QString& text)
    {
        m_begun = GetProgressServices() != nullptr;
        if (m_begun)
            GetProgressServices()->BeginProgress(0, 100, text);
    }
    void set(int position) const
    {
        if (m_begun)
            GetProgressServices()->SetProgressPos(position);
    }

private:
    bool m_begun = false;
};

namespace {
QString Extension(bool isTemplate, const char* project, const char* templ)
{
    return QString::fromLatin1(isTemplate ? templ : project);
}
} // namespace

CProjectSave::CProjectSave(ProjectFileSet& files, ProjectSaveLinks links)
    : m_files(files), m_links(std::move(links))
{
}

bool CProjectSave::SaveProject(const QString& newName, bool fromPackage)
{
    AppContext* app = GetAppContext();
    if (!app || !m_files.projectDatabase)
        return false;
    WaitCursor wait;
    ProjectFileSet& files = m_files;
    const bool isTemplate = files.isTemplate;
    if (isTemplate && !ConfirmTemplateSave())
        return false;
    const QString target = files.projectDir + (newName.isEmpty() ? files.projectName : newName);
    const QString projectTarget = target + Extension(isTemplate, ".prj", ".qvt");
    QList<long> stepRows;
    // A new name goes into the written record only (see WriteProjectTemporary).
    m_newName = newName;
    if (!FinishSaveJournal(projectTarget) || !ReadStepRows(stepRows))
        return false;
    if (isTemplate)
        stepRows.clear(); // a template keeps no step databases
    // A template keeps no plans; plans that cannot be read leave every sequence file as it is.
    QStringList sequenceFiles;
    const bool plansRead = !isTemplate && ReadPlanSequenceFileNames(sequenceFiles);
    SaveProgress progress;
    progress.begin(isTemplate ? QStringLiteral("saving template") : QStringLiteral("saving project"));
    if (ProjectLifecycleServices* frame = GetProjectLifecycleServices()) {
        frame->SaveWindowPositions();
        frame->SaveChemistryDocuments();
    }
    progress.set(20);
    if (stepRows.isEmpty())
        progress.set(50);
    const bool inPlace = newName.isEmpty() && !isTemplate;
    QList<PlannedWrite> plan = PlanSave(stepRows, sequenceFiles, target, projectTarget);
    if (inPlace)
        LeaveOutCurrentTargets(plan); // after the window positions and documents were written
    // The room asked for is what this save writes, known once the current targets are left out.
    CSaveJournal journal(projectTarget);
    if (!m_links.checkDiskSpace(SizeOfNeededWrites(plan)) || !MakeWorkingCopiesDurable(plan) ||
        !WriteTemporaries(plan, progress, journal))
        return false;
    if (inPlace && m_links.compoundFile && AnyWritten(plan))
        m_links.compoundFile->BeforeFolderWrite(files.projectDir);
    if (!CommitSave(plan, journal))
        return false;
    if (inPlace && plansRead)
        m_sequences.RemoveDropped(files.projectDir, sequenceFiles);
    if (m_links.pendingRecentFile) {
        app->AddToRecentFileList(projectTarget);
        m_links.pendingRecentFile = false;
    }
    // The package is written back from the files just saved, so a close never loses them.
    if (!fromPackage && newName.isEmpty() && !SaveBackIfWritten(plan))
        return FailWrite(QString());
    SetProjectModified(false);
    if (ProjectLifecycleServices* frame = GetProjectLifecycleServices())
        frame->StopAutoSaveTimer();
    m_links.sameFolder = false;
    if (inPlace)
        RecordSavedBaselines(plan);
    m_savedTargets.clear();
    for (const PlannedWrite& write : plan)
        m_savedTargets << write.target;
    return true;
}

// A target that still holds its working copy's data is not written (see foundation/db/connection/ChangeTracking.h).
void CProjectSave::LeaveOutCurrentTargets(QList<PlannedWrite>& plan)
{
    CTargetFolderScan scan;
    for (PlannedWrite& write : plan)
        write.needed = !TargetIsCurrent(write.workingCopy, write.target, scan);
}

// Each target written in place now holds its working copy's data as it was when made durable.
void CProjectSave::RecordSavedBaselines(const QList<PlannedWrite>& plan)
{
    for (const PlannedWrite& write : plan) {
        if (!write.written)
            continue;
        if (const std::optional<FileIdentity> identity = ReadFileIdentity(write.target))
            RecordBaseline(write.workingCopy, {ChangeKey(write.target), *identity, write.changeNumber});
    }
}

bool CProjectSave::AnyWritten(const QList<PlannedWrite>& plan)
{
    return std::any_of(plan.cbegin(), plan.cend(), [](const PlannedWrite& write) { return write.written; });
}

// The package is written back when this save wrote one of its files, or when the last write-back
// did not finish.
bool CProjectSave::SaveBackIfWritten(const QList<PlannedWrite>& plan)
{
    if (!m_links.compoundFile || !(AnyWritten(plan) || m_saveBackUnfinished))
        return true;
    m_saveBackUnfinished = !m_links.compoundFile->SaveBack(m_files.projectDir, m_files.projectDir);
    return !m_saveBackUnfinished;
}

// Every file the save may write, in order, with the progress shown after it: the steps (one entry
// per row of the step query, a step of two processes written once), the plans' sequence files, the
// project, the libraries.
QList<CProjectSave::PlannedWrite> CProjectSave::PlanSave(const QList<long>& stepRows,
                                                         const QStringList& sequenceFiles,
                                                         const QString& target, const QString& projectTarget)
{
    const ProjectFileSet& files = m_files;
    const bool isTemplate = files.isTemplate;
    QList<PlannedWrite> plan;
    plan.reserve(stepRows.size() + sequenceFiles.size() + 3);
    const QString projectDir = GetProjectDir(), workingCopyDir = GetWorkingCopyDir();
    const int increment = stepRows.isEmpty() ? 0 : 50 / int(stepRows.size());
    for (qsizetype k = 0; k < stepRows.size(); ++k) {
        const int position = 20 + int(k + 1) * increment;
        if (k > 0 && stepRows.at(k) == stepRows.at(k - 1)) {
            plan.last().progress << position;
            continue;
        }
        const long stepID = stepRows.at(k);
        const StepPaths& paths = PathsOfStep(stepID, projectDir, workingCopyDir);
        plan.append({paths.target, paths.workingCopy,
                     [this, stepID](const QString& temporary) { return WriteStepTemporary(stepID, temporary); },
                     [this, stepID] { return SizeOfStepWorkingCopy(stepID); },
                     {position}});
    }
    PlanSequenceWrites(sequenceFiles, plan);
    plan.append({projectTarget, files.projectDBPath,
                 [this](const QString& temporary) { return WriteProjectTemporary(temporary); },
                 DatabaseSize(files.projectDBPath, QStringLiteral("project database")),
                 {80}});
    plan.append({target + Extension(isTemplate, ".eqm", ".eqt"), files.equipmentDBPath,
                 [this](const QString& temporary) {
                     return WriteLibraryTemporary(m_files.equipmentDBPath, "eqm.tmp", temporary,
                                                  QStringLiteral("Can not copy temporary equipment file \"%1\"."));
                 },
                 DatabaseSize(files.equipmentDBPath, QStringLiteral("equipment database")),
                 {90}});
    plan.append({target + Extension(isTemplate, ".mtl", ".mtt"), files.materialsDBPath,
                 [this](const QString& temporary) {
                     return WriteLibraryTemporary(m_files.materialsDBPath, "mtl.tmp", temporary,
                                                  QStringLiteral("Can not copy temporary material file \"%1\"."));
                 },
                 DatabaseSize(files.materialsDBPath, QStringLiteral("material database")),
                 {100}});
    return plan;
}

// A step's file names depend on its id and the two folders only: they are kept while both stay.
const CProjectSave::StepPaths& CProjectSave::PathsOfStep(long stepID, const QString& projectDir,
                                                         const QString& workingCopyDir)
{
    if (projectDir != m_stepPathsProjectDir || workingCopyDir != m_stepPathsWorkingCopyDir) {
        m_stepPaths.clear();
        m_stepPathsProjectDir = projectDir;
        m_stepPathsWorkingCopyDir = workingCopyDir;
    }
    auto paths = m_stepPaths.find(stepID);
    if (paths == m_stepPaths.end())
        paths = m_stepPaths.insert(stepID, {projectDir + StepDatabaseName(stepID),
                                            workingCopyDir + StepWorkingCopyName(stepID)});
    return *paths;
}

// Each plan's sequence file that lies in the working-copy folder goes to the project folder, under
// the name it has there whatever its case.
void CProjectSave::PlanSequenceWrites(const QStringList& sequenceFiles, QList<PlannedWrite>& plan)
{
    for (const QString& name : sequenceFiles) {
        const QString workingCopy = GetWorkingCopyDir() + name;
        const QString target = SequenceFileIn(GetProjectDir(), name);
        if (!QFileInfo(workingCopy).isFile() || ChangeKey(workingCopy) == ChangeKey(target))
            continue;
        plan.append({target,
                     workingCopy,
                     [this, workingCopy, target](const QString& temporary) {
                         return WriteSequenceTemporary(workingCopy, target, temporary);
                     },
                     {},
                     {}});
    }
}

// The committed edits of every working copy written are durable before the journal commits the
// save, so that a recovery after a power loss never brings back less than the save wrote. A working
// copy its connection holds was flushed at each commit (synchronous=EXTRA); any other file is flushed
// here. Each one's change number is read then: what the target will hold. The working copies not
// written were durable when their target last took their data.
bool CProjectSave::MakeWorkingCopiesDurable(QList<PlannedWrite>& plan)
{
    try {
        for (PlannedWrite& write : plan) {
            if (!write.needed)
                continue;
            if (!CSharedConnection::isOpen(write.workingCopy) && QFileInfo::exists(write.workingCopy))
                SyncDatabaseFile(write.workingCopy);
            write.changeNumber = ChangeNumber(write.workingCopy);
        }
    } catch (const CDaoException& e) {
        return FailWrite(e.GetErrorDescription());
    }
    return true;
}

// Each planned file is written to its target.tmp and flushed, and taken into the journal at once
// (which keeps it open: the file renamed is the file written); a failure removes every temporary
// written and changes no project file.
bool CProjectSave::WriteTemporaries(QList<PlannedWrite>& plan, const SaveProgress& progress,
                                    CSaveJournal& journal)
{
    for (qsizetype k = 0; k < plan.size(); ++k) {
        const QString temporary = plan.at(k).target + QStringLiteral(".tmp");
        if (plan.at(k).needed) {
            DeleteDatabaseFile(temporary); // one a killed save left must not pass for this save's
            m_wroteNothing = false;
            if (!WriteTemporary(plan.at(k), temporary) ||
                (!m_wroteNothing && !Journalled(journal, temporary, plan.at(k).target))) {
                RemoveTemporaries(plan, k);
                return false;
            }
            plan[k].written = !m_wroteNothing;
        }
        for (int position : plan.at(k).progress)
            progress.set(position);
    }
    return true;
}

// A temporary written is taken into the journal at once; one gone already was removed by someone
// else, and fails the save.
bool CProjectSave::Journalled(CSaveJournal& journal, const QString& temporary, const QString& target)
{
    try {
        journal.Add(temporary, target);
    } catch (const CDaoException& e) {
        return FailWrite(e.GetErrorDescription());
    }
    return true;
}

void CProjectSave::RemoveTemporaries(const QList<PlannedWrite>& plan, qsizetype upTo)
{
    for (qsizetype i = 0; i <= upTo && i < plan.size(); ++i) {
        const QString written = plan.at(i).target + QStringLiteral(".tmp");
        if (plan.at(i).needed && NamesFileMadeHere(written)) // never a file put under its name since
            QFile::remove(written);
    }
}

// A link under the temporary's name is refused: nothing of the save goes through it.
bool CProjectSave::WriteTemporary(const PlannedWrite& write, const QString& temporary)
{
    if (IsSymbolicLink(temporary))
        return FailWrite(LinkRefusedText(temporary));
    return write.write(temporary);
}

// The journal names every temporary written; once it is durable the save is committed, and a
// failed rename leaves it for the next open or save to finish.
bool CProjectSave::CommitSave(const QList<PlannedWrite>& plan, CSaveJournal& journal)
{
    if (journal.entries().isEmpty())
        return true;
    try {
        journal.Write();
    } catch (const CDaoException& e) {
        RemoveTemporaries(plan, plan.size());
        QFile::remove(journal.path());
        return FailWrite(e.GetErrorDescription());
    }
    try {
        journal.Commit();
    } catch (const CDaoException& e) {
        return FailWrite(e.GetErrorDescription());
    }
    return true;
}

// A journal an earlier save left is finished (or discarded) before anything else is written. One
// that names other files is set aside with a word and the caller goes on.
bool CProjectSave::FinishSaveJournal(const QString& projectFile)
{
    try {
        CSaveJournal journal(projectFile);
        if (journal.FinishLeftover() == CSaveJournal::Leftover::Rejected)
            QvMessageBox(QStringLiteral("The unfinished save \"%1\" names files that are not part of the project "
                                        "and was not applied. It was kept as \"%2\".")
                             .arg(journal.path(), RejectedJournalPath(journal.path())),
                         MB_OK | MB_ICONWARNING);
    } catch (const CDaoException& e) {
        QvMessageBox(e.GetErrorDescription());
        return false;
    }
    return true;
}

bool CProjectSave::ConfirmTemplateSave()
{
    const int answer = QvMessageBox(
        QStringLiteral(
            "You have chosen to save the current Project as a Project Template. Any Process or Step "
            "information will not be saved. Do you want to continue?"),
        MB_YESNO | MB_ICONQUESTION);
    if (answer != IDYES)
        return false;
    if (ProjectLifecycleServices* frame = GetProjectLifecycleServices())
        frame->CloseAllViews();
    return true;
}

// The step ids of [QryStepInProject] in step order (a step of two processes comes twice). Only the
// ids are read, so the rows of one step need no order among themselves: the index gives the order.
bool CProjectSave::ReadStepRows(QList<long>& stepRows)
{
    static const StatementKey key{StatementKind::Select, QStringLiteral("QryStepInProject"), {},
                                  {QStringLiteral("steps saved")}, {}};
    try {
        m_files.projectDatabase->Connection().execKept(
            key, [] { return QStringLiteral("SELECT StepID FROM QryStepInProject ORDER BY StepID"); }, {},
            [&stepRows](KeptResult& steps) {
                while (steps.next())
                    stepRows.append(long(steps.value(0).toLongLong()));
            });
        return true;
    } catch (const CDaoException&) {
        stepRows.clear();
        QvMessageBox(QStringLiteral("Can't open ProjectStep table to save step database!"));
        return false;
    }
}

qint64 CProjectSave::SizeOfNeededWrites(const QList<PlannedWrite>& plan)
{
    qint64 bytes = 0;
    for (const PlannedWrite& write : plan) {
        if (write.needed && write.size)
            bytes += write.size();
    }
    return bytes;
}

std::function<qint64()> CProjectSave::DatabaseSize(const QString& path, const QString& label)
{
    return [this, path, label] { return m_links.databaseFileSize(path, label); };
}

// A step left out at open has neither database nor working copy: nothing of it is written.
qint64 CProjectSave::SizeOfStepWorkingCopy(long stepID)
{
    const QString workingCopy = GetWorkingCopyDir() + StepWorkingCopyName(stepID);
    if (!GetStepDatabase(stepID) && !QFileInfo::exists(workingCopy))
        return 0;
    return m_links.databaseFileSize(workingCopy, QString());
}

// A step without an open database may still have its working copy: that file is copied. A step
// left out at open has neither: nothing of it is written.
bool CProjectSave::WriteStepTemporary(long stepID, const QString& temporary)
{
    const QString source = GetWorkingCopyDir() + StepWorkingCopyName(stepID);
    const QString target = GetProjectDir() + StepDatabaseName(stepID);
    if (CDaoDatabase* database = GetStepDatabase(stepID))
        return CompactWorkingCopy(source, target, database, {}, temporary);
    if (!QFileInfo::exists(source))
        return WroteNothing();
    QString error;
    return CopyDatabaseFile(source, temporary, &error) || FailWrite(error);
}

bool CProjectSave::WriteSequenceTemporary(const QString& workingCopy, const QString& target,
                                          const QString& temporary)
{
    QString failed;
    if (CopyUserSimSequenceFile(workingCopy, temporary, &failed))
        return true;
    QvMessageBox(SimSequenceFileNotOpenedText(failed == temporary ? target : failed));
    return FailWrite(QString());
}

bool CProjectSave::WriteProjectTemporary(const QString& temporary)
{
    const ProjectFileSet& files = m_files;
    const QString target = temporary.chopped(4);
    if (!files.isTemplate && m_newName.isEmpty())
        return CompactWorkingCopy(files.projectDBPath, target, files.projectDatabase.get(), {}, temporary);
    // The strip and the new name apply to the written file only; the open project keeps its rows.
    const bool strip = files.isTemplate;
    return CompactWorkingCopy(files.projectDBPath, target, files.projectDatabase.get(),
                              [this, strip](CDaoDatabase& written) {
                                  const bool prepared = strip ? ClearPlanTables(written, m_newName)
                                                              : RenameWrittenProjectAlone(written, m_newName);
                                  if (!prepared)
                                      throw CDaoException(QString()); // already reported
                              },
                              temporary);
}

// The library working copy goes through a copy in the temporary folder, which is then written
// into the target's temporary and deleted.
bool CProjectSave::WriteLibraryTemporary(const QString& workingCopy, const char* copyName,
                                         const QString& temporary, const QString& copyFailedMessage)
{
    const QString copy = GetQuorvantaTempDir() + QLatin1String(copyName);
    bool written = CopyDatabaseFile(workingCopy, copy);
    if (!written) {
        QvMessageBox(copyFailedMessage.arg(copy));
        FailWrite(QString());
    } else {
        CDaoDatabase database;
        written = CompactWorkingCopy(copy, temporary.chopped(4), &database, {}, temporary);
    }
    DeleteDatabaseFile(copy);
    return written;
}

bool CProjectSave::CompactWorkingCopy(const QString& source, const QString& target, CDaoDatabase* database,
                                      const CompactionPrepare& prepare, const QString& temporary)
{
    if (!database)
        return WroteNothing();
    if (database->IsOpen())
        return CompactInto(*database, target, prepare, temporary);
    try {
        database->Open(source, HasJournalBeside(source) ? DatabaseRole::ReadWrite : DatabaseRole::ReadOnly);
    } catch (const CDaoException& e) {
        return FailWrite(e.GetErrorDescription());
    }
    const bool written = CompactInto(*database, target, prepare, temporary);
    database->Close();
    return written;
}

bool CProjectSave::CompactInto(CDaoDatabase& database, const QString& target,
                               const CompactionPrepare& prepare, const QString& temporary)
{
    if (CSharedConnection::isOpen(target))
        return FailWrite("The database file \"" + target +
                         "\" may be opened in Access. Please close it and save the project again");
    try {
        if (temporary.isEmpty())
            CompactDatabaseTo(database, target, prepare);
        else
            CompactDatabaseToTemporary(database, temporary, prepare);
    } catch (const CDaoException& e) {
        return FailWrite(e.GetErrorDescription());
    }
    return true;
}

bool CProjectSave::WroteNothing()
{
    m_wroteNothing = true;
    return true;
}

// A failed write leaves the project modified, so that the close asks again.
bool CProjectSave::FailWrite(const QString& message)
{
    if (!message.isEmpty())
        QvMessageBox(message);
    SetProjectModified(true);
    return false;
}
