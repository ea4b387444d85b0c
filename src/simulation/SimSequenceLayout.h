#pragma once
// The layout behind the sequence dialog's grid: one column per batch of a step, each listing its
// operations downwards; cells of different columns in one row run side by side. A column is keyed
// by its position (from 1) everywhere: records, fill, moves and the file. Only filled cells are
// kept, so that the layout grows with the operations, not with columns times rows.

#include "foundation/common/UserSimSequenceFile.h"

#include <QList>
#include <QString>
#include <vector>

struct SimSequenceColumn {
    int batch = 0; // the step's batch number, counted across the plan
    long stepID = 0;
    int count = 0; // its operations
    QString label; // "<step> (<version>) Batch <n>"
};

struct SimSequenceRecord {
    int column = 0; // position of its column
    long stepID = 0;
    long unitProcedureID = 0;
    long operationID = 0;
    QString text;
};

// A filled cell of a column: its row (from 1) and its record.
struct SimSequenceCell {
    int row = 0;
    int record = 0;
};

enum class SimSequenceMove { MoveUp, MoveDown, PushUp, PushDown };

// The order check's refusal: which message, and the labels of the column and its left neighbour.
struct SimSequenceOrderFault {
    bool ending = false; // else the starting point
    QString column;
    QString leftNeighbour;
};

class CSimSequenceLayout {
public:
    void Reset(QList<SimSequenceColumn> columns, QList<SimSequenceRecord> records);
    const QList<SimSequenceColumn>& Columns() const { return m_columns; }
    const QList<SimSequenceRecord>& Records() const { return m_records; }

    // Rows = operations - columns + 1, at least one; records placed one row pass at a time.
    void Fill();
    int RowCount() const { return m_rows; }
    int ColumnCount() const { return int(m_columns.size()); }
    // The record in the cell (row and column from 1), -1 when empty.
    int RecordAt(int row, int column) const;
    QString TextAt(int row, int column) const;
    // The column's filled cells from the top (column from 1).
    const std::vector<SimSequenceCell>& ColumnCells(int column) const { return m_cells[size_t(column - 1)]; }

    // Moves the rows first..last of the columns left..right by one row; false (nothing changed)
    // when refused.
    bool Move(SimSequenceMove move, int first, int last, int left, int right);

    // False with the first fault when a column starts or ends above its left neighbour.
    bool CheckOrder(SimSequenceOrderFault* fault) const;
    // The operations row by row from the top, left to right within a row, with their anchors.
    QList<SimSequenceLine> Lines() const;

private:
    bool RowEmpty(int row, int left, int right) const;
    void ShiftBlock(int from, int to, int left, int right, int by);
    bool FilledRange(int column, int& first, int& last) const;

    QList<SimSequenceColumn> m_columns;
    QList<SimSequenceRecord> m_records;
    int m_rows = 1;
    std::vector<std::vector<SimSequenceCell>> m_cells; // [column - 1]: its filled cells by row
};
