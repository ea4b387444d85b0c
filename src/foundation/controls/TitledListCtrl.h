#pragma once
// A report list with column titles whose cells show their own tool tips (by default the cell's
// full text, for texts cut off by narrow columns).

#include <QTreeWidget>

class CTitledListCtrl : public QTreeWidget {
    Q_OBJECT
public:
    explicit CTitledListCtrl(QWidget* parent = nullptr);

    void SetColumns(const QStringList& titles);
    int InsertItem(int row, const QString& text); // returns the row, -1 when out of range
    void SetItemText(int row, int col, const QString& text);
    QString GetItemText(int row, int col) const;
    void SetCellToolTip(int row, int col, const QString& tip);
    QString GetCellToolTip(int row, int col) const;
    int GetItemCount() const { return topLevelItemCount(); }
    int GetSelectedRow() const; // -1 when none
    void DeleteAllItems() { clear(); }
};
