// Small members beside the project file code: the project name, the profile file commands, the
// blank-project option and the working folder.

#include "foundation/common/FileDialogService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/UserSettingsService.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/project/ProjectSet.h"
#include "projects/ProjectManager.h"

#include <QDir>
#include <QSettings>

bool CProjectManager::SetProjectName(const QString& name)
{
    if (name.isEmpty())
        return true;
    CProjectSet project;
    if (!project.OpenSet()) {
        QvMessageBox(QStringLiteral("Failed to open project database!"));
        return false;
    }
    try {
        if (!project.IsEOF()) {
            project.Edit();
            project.SetText(QStringLiteral("ProjectName"), name);
            project.Update();
        }
    } catch (const CDaoException& e) {
        QvMessageBox(e.GetErrorDescription());
        return false;
    }
    project.CloseSet();
    return true;
}

void CProjectManager::ProfileFileDialog(bool save)
{
    FileDialogRequest request;
    request.kind = save ? FileDialogRequest::Save : FileDialogRequest::Open;
    request.filter = QStringLiteral("Tamro Plenthover Profile Files (*.xml)|*.xml|All Files (*.*)|*.*||");
    request.defaultExtension = QStringLiteral(".xml");
    const QString path = ChooseFile(request);
    if (path.isEmpty() || !m_userSettings)
        return;
    if (save && !m_userSettings->SaveUserSettingsFileAs(path))
        QvMessageBox(QStringLiteral("Failed to write profile file \"%1\" !").arg(path));
    else if (!save && !m_userSettings->LoadUserSettingsFile(path))
        QvMessageBox(QStringLiteral("Failed to read profile file \"%1\" !").arg(path));
}

void CProjectManager::RenameOldUserTemplates()
{
    // No older version of this program left user templates under other names.
}

void CProjectManager::ExportProfile()
{
    ProfileFileDialog(true);
}

void CProjectManager::ImportProfile()
{
    ProfileFileDialog(false);
}

void CProjectManager::LoadDefaultProfile()
{
    if (m_userSettings)
        m_userSettings->LoadUserSettingsFile(QString());
}

bool CProjectManager::AreBlankProjectsEnabled() const
{
    QSettings* profile = GetAppContext() ? GetAppContext()->profile() : nullptr;
    return !profile || profile->value(QStringLiteral("Options/DisableBlankProjects"), 0).toInt() != 1;
}

void CProjectManager::SetWorkingDirectory(const QString& folder)
{
    AppContext* app = GetAppContext();
    if (!app)
        return;
    if (app->paths())
        app->paths()->SetWorkingDirectory(folder);
    if (app->profile())
        app->profile()->setValue(QStringLiteral("Current Dir/Dir"), folder);
    QDir::setCurrent(folder);
    RefreshFileLocations();
}

// Folders are read from the path provider when used; the file set keeps only the working
// language database, which the open sequence reads from it.
void CProjectManager::RefreshFileLocations()
{
    AppContext* app = GetAppContext();
    if (app && app->paths())
        m_files.workingLanguageDBPath = app->paths()->workingLanguageDBPath();
}
