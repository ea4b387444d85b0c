// The start-up chooser (also New Project Selection): a new project, one from a template, or an
// existing project from the recent files or the file dialog.

#include "foundation/common/MessageBox.h"
#include "foundation/common/PathHelpers.h"
#include "foundation/common/concerns/AppContext.h"
#include "projects/OpenProjectDialog.h"
#include "projects/ProjectManager.h"

#include <algorithm>

void CProjectManager::ChooseStartupProject()
{
    AppContext* app = GetAppContext();
    COpenProjectDialog dialog;
    dialog.m_bBlankAllowed = AreBlankProjectsEnabled();
    if (app)
        dialog.m_strRecentFiles = app->recentFileSlots();
    if (dialog.DoModal() != IDOK)
        return;
    if (dialog.m_nChoice == COpenProjectDialog::BlankProject)
        NewProject();
    else if (dialog.m_nChoice == COpenProjectDialog::ProjectFromTemplate)
        NewProjectFromTemplate();
    else
        OpenChosenStartupFile(dialog.m_strSelectedFile);
}

// An empty slot opens nothing; a file that is gone leaves the recent files with a message. The
// file set is left alone until the open takes the file, so an open project keeps its paths.
void CProjectManager::OpenChosenStartupFile(const QString& file)
{
    if (file.compare(QLatin1String("More Files..."), Qt::CaseInsensitive) == 0) {
        ChooseAndOpenProject();
        return;
    }
    if (file.isEmpty())
        return;
    if (FileExists(file)) {
        OpenProjectByPath(file);
        return;
    }
    AppContext* app = GetAppContext();
    if (!app)
        return;
    const QStringList recent = app->recentFileSlots();
    const bool listed = std::any_of(recent.begin(), recent.end(), [&file](const QString& slot) {
        return slot.compare(file, Qt::CaseInsensitive) == 0;
    });
    if (!listed)
        return;
    app->RemoveFromRecentFileList(file);
    QvMessageBox(QStringLiteral("The project \"%1\" does not exist anymore!").arg(file));
}
