#include "modules/qvxl/ReportWorkbook.h"

#include <xlsxwriter.h>

namespace {
bool IsNumberCell(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

void WriteReportCell(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column, const QVariant& value)
{
    if (value.isNull())
        return;
    if (IsNumberCell(value))
        worksheet_write_number(sheet, row, column, value.toDouble(), nullptr);
    else
        worksheet_write_string(sheet, row, column, value.toString().toUtf8().constData(), nullptr);
}

void WriteReportSheet(lxw_workbook* workbook, const ReportSheet& sheet)
{
    lxw_worksheet* worksheet = workbook_add_worksheet(workbook, sheet.name.toUtf8().constData());
    for (lxw_row_t row = 0; row < lxw_row_t(sheet.rows.size()); ++row) {
        const QVariantList& cells = sheet.rows[qsizetype(row)];
        for (lxw_col_t column = 0; column < lxw_col_t(cells.size()); ++column)
            WriteReportCell(worksheet, row, column, cells[column]);
    }
}
} // namespace

bool WriteReportWorkbook(const QString& path, const QList<ReportSheet>& sheets)
{
    lxw_workbook* workbook = workbook_new(path.toUtf8().constData());
    if (!workbook)
        return false;
    for (const ReportSheet& sheet : sheets)
        WriteReportSheet(workbook, sheet);
    return workbook_close(workbook) == LXW_NO_ERROR;
}
