// The main frame's hand-over of an opened project and its part of the close.

#include "foundation/common/AppContext.h"
#include "foundation/common/AutomationFlag.h"
#include "shell/MainFrame.h"
#include "shell/ShellConstants.h"
#include "shell/bridge/ManagedSide.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QUrl>

namespace {
// The first local file of a drop, "" when there is none.
QString DroppedFile(const QMimeData* data)
{
    for (const QUrl& url : data ? data->urls() : QList<QUrl>()) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return QString();
}

void call(const std::function<void()>& hook)
{
    if (hook)
        hook();
}
} // namespace

void CMainFrame::OnProjectOpened(bool)
{
    if (m_readDisplayOptions)
        m_readDisplayOptions();
    m_bProjectOpen = true;
    m_bMatParamsLookupFailed = false;
    SetProjectTitle(GetProjectName());
    m_autoSave.Arm();
    callProjectOpenedHooks();
    UpdateCommandStates();
}

void CMainFrame::callProjectOpenedHooks()
{
    call(m_hooks.rebuildPanes);
    call(m_hooks.reopenResultWindows);
    m_bHasEngine = m_hooks.createEngineEntry ? m_hooks.createEngineEntry() : false;
    call(m_hooks.loadRecipeCommentTypes);
    if (g_bAutomationActive)
        call(m_hooks.buildAutomationModel);
    // The open sequence reads this flag afterwards and closes the project again.
    m_bMatParamsLookupFailed = !GetManagedSide()->DotNetRuntimeLookupMatParams();
}

bool CMainFrame::CloseProject()
{
    if (m_hooks.closeCurrentProject && !m_hooks.closeCurrentProject())
        return false;
    CloseAllViews();
    SetProjectTitle(QString());
    call(m_hooks.deleteAutomationModel);
    return true;
}

void CMainFrame::CloseAllViews()
{
    call(m_hooks.closeDocuments);
    m_mdiArea->closeAllSubWindows();
    call(m_hooks.hideModelessDialogs);
    HideProjectInfoDialog();
    m_autoSave.Stop();
    m_bProjectOpen = false;
    m_bHasEngine = false;
    removeTemporaryFolders();
    UpdateCommandStates();
}

void CMainFrame::removeTemporaryFolders()
{
    for (const QString& folder : std::as_const(m_temporaryFolders)) {
        if (!folder.isEmpty())
            QDir(folder).removeRecursively();
    }
    m_temporaryFolders.clear();
}

void CMainFrame::SetProjectTitle(const QString& title)
{
    setWindowTitle(title.isEmpty() ? PRODUCT_NAME : PRODUCT_NAME + QStringLiteral(" - ") + title);
}

void CMainFrame::HideProjectInfoDialog()
{
    call(m_hooks.hideProjectInfoDialog);
}
void CMainFrame::SaveWindowPositions()
{
    call(m_hooks.saveWindowPositions);
}
void CMainFrame::SaveChemistryDocuments()
{
    call(m_hooks.saveChemistryDocuments);
}
void CMainFrame::readDisplayOptions()
{
    m_displayOptions = ReadFrameDisplayOptions();
    RefreshAmbientPressure();
}

void CMainFrame::RefreshAmbientPressure()
{
    double pressure = 0;
    if (ReadAmbientPressure(pressure) && GetAppContext())
        GetAppContext()->setAmbientPressure(pressure);
}
void CMainFrame::WaitForUpdateDatabase()
{
    call(m_hooks.waitForUpdateDatabase);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    activateWindow();
    if (m_hooks.openProjectFile)
        m_hooks.openProjectFile(path);
}
