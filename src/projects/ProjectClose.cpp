// Closing the open project: the save question, the shared objects, the databases, the working
// copies, the marker and the compound-file unpacking.

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/common/concerns/ProjectHandover.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/connection/SharedDatabases.h"
#include "foundation/db/material/MaterialCommonSet.h"
#include "foundation/db/material/MaterialPropertySet.h"
#include "projects/CompoundFile.h"
#include "projects/ProjectFileNames.h"
#include "projects/ProjectManager.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <utility>

bool CProjectManager::HoldsProject() const
{
    return m_bProjectOpen || m_marker.Holds() || m_files.projectDatabase || m_steps.count() > 0;
}

bool CProjectManager::CloseProject(SaveAnswer answer)
{
    return !HoldsProject() || CloseWithViews(answer, true);
}

// The one tail of Close Project and of a re-open: this subsystem's close, then the frame's views
// and, when a project was held, the end of the hand-over (engine, automation model, title, panes).
bool CProjectManager::CloseWithViews(SaveAnswer answer, bool endsProject)
{
    if (!CloseCurrentProject(answer))
        return false;
    if (ProjectLifecycleServices* frame = GetProjectLifecycleServices()) {
        frame->CloseAllViews();
        if (endsProject)
            frame->OnProjectClosed();
    }
    m_engine = nullptr; // the engine entry lent by the frame went with the project
    return true;
}

bool CProjectManager::CloseCurrentProject(SaveAnswer answer)
{
    AppContext* app = GetAppContext();
    if (!app)
        return true;
    if (!AskToSaveChanges(answer))
        return false;
    ReleaseSharedObjects();
    if (m_files.newProject)
        DeleteUntitledLibraryFiles();
    CloseStepDatabases();
    if (m_files.projectDatabase) {
        CloseProjectDatabase();
        DeleteWorkingCopies();
        ForgetCompoundFile();
    }
    if (!m_bSaveAsInProgress)
        m_language.CloseLanguageDatabase();
    m_compound.SetStartupPackage(false);
    m_bProjectOpen = false;
    m_save.ForgetUnfinishedSaveBack();
    ForgetUntitledProject();
    return true;
}

// The file path is forgotten unless a re-open by path (path given) or a Save As runs; a refused
// close gives it back, so nothing of the open project changes.
bool CProjectManager::AskToSaveChanges(SaveAnswer given)
{
    ProjectFileSet& files = m_files;
    const QString filePath = files.projectFilePath;
    if (!files.pathGiven && !m_bSaveAsInProgress)
        files.projectFilePath.clear();
    if (!GetAppContext()->isProjectModified()) {
        EndModuleProjects();
        return true;
    }
    const int answer = given == SaveAnswer::Save ? IDYES
                       : given == SaveAnswer::Discard
                           ? IDNO
                           : QvMessageBox(QStringLiteral("The current project has been modified. "
                                                         "Do you want to save it?"),
                                          MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDYES || answer == IDNO)
        EndModuleProjects(); // a cancelled close keeps them
    bool go = answer == IDNO;
    if (answer == IDYES) {
        files.projectFilePath = filePath; // the save and Save As read it
        go = m_bUntitled ? RunSaveAs(false, true) : SaveProject(QString(), false);
        if (go && !files.pathGiven && !m_bSaveAsInProgress)
            files.projectFilePath.clear();
    } else if (answer == IDNO) {
        SetProjectModified(false);
        if (m_bUntitled || files.newProject)
            files.projectDBPath.clear();
    }
    if (!go)
        files.projectFilePath = filePath;
    return go;
}

// The engine's utility list and the material module's project go once the close is decided.
void CProjectManager::EndModuleProjects()
{
    CleanUpUtilityArray();
    if (m_bProjectOpen)
        RunProjectHandover(&ProjectHandover::CloseMaterialProject);
}

void CProjectManager::ReleaseSharedObjects()
{
    RunProjectHandover(&ProjectHandover::DestroySharedSingletons);
    CloseSharedMaterialsDB();
    CMaterialPropertySet::Destroy();
    CMaterialCommonSet::Destroy();
    CloseSharedEquipmentDB();
}

void CProjectManager::CloseProjectDatabase()
{
    m_files.projectDatabase.reset();
}

// The working copies of the project (the plans' sequence files too) and, while this instance holds
// the marker, the marker and the project-folder scratch files.
void CProjectManager::DeleteWorkingCopies()
{
    ProjectFileSet& files = m_files;
    if (files.previousProjectDBPath.isEmpty())
        return;
    for (QString* path :
         {&files.previousProjectDBPath, &files.previousEquipmentDBPath, &files.previousMaterialsDBPath}) {
        DeleteDatabaseFile(*path);
        path->clear();
    }
    m_save.SequenceFiles().DeleteWorkingCopies(files.previousWorkingCopyDir);
    m_marker.Release();
}

// Only a folder unpacked from a package is cleaned up; one whose package is gone keeps its files
// and its location file, marked so that no later unpack takes it.
void CProjectManager::ForgetCompoundFile()
{
    ProjectFileSet& files = m_files;
    const QString folder = files.projectDir;
    if (m_compoundFile && m_compoundFile->IsExpandedProject(folder))
        m_compoundFile->CleanUp(folder, files.previousProjectName);
    files.projectDir.clear();
}

void CProjectManager::DeleteUntitledLibraryFiles()
{
    ProjectFileSet& files = m_files;
    const QDir folder(files.previousWorkingCopyDir);
    if (!files.previousWorkingCopyDir.isEmpty()) {
        for (const QFileInfo& info : folder.entryInfoList(QDir::Files | QDir::Hidden)) {
            const QString suffix = info.suffix();
            if (suffix.compare("eqm", Qt::CaseInsensitive) == 0 ||
                suffix.compare("mtl", Qt::CaseInsensitive) == 0)
                DeleteDatabaseFile(info.filePath());
        }
    }
    files.newProject = false;
}

bool CProjectManager::CloseForReopen()
{
    const bool unpackedAtStartup = m_compound.IsStartupPackage();
    const bool closed = CloseWithViews(SaveAnswer::Ask, HoldsProject());
    m_compound.SetStartupPackage(unpackedAtStartup);
    return closed;
}
