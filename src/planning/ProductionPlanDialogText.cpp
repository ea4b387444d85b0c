// The production plan grid as a text file: UTF-16LE after a byte-order mark, cells separated by
// tabs, rows ended by CR LF. Import also reads LF-ended rows, without a mark and with an odd byte.

#include "foundation/common/FileDialogService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/RegularFile.h"
#include "foundation/controls/QVGridWnd.h"
#include "planning/ProductionPlanDialog.h"

#include <QFileInfo>
#include <QStringDecoder>

namespace {
const QString PLAN_TEXT_FILTER = QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*||");

FileDialogRequest PlanTextRequest(FileDialogRequest::Kind kind)
{
    FileDialogRequest request;
    request.kind = kind;
    request.filter = PLAN_TEXT_FILTER;
    request.defaultExtension = QStringLiteral("txt");
    return request;
}

void ShowNotOpened(const QString& path)
{
    QvMessageBox(QStringLiteral("File %1 could not be opened!").arg(QFileInfo(path).fileName()));
}

// A byte-order mark is skipped and a last odd byte dropped.
QString PlanTextOf(QByteArray bytes)
{
    if (bytes.size() % 2)
        bytes.chop(1);
    QStringDecoder fromUtf16(QStringConverter::Utf16LE);
    QString text = fromUtf16.decode(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}
} // namespace

void CProductionPlanDialog::OnExportPlan()
{
    const QString path = ChooseFile(PlanTextRequest(FileDialogRequest::Save));
    if (path.isEmpty())
        return;
    const CGridRange all(1, 1, m_grid->GetRowCount(), m_grid->GetColCount());
    if (!m_grid->CopyTextToFile(all, path))
        ShowNotOpened(path);
}

void CProductionPlanDialog::OnImportPlan()
{
    const QString path = ChooseFile(PlanTextRequest(FileDialogRequest::Open));
    if (path.isEmpty())
        return;
    // The user picked it: a link is taken, a named pipe or a device is not read.
    const RegularFileRead file = ReadRegularFile(path, LinkRule::Follow);
    if (!file.read()) {
        ShowNotOpened(path);
        return;
    }
    int row = m_nextFreeRow;
    int col = 0;
    if (!m_grid->GetCurrentCell(&row, &col))
        row = m_nextFreeRow;
    const int laidOut = m_grid->GetRowCount();
    m_grid->PasteText(row, PLAN_COL_CAMPAIGN, PlanTextOf(file.bytes));
    // Rows the paste added are body rows like the others: the product follows the campaign.
    if (m_grid->GetRowCount() > laidOut) {
        StyleBodyRows(laidOut + 1, m_grid->GetRowCount());
        ApplyCampaignsToRows(laidOut + 1, m_grid->GetRowCount());
    }
}
