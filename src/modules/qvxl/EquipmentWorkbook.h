#pragma once
// The equipment report's rows and the workbook that holds them.

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

// A row per id of TempEquipmentIDTable, in the table's order.
QList<EquipmentReportRow> ReadEquipmentReportRows(CDaoDatabase& equipment);

// Writes the heading and the rows to the file; false when the workbook could not be written.
bool WriteEquipmentWorkbook(const QString& path, const QList<EquipmentReportRow>& rows);
