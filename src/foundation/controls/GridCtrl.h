#pragma once
// A simple read-only grid addressed through a current cell: set the row and column, then set or
// get the text. Row 0 is the title row. Column widths are given in twips (15 per pixel).

#include <QTableWidget>

class CGridCtrl : public QTableWidget {
    Q_OBJECT
public:
    explicit CGridCtrl(QWidget* parent = nullptr);

    void SetRows(int rows); // the title row included
    void SetCols(int cols);
    int GetRows() const { return rowCount(); }
    int GetCols() const { return columnCount(); }
    void SetColWidth(int col, int twips);
    void SetRow(int row);
    void SetCol(int col);
    int GetRow() const { return m_row; }
    int GetCol() const { return m_col; }
    void SetText(const QString& text); // of the current cell
    QString GetText() const;

signals:
    // A double-click; the clicked cell has become the current cell.
    void DblClick();

private:
    void OnCellDoubleClicked(int row, int col);
    int m_row = 0;
    int m_col = 0;
};
