// The pane itself: list, toolbar, context menu, filling, the flag table and what it tells the frame
// about its selection.

#include "planning/PlanList.h"

#include "foundation/common/concerns/CommandDispatcher.h"
#include "foundation/common/CommandIds.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/common/PaneCommand.h"
#include "foundation/common/concerns/SelectionService.h"
#include "foundation/controls/DeferredStandardIcon.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/db/project/PlanToProject.h"
#include "planning/PlanCommandIds.h"
#include "planning/PlanRequirementRun.h"
#include "planning/PlanSimulatability.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QListWidget>
#include <QMenu>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const PaneCommand kPlanPaneCommands[] = {
    {ID_PLAN_NEW, "&New Production Plan...", "Create New Plan\nNew Production Plan"},
    {ID_PLAN_EDIT, "&Edit...", "Edit Selected Plan\nEdit"},
    {ID_PLAN_DELETE, "&Delete", "Delete Plan\nDelete"},
    {ID_PLAN_DEFINE_SEQUENCE, "Define &Sequence...", "Define Simulation Sequence\nSimulation Sequence"},
    {ID_PLAN_SEQUENCE, "Plan Sequence", ""},
};

QIcon PlanToolIcon(int commandID)
{
    switch (commandID) {
    case ID_PLAN_NEW:
        return DeferredStandardIcon(QStyle::SP_FileIcon);
    case ID_PLAN_DEFINE_SEQUENCE:
        return DeferredStandardIcon(QStyle::SP_FileDialogListView);
    case ID_PLAN_EDIT:
        return DeferredStandardIcon(QStyle::SP_FileDialogDetailedView);
    case ID_PLAN_DELETE:
        return DeferredStandardIcon(QStyle::SP_TrashIcon);
    default:
        return DeferredStandardIcon(QStyle::SP_FileDialogContentsView);
    }
}

} // namespace

CPlanList::CPlanList(std::function<QAction*(int)> frameAction, QWidget* parent)
    : QWidget(parent), m_frameAction(std::move(frameAction))
{
    setObjectName(QStringLiteral("PlanExplorer"));
    setWindowTitle(QStringLiteral("Plan Explorer"));
    setFocusPolicy(Qt::StrongFocus);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("PlanList%1").arg(PLAN_LIST_CONTROL_ID));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_list->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);
    setFocusProxy(m_list);
    createToolBar();
    createContextMenu();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(1);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_list);
    // A click makes the item current before it selects it: both changes are reported.
    connect(m_list, &QListWidget::currentItemChanged, this, [this] { reportSelection(false); });
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] { reportSelection(false); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { DispatchCommand(ID_PLAN_EDIT, this); });
    updateCommandStates();
}

CPlanList::~CPlanList()
{
    RemoveProjectHandover(this);
    if (ServiceSlot<PlanExplorerServices>::Get() == this)
        ServiceSlot<PlanExplorerServices>::Set(nullptr);
    if (SelectionService* selection = ServiceSlot<SelectionService>::Get())
        selection->ForgetSource(this);
}

QAction* CPlanList::paneAction(int commandID)
{
    return PaneCommandAction(kPlanPaneCommands, commandID, this, this, m_paneActions);
}

QAction* CPlanList::frameAction(int commandID, const QString& text)
{
    if (QAction* action = m_frameAction ? m_frameAction(commandID) : nullptr)
        return action;
    auto* placeholder = new QAction(text, this);
    placeholder->setData(commandID);
    placeholder->setEnabled(false);
    return placeholder;
}

// Toolbar 445: New, Define Sequence, Edit, Delete and "Plan Sequence" with its text beside the
// image. Its buttons run the pane's commands wherever the focus is.
void CPlanList::createToolBar()
{
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("PlanToolbar%1").arg(IDR_PLAN_TOOLBAR));
    m_toolBar->setIconSize(QSize(16, 16));
    m_toolBar->setMovable(false);
    for (int id : {ID_PLAN_NEW, ID_PLAN_DEFINE_SEQUENCE, ID_PLAN_EDIT, ID_PLAN_DELETE, ID_PLAN_SEQUENCE}) {
        QAction* action = paneAction(id);
        action->setIcon(PlanToolIcon(id));
        m_toolBar->addAction(action);
    }
    if (auto* button = qobject_cast<QToolButton*>(m_toolBar->widgetForAction(paneAction(ID_PLAN_SEQUENCE))))
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}

// Menu 419 "Plan Menu": New, Edit, Delete | Schedule, 3D Animation | Define Sequence | the runs.
void CPlanList::createContextMenu()
{
    m_contextMenu = new QMenu(QStringLiteral("Plan Menu"), this);
    m_contextMenu->setObjectName(QStringLiteral("PlanMenu"));
    for (int id : {ID_PLAN_NEW, ID_PLAN_EDIT, ID_PLAN_DELETE})
        m_contextMenu->addAction(paneAction(id));
    m_contextMenu->addSeparator();
    m_contextMenu->addAction(frameAction(ID_VIEW_SCHEDULE, QStringLiteral("Sc&hedule\tCtrl+H")));
    m_contextMenu->addAction(frameAction(ID_VIEW_3D_ANIMATION, QStringLiteral("3&D Animation\tCtrl+D")));
    m_contextMenu->addSeparator();
    m_contextMenu->addAction(paneAction(ID_PLAN_DEFINE_SEQUENCE));
    m_contextMenu->addSeparator();
    m_contextMenu->addAction(frameAction(ID_SIMULATE_PLAN, QStringLiteral("Simulate Plan")));
    m_contextMenu->addAction(frameAction(ID_SIMULATE_BATCHES_AND_PLAN, QStringLiteral("Simulate Batches and Plan")));
    m_contextMenu->addAction(frameAction(ID_SIMULATE_SEQUENCE, QStringLiteral("Simulate Sequence")));
}

void CPlanList::updateCommandStates()
{
    for (QAction* action : std::as_const(m_paneActions))
        action->setEnabled(IsCommandEnabled(action->data().toInt()));
}

QListWidgetItem* CPlanList::addPlanItem(int row, long planID, const QString& name)
{
    auto* item = new QListWidgetItem(name);
    item->setData(Qt::UserRole, qlonglong(planID));
    m_list->insertItem(row, item);
    return item;
}

bool CPlanList::RefillPlanList()
{
    CPlanToProject plans;
    if (!plans.OpenSet())
        return false;
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    m_flags.clear();
    for (; !plans.IsEOF(); plans.MoveNext()) {
        addPlanItem(m_list->count(), plans.GetLong("PlanID"), plans.GetText("PlanName"));
        m_flags.append({plans.GetLong("PlanID"), false});
    }
    plans.CloseSet();
    if (m_list->count() == 0) {
        m_flags.clear();
        return true;
    }
    m_list->setCurrentRow(0);
    PlanSimulatability simulatability;
    for (PlanFlag& flag : m_flags)
        flag.simulatable = simulatability.IsSimulatable(flag.planID);
    if (SortServices* sort = GetSortServices())
        sort->SortListBoxItems(m_list);
    return true;
}

bool CPlanList::Clear()
{
    m_list->clear();
    m_flags.clear();
    return true;
}

bool CPlanList::GetSelectedPlan(long& planID, QString& planName) const
{
    const QListWidgetItem* item = m_list->currentItem();
    if (!item || !item->isSelected())
        return false;
    planID = long(item->data(Qt::UserRole).toLongLong());
    planName = item->text();
    return true;
}

bool CPlanList::SelectPlan(long planID)
{
    for (int row = 0; row < m_list->count(); ++row) {
        if (m_list->item(row)->data(Qt::UserRole).toLongLong() == planID) {
            m_list->setCurrentRow(row);
            return true;
        }
    }
    return false;
}

bool CPlanList::IsPlanSimulatable(long planID) const
{
    for (const PlanFlag& flag : m_flags) {
        if (flag.planID == planID)
            return flag.simulatable;
    }
    return false;
}

void CPlanList::recomputeFlags(long planID)
{
    PlanSimulatability simulatability;
    const bool simulatable = simulatability.IsSimulatable(planID);
    for (PlanFlag& flag : m_flags) {
        if (flag.planID == planID)
            flag.simulatable = simulatable;
    }
}

bool CPlanList::SimulatePlan(long planID, bool /*readName*/, EngineEntry* engine, bool simulateBatchesFirst)
{
    QString name;
    if (planID == -1 && !GetSelectedPlan(planID, name))
        return false;
    return RunPlanRequirements(planID, engine, simulateBatchesFirst);
}

void CPlanList::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    m_list->setFocus();
}

bool CPlanList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::FocusIn)
        reportSelection(true);
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonPress)
        reportSelection(true);
    if (event->type() == QEvent::ContextMenu && (watched == m_list || watched == m_list->viewport())) {
        auto* menuEvent = static_cast<QContextMenuEvent*>(event);
        if (menuEvent->reason() != QContextMenuEvent::Keyboard) // from the keyboard: nothing shown
            showContextMenu(m_list->viewport()->mapFrom(static_cast<QWidget*>(watched), menuEvent->pos()));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

ContextRecord CPlanList::contextRecord() const
{
    ContextRecord record;
    record.kind = CONTEXT_PLAN_EXPLORER;
    GetSelectedPlan(record.planID, record.planName);
    return record;
}

void CPlanList::reportSelection(bool becameActive)
{
    updateCommandStates();
    SelectionService* selection = ServiceSlot<SelectionService>::Get();
    if (!selection)
        return;
    if (becameActive || m_list->hasFocus())
        selection->ReportActive(this, contextRecord());
    else
        selection->ReportSelection(this, contextRecord());
}

// Only over an item: it is selected first and the pane's and the frame's commands follow it, then
// the menu shows; below the last item, nothing.
void CPlanList::showContextMenu(const QPoint& position)
{
    QListWidgetItem* item = m_list->itemAt(position);
    if (!item)
        return;
    m_list->setCurrentItem(item);
    item->setSelected(true);
    m_list->setFocus();
    reportSelection(true);
    m_contextMenu->popup(m_list->viewport()->mapToGlobal(position));
}
