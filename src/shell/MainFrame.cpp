#include "shell/MainFrame.h"

#include "foundation/common/BusyGuard.h"
#include "foundation/common/EscapedErrors.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/ProjectControl.h"
#include "foundation/controls/CollationSort.h"
#include "shell/DisabledEntryTips.h"
#include "shell/DockTabTitles.h"
#include "shell/MCStatusBar.h"
#include "shell/ShellConstants.h"
#include "simulation/BatchSimulation.h"
#include "simulation/DesignRun.h"
#include "simulation/ProcessPlanSimulation.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>

// Resources of a static library are registered by hand, outside any namespace.
static void InitShellResources()
{
    Q_INIT_RESOURCE(shell);
}

CMainFrame::CMainFrame(QWidget* parent)
    : QMainWindow(parent), m_automationLifetime([this] { QueueQuit(); }, &CMainFrame::AutomationTreeExists)
{
    InitShellResources();
    setObjectName(QStringLiteral("MainFrame"));
    setWindowTitle(PRODUCT_NAME);
    setWindowIcon(QIcon(QStringLiteral(":/shell/quorvanta.svg")));
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setViewMode(QMdiArea::TabbedView);
    m_mdiArea->setTabsClosable(true);
    m_mdiArea->setTabsMovable(true);
    m_mdiArea->setDocumentMode(true);
    setCentralWidget(m_mdiArea);
    m_readDisplayOptions = [this] { readDisplayOptions(); };
    m_statusBar = new MCStatusBar(this);
    setStatusBar(m_statusBar);
    m_disabledEntryTips = new CDisabledEntryTips(m_statusBar, this);
    resize(1200, 800);
    new CDockTabTitles(this);
    createPanes();
    createMenus();
    createToolBar();
    installFrameHandlers();
    installSimulationHandlers();
    installDefaultNotifyHandlers();
    wireAutoSave();
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this] { UpdateCommandStates(); });
    UpdateCommandStates();
}

CMainFrame::~CMainFrame()
{
    disconnect(m_mdiArea, nullptr, this, nullptr); // no enabling pass while the windows go
    // The docks hide as the base class deletes them, after this class's members are gone.
    for (QDockWidget* pane : m_panes)
        if (pane)
            disconnect(pane, nullptr, this, nullptr);
}

void CMainFrame::wireAutoSave()
{
    CAutoSaveTimer::Hooks timerHooks;
    timerHooks.isProjectOpen = [] { return ::IsProjectOpen(); };
    timerHooks.isProjectModified = [] { return GetAppContext() && GetAppContext()->isProjectModified(); };
    timerHooks.isTemplate = [] { return GetAppContext() && GetAppContext()->fileSet().isTemplate; };
    timerHooks.isBusy = [] { return IsBusy(); };
    timerHooks.save = [] { // the timer re-arms itself
        RunGuarded(QStringLiteral("Auto Save"), [] {
            if (ProjectControl* control = ServiceSlot<ProjectControl>::Get())
                control->SaveOpenProject();
        });
    };
    m_autoSave.SetHooks(std::move(timerHooks));
}

void CMainFrame::createPanes()
{
    const Qt::DockWidgetArea areas[PANE_COUNT] = {Qt::LeftDockWidgetArea,  Qt::LeftDockWidgetArea,
                                                  Qt::LeftDockWidgetArea,  Qt::RightDockWidgetArea,
                                                  Qt::RightDockWidgetArea, Qt::BottomDockWidgetArea};
    for (int i = 0; i < PANE_COUNT; ++i) {
        auto* dock = new QDockWidget(PaneTitle(PaneID(i)), this);
        dock->setObjectName(PaneObjectName(PaneID(i)));
        dock->setWidget(new QWidget(dock));
        addDockWidget(areas[i], dock);
        m_panes[i] = dock;
        connect(dock, &QDockWidget::visibilityChanged, this, [this, i](bool shown) { m_paneShown[i] = shown; });
    }
    tabifyDockWidget(m_panes[int(PaneID::ProcessExplorer)], m_panes[int(PaneID::FacilityExplorer)]);
    tabifyDockWidget(m_panes[int(PaneID::ProcessExplorer)], m_panes[int(PaneID::PlanExplorer)]);
    tabifyDockWidget(m_panes[int(PaneID::StandardStatements)], m_panes[int(PaneID::SchedulingConstraints)]);
    m_panes[int(PaneID::ProcessExplorer)]->raise();
    m_panes[int(PaneID::StandardStatements)]->raise();
    resizeDocks({m_panes[int(PaneID::ProcessExplorer)], m_panes[int(PaneID::StandardStatements)]}, {280, 240},
                Qt::Horizontal);
    auto* label = new QLabel(QStringLiteral("Route selection is not available."));
    label->setObjectName(QStringLiteral("RouteSelectionNotAvailable"));
    SetPaneWidget(PaneID::RouteSelection, label);
    m_panes[int(PaneID::RouteSelection)]->hide();
}

void CMainFrame::SetPaneWidget(PaneID id, QWidget* widget, std::function<void()> refresh)
{
    QDockWidget* dock = m_panes[int(id)];
    delete dock->widget();
    dock->setWidget(widget);
    m_paneRefresh[int(id)] = std::move(refresh);
}

void CMainFrame::RefreshAllPanes()
{
    for (const auto& refresh : m_paneRefresh) {
        if (refresh)
            refresh();
    }
}

void CMainFrame::SetNotifyHandler(FrameNotifyMessage message, std::function<void(qintptr, qintptr)> handler)
{
    m_notifyHandlers.insert(int(message), std::move(handler));
}

bool CMainFrame::OnFrameNotify(int message, qintptr wParam, qintptr lParam)
{
    if (!IsFrameNotifyMessage(message))
        return false;
    const auto handler = m_notifyHandlers.value(message);
    if (!handler)
        return false;
    handler(wParam, lParam);
    return true;
}

void CMainFrame::installDefaultNotifyHandlers()
{
    SetNotifyHandler(FrameNotifyMessage::RefreshPanes, [this](qintptr, qintptr) { RefreshAllPanes(); });
}

void CMainFrame::SortComboBoxItems(QComboBox* combo)
{
    if (combo)
        CollationSortComboBox(combo);
}

void CMainFrame::SortListBoxItems(QListWidget* list)
{
    if (list)
        CollationSortListWidget(list);
}

void CMainFrame::SortTexts(QStringList& texts)
{
    CollationSortTexts(texts);
}

QStringList CMainFrame::GetDisplayVector(const QString& listName)
{
    return GetManagedSide()->DotNetInvokeGetDisplayVector(listName);
}

bool CMainFrame::GetDisplayValue(const QString& listName, const QString& key, QString& out)
{
    return GetManagedSide()->DotNetInvokeGetDisplayValue(out, listName, key);
}

bool CMainFrame::GetKeyValue(const QString& listName, const QString& displayText, QString& out)
{
    return GetManagedSide()->DotNetInvokeGetKeyValue(out, listName, displayText);
}

void CMainFrame::BeginProgress(short lower, short upper, const QString& text)
{
    m_statusBar->BeginProgress(lower, upper, text);
}

void CMainFrame::SetProgressPos(int position)
{
    m_statusBar->SetProgressPos(position);
}
void CMainFrame::SetProgressStep(int step)
{
    m_statusBar->SetProgressStep(step);
}
void CMainFrame::StepProgress()
{
    m_statusBar->StepProgress();
}
void CMainFrame::EndProgress()
{
    m_statusBar->EndProgress();
}

void CMainFrame::ShowRunOutcome(const QString& text)
{
    m_statusBar->ShowOutcome(text);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // Refused while a run pumps events. The project closes first, with its save question; a
    // refusal keeps the program running.
    if (IsBusy() || !CloseProject()) {
        event->ignore();
        return;
    }
    event->accept();
}
