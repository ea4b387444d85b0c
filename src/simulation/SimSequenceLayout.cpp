#include "simulation/SimSequenceLayout.h"

#include <algorithm>

void CSimSequenceLayout::Reset(QList<SimSequenceColumn> columns, QList<SimSequenceRecord> records)
{
    m_columns = std::move(columns);
    m_records = std::move(records);
    Fill();
}

// Records come in simulation order: a row takes columns left to right, so a record whose column
// is not right of the last one placed starts the next row.
void CSimSequenceLayout::Fill()
{
    m_rows = std::max<int>(1, int(m_records.size() - m_columns.size() + 1));
    m_cells.assign(size_t(m_columns.size()), {});
    int row = 1;
    int lastColumn = 0;
    for (qsizetype next = 0; next < m_records.size(); ++next) {
        const SimSequenceRecord& record = m_records.at(next);
        if (record.column < 1 || record.column > ColumnCount() ||
            record.stepID != m_columns.at(record.column - 1).stepID)
            break; // a record no column takes: the rest stays unplaced
        if (record.column <= lastColumn)
            ++row;
        lastColumn = record.column;
        m_rows = std::max(m_rows, row); // more rows than the counts promise: grow
        m_cells[size_t(record.column - 1)].push_back({row, int(next)});
    }
}

namespace {
bool RowBefore(const SimSequenceCell& cell, int row)
{
    return cell.row < row;
}
} // namespace

int CSimSequenceLayout::RecordAt(int row, int column) const
{
    if (column < 1 || column > ColumnCount() || row < 1 || row > m_rows)
        return -1;
    const std::vector<SimSequenceCell>& cells = m_cells[size_t(column - 1)];
    const auto cell = std::lower_bound(cells.begin(), cells.end(), row, RowBefore);
    return cell != cells.end() && cell->row == row ? cell->record : -1;
}

QString CSimSequenceLayout::TextAt(int row, int column) const
{
    const int record = RecordAt(row, column);
    return record < 0 ? QString() : m_records.at(record).text;
}

bool CSimSequenceLayout::RowEmpty(int row, int left, int right) const
{
    for (int column = left; column <= right; ++column) {
        if (RecordAt(row, column) >= 0)
            return false;
    }
    return true;
}

// Rows from..to of the columns move by `by` (+1 down, -1 up) into the empty row beside them, so
// each column's cells keep their order.
void CSimSequenceLayout::ShiftBlock(int from, int to, int left, int right, int by)
{
    for (int column = left; column <= right; ++column) {
        std::vector<SimSequenceCell>& cells = m_cells[size_t(column - 1)];
        for (auto cell = std::lower_bound(cells.begin(), cells.end(), from, RowBefore);
             cell != cells.end() && cell->row <= to; ++cell)
            cell->row += by;
    }
}

bool CSimSequenceLayout::Move(SimSequenceMove move, int first, int last, int left, int right)
{
    left = std::max(left, 1);
    right = std::min(right, ColumnCount());
    if (first < 1 || last > m_rows || first > last || left > right)
        return false;
    switch (move) {
    case SimSequenceMove::MoveUp:
        if (first <= 1 || !RowEmpty(first - 1, left, right))
            return false;
        ShiftBlock(first, last, left, right, -1);
        return true;
    case SimSequenceMove::MoveDown:
        if (last >= m_rows || !RowEmpty(last + 1, left, right))
            return false;
        ShiftBlock(first, last, left, right, +1);
        return true;
    case SimSequenceMove::PushUp:
        if (first <= 1 || !RowEmpty(1, left, right))
            return false;
        ShiftBlock(2, last, left, right, -1);
        return true;
    case SimSequenceMove::PushDown:
        if (last >= m_rows || !RowEmpty(m_rows, left, right))
            return false;
        ShiftBlock(first, m_rows - 1, left, right, +1);
        return true;
    }
    return false;
}

bool CSimSequenceLayout::FilledRange(int column, int& first, int& last) const
{
    const std::vector<SimSequenceCell>& cells = m_cells[size_t(column - 1)];
    first = cells.empty() ? 0 : cells.front().row;
    last = cells.empty() ? 0 : cells.back().row;
    return !cells.empty();
}

bool CSimSequenceLayout::CheckOrder(SimSequenceOrderFault* fault) const
{
    int leftFirst = 0, leftLast = 0;
    for (int column = 1; column <= ColumnCount(); ++column) {
        int first = 0, last = 0;
        FilledRange(column, first, last);
        if (column > 1 && (first < leftFirst || last < leftLast)) {
            if (fault)
                *fault = {first >= leftFirst, m_columns.at(column - 1).label, m_columns.at(column - 2).label};
            return false;
        }
        leftFirst = first;
        leftLast = last;
    }
    return true;
}

// Row-major order is the simulation order. A row is anchored to the leftmost column that still has
// operations to write; an operation of the anchor column makes its unit procedure the row anchor's.
QList<SimSequenceLine> CSimSequenceLayout::Lines() const
{
    struct Placed {
        int row, column, record;
    };
    std::vector<Placed> placed;
    for (int column = 1; column <= ColumnCount(); ++column) {
        for (const SimSequenceCell& cell : m_cells[size_t(column - 1)])
            placed.push_back({cell.row, column, cell.record});
    }
    std::sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
    });
    QList<int> remaining;
    for (const SimSequenceColumn& column : m_columns)
        remaining.append(column.count);
    int anchor = 1;
    long anchorUnitProcedure = -1;
    QList<SimSequenceLine> lines;
    for (const Placed& cell : placed) {
        while (anchor < ColumnCount() && remaining.at(anchor - 1) <= 0)
            ++anchor;
        const SimSequenceRecord& record = m_records.at(cell.record);
        if (cell.column == anchor)
            anchorUnitProcedure = record.unitProcedureID;
        lines.append({cell.column, anchor, record.stepID, m_columns.at(anchor - 1).stepID,
                      record.unitProcedureID, anchorUnitProcedure, record.operationID,
                      m_columns.at(cell.column - 1).label, record.text});
        --remaining[cell.column - 1];
    }
    return lines;
}
