// The edit writer on the Coupling step's rows: whatever mix of moved runs and changed rows an edit
// leaves, the rows end as the lines say, and rows the lines do not show stay as they were.

#include "RecipeEditFixture.h"

#include "foundation/db/connection/DaoTransaction.h"
#include "recipe/view/RecipeEditWriter.h"
#include "recipe/view/RecipeRowShifts.h"

#include <algorithm>
#include <functional>

namespace {
// The step's rows in the writer's terms, by row key.
QHash<long, RecipeRowState> RowStates(long stepID)
{
    QSqlQuery query = GetStepDatabase(stepID)->Query(
        QStringLiteral(
            "SELECT RowKey, Type, RecipeSequenceNumber, ID, Indent, Label, OPNumber, UPNumber, Hide,"
            " Breakpoint FROM TextRecipe WHERE StepID = ?"),
        {qlonglong(stepID)});
    QHash<long, RecipeRowState> rows;
    while (query.next()) {
        RecipeRowState& row = rows[long(query.value(0).toLongLong())];
        row.kind = RecipeLineKindOf(query.value(1).toString());
        std::tie(row.sequence, row.id, row.indent, row.label) =
            std::tuple(long(query.value(2).toLongLong()), long(query.value(3).toLongLong()),
                       query.value(4).toInt(), query.value(5).toString());
        std::tie(row.opNumber, row.upNumber, row.hide, row.breakpoint) =
            std::tuple(long(query.value(6).toLongLong()), long(query.value(7).toLongLong()),
                       query.value(8).toBool(), query.value(9).toBool());
    }
    return rows;
}

// The rows in sequence order, each with its key.
QList<std::pair<long, RecipeRowState>> InOrder(const RecipeLinesState& state)
{
    QList<std::pair<long, RecipeRowState>> rows;
    for (auto it = state.rows.begin(); it != state.rows.end(); ++it)
        rows.append({it.key(), it.value()});
    std::sort(rows.begin(), rows.end(),
              [](const auto& a, const auto& b) { return a.second.sequence < b.second.sequence; });
    return rows;
}

// The rows numbered 1..n in the given order, keyword ids following their positions.
RecipeLinesState Renumbered(const RecipeLinesState& base, const QList<std::pair<long, RecipeRowState>>& rows)
{
    RecipeLinesState state;
    state.owners = base.owners;
    for (int index = 0; index < rows.size(); ++index) {
        RecipeRowState row = rows.at(index).second;
        if (IsKeywordLine(row.kind))
            row.id = index + 1;
        row.sequence = index + 1;
        state.rows.insert(rows.at(index).first, row);
    }
    return state;
}

// Coupling: 0 "1.", 1-3 ops 1.1-1.3, 4 Start Parallel, 5 Series, 6 op 1.4, 7 Series, 8 op 1.5,
// 9 End Parallel, 10-11 ops 1.6-1.7, 12 "2.", 13-15 ops 2.1-2.3.
struct WriterCase {
    const char* name;
    std::function<void(QList<std::pair<long, RecipeRowState>>&)> edit;
    int shiftedRuns; // how many runs go by range
};

void RenumberUnitProcedureFrom(QList<std::pair<long, RecipeRowState>>& rows, int from, long by)
{
    for (int index = from; index < rows.size(); ++index) {
        RecipeRowState& row = rows[index].second;
        if (row.kind == RECIPE_LINE_UNIT_PROCEDURE)
            row.label = QString::number(row.upNumber += by) + '.';
        else if (row.kind == RECIPE_LINE_OPERATION)
            row.label = QString::number(row.upNumber += by) + '.' + QString::number(row.opNumber) + '.';
    }
}

const WriterCase WRITER_CASES[] = {
    {"first operation deleted, its unit procedure renumbered",
     [](auto& rows) {
         rows.removeAt(1);
         for (int index = 1; index <= 10; ++index) {
             RecipeRowState& row = rows[index].second;
             if (row.kind == RECIPE_LINE_OPERATION)
                 row.label = QStringLiteral("1.%1.").arg(--row.opNumber);
         }
     },
     2},
    {"two blocks swap places (each run moves over the other's old numbers)",
     [](auto& rows) { std::rotate(rows.begin() + 1, rows.begin() + 6, rows.begin() + 11); }, 2},
    {"first operation and the last unit procedure deleted: one run, its operations renumbered",
     [](auto& rows) {
         rows.remove(12, 4);
         rows.removeAt(1);
         for (int index = 1; index < rows.size(); ++index) {
             RecipeRowState& row = rows[index].second;
             if (row.kind == RECIPE_LINE_OPERATION)
                 row.label = QStringLiteral("1.%1.").arg(--row.opNumber);
         }
     },
     1},
    {"first unit procedure deleted, the next renumbered",
     [](auto& rows) {
         rows.remove(0, 12);
         RenumberUnitProcedureFrom(rows, 0, -1);
     },
     1},
    {"a line inside a run also changes its indent",
     [](auto& rows) {
         rows.removeAt(0);
         rows[6].second.indent += 1;
     },
     2},
    {"a hidden flag and a breakpoint only: nothing moves",
     [](auto& rows) {
         rows[3].second.hide = true;
         rows[8].second.breakpoint = true;
     },
     0},
    // A few rows go one by one with bound values, more in one statement; an empty label is NULL.
    {"two operations change places, one loses its label",
     [](auto& rows) {
         rows.swapItemsAt(1, 2);
         rows[1].second.label.clear();
     },
     0},
    {"a keyword row goes above an operation: its id follows", [](auto& rows) { rows.swapItemsAt(3, 4); }, 0},
    {"the first operation of the last unit procedure goes: too few rows move to go by a range",
     [](auto& rows) {
         rows.removeAt(13);
         for (int index = 13; index < rows.size(); ++index)
             rows[index].second.label = QStringLiteral("2.%1.").arg(--rows[index].second.opNumber);
     },
     0},
    {"every line gets a breakpoint: too many rows to go one by one",
     [](auto& rows) {
         for (auto& row : rows)
             row.second.breakpoint = true;
     },
     0},
};

class RecipeEditWriterTest : public RecipeEditFixture, public testing::WithParamInterface<WriterCase> {};

} // namespace

TEST_P(RecipeEditWriterTest, RowsEndAsTheLinesSay)
{
    CQUORVANTAView& view = OpenCoupling();
    const RecipeLinesState before = CRecipeEditWriter::StateOf(view.lines());
    ASSERT_EQ(RowStates(COUPLING_STEP), before.rows);
    auto rows = InOrder(before);
    GetParam().edit(rows);
    const RecipeLinesState after = Renumbered(before, rows);
    QSet<long> covered;
    EXPECT_EQ(CRecipeRowShifts::Find(before, after, &covered).size(), GetParam().shiftedRuns);
    CDaoDatabase& step = *GetStepDatabase(COUPLING_STEP);
    CDaoTransaction transaction(step);
    CRecipeEditWriter::Write(step, COUPLING_STEP, before, after);
    transaction.Commit();
    EXPECT_EQ(RowStates(COUPLING_STEP), after.rows);
    long emptyLabels = 0;
    for (const RecipeRowState& row : after.rows)
        emptyLabels += row.label.isEmpty() ? 1 : 0;
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM TextRecipe WHERE Label IS NULL AND StepID = %1")
                        .arg(COUPLING_STEP)),
              emptyLabels);
}

INSTANTIATE_TEST_SUITE_P(Edits, RecipeEditWriterTest, testing::ValuesIn(WRITER_CASES),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

namespace {
// The state's rows in sequence order as a view's snapshot: each line owned by the unit procedure
// above it (a unit procedure by itself).
QList<RecipeLineRow> Snapshot(const RecipeLinesState& state)
{
    QList<RecipeLineRow> lines;
    long owner = -1;
    for (const auto& [key, row] : InOrder(state)) {
        owner = row.kind == RECIPE_LINE_UNIT_PROCEDURE ? row.id : owner;
        lines.append({key, owner, row});
    }
    return lines;
}

// The rows an edit deletes or changes.
int ChangedOrDeleted(const RecipeLinesState& before, const RecipeLinesState& after)
{
    int rows = 0;
    for (auto it = before.rows.begin(); it != before.rows.end(); ++it)
        rows += !after.rows.contains(it.key()) || after.rows.value(it.key()) != it.value() ? 1 : 0;
    return rows;
}
} // namespace

// From two snapshots in line order, the rows that only moved below the change go by their ranges
// and the others by the states: every row still ends as the lines say, each written once.
TEST_P(RecipeEditWriterTest, RowsEndAsTheLinesSayWrittenFromSnapshots)
{
    CQUORVANTAView& view = OpenCoupling();
    const RecipeLinesState before = CRecipeEditWriter::StateOf(view.lines());
    auto rows = InOrder(before);
    GetParam().edit(rows);
    const RecipeLinesState after = Renumbered(before, rows);
    const QList<RecipeLineRow> was = Snapshot(before), is = Snapshot(after);
    CDaoDatabase& step = *GetStepDatabase(COUPLING_STEP);
    CDaoTransaction transaction(step);
    const int written =
        CRecipeEditWriter::Write(step, COUPLING_STEP, was, is, CRecipeEditWriter::SharedEnds(was, is));
    transaction.Commit();
    EXPECT_EQ(RowStates(COUPLING_STEP), after.rows);
    EXPECT_EQ(written, ChangedOrDeleted(before, after));
}

// A row the lines do not show, inside a range that moves, keeps its place: the rows the lines show
// are then written one by one. Either writer, whether the range moves rows below a deleted unit
// procedure or the rows below a deleted operation that only moved (from snapshots: the aligned end).
TEST_F(RecipeEditFixture, WriterLeavesRowsTheLinesDoNotShow)
{
    CQUORVANTAView& view = OpenCoupling();
    const RecipeLinesState before = CRecipeEditWriter::StateOf(view.lines());
    auto unitGone = InOrder(before), operationGone = unitGone;
    unitGone.removeAt(12); // "2." goes; 2.1-2.3 move up one
    operationGone.removeAt(1); // 1.1 goes; the rest of "1." renumbers, everything below moves up one
    for (int index = 1; index <= 10; ++index) {
        RecipeRowState& row = operationGone[index].second;
        if (row.kind == RECIPE_LINE_OPERATION)
            row.label = QStringLiteral("1.%1.").arg(--row.opNumber);
    }
    CDaoDatabase& step = *GetStepDatabase(COUPLING_STEP);
    step.Execute(QStringLiteral("INSERT INTO TextRecipe (ID, RecipeSequenceNumber, StepID, Type, RowKey)"
                                " VALUES (15, 15, %1, 'Series', 9999)")
                     .arg(COUPLING_STEP));
    bool alignedRefused = false;
    for (const auto& rows : {unitGone, operationGone}) {
        const RecipeLinesState after = Renumbered(before, rows);
        const QList<RecipeLineRow> was = Snapshot(before), is = Snapshot(after);
        const auto ends = CRecipeEditWriter::SharedEnds(was, is);
        alignedRefused |= !CRecipeRowShifts::FindAligned(was, is, ends).shifts.isEmpty();
        for (const bool snapshots : {false, true}) {
            const CDaoTransaction transaction(step); // rolled back after the checks
            if (snapshots)
                CRecipeEditWriter::Write(step, COUPLING_STEP, was, is, ends);
            else
                CRecipeEditWriter::Write(step, COUPLING_STEP, before, after);
            QHash<long, RecipeRowState> written = RowStates(COUPLING_STEP);
            const RecipeRowState stray = written.take(9999);
            EXPECT_EQ(written, after.rows) << snapshots;
            EXPECT_EQ(std::tie(stray.sequence, stray.id), std::tuple(15L, 15L)) << snapshots;
        }
    }
    EXPECT_TRUE(alignedRefused);
}

// Only a row whose id changes has it written: an update that sets the indexed id rewrites its
// index entry, one more page for every commit to make durable.
TEST_F(RecipeEditFixture, AMoveWritesTheIdOfAKeywordRowOnly)
{
    CQUORVANTAView& view = OpenCoupling();
    CDaoDatabase& step = *GetStepDatabase(COUPLING_STEP);
    step.Execute("CREATE TEMP TABLE IdWrites (rowKey INTEGER)");
    step.Execute("CREATE TEMP TRIGGER CountIdWrites AFTER UPDATE OF ID ON TextRecipe BEGIN"
                 " INSERT INTO IdWrites VALUES (old.RowKey); END");
    const struct {
        int line;
        bool down;
        long idWrites;
    } moves[] = {{1, true, 0},    // two operations change places
                 {4, false, 1},   // Start Parallel goes above an operation
                 {12, false, 0}}; // Work-up goes above 1.7, which changes owner
    for (const auto& move : moves) {
        step.Execute("DELETE FROM IdWrites");
        view.SelectItem(move.line);
        ASSERT_TRUE(move.down ? view.MoveDown() : view.MoveUp()) << move.line;
        EXPECT_EQ(Count("SELECT COUNT(*) FROM IdWrites"), move.idWrites) << move.line;
        ExpectMatchesFreshLoad(view);
    }
    step.Execute("DROP TRIGGER temp.CountIdWrites");
}

namespace {
RecipeLineRow LineRow(long rowKey, int kind, long id, long owner, long sequence)
{
    RecipeLineRow line{rowKey, owner, {}};
    std::tie(line.row.kind, line.row.id, line.row.sequence) = std::tuple(kind, id, sequence);
    return line;
}

// Unit procedure 11 (row 1) holding operations 21-23 (rows 2-4), unit procedure 12 (row 5)
// holding operation 24 (row 6).
QList<RecipeLineRow> TwoUnitProcedures()
{
    return {LineRow(1, RECIPE_LINE_UNIT_PROCEDURE, 11, 11, 1), LineRow(2, RECIPE_LINE_OPERATION, 21, 11, 2),
            LineRow(3, RECIPE_LINE_OPERATION, 22, 11, 3), LineRow(4, RECIPE_LINE_OPERATION, 23, 11, 4),
            LineRow(5, RECIPE_LINE_UNIT_PROCEDURE, 12, 12, 5), LineRow(6, RECIPE_LINE_OPERATION, 24, 12, 6)};
}

struct ChangedRowsCase {
    const char* name;
    std::function<void(QList<RecipeLineRow>&)> edit;
    QList<long> beforeKeys, afterKeys; // the row keys the states hold
};

const ChangedRowsCase CHANGED_ROWS_CASES[] = {
    {"nothing changed", [](auto&) {}, {}, {}},
    {"two operations change places",
     [](auto& rows) {
         std::swap(rows[1], rows[2]);
         std::tie(rows[1].row.sequence, rows[2].row.sequence) = std::tuple(2L, 3L);
     },
     {2, 3},
     {2, 3}},
    {"the last line goes", [](auto& rows) { rows.removeLast(); }, {6}, {}},
    {"a line comes at the top, every other row moves",
     [](auto& rows) {
         rows.prepend(LineRow(9, RECIPE_LINE_SERIES, 1, -1, 1));
         for (int i = 1; i < rows.size(); ++i)
             rows[i].row.sequence = i + 1;
     },
     {1, 2, 3, 4, 5, 6},
     {9, 1, 2, 3, 4, 5, 6}},
    // The rows below stay as they were; only their owner changed, which is written too.
    {"the first unit procedure is another one",
     [](auto& rows) {
         rows[0] = LineRow(7, RECIPE_LINE_UNIT_PROCEDURE, 13, 13, 1);
         for (int i = 1; i < 4; ++i)
             rows[i].owner = 13;
     },
     {1, 2, 3, 4},
     {7, 2, 3, 4}},
};

class ChangedStatesTest : public testing::TestWithParam<ChangedRowsCase> {};

QList<long> SortedKeys(const RecipeLinesState& state)
{
    QList<long> keys = state.rows.keys();
    std::sort(keys.begin(), keys.end());
    return keys;
}
} // namespace

TEST_P(ChangedStatesTest, HoldOnlyTheRowsBetweenTheSharedHeadAndTail)
{
    const QList<RecipeLineRow> before = TwoUnitProcedures();
    QList<RecipeLineRow> after = before;
    GetParam().edit(after);
    const auto [was, is] = CRecipeEditWriter::ChangedStates(before, after);
    QList<long> beforeKeys = GetParam().beforeKeys, afterKeys = GetParam().afterKeys;
    std::sort(beforeKeys.begin(), beforeKeys.end());
    std::sort(afterKeys.begin(), afterKeys.end());
    EXPECT_EQ(SortedKeys(was), beforeKeys);
    EXPECT_EQ(SortedKeys(is), afterKeys);
    for (const RecipeLineRow& line : after) {
        if (is.rows.contains(line.rowKey) && line.row.kind == RECIPE_LINE_OPERATION) {
            EXPECT_EQ(is.owners.value(line.row.id), line.owner) << line.rowKey;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Edits, ChangedStatesTest, testing::ValuesIn(CHANGED_ROWS_CASES),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

namespace {
// Three unit procedures 11-13 (rows 1, 5, 8) holding operations 21-23, 24-25 and 26, a keyword
// line (row 10, Series) between the second's operations.
QList<RecipeLineRow> ThreeUnitProcedures()
{
    return {LineRow(1, RECIPE_LINE_UNIT_PROCEDURE, 11, 11, 1), LineRow(2, RECIPE_LINE_OPERATION, 21, 11, 2),
            LineRow(3, RECIPE_LINE_OPERATION, 22, 11, 3),      LineRow(4, RECIPE_LINE_OPERATION, 23, 11, 4),
            LineRow(5, RECIPE_LINE_UNIT_PROCEDURE, 12, 12, 5), LineRow(6, RECIPE_LINE_OPERATION, 24, 12, 6),
            LineRow(10, RECIPE_LINE_SERIES, 7, 12, 7),         LineRow(7, RECIPE_LINE_OPERATION, 25, 12, 8),
            LineRow(8, RECIPE_LINE_UNIT_PROCEDURE, 13, 13, 9), LineRow(9, RECIPE_LINE_OPERATION, 26, 13, 10)};
}

// The lines in their new order, owners and sequence numbers following it.
void Reowned(QList<RecipeLineRow>& rows)
{
    long owner = -1;
    for (int i = 0; i < rows.size(); ++i) {
        if (rows[i].row.kind == RECIPE_LINE_UNIT_PROCEDURE)
            owner = rows[i].row.id;
        rows[i].owner = owner;
        rows[i].row.sequence = i + 1;
    }
}

// Moved under another unit procedure, or its own one now followed by another one.
struct StaleCase {
    const char* name;
    std::function<void(QList<RecipeLineRow>&)> edit;
    QList<long> stale;
};

const StaleCase STALE_CASES[] = {
    {"two operations change places", [](auto& rows) { rows.swapItemsAt(1, 2); }, {}},
    {"an operation moves into the unit procedure above", [](auto& rows) { rows.swapItemsAt(4, 5); }, {24}},
    {"the middle unit procedure goes with its lines", [](auto& rows) { rows.remove(4, 4); }, {21, 22, 23}},
    {"the last unit procedure moves to the top",
     [](auto& rows) { std::rotate(rows.begin(), rows.begin() + 8, rows.end()); },
     {26, 24, 25}},
    {"the last unit procedure is another one",
     [](auto& rows) { rows[8] = LineRow(20, RECIPE_LINE_UNIT_PROCEDURE, 14, 14, 9); },
     {24, 25, 26}},
    {"a new unit procedure at the top",
     [](auto& rows) { rows.prepend(LineRow(20, RECIPE_LINE_UNIT_PROCEDURE, 14, 14, 1)); },
     {}},
    {"a new unit procedure above the last one",
     [](auto& rows) { rows.insert(8, LineRow(20, RECIPE_LINE_UNIT_PROCEDURE, 14, 14, 1)); },
     {24, 25}},
    {"a keyword line goes", [](auto& rows) { rows.removeAt(6); }, {}},
    {"the first unit procedure line goes: its operations join no one",
     [](auto& rows) { rows.removeAt(0); },
     {}},
};

class StaleOperationsTest : public testing::TestWithParam<StaleCase> {};
} // namespace

// Only the lines near the change are read, yet the answer is that of both whole snapshots.
TEST_P(StaleOperationsTest, AreTheMovedAndThoseOfAUnitProcedureWithAnotherSuccessor)
{
    const QList<RecipeLineRow> before = ThreeUnitProcedures();
    QList<RecipeLineRow> after = before;
    GetParam().edit(after);
    Reowned(after);
    const QList<long> stale =
        CRecipeEditWriter::StaleOperations(before, after, CRecipeEditWriter::SharedEnds(before, after));
    EXPECT_EQ(stale, GetParam().stale);
}

INSTANTIATE_TEST_SUITE_P(Edits, StaleOperationsTest, testing::ValuesIn(STALE_CASES),
                         [](const auto& info) { return "case" + std::to_string(info.index); });
