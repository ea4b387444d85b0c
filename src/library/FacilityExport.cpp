// Exporting the selection's equipment: the ids go into a table of the equipment database for the
// report, which is dropped again afterwards.

#include "library/FacilityTree.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/ExecuteSQL.h"
#include "library/FacilityCommandIds.h"
#include "modules/qvxl/QVXLEntry.h"

#include <QTreeWidgetItem>
#include <memory>

namespace {
const QString EXPORT_TABLE_PREFIX = QStringLiteral("CREATE TABLE TempEquipmentIDTable AS SELECT ");
const QString EXPORT_DROP = QStringLiteral("DROP TABLE IF EXISTS TempEquipmentIDTable");

std::unique_ptr<CDaoDatabase> OpenExportConnection()
{
    auto database = std::make_unique<CDaoDatabase>();
    try {
        database->Open(GetEquipmentDBPath(), false, false);
        return database;
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return nullptr;
    }
}
} // namespace

bool CFacilityTree::SelectionExportStatement(QString& sql, QVariantList& ids) const
{
    HTREEITEM item = selectedItem();
    switch (GetSelectedItemKind()) {
    case FACILITY_KIND_FACILITY:
    case FACILITY_KIND_EMPTY_FACILITY:
        sql = EXPORT_TABLE_PREFIX + "ActualEquipmentID FROM ActualEquipmentCommon WHERE PlantID = ?";
        ids = {qlonglong(itemID(item))};
        return true;
    case FACILITY_KIND_CLASS:
    case FACILITY_KIND_EMPTY_CLASS:
        sql = EXPORT_TABLE_PREFIX + "e.ActualEquipmentID FROM \"Plant-To-Project\" pp LEFT JOIN ActualEquipmentCommon e "
                                    "ON pp.PlantID = e.PlantID WHERE pp.PlantID = ? AND e.EquipmentClassID = ?";
        ids = {qlonglong(itemID(item->parent())), qlonglong(itemID(item))};
        return true;
    case FACILITY_KIND_EQUIPMENT:
        sql = EXPORT_TABLE_PREFIX + "ActualEquipmentID FROM ActualEquipmentCommon WHERE ActualEquipmentID = ?";
        ids = {qlonglong(itemID(item))};
        return true;
    default:
        return false;
    }
}

// A failing statement (a table left from an interrupted export) shows its error; the table goes
// either way.
void CFacilityTree::ExportSelectionToExcel()
{
    QString sql;
    QVariantList ids;
    if (!SelectionExportStatement(sql, ids))
        return;
    std::unique_ptr<CDaoDatabase> equipment = OpenExportConnection();
    if (!equipment)
        return;
    if (ExecuteSQL(equipment.get(), sql, ids))
        QVXLEntry().dataReport(QVXL_EQUIPMENT_REPORT, -1);
    ExecuteSQL(equipment.get(), EXPORT_DROP);
}
