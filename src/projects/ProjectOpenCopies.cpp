// Opening a project, middle steps: the working copies of the libraries and the project database,
// the free-space check, the step module's conversion and the project database itself.

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/db/connection/ChangeTracking.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/project/OptionsSet.h"
#include "foundation/db/project/PreferencesSet.h"
#include "foundation/db/project/ProjectSet.h"
#include "modules/steputils/StepUtilsEntry.h"
#include "projects/ProjectFileNames.h"
#include "projects/ProjectManager.h"
#include "projects/ProjectVersion.h"

#include <QFileInfo>

namespace {
// Copies a project-folder file into its working copy (file and folder flushed) and records the
// working copy's baseline: the file's identity read just before the copy, the working copy's change
// number right after it. A file copied by compaction gets none.
bool CopyWithBaseline(const QString& source, const QString& workingCopy)
{
    std::optional<ChangeBaseline> baseline = BaselineBeforeCopy(source);
    if (!UpgradeDatabase(source, workingCopy))
        return false;
    if (baseline) {
        baseline->changeNumber = ChangeNumber(workingCopy);
        RecordBaseline(workingCopy, *baseline);
    }
    return true;
}
} // namespace

bool CProjectManager::CopyLibraries(int mode)
{
    ProjectFileSet& files = m_files;
    QString equipment, materials;
    if (!CopyLibrary(files.isTemplate ? ".eqt" : ".eqm", ".ewc",
                     QStringLiteral("Failed to copy project equipment file \"%1\" !"), equipment) ||
        !CopyLibrary(files.isTemplate ? ".mtt" : ".mtl", ".mwc",
                     QStringLiteral("Failed to copy project material file \"%1\" !"), materials))
        return false;
    files.equipmentDBPath = equipment;
    files.materialsDBPath = materials;
    return mode != 2 || CheckSpaceForProject();
}

bool CProjectManager::CopyLibrary(const QString& extension, const QString& workingExtension,
                                  const QString& failure, QString& destination)
{
    const QString source = GetProjectDir() + OpenedName() + extension;
    destination = GetWorkingCopyDir() + OpenedName() + workingExtension;
    if (CheckProjectFile(source))
        return false;
    m_opening.workingCopies << destination;
    if (CopyWithBaseline(source, destination))
        return true;
    QvMessageBox(failure.arg(destination));
    return false;
}

bool CProjectManager::CheckSpaceForProject()
{
    const ProjectFileSet& files = m_files;
    if (CheckProjectFile(files.projectFilePath))
        return false;
    QString folder;
    const qint64 needed = GetDatabaseFileSize(files.projectFilePath, QStringLiteral("Project Database")) +
                          GetDatabaseFileSize(files.materialsDBPath, QStringLiteral("Material Database")) +
                          GetDatabaseFileSize(files.equipmentDBPath, QStringLiteral("Equipment Database")) +
                          GetStepDatabasesSize(folder);
    return CheckDiskSpace(needed);
}

// The project files of an untitled project opened before, left in its working-copy folder.
void CProjectManager::DeletePreviousFiles()
{
    ProjectFileSet& files = m_files;
    if (!files.deletePreviousFiles)
        return;
    const QString base = WithSlash(files.previousWorkingCopyDir) + files.previousProjectName;
    for (const QString& extension : ProjectFileExtensions(files.isTemplate))
        DeleteDatabaseFile(base + extension);
    files.deletePreviousFiles = false;
}

bool CProjectManager::CopyProjectDatabase()
{
    const ProjectFileSet& files = m_files;
    if (files.projectFilePath.compare(files.projectDBPath, Qt::CaseInsensitive) == 0)
        return true;
    m_opening.workingCopies << files.projectDBPath;
    if (CopyWithBaseline(files.projectFilePath, files.projectDBPath))
        return true;
    QvMessageBox(QStringLiteral("Failed to copy database file \"%1\" !").arg(files.projectDBPath));
    return false;
}

bool CProjectManager::ConvertProject(bool& converted)
{
    const ConversionCode result = StepUtilsEntry().convertProject(QString(), QString(), 1);
    if (result == CONV_FAILED || result == CONV_STOP_AND_DISCARD) {
        if (result == CONV_FAILED)
            QvMessageBox(QStringLiteral("Can't convert the project database!"));
        // The frame has no project yet: the open's abort closes what it opened.
        if (result == CONV_STOP_AND_DISCARD) {
            m_marker.Release();
            const ProjectFileSet& files = m_files;
            for (const QString& path : {files.projectDBPath, files.equipmentDBPath, files.materialsDBPath})
                DeleteDatabaseFile(path);
        }
        return false;
    }
    converted = result == CONV_PROJECT_CONVERTED;
    return true;
}

bool CProjectManager::OpenProjectDatabase(int mode, const QString& projectName, const QString& description)
{
    ProjectFileSet& files = m_files;
    files.projectDatabase.reset();
    auto database = std::make_unique<CDaoDatabase>();
    database->Open(files.projectDBPath, DatabaseRole::WorkingCopy);
    files.projectDatabase = std::move(database);
    m_opening.projectDatabase = files.projectDatabase.get();
    if (mode == 1)
        return InitNewProjectRecord(projectName, description);
    CProjectSet project;
    if (!project.OpenSet()) {
        QvMessageBox(QStringLiteral("Failed to open project database!"));
        return false;
    }
    const QString text = project.IsEOF() ? QString() : project.GetText(QStringLiteral("Description"));
    project.CloseSet();
    if (ProjectLifecycleServices* frame = GetProjectLifecycleServices())
        frame->SetProjectDescription(text);
    files.newProject = false;
    return true;
}
