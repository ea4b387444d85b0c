// The pane itself: tree, toolbar with its "New" drop-down, context menu, selection kinds and what
// it tells the frame about its selection.

#include "library/FacilityTree.h"

#include "foundation/common/PaneCommand.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/CommandDispatcher.h"
#include "foundation/common/concerns/SelectionService.h"
#include "library/FacilityCommandIds.h"
#include "library/FacilityTreeIcons.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int FACILITY_TREE_CONTROL_ID = 61462;

const PaneCommand kFacilityPaneCommands[] = {
    {ID_FACILITY_EDIT, "&Edit...", "Edit Selected Item\nEdit"},
    {ID_FACILITY_DELETE, "&Delete", "Delete Selected Item\nDelete"},
    {ID_FACILITY_EXPORT, "Export...", "Export Selected Item to Excel\nExport"},
    {ID_FACILITY_NEW_FACILITY, "New &Facility...", "Create New Facility\nNew Facility"},
    {ID_FACILITY_NEW_EQUIPMENT, "New &Equipment...", "Create New Equipment\nNew Equipment"},
    {ID_FACILITY_NEW_AREA, "New &Area...", "Create New Area\nNew Area"},
    {ID_FACILITY_NEW_FACTORY, "New Fac&tory", "Create New Factory\nNew Factory"},
    {ID_FACILITY_NEW_BUILDING, "New &Building", "Create New Building\nNew Building"},
};

const std::pair<int, const char*> kNewMenuTexts[] = {{ID_FACILITY_NEW_FACILITY, "New Facility"},
                                                     {ID_FACILITY_NEW_EQUIPMENT, "New Equipment"},
                                                     {ID_FACILITY_NEW_AREA, "New Area"},
                                                     {ID_FACILITY_NEW_FACTORY, "New Factory"},
                                                     {ID_FACILITY_NEW_BUILDING, "New Building"}};
} // namespace

CFacilityTree::CFacilityTree(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FacilityExplorer"));
    setFocusPolicy(Qt::StrongFocus);
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("FacilityTree%1").arg(FACILITY_TREE_CONTROL_ID));
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
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this] { reportSelection(false); });
    updateCommandStates();
}

CFacilityTree::~CFacilityTree()
{
    RemoveProjectHandover(this);
    if (ServiceSlot<FacilityExplorerServices>::Get() == this)
        ServiceSlot<FacilityExplorerServices>::Set(nullptr);
    if (SelectionService* selection = ServiceSlot<SelectionService>::Get())
        selection->ForgetSource(this);
}

bool CFacilityTree::InitTree()
{
    m_tree->setIconSize(QSize(16, 16));
    m_initialised = true;
    return true;
}

QAction* CFacilityTree::paneAction(int commandID)
{
    return PaneCommandAction(kFacilityPaneCommands, commandID, this, this, m_paneActions);
}

// Two buttons: the "New" drop-down (its five New commands) and Delete.
void CFacilityTree::createToolBar()
{
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("FacilityToolbar"));
    m_toolBar->setIconSize(QSize(16, 15));
    m_toolBar->setMovable(false);
    m_newMenu = new QMenu(QStringLiteral("New"), this);
    for (const auto& [id, text] : kNewMenuTexts) {
        QAction* entry = m_newMenu->addAction(QString::fromUtf8(text));
        entry->setData(id);
        connect(entry, &QAction::triggered, this, [this, id = id] { DispatchCommand(id, this); });
        connect(paneAction(id), &QAction::changed, entry, [entry, this, id = id] {
            entry->setEnabled(paneAction(id)->isEnabled());
        });
    }
    auto* newButton = new QToolButton(m_toolBar);
    newButton->setObjectName(QStringLiteral("FacilityNewButton"));
    newButton->setText(QStringLiteral("New"));
    newButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    newButton->setPopupMode(QToolButton::InstantPopup);
    newButton->setMenu(m_newMenu);
    m_toolBar->addWidget(newButton);
    m_toolBar->addAction(paneAction(ID_FACILITY_DELETE));
}

// "Facility Tree": Edit, Delete, Export | the New commands up to New Equipment | the others.
void CFacilityTree::createContextMenu()
{
    m_contextMenu = new QMenu(QStringLiteral("Facility Tree"), this);
    m_contextMenu->setObjectName(QStringLiteral("FacilityTreeMenu"));
    for (int id : {ID_FACILITY_EDIT, ID_FACILITY_DELETE, ID_FACILITY_EXPORT})
        m_contextMenu->addAction(paneAction(id));
    m_contextMenu->addSeparator();
    for (int id : {ID_FACILITY_NEW_FACILITY, ID_FACILITY_NEW_EQUIPMENT})
        m_contextMenu->addAction(paneAction(id));
    m_contextMenu->addSeparator();
    for (int id : {ID_FACILITY_NEW_AREA, ID_FACILITY_NEW_FACTORY, ID_FACILITY_NEW_BUILDING})
        m_contextMenu->addAction(paneAction(id));
}

void CFacilityTree::updateCommandStates()
{
    for (QAction* action : m_paneActions)
        action->setEnabled(IsCommandEnabled(action->data().toInt()));
}

HTREEITEM CFacilityTree::selectedItem() const
{
    const QList<QTreeWidgetItem*> selected = m_tree->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

HTREEITEM CFacilityTree::facilityOf(HTREEITEM item) const
{
    while (item && item->parent())
        item = item->parent();
    return item;
}

long CFacilityTree::itemID(HTREEITEM item) const
{
    return item ? long(item->data(0, FACILITY_ITEM_ID_ROLE).toLongLong()) : -1;
}

int CFacilityTree::GetSelectedItemKind() const
{
    HTREEITEM item = selectedItem();
    if (!item)
        return FACILITY_KIND_NONE;
    const bool children = item->childCount() > 0;
    if (!item->parent())
        return children ? FACILITY_KIND_FACILITY : FACILITY_KIND_EMPTY_FACILITY;
    if (!item->parent()->parent())
        return children ? FACILITY_KIND_CLASS : FACILITY_KIND_EMPTY_CLASS;
    return FACILITY_KIND_EQUIPMENT;
}

long CFacilityTree::GetSelectedFacilityID() const
{
    HTREEITEM item = selectedItem();
    return item ? itemID(facilityOf(item)) : -1;
}

HTREEITEM CFacilityTree::InsertTreeItem(HTREEITEM parent, const QString& text, int selectedImage, int image)
{
    auto* item = new QTreeWidgetItem(QStringList(text));
    QIcon icon = FacilityIcon(image);
    icon.addPixmap(FacilityIcon(selectedImage).pixmap(16, 16), QIcon::Selected);
    item->setIcon(0, icon);
    item->setData(0, FACILITY_ICON_ROLE, image);
    item->setData(0, FACILITY_SEL_ICON_ROLE, selectedImage);
    if (parent)
        parent->addChild(item);
    else
        m_tree->addTopLevelItem(item);
    return item;
}

void CFacilityTree::ClearTree() { m_tree->clear(); }

bool CFacilityTree::RefreshTree()
{
    if (!m_initialised)
        return true;
    ClearTree();
    return FillTree();
}

void CFacilityTree::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    m_tree->setFocus();
}

bool CFacilityTree::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_tree && event->type() == QEvent::FocusIn)
        reportSelection(true);
    if (watched == m_tree->viewport() && event->type() == QEvent::MouseButtonPress)
        reportSelection(true);
    if (event->type() == QEvent::ContextMenu && (watched == m_tree || watched == m_tree->viewport())) {
        auto* menuEvent = static_cast<QContextMenuEvent*>(event);
        if (menuEvent->reason() != QContextMenuEvent::Keyboard) // from the keyboard: nothing shown
            showContextMenu(m_tree->viewport()->mapFrom(static_cast<QWidget*>(watched), menuEvent->pos()));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

ContextRecord CFacilityTree::contextRecord() const
{
    ContextRecord record;
    record.kind = CONTEXT_FACILITY_EXPLORER;
    return record;
}

void CFacilityTree::reportSelection(bool becameActive)
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

void CFacilityTree::showContextMenu(const QPoint& position)
{
    HTREEITEM item = m_tree->itemAt(position);
    if (!item)
        return;
    m_tree->setCurrentItem(item);
    m_tree->setFocus();
    m_contextMenu->popup(m_tree->viewport()->mapToGlobal(position));
}
