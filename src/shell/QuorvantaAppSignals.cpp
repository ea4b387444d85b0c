// The application's event loop and how the program ends from outside: termination signals and
// the end of the desktop session.

#include "automation/AutomationInvoke.h"
#include "foundation/db/files/WorkingCopyDurability.h"
#include "projects/ProjectManager.h"
#include "shell/InstanceFolders.h"
#include "shell/QVFileLocations.h"
#include "shell/QuorvantaApp.h"
#include "shell/SignalHandler.h"

#include <QApplication>
#include <QSessionManager>

int CQuorvantaApp::RunEventLoop()
{
    CSignalHandler terminations([this](int) {
        LeaveProjectOnSignal();
        QCoreApplication::exit(0);
    });
    WaitForScriptCalls(terminations);
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &terminations,
                     [this](QSessionManager&) { CommitSessionData(); });
    terminations.StartWithEventLoop();
    return QApplication::exec();
}

void CQuorvantaApp::WaitForScriptCalls(CSignalHandler& terminations)
{
    terminations.AddWaitCheck(&IsAutomationCallActive);
}

void CQuorvantaApp::LeaveProjectOnSignal()
{
    // Nothing could reopen an untitled project: it closes as if its save question had been
    // answered No.
    const bool keep = isProjectModified() && !m_projects->m_bUntitled;
    if (m_projects->HoldsProject() && (keep || !CloseProject(SaveAnswer::Discard))) {
        MakeWorkingCopiesDurable(workingCopyDatabases());
        m_keepProjectAtExit = true;
    }
}

void CQuorvantaApp::CommitSessionData()
{
    if (m_projects->HoldsProject())
        MakeWorkingCopiesDurable(workingCopyDatabases());
}

// The working copies in the instance folder and in the project's working-copy folder.
QStringList CQuorvantaApp::workingCopyDatabases() const
{
    QStringList folders{m_fileSet.workingCopyDir};
    if (m_fileLocations)
        folders << m_fileLocations->instanceTempDir();
    folders.removeAll(QString());
    folders.removeDuplicates();
    QStringList databases;
    for (const QString& folder : folders)
        databases << WorkingCopyDatabasesIn(folder);
    return databases;
}
