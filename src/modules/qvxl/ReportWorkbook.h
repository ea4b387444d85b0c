#pragma once
// A report as sheets of rows, and the .xlsx workbook that holds them.

#include <QList>
#include <QString>
#include <QVariant>

// A cell: a number (int, long, double) as a number, any other value as text, a null value empty.
struct ReportSheet {
    QString name;
    QList<QVariantList> rows;
};

// Writes every sheet, in order; false when the workbook could not be written.
bool WriteReportWorkbook(const QString& path, const QList<ReportSheet>& sheets);
