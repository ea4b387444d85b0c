// Shut-down of the application object, in its fixed order.

#include "shell/MainFrame.h"
#include "shell/QVFileLocations.h"
#include "shell/QuorvantaApp.h"

#include <QSettings>

int CQuorvantaApp::ExitInstance()
{
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
    // A refused close leaves the working copies in the instance folder for recovery.
    if (m_frame && m_frame->IsProjectOpen())
        m_frame->CloseProject();
}

void CQuorvantaApp::FreeModuleEntries()
{
    record(QStringLiteral("FreeModuleEntries"));
    if (m_hooks.freeModuleEntries)
        m_hooks.freeModuleEntries();
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
    if (m_fileLocations)
        m_fileLocations->RemoveInstanceFolderIfUnused();
}
