#include "simulation/SimSequenceLayout.h"

#include <algorithm>

void CSimSequenceLayout::Reset(QList<SimSequenceColumn> columns, QList<SimSequenceRecord> records)
{
    m_columns = std::move(columns);
    m_records = std::move(records);
    Fill();
}

void CSimSequenceLayout::Fill()
{
    m_rows = std::max<int>(1, int(m_records.size() - m_columns.size() + 1));
    m_cells.assign(size_t(m_columns.size()), std::vector<int>(size_t(m_rows), -1));
    qsizetype next = 0;
    for (int row = 1; next < m_records.size(); ++row) {
        const qsizetype before = next;
        for (int column = 1; column <= ColumnCount() && next < m_records.size(); ++column) {
            const SimSequenceRecord& record = m_records.at(next);
            if (record.column != column || record.stepID != m_columns.at(column - 1).stepID)
                continue;
            if (row > m_rows) { // more rows than the counts promise: grow
                m_rows = row;
                for (auto& cells : m_cells)
                    cells.resize(size_t(m_rows), -1);
            }
            m_cells[size_t(column - 1)][size_t(row - 1)] = int(next++);
        }
        if (next == before)
            break; // a record no column takes: the rest stays unplaced
    }
}

int CSimSequenceLayout::RecordAt(int row, int column) const
{
    if (column < 1 || column > ColumnCount() || row < 1 || row > m_rows)
        return -1;
    return m_cells[size_t(column - 1)][size_t(row - 1)];
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

// Rows from..to of the columns move by `by` (+1 down, -1 up); the row they leave is cleared.
void CSimSequenceLayout::ShiftBlock(int from, int to, int left, int right, int by)
{
    for (int column = left; column <= right; ++column) {
        std::vector<int>& cells = m_cells[size_t(column - 1)];
        const auto begin = cells.begin() + (from - 1);
        const auto end = cells.begin() + to;
        if (by < 0)
            std::rotate(begin - 1, begin, end); // the empty row above goes below the block
        else
            std::rotate(begin, end, end + 1); // the empty row below goes above it
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
    first = last = 0;
    for (int row = 1; row <= m_rows; ++row) {
        if (RecordAt(row, column) < 0)
            continue;
        if (first == 0)
            first = row;
        last = row;
    }
    return first != 0;
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
    QList<int> remaining;
    for (const SimSequenceColumn& column : m_columns)
        remaining.append(column.count);
    int anchor = 1;
    long anchorUnitProcedure = -1;
    QList<SimSequenceLine> lines;
    for (int row = 1; row <= m_rows; ++row) {
        for (int column = 1; column <= ColumnCount(); ++column) {
            const int index = RecordAt(row, column);
            if (index < 0)
                continue;
            while (anchor < ColumnCount() && remaining.at(anchor - 1) <= 0)
                ++anchor;
            const SimSequenceRecord& record = m_records.at(index);
            if (column == anchor)
                anchorUnitProcedure = record.unitProcedureID;
            lines.append({column, anchor, record.stepID, m_columns.at(anchor - 1).stepID, record.unitProcedureID,
                          anchorUnitProcedure, record.operationID, m_columns.at(column - 1).label, record.text});
            --remaining[column - 1];
        }
    }
    return lines;
}
