// The [Project] row of a project just made from a template, with the first preferences and
// options rows, written in one transaction.

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/project/OptionsSet.h"
#include "foundation/db/project/PreferencesSet.h"
#include "foundation/db/project/ProjectSet.h"
#include "projects/ProjectManager.h"

namespace {
const QString DESCRIPTION = QStringLiteral("Description");

long WriteProjectRow(CProjectSet& project, const QString& projectName, const QString& description)
{
    project.MoveFirst();
    const bool empty = project.IsEOF();
    if (empty) {
        project.AddNew();
        project.SetLong(QStringLiteral("ProjectID"), 1);
    } else {
        project.Edit();
    }
    const long projectID = empty ? 1 : project.GetLong(QStringLiteral("ProjectID"));
    project.SetText(QStringLiteral("ProjectName"), projectName);
    project.SetText(DESCRIPTION, description);
    project.Update();
    return projectID;
}

// Adds a row named after the project to an empty preferences or options table.
void AddFirstRow(CDaoRecordset& set, const QString& projectName)
{
    set.Open();
    if (set.IsEOF()) {
        set.AddNew();
        set.SetText(DESCRIPTION, projectName);
        set.Update();
    }
    set.Close();
}
} // namespace

bool CProjectManager::InitNewProjectRecord(const QString& projectName, const QString& description)
{
    ProjectFileSet& files = m_files;
    CDaoTransaction transaction(*files.projectDatabase);
    CProjectSet project;
    if (!project.OpenSet()) {
        QvMessageBox(QStringLiteral("Failed to open project database!"));
        return false;
    }
    files.projectID = WriteProjectRow(project, projectName, description);
    project.CloseSet();
    CPreferencesSet preferences(files.projectDatabase.get());
    AddFirstRow(preferences, projectName);
    COptionsSet options(files.projectDatabase.get());
    AddFirstRow(options, projectName);
    transaction.Commit();
    if (ProjectLifecycleServices* frame = GetProjectLifecycleServices())
        frame->SetProjectDescription(description);
    files.newProject = true;
    m_bPendingRecentFile = true;
    SetProjectModified(true);
    return true;
}
