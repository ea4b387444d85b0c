// The pane itself: tree, toolbar, context menu and what it tells the frame about its selection.

#include "recipe/explorer/ProcessTree.h"

#include "foundation/common/CommandIds.h"
#include "foundation/common/PaneCommand.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/CommandDispatcher.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/common/concerns/SelectionContext.h"
#include "foundation/common/concerns/SelectionService.h"
#include "recipe/explorer/ProcessTreeIcons.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int TREE_CONTROL_ID = 61461;

const PaneCommand kPaneCommands[] = {
    {ID_PROCESS_NEW_PROCESS, "New &Process...", "Creates New Process\nNew Process"},
    {ID_PROCESS_NEW_STEP, "New &Step...", "Creates New Step\nNew Step"},
    {ID_PROCESS_DELETE, "&Delete", "Delete Selected Item\nDelete"},
    {ID_PROCESS_TEXT_RECIPE, "Text &Recipe", "View Text Recipe\nText Recipe"},
    {ID_PROCESS_INFORMATION, "&Information...", "Edit Information\nInformation"},
    {ID_PROCESS_MOVE_UP, "Move Up", ""},
    {ID_PROCESS_MOVE_DOWN, "Move Down", ""},
};
} // namespace

CProcessTree::CProcessTree(std::function<QAction*(int)> frameAction, QWidget* parent)
    : QWidget(parent), m_frameAction(std::move(frameAction))
{
    setObjectName(QStringLiteral("ProcessExplorer"));
    setFocusPolicy(Qt::StrongFocus);
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("ProcessTree%1").arg(TREE_CONTROL_ID));
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(true);
    m_tree->installEventFilter(this);
    m_tree->viewport()->installEventFilter(this);
    setFocusProxy(m_tree);
    createToolBar();
    createContextMenu();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_tree);
    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { onCurrentItemChanged(current); });
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        reportSelection(true);
        onNodeDoubleClicked(item);
    });
    CreateTreeImageList();
    updateCommandStates();
}

CProcessTree::~CProcessTree()
{
    RemoveProjectHandover(this);
    if (ServiceSlot<ProcessExplorerServices>::Get() == this)
        ServiceSlot<ProcessExplorerServices>::Set(nullptr);
    if (SelectionService* selection = ServiceSlot<SelectionService>::Get())
        selection->ForgetSource(this);
}

bool CProcessTree::CreateTreeImageList()
{
    if (ProcessTreeImageCount() < 8)
        return false;
    m_tree->setIconSize(QSize(16, 16));
    return true;
}

QAction* CProcessTree::paneAction(int commandID)
{
    return PaneCommandAction(kPaneCommands, commandID, this, this, m_paneActions);
}

// The frame's own action of that command; a disabled entry of the same text without a frame.
QAction* CProcessTree::frameAction(int commandID, const QString& text)
{
    if (QAction* action = m_frameAction ? m_frameAction(commandID) : nullptr)
        return action;
    auto* placeholder = new QAction(text, this);
    placeholder->setData(commandID);
    placeholder->setEnabled(false);
    return placeholder;
}

void CProcessTree::createToolBar()
{
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("ProcessToolbar"));
    m_toolBar->setIconSize(QSize(16, 16));
    m_toolBar->setMovable(false);
    for (int id : {ID_PROCESS_NEW_PROCESS, ID_PROCESS_NEW_STEP, ID_PROCESS_TEXT_RECIPE,
                   ID_PROCESS_INFORMATION, ID_PROCESS_DELETE})
        m_toolBar->addAction(paneAction(id));
    m_toolBar->addAction(frameAction(ID_VIEW_ROUTE_SELECTION, QStringLiteral("Route Selection")));
}

void CProcessTree::createContextMenu()
{
    m_contextMenu = new QMenu(QStringLiteral("Process Tree"), this);
    QMenu* menu = m_contextMenu;
    for (int id : {ID_PROCESS_NEW_PROCESS, ID_PROCESS_NEW_STEP, ID_PROCESS_DELETE})
        menu->addAction(paneAction(id));
    menu->addSeparator();
    menu->addAction(paneAction(ID_PROCESS_TEXT_RECIPE));
    const std::pair<int, const char*> views[] = {{ID_VIEW_SCHEDULE, "Sc&hedule\tCtrl+H"},
                                                 {ID_VIEW_3D_ANIMATION, "3&D Animation\tCtrl+D"},
                                                 {ID_VIEW_QUICK_RESULTS, "Quick Results"},
                                                 {ID_VIEW_BLOCK_DIAGRAM, "&Block Diagram"},
                                                 {ID_VIEW_EQUIPMENT_DIAGRAM, "&Equipment Diagram"}};
    for (const auto& [id, text] : views)
        menu->addAction(frameAction(id, QString::fromUtf8(text)));
    menu->addSeparator();
    const std::pair<int, const char*> runs[] = {
        {ID_SIMULATE_BATCH, "Simulate Entire Batch"},
        {ID_SIMULATE_PROCESS, "Simulate Process"},
        {ID_SIMULATE_BATCHES_AND_PROCESS, "Simulate Batches and Process"}};
    for (const auto& [id, text] : runs)
        menu->addAction(frameAction(id, QString::fromUtf8(text)));
    menu->addSeparator();
    menu->addMenu(QStringLiteral("Import"))
        ->addAction(frameAction(ID_FILE_IMPORT_STEP, QStringLiteral("Step...")));
    menu->addMenu(QStringLiteral("Export..."))
        ->addAction(frameAction(ID_FILE_EXPORT_STEP, QStringLiteral("Step...")));
    menu->addSeparator();
    menu->addAction(paneAction(ID_PROCESS_MOVE_UP));
    menu->addAction(paneAction(ID_PROCESS_MOVE_DOWN));
    menu->addSeparator();
    menu->addAction(paneAction(ID_PROCESS_INFORMATION));
}

void CProcessTree::updateCommandStates()
{
    for (QAction* action : m_paneActions)
        action->setEnabled(IsCommandEnabled(action->data().toInt()));
}

void CProcessTree::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    m_tree->setFocus();
}

bool CProcessTree::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_tree && event->type() == QEvent::FocusIn)
        reportSelection(true);
    if (event->type() == QEvent::ContextMenu && (watched == m_tree || watched == m_tree->viewport())) {
        auto* menuEvent = static_cast<QContextMenuEvent*>(event);
        m_bContextMenu = true;
        if (menuEvent->reason() != QContextMenuEvent::Keyboard) // from the keyboard: nothing shown
            showContextMenu(m_tree->viewport()->mapFrom(static_cast<QWidget*>(watched), menuEvent->pos()));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

ContextRecord CProcessTree::contextRecord()
{
    ContextRecord record;
    record.kind = CONTEXT_PROCESS_EXPLORER;
    const ProcessTreeSelection selection = GetTreeSelection();
    record.stepID = selection.stepID;
    record.processID = selection.processID;
    record.stepLabel = selection.stepLabel;
    record.processName = selection.processLabel;
    record.processNodeSelected = selection.processSelected;
    return record;
}

// The pane becomes the frame's active pane when it has the focus; otherwise its selection moves
// the context only while it is the active one.
void CProcessTree::reportSelection(bool becameActive)
{
    updateCommandStates();
    SelectionService* selection = ServiceSlot<SelectionService>::Get();
    if (!selection)
        return;
    if (becameActive || m_tree->hasFocus())
        selection->ReportActive(this, contextRecord());
    else
        selection->ReportSelection(this, contextRecord());
}

void CProcessTree::onCurrentItemChanged(HTREEITEM current)
{
    reportSelection(false);
    const int kind = GetSelectedItemKind();
    const bool sync = current && m_echoSelection && IsSelectionSyncOn();
    if (kind == KIND_OPERATION) {
        if (sync && !(IsHiddenOperationItem(current) && m_bContextMenu))
            SyncLinkedWindows(current->parent()->parent()->data(0, NODE_ID_ROLE).toInt(),
                              current->data(0, NODE_ID_ROLE).toInt(), LinkedItemType::Operation,
                              SyncSource::ProcessExplorer);
    } else if (kind == KIND_UNIT_PROCEDURE || kind == KIND_EMPTY_UNIT_PROCEDURE) {
        if (sync)
            SyncLinkedWindows(current->parent()->data(0, NODE_ID_ROLE).toInt(),
                              current->data(0, NODE_ID_ROLE).toInt(), LinkedItemType::UnitProcedure,
                              SyncSource::ProcessExplorer);
    } else if (kind == KIND_STEP && sync) {
        SyncLinkedWindows(current->data(0, NODE_ID_ROLE).toInt(),
                          current->child(0)->data(0, NODE_ID_ROLE).toInt(), LinkedItemType::UnitProcedure,
                          SyncSource::ProcessExplorer);
    }
    if (sync && GetTreeSelection().stepID > -1)
        SetCurrentStep(GetTreeSelection().stepID);
    m_bContextMenu = false;
}

void CProcessTree::showContextMenu(const QPoint& position)
{
    HTREEITEM item = m_tree->itemAt(position);
    if (!item)
        return;
    SelectTreeItem(item);
    m_tree->setFocus();
    m_contextMenu->popup(m_tree->viewport()->mapToGlobal(position));
}
