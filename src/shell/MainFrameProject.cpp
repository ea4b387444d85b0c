// The main frame's hand-over of an opened project and its part of the close.

#include "foundation/common/AutomationFlag.h"
#include "foundation/common/BusyGuard.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/ProjectControl.h"
#include "foundation/common/concerns/ProjectHandover.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "modules/engine/EngineEntry.h"
#include "projects/WizardEndDialog.h"
#include "shell/FrameDisplayOptions.h"
#include "shell/MCStatusBar.h"
#include "shell/MainFrame.h"

#include "recipe/view/QuorvantaView.h"
#include "shell/ShellConstants.h"
#include "shell/bridge/ManagedSide.h"
#include "simulation/BatchSimulation.h"

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
} // namespace

bool CMainFrame::IsProjectOpen() const
{
    return ::IsProjectOpen();
}

void CMainFrame::OnProjectOpened(bool)
{
    if (m_readDisplayOptions)
        m_readDisplayOptions();
    m_bMatParamsLookupFailed = false;
    m_recipeClipboard.bRecipeClipboardFilled = false;
    m_statusBar->ShowOutcome(QString());
    SetProjectTitle(GetProjectName());
    m_autoSave.Arm();
    handOverToSubsystems();
    UpdateCommandStates();
    const AppContext* app = GetAppContext();
    if (app && app->fileSet().newProject && !g_bAutomationActive)
        ShowProjectInfoDialog();
}

void CMainFrame::handOverToSubsystems()
{
    RunProjectHandover(&ProjectHandover::RebuildPanes);
    RunProjectHandover(&ProjectHandover::ReopenResultWindows);
    m_bHasEngine = CreateProjectEngine();
    RunProjectHandover(&ProjectHandover::LoadRecipeCommentTypes);
    if (g_bAutomationActive)
        BuildAutomationModel();
    // The open sequence reads this flag afterwards and closes the project again.
    m_bMatParamsLookupFailed = !GetManagedSide()->DotNetRuntimeLookupMatParams();
}

bool CMainFrame::CloseProject()
{
    ProjectControl* control = ServiceSlot<ProjectControl>::Get();
    return !control || control->CloseProject(SaveAnswer::Ask);
}

void CMainFrame::CloseAllViews()
{
    RunProjectHandover(&ProjectHandover::CloseDocuments);
    m_mdiArea->closeAllSubWindows();
    RunProjectHandover(&ProjectHandover::HideModelessDialogs);
    HideProjectInfoDialog();
    HideFindDialog();
    m_autoSave.Stop();
    removeTemporaryFolders();
    UpdateCommandStates();
}

void CMainFrame::OnProjectClosed()
{
    m_batchSimulation->DeleteProgressDialog();
    DeleteProjectEngine();
    m_bHasEngine = false;
    DeleteAutomationModel();
    RunProjectHandover(&ProjectHandover::ClearPanes);
    ClearStepPanes();
    SetProjectTitle(QString());
    m_statusBar->ShowOutcome(QString()); // it names the closed project's items
    m_activeSource = nullptr;
    m_context = ContextRecord();
    UpdateCommandStates();
}

void CMainFrame::ResetSimulation(long stepID, const QString& mode)
{
    m_batchSimulation->ResetSimulation(stepID, mode);
}

void CMainFrame::NotifyStepModified(long stepID)
{
    if (EngineEntry* engine = ::GetEngineEntry())
        engine->stepModified(stepID);
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
    if (m_projectInfo)
        m_projectInfo->hide();
    RunProjectHandover(&ProjectHandover::HideProjectInfoDialog);
}

void CMainFrame::ShowProjectInfoDialog()
{
    if (!m_projectInfo) {
        m_projectInfo = new CWizardEndDialog(this);
        m_projectInfo->SetHideRequest([this] { HideProjectInfoDialog(); });
    }
    const bool open = IsProjectOpen();
    m_projectInfo->SetProject(open ? GetProjectName() : QString(), open ? GetProjectFilePath() : QString(),
                              m_projectDescription);
    m_projectInfo->show();
    m_projectInfo->raise();
}
void CMainFrame::SaveWindowPositions()
{
    RunProjectHandover(&ProjectHandover::SaveWindowPositions);
}
void CMainFrame::SaveChemistryDocuments()
{
    RunProjectHandover(&ProjectHandover::SaveChemistryDocuments);
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
    // Every part of the program shares one connection per file: there is nothing to flush.
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty() || IsBusy())
        return;
    event->acceptProposedAction();
    activateWindow();
    if (ProjectControl* control = ServiceSlot<ProjectControl>::Get())
        control->OpenProjectByPath(path);
}

bool CMainFrame::DeleteItemInRecipeView(long stepID, long itemID, int kind)
{
    return ::DeleteItemInRecipeView(stepID, itemID, kind);
}

void CMainFrame::SetAutoSaveInterval(int minutes)
{
    m_autoSave.SetMinutes(minutes);
    m_autoSave.Arm(); // from zero, also when a save had stopped it
}

void CMainFrame::DisplayOptionsChanged()
{
    ReloadAllRecipeViews();
}
