#include "foundation/controls/TitledListCtrl.h"

CTitledListCtrl::CTitledListCtrl(QWidget* parent) : QTreeWidget(parent)
{
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAllColumnsShowFocus(true);
}

void CTitledListCtrl::SetColumns(const QStringList& titles)
{
    setColumnCount(int(titles.size()));
    setHeaderLabels(titles);
}

int CTitledListCtrl::InsertItem(int row, const QString& text)
{
    if (row < 0 || row > topLevelItemCount())
        return -1;
    insertTopLevelItem(row, new QTreeWidgetItem);
    SetItemText(row, 0, text);
    return row;
}

void CTitledListCtrl::SetItemText(int row, int col, const QString& text)
{
    QTreeWidgetItem* item = topLevelItem(row);
    if (!item || col < 0 || col >= columnCount())
        return;
    const bool tipFollowsText = item->toolTip(col).isEmpty() || item->toolTip(col) == item->text(col);
    item->setText(col, text);
    if (tipFollowsText)
        item->setToolTip(col, text);
}

QString CTitledListCtrl::GetItemText(int row, int col) const
{
    QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->text(col) : QString();
}

void CTitledListCtrl::SetCellToolTip(int row, int col, const QString& tip)
{
    if (QTreeWidgetItem* item = topLevelItem(row))
        item->setToolTip(col, tip);
}

QString CTitledListCtrl::GetCellToolTip(int row, int col) const
{
    QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->toolTip(col) : QString();
}

int CTitledListCtrl::GetSelectedRow() const
{
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : indexOfTopLevelItem(selected.first());
}
