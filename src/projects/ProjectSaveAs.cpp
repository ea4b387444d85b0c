// Save As and Save As Template: the dialog, the save under the new name into the chosen folder,
// the removal of the project it replaces, and the open of what was written.

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "projects/ProjectFileNames.h"
#include "projects/ProjectFolderChecks.h"
#include "projects/ProjectManager.h"
#include "projects/SaveAsProjectDialog.h"

#include <QFile>
#include <QFileInfo>

namespace {
// Every Save As ends with the same-folder flag clear, whatever way it ends.
class SameFolderReset {
public:
    explicit SameFolderReset(bool& flag) : m_flag(flag) {}
    ~SameFolderReset() { m_flag = false; }
    SameFolderReset(const SameFolderReset&) = delete;
    SameFolderReset& operator=(const SameFolderReset&) = delete;

private:
    bool& m_flag;
};
} // namespace

bool CProjectManager::SaveCommand()
{
    return m_bUntitled ? SaveProjectAs() : SaveProject(QString(), false);
}

bool CProjectManager::RunSaveAs(bool templateMode, bool fromClose)
{
    if (!m_files.projectDatabase)
        return false;
    const SameFolderReset reset(m_bSameFolder);
    CSaveAsProjectDialog dialog(templateMode);
    dialog.m_strOwnMarker = m_marker.HeldPath();
    if (m_folderWriteTest)
        dialog.m_writeTest = m_folderWriteTest;
    if (dialog.DoModal() != IDOK)
        return false;
    m_bSameFolder = dialog.m_bSameFolder;
    const bool isTemplate = templateMode || dialog.IsTemplateType();
    if (m_bSameFolder && !m_bUntitled && dialog.m_strName.compare(m_files.projectName, Qt::CaseInsensitive) == 0)
        return SaveProject(QString(), false); // the project itself: saved in place, nothing reopened
    if (!WriteSavedAs(dialog.m_strDirectory, dialog.m_strName, isTemplate, dialog.m_strReplacedFolder))
        return false;
    if (fromClose)
        return true;
    const QString written = FolderAndName(dialog.m_strDirectory, dialog.m_strName) +
                            QString::fromLatin1(isTemplate ? ".qvt" : ".prj");
    return ReopenSavedAs(written, templateMode);
}

// The open project keeps its folder and template flag: the written files are opened afresh, or the
// close that asked for them ends the project.
bool CProjectManager::WriteSavedAs(const QString& folder, const QString& name, bool isTemplate,
                                   const QString& replacedFolder)
{
    ProjectFileSet& files = m_files;
    const QString keptFolder = files.projectDir;
    const bool keptTemplate = files.isTemplate;
    files.projectDir = WithSlash(folder);
    files.isTemplate = isTemplate;
    const bool saved = m_save.SaveProject(name, false);
    files.projectDir = keptFolder;
    files.isTemplate = keptTemplate;
    if (!saved)
        return false; // the plans' sequence files were written with the rest, or nothing was
    if (!replacedFolder.isEmpty())
        DeleteReplacedProjectFiles(replacedFolder, m_save.SavedTargets());
    // A package unpacked there before is not this project's.
    QFile::remove(WithSlash(folder) + COMPOUND_LOCATION_NAME);
    return true;
}

bool CProjectManager::ReopenSavedAs(const QString& projectFile, bool templateMode)
{
    ProjectFileSet& files = m_files;
    files.projectFilePath = projectFile;
    files.pathGiven = false;
    m_bSaveAsInProgress = true;
    const bool closed = CloseWithViews(SaveAnswer::Ask, true);
    m_bSaveAsInProgress = false;
    if (!closed)
        return false;
    const QString folder = WithSlash(QFileInfo(projectFile).absolutePath());
    if (templateMode && IsInUseElsewhere(folder, QString())) {
        QvMessageBox("Another instance of Tamro Plenthover is working on the project in " + WithoutSlash(folder) +
                     ". The template at that location will not be opened.");
        return true;
    }
    files.projectFilePath = projectFile;
    files.isTemplate = projectFile.endsWith(QLatin1String(".qvt"), Qt::CaseInsensitive);
    const bool opened = OpenProjectFile(3, QString(), QString(), false);
    files.newProject = false;
    return opened;
}

// The close of an untitled project: nothing can open it again.
void CProjectManager::ForgetUntitledProject()
{
    if (m_bUntitled)
        DeleteDatabaseFile(GetQuorvantaTempDir() + QStringLiteral("new.prj"));
    m_bUntitled = false;
}
