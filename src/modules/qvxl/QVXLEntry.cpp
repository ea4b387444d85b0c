#include "modules/qvxl/QVXLEntry.h"

#include "foundation/common/AppContext.h"
#include "foundation/common/DesktopOpener.h"
#include "foundation/common/FileDialogService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DatabaseFiles.h"
#include "foundation/db/DaoException.h"
#include "modules/qvxl/EquipmentWorkbook.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QWidget>

namespace {
bool ProgramWindowShows()
{
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && !window->isMinimized())
            return true;
    }
    return false;
}

// The workbook written beside its place, flushed, and moved there whole (the desktop opens it next).
bool WriteWorkbookInPlace(const QString& path, const QList<EquipmentReportRow>& rows)
{
    const QString partial = path + QStringLiteral(".part");
    QFile::remove(partial);
    try {
        if (!WriteEquipmentWorkbook(partial, rows))
            throw CDaoException(QString());
        SyncFile(partial);
        QFile::remove(path);
        if (!QFile::rename(partial, path))
            throw CDaoException(QString());
        SyncFolderOf(path);
        return true;
    } catch (const CDaoException&) {
        QFile::remove(partial);
        return false;
    }
}
} // namespace

QString QVXLEntry::ChooseWorkbookPath()
{
    FileDialogRequest request;
    request.kind = FileDialogRequest::Save;
    request.title = QStringLiteral("Equipment List");
    request.initialPath = QDir(GetProjectDir()).filePath(QStringLiteral("Equipment List - Facilities.xlsx"));
    request.filter = QStringLiteral("Excel Workbook (*.xlsx)|*.xlsx||");
    request.defaultExtension = QStringLiteral("xlsx");
    return ChooseFile(request);
}

bool QVXLEntry::dataReport(long reportCode, long scopeID)
{
    if (reportCode != QVXL_EQUIPMENT_REPORT || scopeID != -1)
        return false;
    QList<EquipmentReportRow> rows;
    try {
        CDaoDatabase equipment;
        equipment.Open(GetEquipmentDBPath(), DatabaseRole::ReadWrite);
        rows = ReadEquipmentReportRows(equipment);
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
    const QString path = ChooseWorkbookPath();
    if (path.isEmpty())
        return false;
    if (!WriteWorkbookInPlace(path, rows)) {
        QvMessageBox(QStringLiteral("The report could not be written to %1.").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    if (ProgramWindowShows())
        OpenOnDesktop(path);
    return true;
}
