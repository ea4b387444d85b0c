#pragma once
// The Facility Explorer pane: the open project's facilities, the equipment classes each has
// equipment of and the equipment items of each class, filled from the equipment database. Its
// commands create and edit facilities and lookup entries, delete facilities and equipment and
// export the selection's equipment.

#include "foundation/common/concerns/CommandTarget.h"
#include "foundation/common/concerns/ContextRecord.h"
#include "foundation/common/concerns/FacilityExplorer.h"
#include "foundation/common/concerns/ProjectHandover.h"

#include <QList>
#include <QVariant>
#include <QWidget>

class QAction;
class QMenu;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

using HTREEITEM = QTreeWidgetItem*;

// Item data roles: the item's id and its (normal, selected) icon resource ids.
constexpr int FACILITY_ITEM_ID_ROLE = Qt::UserRole;
constexpr int FACILITY_ICON_ROLE = Qt::UserRole + 1;     // normal icon id
constexpr int FACILITY_SEL_ICON_ROLE = Qt::UserRole + 2; // selected icon id

class CFacilityTree : public QWidget,
                      public CommandTarget,
                      public FacilityExplorerServices,
                      public ProjectHandover {
    Q_OBJECT
public:
    explicit CFacilityTree(QWidget* parent = nullptr);
    ~CFacilityTree() override;

    QTreeWidget* tree() const { return m_tree; }
    QToolBar* toolBar() const { return m_toolBar; }
    QMenu* contextMenu() const { return m_contextMenu; }
    QMenu* newMenu() const { return m_newMenu; }

    bool InitTree();
    bool FillTree();
    bool RefreshTree();
    void ClearTree();
    int GetSelectedItemKind() const;
    long GetSelectedFacilityID() const override;
    void ExportSelectionToExcel() override;
    bool RefreshFacilityTree() override { return RefreshTree(); }
    HTREEITEM InsertTreeItem(HTREEITEM parent, const QString& text, int selectedImage, int image);

    // Commands.
    bool HandlesCommand(int commandID) const override;
    bool IsCommandEnabled(int commandID) const override;
    void OnCommand(int commandID) override; // only through the command dispatcher
    void RefreshCommandStates() override { updateCommandStates(); }

    // Project hand-over.
    void RebuildPanes() override { FillTree(); }
    void ClearPanes() override { ClearTree(); }

protected:
    void focusInEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createToolBar();
    void createContextMenu();
    QAction* paneAction(int commandID);
    void updateCommandStates();
    void showContextMenu(const QPoint& position);
    void reportSelection(bool becameActive);
    ContextRecord contextRecord() const;
    HTREEITEM selectedItem() const;
    HTREEITEM facilityOf(HTREEITEM item) const;
    long itemID(HTREEITEM item) const;
    bool SelectionExportStatement(QString& sql, QVariantList& ids) const;

    void OnEdit();
    void OnNewFacility();
    void OnNewEquipment();
    void OnNewLookupEntry(int commandID);
    void OnDelete();
    void EditFacility(HTREEITEM item);
    void RunEquipmentEditor(long facilityID, long equipmentID);

    QTreeWidget* m_tree = nullptr;
    QToolBar* m_toolBar = nullptr;
    QMenu* m_contextMenu = nullptr;
    QMenu* m_newMenu = nullptr;
    QList<QAction*> m_paneActions;
    bool m_initialised = false;
};
