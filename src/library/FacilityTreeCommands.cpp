// The commands of the Facility Explorer: enabling, New and Edit through the facility dialogs and
// the managed equipment editor, Delete and Export.

#include "library/FacilityTree.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/ProjectControl.h"
#include "library/FacilityCommandIds.h"
#include "library/FacilityDelete.h"
#include "library/FacilityTreeIcons.h"
#include "library/LookupEntryDialog.h"
#include "library/PlantDialog.h"
#include "results/ResultWindows.h"

#include <QTreeWidget>

bool CFacilityTree::HandlesCommand(int commandID) const
{
    return commandID >= ID_FACILITY_EDIT && commandID <= ID_FACILITY_NEW_BUILDING;
}

bool CFacilityTree::IsCommandEnabled(int commandID) const
{
    switch (commandID) {
    case ID_FACILITY_EDIT:
    case ID_FACILITY_DELETE:
    case ID_FACILITY_NEW_EQUIPMENT:
    case ID_FACILITY_EXPORT:
        return GetSelectedItemKind() != FACILITY_KIND_NONE;
    case ID_FACILITY_NEW_FACILITY:
    case ID_FACILITY_NEW_AREA:
    case ID_FACILITY_NEW_FACTORY:
    case ID_FACILITY_NEW_BUILDING:
        return IsProjectOpen();
    default:
        return false;
    }
}

void CFacilityTree::OnCommand(int commandID)
{
    switch (commandID) {
    case ID_FACILITY_EDIT:
        return OnEdit();
    case ID_FACILITY_DELETE:
        return OnDelete();
    case ID_FACILITY_EXPORT:
        return ExportSelectionToExcel();
    case ID_FACILITY_NEW_FACILITY:
        return OnNewFacility();
    case ID_FACILITY_NEW_EQUIPMENT:
        return OnNewEquipment();
    default:
        return OnNewLookupEntry(commandID);
    }
}

void CFacilityTree::OnNewFacility()
{
    WaitCursor wait;
    CPlantDialog dialog(QStringLiteral("Add a new Facility"), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    HTREEITEM item = InsertTreeItem(nullptr, dialog.name(), FACILITY_SELECTED_ICON, FACILITY_ICON);
    item->setData(0, FACILITY_ITEM_ID_ROLE, qlonglong(dialog.plantID()));
    m_tree->sortItems(0, Qt::AscendingOrder);
    m_tree->setCurrentItem(item);
    SetProjectModified(true);
}

void CFacilityTree::OnNewLookupEntry(int commandID)
{
    const LookupEntryKind& kind = commandID == ID_FACILITY_NEW_AREA      ? AREA_ENTRY
                                  : commandID == ID_FACILITY_NEW_FACTORY ? FACTORY_ENTRY
                                                                          : BUILDING_ENTRY;
    CLookupEntryDialog dialog(kind, this);
    if (dialog.exec() == QDialog::Accepted)
        SetProjectModified(true);
}

void CFacilityTree::OnNewEquipment()
{
    WaitCursor wait;
    HTREEITEM item = selectedItem();
    if (!item)
        return;
    RunEquipmentEditor(itemID(facilityOf(item)), -1);
}

void CFacilityTree::RunEquipmentEditor(long facilityID, long equipmentID)
{
    DotNetInvokeDataEquipment(facilityID, equipmentID);
    if (m_initialised) {
        ClearTree();
        FillTree();
    }
    CommitPendingProjectChange();
}

void CFacilityTree::EditFacility(HTREEITEM item)
{
    const long plantID = itemID(item);
    CPlantDialog dialog(QStringLiteral("Edit Facility"), this);
    dialog.SetPlantID(plantID);
    dialog.setPlantIDValue(plantID);
    dialog.setName(item->text(0));
    if (dialog.exec() != QDialog::Accepted)
        return;
    MarkStepsForResimulation(RESIM_FACILITY, plantID);
    if (dialog.name() != item->text(0))
        item->setText(0, dialog.name());
    SetProjectModified(true);
}

void CFacilityTree::OnEdit()
{
    WaitCursor wait;
    HTREEITEM item = selectedItem();
    switch (GetSelectedItemKind()) {
    case FACILITY_KIND_FACILITY:
    case FACILITY_KIND_EMPTY_FACILITY:
        return EditFacility(item);
    case FACILITY_KIND_CLASS:
        return RunEquipmentEditor(-1, itemID(item->child(0)));
    case FACILITY_KIND_EMPTY_CLASS:
        return RunEquipmentEditor(itemID(item->parent()), -1);
    case FACILITY_KIND_EQUIPMENT:
        return RunEquipmentEditor(-1, itemID(item));
    default:
        return;
    }
}

void CFacilityTree::OnDelete()
{
    WaitCursor wait;
    HTREEITEM item = selectedItem();
    switch (GetSelectedItemKind()) {
    case FACILITY_KIND_FACILITY:
    case FACILITY_KIND_EMPTY_FACILITY:
        DeleteFacility(itemID(item), item->text(0), [this] {
            RefreshTree();
            SetProjectModified(true);
        });
        return;
    case FACILITY_KIND_CLASS:
    case FACILITY_KIND_EMPTY_CLASS:
        QvMessageBox(QStringLiteral("You can't delete the selected Equipment Class!"));
        return;
    case FACILITY_KIND_EQUIPMENT:
        DeleteEquipment(itemID(item), item->text(0));
        return;
    default:
        return;
    }
}
