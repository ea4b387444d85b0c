// The layout behind the sequence grid on its own: where records land, and that it grows with the
// operations rather than with columns times rows.

#include "simulation/SimSequenceLayout.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {
// Columns of the steps given, one record per (column, step) pair in the order given.
void ResetLayout(CSimSequenceLayout& layout, const QList<long>& columnSteps,
                 const QList<std::pair<int, long>>& records)
{
    QList<int> counts(columnSteps.size(), 0);
    for (const auto& record : records) {
        if (record.first >= 1 && record.first <= counts.size())
            ++counts[record.first - 1];
    }
    QList<SimSequenceColumn> columns;
    for (long step : columnSteps)
        columns.append(
            {1, step, counts.at(columns.size()), QStringLiteral("Column %1").arg(columns.size() + 1)});
    QList<SimSequenceRecord> placed;
    for (const auto& [column, step] : records)
        placed.append(
            {column, step, 1, long(placed.size()) + 10, QStringLiteral("Op %1").arg(placed.size())});
    layout.Reset(columns, placed);
}

// Each row as the columns of its filled cells: "1 . 3".
QStringList Rows(const CSimSequenceLayout& layout)
{
    QStringList rows;
    for (int row = 1; row <= layout.RowCount(); ++row) {
        QStringList cells;
        for (int column = 1; column <= layout.ColumnCount(); ++column)
            cells << (layout.RecordAt(row, column) < 0 ? "." : QString::number(column));
        rows << cells.join(' ');
    }
    return rows;
}
} // namespace

TEST(SimSequenceLayoutTest, RecordsFillRowsLeftToRightInTheirOrder)
{
    const struct {
        const char* name;
        QList<std::pair<int, long>> records;
        QStringList rows;
    } cases[] = {
        {"a column left of the last starts a row", {{1, 7}, {2, 8}, {1, 7}, {2, 8}}, {"1 2", "1 2", ". ."}},
        {"a column right of the last shares it", {{1, 7}, {1, 7}, {2, 8}}, {"1 .", "1 2"}},
        {"more rows than the counts promise", {{2, 8}, {2, 8}, {2, 8}, {1, 7}}, {". 2", ". 2", ". 2", "1 ."}},
        {"a record of another step stops the fill", {{1, 7}, {2, 7}, {1, 7}}, {"1 .", ". ."}},
        {"a record of no column stops the fill", {{1, 7}, {3, 8}, {2, 8}}, {"1 .", ". ."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CSimSequenceLayout layout;
        ResetLayout(layout, {7, 8}, c.records);
        EXPECT_EQ(Rows(layout), c.rows);
    }
}

// 50,000 columns of two operations: a dense grid would hold 2.5 billion cells.
TEST(SimSequenceLayoutTest, ManyColumnsAreLaidOutMovedAndWrittenInLinearTime)
{
    constexpr int columns = 50000;
    QList<std::pair<int, long>> records;
    for (int column = 1; column <= columns; ++column)
        records << std::pair(column, 7L);
    for (int column = 1; column <= columns; ++column)
        records << std::pair(column, 7L);
    QElapsedTimer clock;
    clock.start();
    CSimSequenceLayout layout;
    ResetLayout(layout, QList<long>(columns, 7), records);
    ASSERT_EQ(layout.RowCount(), columns + 1);
    EXPECT_EQ(layout.RecordAt(2, columns), 2 * columns - 1);
    ASSERT_TRUE(layout.Move(SimSequenceMove::PushDown, 1, 2, 1, columns));
    EXPECT_EQ(layout.RecordAt(3, columns), 2 * columns - 1);
    EXPECT_TRUE(layout.CheckOrder(nullptr));
    const QList<SimSequenceLine> lines = layout.Lines();
    EXPECT_LT(clock.elapsed(), 5000);
    ASSERT_EQ(lines.size(), 2 * columns);
    EXPECT_EQ(lines.last().column, columns);
    EXPECT_EQ(lines.last().operationID, 2 * columns - 1 + 10);
}
