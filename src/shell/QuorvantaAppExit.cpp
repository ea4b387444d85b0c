// Shut-down of the application object, in its fixed order.

#include "foundation/common/concerns/SubsystemConcerns.h"
#include "modules/customreport/ReportThreads.h"
#include "projects/ProjectManager.h"
#include "shell/MainFrame.h"
#include "shell/QVFileLocations.h"
#include "shell/QuorvantaApp.h"

#include <QSettings>

namespace {
// How long the quit waits for a custom report's statement left running at the user's Cancel.
constexpr std::chrono::seconds REPORT_WAIT_AT_QUIT{5};
} // namespace

int CQuorvantaApp::ExitInstance()
{
    // That statement reads the working copy on a private read-only connection: it has a bounded
    // time to end before the project closes, and is left to the process's end after it.
    WaitForReportThreads(REPORT_WAIT_AT_QUIT);
    TerminateGridLibrary();
    CloseProjectAtExit();
    FreeModuleEntries();
    CloseViewerWindows();
    SaveUserSettings();
    return 0;
}

void CQuorvantaApp::TerminateGridLibrary()
{
    // The grids are plain widgets; there is no library state to release.
    record(QStringLiteral("TerminateGridLibrary"));
}

void CQuorvantaApp::CloseProjectAtExit()
{
    record(QStringLiteral("CloseProject"));
    // Runs while anything of a project is held, open or not. A refused close leaves the working
    // copies in the instance folder for recovery, and so does a termination signal.
    if (m_projects->HoldsProject() && !m_keepProjectAtExit)
        CloseProject(SaveAnswer::Ask);
}

void CQuorvantaApp::FreeModuleEntries()
{
    record(QStringLiteral("FreeModuleEntries"));
    ::FreeModuleEntries();
}

void CQuorvantaApp::CloseViewerWindows()
{
    // The viewers run inside this program's own windows; they close with the frame.
    record(QStringLiteral("CloseViewerWindows"));
}

void CQuorvantaApp::SaveUserSettings()
{
    record(QStringLiteral("SaveUserSettings"));
    if (m_frame)
        m_userSettings.SaveAs();
    writeRecentLists();
    if (m_profile)
        m_profile->sync();
    if (m_fileLocations)
        m_fileLocations->RemoveInstanceFolderIfUnused();
}
