// Saving the open project: every working copy is written into its file of the project folder by
// compaction from its open connection, steps first, then the project, equipment and material.

#include "foundation/common/AppContext.h"
#include "foundation/common/FrameServices.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DaoException.h"
#include "foundation/db/DatabaseFiles.h"
#include "foundation/db/SharedConnection.h"
#include "foundation/db/project/QueryStepInProjectSet.h"
#include "projects/CompoundFileState.h"
#include "projects/ProjectFileNames.h"
#include "projects/ProjectManager.h"

#include <QCursor>
#include <QFileInfo>
#include <QGuiApplication>

namespace {

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

QString Extension(bool isTemplate, const char* project, const char* templ)
{
    return QString::fromLatin1(isTemplate ? templ : project);
}
} // namespace

bool CProjectManager::SaveProject(const QString& newName, bool fromPackage)
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
    QList<long> stepRows;
    if (!SetProjectName(newName) || !ReadStepRows(stepRows))
        return false;
    if (isTemplate)
        stepRows.clear(); // a template keeps no step databases
    if (!CheckDiskSpace(SizeOfWorkingCopies(stepRows)))
        return false;
    SaveProgress progress;
    progress.begin(isTemplate ? QStringLiteral("saving template") : QStringLiteral("saving project"));
    if (ProjectLifecycleServices* frame = GetProjectLifecycleServices()) {
        frame->SaveWindowPositions();
        frame->SaveChemistryDocuments();
    }
    progress.set(20);
    if (stepRows.isEmpty())
        progress.set(50);
    const int increment = stepRows.isEmpty() ? 0 : 50 / int(stepRows.size());
    for (qsizetype k = 0; k < stepRows.size(); ++k) {
        if ((k == 0 || stepRows.at(k) != stepRows.at(k - 1)) && !SaveStepDatabase(stepRows.at(k)))
            return false;
        progress.set(20 + int(k + 1) * increment);
    }
    const QString projectTarget = target + Extension(isTemplate, ".prj", ".qvt");
    if (!WriteProjectDatabase(projectTarget))
        return false;
    progress.set(80);
    if (m_bPendingRecentFile) {
        app->AddToRecentFileList(projectTarget);
        m_bPendingRecentFile = false;
    }
    if (!SaveLibrary(files.equipmentDBPath, "eqm.tmp", target + Extension(isTemplate, ".eqm", ".eqt"),
                     QStringLiteral("Can not copy temporary equipment file \"%1\".")))
        return false;
    progress.set(90);
    if (!SaveLibrary(files.materialsDBPath, "mtl.tmp", target + Extension(isTemplate, ".mtl", ".mtt"),
                     QStringLiteral("Can not copy temporary material file \"%1\".")))
        return false;
    progress.set(100);
    // The package is written back from the files just saved, so a close never loses them.
    if (!fromPackage && newName.isEmpty() && m_compoundFile &&
        !m_compoundFile->SaveBack(files.projectDir, files.projectDir))
        return FailWrite(QString());
    SetProjectModified(false);
    if (ProjectLifecycleServices* frame = GetProjectLifecycleServices())
        frame->StopAutoSaveTimer();
    m_bSameFolder = false;
    return true;
}

bool CProjectManager::ConfirmTemplateSave()
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

// The step ids of [QryStepInProject] in query order (a step of two processes comes twice).
bool CProjectManager::ReadStepRows(QList<long>& stepRows)
{
    CQueryStepInProjectSet steps;
    if (!steps.OpenSet()) {
        QvMessageBox(QStringLiteral("Can't open ProjectStep table to save step database!"));
        return false;
    }
    for (; !steps.IsEOF(); steps.MoveNext())
        stepRows.append(steps.GetLong(QStringLiteral("StepID")));
    return true;
}

qint64 CProjectManager::SizeOfWorkingCopies(const QList<long>& stepRows)
{
    const ProjectFileSet& files = m_files;
    qint64 bytes = GetDatabaseFileSize(files.projectDBPath, QStringLiteral("project database")) +
                   GetDatabaseFileSize(files.materialsDBPath, QStringLiteral("material database")) +
                   GetDatabaseFileSize(files.equipmentDBPath, QStringLiteral("equipment database"));
    for (qsizetype k = 0; k < stepRows.size(); ++k) {
        if (k == 0 || stepRows.at(k) != stepRows.at(k - 1))
            bytes += SizeOfStepWorkingCopy(stepRows.at(k));
    }
    return bytes;
}

// A step left out at open has neither database nor working copy: nothing of it is written.
qint64 CProjectManager::SizeOfStepWorkingCopy(long stepID)
{
    const QString workingCopy = GetWorkingCopyDir() + StepWorkingCopyName(stepID);
    if (!GetStepDatabase(stepID) && !QFileInfo::exists(workingCopy))
        return 0;
    return GetDatabaseFileSize(workingCopy, QString());
}

// A step without an open database may still have its working copy: that file is copied.
bool CProjectManager::SaveStepDatabase(long stepID)
{
    const QString source = GetWorkingCopyDir() + StepWorkingCopyName(stepID);
    const QString target = GetProjectDir() + StepDatabaseName(stepID);
    if (CDaoDatabase* database = GetStepDatabase(stepID))
        return CompactWorkingCopy(source, target, database);
    if (!QFileInfo::exists(source))
        return true;
    QString error;
    return CopyDatabaseFile(source, target, &error) || FailWrite(error);
}

bool CProjectManager::WriteProjectDatabase(const QString& target)
{
    const ProjectFileSet& files = m_files;
    if (!files.isTemplate)
        return CompactWorkingCopy(files.projectDBPath, target, files.projectDatabase.get());
    // The strip applies to the written template only; the open project keeps its rows.
    return CompactWorkingCopy(files.projectDBPath, target, files.projectDatabase.get(),
                              [this](CDaoDatabase& written) {
                                  if (!ClearPlanTables(written))
                                      throw CDaoException(QString()); // already reported
                              });
}

// The library working copy goes through a temporary copy, which is then written into the target
// and deleted.
bool CProjectManager::SaveLibrary(const QString& workingCopy, const QString& temporaryName,
                                  const QString& target, const QString& copyFailedMessage)
{
    const QString temporary = GetQuorvantaTempDir() + temporaryName;
    bool written = CopyDatabaseFile(workingCopy, temporary);
    if (!written) {
        QvMessageBox(copyFailedMessage.arg(temporary));
        FailWrite(QString());
    } else {
        CDaoDatabase database;
        written = CompactWorkingCopy(temporary, target, &database);
    }
    DeleteDatabaseFile(temporary);
    return written;
}

bool CProjectManager::CompactWorkingCopy(const QString& source, const QString& target, CDaoDatabase* database,
                                         const CompactionPrepare& prepare)
{
    if (!database)
        return true;
    if (database->IsOpen())
        return CompactInto(*database, target, prepare);
    try {
        database->Open(source, HasJournalBeside(source) ? DatabaseRole::ReadWrite : DatabaseRole::ReadOnly);
    } catch (const CDaoException& e) {
        return FailWrite(e.GetErrorDescription());
    }
    const bool written = CompactInto(*database, target, prepare);
    database->Close();
    return written;
}

bool CProjectManager::CompactInto(CDaoDatabase& database, const QString& target,
                                  const CompactionPrepare& prepare)
{
    if (CSharedConnection::isOpen(target))
        return FailWrite("The database file \"" + target +
                         "\" may be opened in Access. Please close it and save the project again");
    try {
        CompactDatabaseTo(database, target, prepare);
    } catch (const CDaoException& e) {
        return FailWrite(e.GetErrorDescription());
    }
    return true;
}

// A failed write leaves the project modified, so that the close asks again.
bool CProjectManager::FailWrite(const QString& message)
{
    if (!message.isEmpty())
        QvMessageBox(message);
    SetProjectModified(true);
    return false;
}
