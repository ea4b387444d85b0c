#include "modules/customreport/CustomReportWorkbook.h"

#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/DatabaseFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>
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

// The finished workbook goes through a save file: synced and renamed over the target.
QString CommitReportWorkbook(const QString& written, const QString& path)
{
    QFile source(written);
    QSaveFile target(path);
    if (!source.open(QIODevice::ReadOnly) || !target.open(QIODevice::WriteOnly) ||
        target.write(source.readAll()) < 0 || !target.commit())
        return QStringLiteral("The file %1 cannot be written.").arg(path);
    try {
        SyncFolderOf(path);
    } catch (const CDaoException&) {
        return QStringLiteral("The file %1 cannot be written.").arg(path);
    }
    return {};
}
} // namespace

QString WriteCustomReportWorkbook(const QString& path, const QList<CustomReportTableSheet>& sheets)
{
    QTemporaryFile scratch(QFileInfo(path).absolutePath() + QStringLiteral("/.report-XXXXXX.xlsx"));
    if (!scratch.open())
        return QStringLiteral("The file %1 cannot be written.").arg(path);
    scratch.close();
    const QString problem = WriteCustomWorkbookFile(scratch.fileName(), sheets);
    return problem.isEmpty() ? CommitReportWorkbook(scratch.fileName(), path) : problem;
}
