#include "modules/customreport/CustomReportWorkbook.h"

#include "foundation/common/NewFile.h"

#include <QFile>
#include <QFileInfo>
#include <xlsxwriter.h>

namespace {
void WriteReportCell(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column, const QVariant& value)
{
    if (value.isNull())
        return;
    if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Double)
        worksheet_write_number(sheet, row, column, value.toDouble(), nullptr);
    else
        worksheet_write_string(sheet, row, column, value.toString().toUtf8().constData(), nullptr);
}

bool WriteCustomReportSheet(lxw_workbook* workbook, const CustomReportTableSheet& report)
{
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, report.name.toUtf8().constData());
    if (!sheet)
        return false;
    for (int column = 0; column < report.table.columns.size(); ++column)
        worksheet_write_string(sheet, 0, lxw_col_t(column), report.table.columns[column].toUtf8().constData(), nullptr);
    for (int row = 0; row < report.table.rows.size(); ++row) {
        const QVariantList& values = report.table.rows[row];
        for (int column = 0; column < values.size(); ++column)
            WriteReportCell(sheet, lxw_row_t(row + 1), lxw_col_t(column), values[column]);
    }
    return true;
}

QString WriteCustomWorkbookFile(const QString& path, const QList<CustomReportTableSheet>& sheets)
{
    lxw_workbook* workbook = workbook_new(QFile::encodeName(path).constData());
    if (!workbook)
        return QStringLiteral("The file %1 cannot be written.").arg(path);
    for (const CustomReportTableSheet& sheet : sheets) {
        if (!WriteCustomReportSheet(workbook, sheet)) {
            workbook_close(workbook);
            return QStringLiteral("\"%1\" cannot be a sheet name.").arg(sheet.name);
        }
    }
    if (workbook_close(workbook) != LXW_NO_ERROR)
        return QStringLiteral("The file %1 cannot be written.").arg(path);
    return {};
}

} // namespace

// The workbook library writes by name: into a staging folder of our own, then moved over the target.
QString WriteCustomReportWorkbook(const QString& path, const QList<CustomReportTableSheet>& sheets)
{
    const CStagingFolder staging(path);
    const QString name = QFileInfo(path).fileName();
    if (!staging.isValid())
        return QStringLiteral("The file %1 cannot be written.").arg(path);
    const QString problem = WriteCustomWorkbookFile(staging.filePath(name), sheets);
    if (!problem.isEmpty())
        return problem;
    QString failure;
    return staging.MoveIntoPlace(name, path, &failure) ? QString() : failure;
}
