#include "foundation/controls/GridCtrl.h"

#include <QHeaderView>

namespace {
constexpr int TWIPS_PER_PIXEL = 15;
}

CGridCtrl::CGridCtrl(QWidget* parent) : QTableWidget(parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTableWidget::cellDoubleClicked, this, &CGridCtrl::OnCellDoubleClicked);
}

void CGridCtrl::SetRows(int rows)
{
    setRowCount(qMax(0, rows));
}

void CGridCtrl::SetCols(int cols)
{
    setColumnCount(qMax(0, cols));
}

void CGridCtrl::SetColWidth(int col, int twips)
{
    setColumnWidth(col, twips / TWIPS_PER_PIXEL);
}

void CGridCtrl::SetRow(int row)
{
    m_row = qBound(0, row, qMax(0, rowCount() - 1));
}

void CGridCtrl::SetCol(int col)
{
    m_col = qBound(0, col, qMax(0, columnCount() - 1));
}

void CGridCtrl::SetText(const QString& text)
{
    if (m_row >= rowCount() || m_col >= columnCount())
        return;
    QTableWidgetItem* cell = item(m_row, m_col);
    if (!cell) {
        cell = new QTableWidgetItem;
        if (m_row == 0) {
            QFont bold = cell->font();
            bold.setBold(true);
            cell->setFont(bold);
        }
        setItem(m_row, m_col, cell);
    }
    cell->setText(text);
}

QString CGridCtrl::GetText() const
{
    QTableWidgetItem* cell = item(m_row, m_col);
    return cell ? cell->text() : QString();
}

void CGridCtrl::OnCellDoubleClicked(int row, int col)
{
    m_row = row;
    m_col = col;
    emit DblClick();
}
