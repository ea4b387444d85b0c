#include "modules/qvxl/EquipmentWorkbook.h"

#include "foundation/db/connection/DaoDatabase.h"

#include <QSqlQuery>

namespace {
constexpr double QVXL_UNSET_NUMBER = 1e35;

// The first row of each property counts, as in the Facility Explorer. An id without an item (a unit
// procedure with no equipment, an item deleted since) has no row.
const char* const EQUIPMENT_REPORT_SQL =
    "SELECT p.PlantName, c.ClassName, e.QVTag, f.FactoryName, b.BuildingName, a.AreaName,"
    " (SELECT DoubleValue FROM ActualEquipmentProperty q WHERE q.ActualEquipmentID = t.ActualEquipmentID"
    "  AND q.PropertyName = 'Capacity' ORDER BY q.RowKey LIMIT 1),"
    " (SELECT ValueUOM FROM ActualEquipmentProperty q WHERE q.ActualEquipmentID = t.ActualEquipmentID"
    "  AND q.PropertyName = 'Capacity' ORDER BY q.RowKey LIMIT 1),"
    " (SELECT TextValue FROM ActualEquipmentProperty q WHERE q.ActualEquipmentID = t.ActualEquipmentID"
    "  AND q.PropertyName = 'Material OF Construction' ORDER BY q.RowKey LIMIT 1)"
    " FROM TempEquipmentIDTable t"
    " JOIN ActualEquipmentCommon e ON e.ActualEquipmentID = t.ActualEquipmentID"
    " LEFT JOIN Plant p ON p.PlantID = e.PlantID"
    " LEFT JOIN EquipmentClass c ON c.EquipmentClassID = e.EquipmentClassID"
    " LEFT JOIN Factory f ON f.FactoryID = e.FactoryID"
    " LEFT JOIN Building b ON b.BuildingID = e.BuildingID"
    " LEFT JOIN Area a ON a.AreaID = e.AreaID"
    " ORDER BY t.rowid";

const char* const EQUIPMENT_REPORT_HEADINGS[] = {"Facility", "Equipment Class", "Tag",  "Factory", "Building",
                                                 "Area",     "Capacity",        "Unit", "Material of Construction"};
} // namespace

QList<EquipmentReportRow> ReadEquipmentReportRows(CDaoDatabase& equipment)
{
    QList<EquipmentReportRow> rows;
    QSqlQuery query = equipment.Query(QString::fromLatin1(EQUIPMENT_REPORT_SQL));
    while (query.next()) {
        EquipmentReportRow row;
        for (int column = 0; column < 6; ++column)
            row.texts << query.value(column).toString();
        const QVariant capacity = query.value(6);
        if (!capacity.isNull() && capacity.toDouble() != QVXL_UNSET_NUMBER) {
            row.capacity = capacity.toDouble();
            row.unit = query.value(7).toString();
        }
        row.material = query.value(8).toString();
        rows << row;
    }
    return rows;
}

ReportSheet EquipmentReportSheet(const QList<EquipmentReportRow>& rows)
{
    ReportSheet sheet{QStringLiteral("Equipment"), {}};
    QVariantList heading;
    for (const char* text : EQUIPMENT_REPORT_HEADINGS)
        heading << QString::fromLatin1(text);
    sheet.rows << heading;
    for (const EquipmentReportRow& row : rows) {
        QVariantList cells;
        for (const QString& text : row.texts)
            cells << text;
        cells << (row.capacity ? QVariant(*row.capacity) : QVariant()) << row.unit << row.material;
        sheet.rows << cells;
    }
    return sheet;
}
