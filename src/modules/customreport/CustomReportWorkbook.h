#pragma once
// Writes named sheets of report rows to an .xlsx file: into a temporary file in the target's
// folder, synced, then renamed over the target, so a failed run leaves no partial workbook.

#include "modules/customreport/ReportQueryConnection.h"

#include <QList>
#include <QString>

struct CustomReportTableSheet {
    QString name;
    ReportTable table;
};

// Empty on success, else the reason the file could not be written.
QString WriteCustomReportWorkbook(const QString& path, const QList<CustomReportTableSheet>& sheets);
