#pragma once
// The equipment report's rows and the workbook that holds them.

#include "modules/qvxl/ReportWorkbook.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class CDaoDatabase;

struct EquipmentReportRow {
    QStringList texts;              // facility, class, tag, factory, building, area
    std::optional<double> capacity; // missing when unset
    QString unit;
    QString material;
};

// A row per id of TempEquipmentIDTable that names an item, in the table's order.
QList<EquipmentReportRow> ReadEquipmentReportRows(CDaoDatabase& equipment);

// The sheet "Equipment": the heading, then the rows.
ReportSheet EquipmentReportSheet(const QList<EquipmentReportRow>& rows);
