// Opening a project, middle steps: the working copies of the libraries and the project database,
// the free-space check, the step module's conversion and the project database itself.

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/db/connection/ChangeTracking.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/files/WorkingCopyBatch.h"
#include "foundation/db/project/OptionsSet.h"
#include "foundation/db/project/PreferencesSet.h"
#include "foundation/db/project/ProjectSet.h"
#include "modules/steputils/StepUtilsEntry.h"
#include "projects/ProjectFileNames.h"
#include "projects/ProjectManager.h"
#include "projects/ProjectVersion.h"

#include <QFileInfo>

#include <array>
#include <optional>

namespace {
// A project-folder file's working copy, made in the open's working-copy folder, which no in-use
// marker names yet: written and flushed on a batch thread, the folder flushed once every working
// copy of the open is written (OpenStepDatabases). Its baseline is the file's identity read just
// before the copy and the working copy's change number right after it (none for a file copied by
// compaction).
struct ProjectFileCopy {
    QString source;
    QString destination;
    std::optional<ChangeBaseline> baseline;
};

void AddProjectFileCopy(CWorkingCopyBatch& copies, ProjectFileCopy& copy)
{
    copy.baseline = BaselineBeforeCopy(copy.source);
    copies.Add(copy.source, copy.destination);
}

// The copy once written and flushed, opened once to show it is a database (one that is not is
// deleted), then its baseline recorded.
bool TakeProjectFileCopy(CWorkingCopyBatch& copies, int index, const ProjectFileCopy& copy)
{
    if (!copies.Take(index).isEmpty())
        return false;
    try {
        CDaoDatabase database;
        database.Open(copy.destination, DatabaseRole::ReadOnly);
        database.Close();
    } catch (const CDaoException&) {
        DeleteDatabaseFile(copy.destination);
        return false;
    }
    if (std::optional<ChangeBaseline> baseline = copy.baseline) {
        baseline->changeNumber = ChangeNumber(copy.destination);
        RecordBaseline(copy.destination, *baseline);
    }
    return true;
}

// Every copy of the batch taken: false, after its message, when one could not be flushed.
bool FlushedInBatch(CWorkingCopyBatch& copies)
{
    const QString failure = copies.Finish();
    if (failure.isEmpty())
        return true;
    QvMessageBox(failure);
    return false;
}

struct LibraryCopyNames {
    const char* extension;
    const char* workingExtension;
    const char* failure;
};
} // namespace

// The two libraries are copied side by side, each once it is checked.
bool CProjectManager::CopyLibraries(int mode)
{
    ProjectFileSet& files = m_files;
    const LibraryCopyNames libraries[] = {
        {files.isTemplate ? ".eqt" : ".eqm", ".ewc", "Failed to copy project equipment file \"%1\" !"},
        {files.isTemplate ? ".mtt" : ".mtl", ".mwc", "Failed to copy project material file \"%1\" !"}};
    CWorkingCopyBatch batch;
    std::array<ProjectFileCopy, std::size(libraries)> copies;
    for (size_t i = 0; i < copies.size(); ++i) {
        copies[i].source = GetProjectDir() + OpenedName() + QLatin1String(libraries[i].extension);
        if (CheckProjectFile(copies[i].source))
            return false;
        copies[i].destination = GetWorkingCopyDir() + OpenedName() + QLatin1String(libraries[i].workingExtension);
        m_opening.workingCopies << copies[i].destination;
        AddProjectFileCopy(batch, copies[i]);
    }
    for (size_t i = 0; i < copies.size(); ++i) {
        if (!TakeProjectFileCopy(batch, int(i), copies[i])) {
            QvMessageBox(QString::fromLatin1(libraries[i].failure).arg(copies[i].destination));
            return false;
        }
    }
    if (!FlushedInBatch(batch))
        return false;
    files.equipmentDBPath = copies[0].destination;
    files.materialsDBPath = copies[1].destination;
    return mode != 2 || CheckSpaceForProject();
}

bool CProjectManager::CheckSpaceForProject()
{
    const ProjectFileSet& files = m_files;
    if (CheckProjectFile(files.projectFilePath))
        return false;
    QString folder;
    QList<long> steps;
    const qint64 needed = GetDatabaseFileSize(files.projectFilePath, QStringLiteral("Project Database")) +
                          GetDatabaseFileSize(files.materialsDBPath, QStringLiteral("Material Database")) +
                          GetDatabaseFileSize(files.equipmentDBPath, QStringLiteral("Equipment Database")) +
                          GetStepDatabasesSize(folder, &steps);
    if (!CheckDiskSpace(needed))
        return false;
    StartStepCopies(std::move(steps));
    return true;
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
    CWorkingCopyBatch batch;
    ProjectFileCopy copy{files.projectFilePath, files.projectDBPath, std::nullopt};
    AddProjectFileCopy(batch, copy);
    if (!TakeProjectFileCopy(batch, 0, copy)) {
        QvMessageBox(QStringLiteral("Failed to copy database file \"%1\" !").arg(files.projectDBPath));
        return false;
    }
    return FlushedInBatch(batch);
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
