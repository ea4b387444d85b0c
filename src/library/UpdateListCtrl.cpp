#include "library/UpdateListCtrl.h"

#include "foundation/common/LibraryStampRule.h"


#include <QHeaderView>
#include <QKeyEvent>


namespace {

struct UpdateColumnSpec {
    const char* title;
    int width;
};

constexpr UpdateColumnSpec UPDATE_LIST_COLUMNS[] = {
    {"Name", 70}, {"Local Timestamp", 140}, {"Server Timestamp", 140}, {"Update", 70}};

QTableWidgetItem* UpdateListItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

QString UpdateMarkText(bool mark)
{
    return mark ? QStringLiteral("Yes") : QStringLiteral("No");
}

} // namespace

CUpdateListCtrl::CUpdateListCtrl(QWidget* parent) : QTableWidget(parent)
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
    connect(this, &QTableWidget::itemActivated, this,
            [this](QTableWidgetItem* item) { ToggleMark(item->row()); });
}

void CUpdateListCtrl::InitColumns()
{
    setColumnCount(int(std::size(UPDATE_LIST_COLUMNS)));
    for (int column = 0; column < columnCount(); ++column) {
        const UpdateColumnSpec& spec = UPDATE_LIST_COLUMNS[column];
        setHorizontalHeaderItem(column, UpdateListItem(QString::fromLatin1(spec.title)));
        setColumnWidth(column, spec.width);
    }
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
}

QString CUpdateListCtrl::StampText(std::optional<double> oleDate)
{
    return FormatLibraryStamp(oleDate);
}

void CUpdateListCtrl::AddRow(const tagUpdateValues& values)
{
    const int row = rowCount();
    insertRow(row);
    setItem(row, NAME_COLUMN, UpdateListItem(values.serverName));
    setItem(row, LOCAL_STAMP_COLUMN, UpdateListItem(StampText(values.localStamp)));
    setItem(row, SERVER_STAMP_COLUMN, UpdateListItem(StampText(values.serverStamp)));
    setItem(row, UPDATE_COLUMN, UpdateListItem(QString()));
    SetMark(row, values.update);
}

void CUpdateListCtrl::SetMark(int row, bool mark)
{
    item(row, NAME_COLUMN)->setData(Qt::UserRole, mark);
    item(row, UPDATE_COLUMN)->setText(UpdateMarkText(mark));
}

void CUpdateListCtrl::SetAllMarks(bool mark)
{
    for (int row = 0; row < rowCount(); ++row)
        SetMark(row, mark);
}

bool CUpdateListCtrl::GetMark(int row) const
{
    if (row < 0 || row >= rowCount())
        return false;
    return item(row, NAME_COLUMN)->data(Qt::UserRole).toBool();
}

void CUpdateListCtrl::ToggleMark(int row)
{
    if (row >= 0 && row < rowCount())
        SetMark(row, !GetMark(row));
}

// Enter activates the current row and goes no further: it must not also press the dialog's OK.
void CUpdateListCtrl::keyPressEvent(QKeyEvent* event)
{
    QTableWidget::keyPressEvent(event);
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        event->accept();
}
