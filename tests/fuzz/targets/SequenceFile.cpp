// A plan's user-defined sequence file as the planning and the engine read it: the format and the
// columns, a written form that reads back as it was written; then, over the sample Demo's weekly
// plan, the check against the steps' recipes, the sequence dialog's layout (filled, rows moved as the
// input's hash chooses, the order checked) and the engine's ordering of the batches. What the layout
// saves reads back and lists its steps' operations again, and the ordering only delays operations.

#include "DatabaseMutation.h"
#include "FuzzTarget.h"
#include "foundation/common/SimSequenceRecipe.h"
#include "foundation/common/UserSimSequenceFile.h"
#include "foundation/common/concerns/AppContext.h"
#include "modules/engine/EngineScheduler.h"
#include "modules/engine/EngineStepModel.h"
#include "modules/engine/SequencePlanRun.h"
#include "simulation/SimSequenceBuilder.h"

#include <QHash>

#include <algorithm>
#include <cmath>

namespace {

constexpr long PLAN = 1;

// The recipes and schedules are read once: the open Demo does not change.
CSimSequenceBuilder& Builder()
{
    static CSimSequenceBuilder* builder = new CSimSequenceBuilder(PLAN); // keeps the recipes it read
    return *builder;
}

const QList<SimSequenceOperation>& OperationsOf(long stepID)
{
    static QHash<long, QList<SimSequenceOperation>> operations;
    if (!operations.contains(stepID))
        operations.insert(stepID, ReadSimSequenceStepRecipe(stepID).operations);
    return operations[stepID];
}

const EngineSchedule& ScheduleOf(long stepID)
{
    static QHash<long, EngineSchedule> schedules;
    if (!schedules.contains(stepID)) {
        EngineSchedule schedule;
        if (CDaoDatabase* database = GetStepDatabase(stepID))
            CEngineScheduler(CEngineStepReader(*database).Read(stepID)).Schedule(schedule);
        schedules.insert(stepID, schedule);
    }
    return schedules[stepID];
}

bool MatchesSteps(const QList<SimSequenceLine>& lines)
{
    return SimSequenceMatchesSteps(lines, OperationsOf);
}

void CheckFormat(const QList<SimSequenceLine>& lines)
{
    const QList<long> steps = SimSequenceColumnSteps(lines);
    const QList<QList<qsizetype>> columns = SimSequenceLinesByColumn(lines);
    if (steps.size() != columns.size())
        FuzzFailure("a sequence's columns and their steps differ in number");
    // Writing puts each line on one line (a line break in a text becomes a blank); what was
    // written reads back as it was written.
    QList<SimSequenceLine> written, again;
    if (!ParseSimSequence(FormatSimSequence(lines), written) ||
        !ParseSimSequence(FormatSimSequence(written), again) || again != written)
        FuzzFailure("a written sequence reads back otherwise");
}

// Two moves of the dialog, chosen by the input's hash.
void MoveRows(CSimSequenceLayout& layout, std::size_t hash)
{
    for (int i = 0; i < 2; ++i, hash >>= 16) {
        const int rows = layout.RowCount(), columns = std::max(1, layout.ColumnCount());
        const int first = 1 + int(hash % unsigned(rows)), last = first + int((hash >> 4) % 3);
        const int left = 1 + int((hash >> 6) % unsigned(columns));
        layout.Move(SimSequenceMove((hash >> 10) % 4), first, std::min(last, rows), left,
                    left + int((hash >> 12) % 3));
    }
}

void CheckLayout(const QList<SimSequenceLine>& lines, const SimSequenceBuild& build, std::size_t hash)
{
    CSimSequenceLayout layout;
    layout.Reset(build.columns, build.records);
    MoveRows(layout, hash);
    // The dialog saves only a layout whose columns start and end no higher than their left
    // neighbours'; what it saves, the reader takes.
    SimSequenceOrderFault fault;
    if (!layout.CheckOrder(&fault))
        return;
    QList<SimSequenceLine> written;
    if (!ParseSimSequence(FormatSimSequence(layout.Lines()), written) || written.size() != lines.size() ||
        !MatchesSteps(written))
        FuzzFailure("the layout of a sequence writes what does not list its steps' operations");
}

void CheckOrdering(const QList<SimSequenceLine>& lines)
{
    QList<SequencePlanBatch> batches;
    const QList<long> steps = SimSequenceColumnSteps(lines);
    for (int column = 1; column <= steps.size(); ++column)
        batches.append({steps.at(column - 1), column, ScheduleOf(steps.at(column - 1))});
    const QList<SequencePlanBatch> unordered = batches;
    ApplySequenceOrder(lines, batches);
    for (int b = 0; b < batches.size(); ++b) {
        for (int i = 0; i < batches.at(b).schedule.operations.size(); ++i) {
            const EngineScheduledOperation &before = unordered.at(b).schedule.operations.at(i),
                                           &after = batches.at(b).schedule.operations.at(i);
            if (!(after.start >= before.start) || std::abs((after.end - after.start) - (before.end - before.start)) > 1e-6)
                FuzzFailure("the sequence's ordering moved an operation earlier or changed its length");
        }
    }
}

void Entry(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    OpenedDemoFolder();
    static const int columnLimit = SimSequenceColumnLimit(PLAN);
    QList<SimSequenceLine> lines;
    if (!ParseSimSequence(bytes, lines, columnLimit))
        return;
    CheckFormat(lines);
    SimSequenceBuild build;
    if (!Builder().BuildFromLines(lines, build))
        return;
    if (!MatchesSteps(lines))
        FuzzFailure("the dialog took a sequence the engine refuses");
    CheckLayout(lines, build, qHash(bytes));
    CheckOrdering(lines);
}

// One batch column of each step of the weekly plan's process, and the steps again: their
// operations column after column, or row by row side by side.
SimSequenceBuild ProcessColumns(bool sideBySide)
{
    SimSequenceBuild build;
    QList<QList<SimSequenceRecord>> columns;
    QHash<long, int> batches;
    for (long stepID : {1001L, 1002L, 1003L, 1001L}) {
        const SimSequenceStepRecipe recipe = ReadSimSequenceStepRecipe(stepID);
        const int column = int(build.columns.size()) + 1, batch = ++batches[stepID];
        build.columns.append({batch, stepID, int(recipe.operations.size()), SimSequenceColumnLabel(recipe, batch)});
        columns.append(QList<SimSequenceRecord>());
        for (const SimSequenceOperation& operation : recipe.operations)
            columns.last().append({column, stepID, operation.unitProcedureID, operation.operationID, operation.text});
    }
    qsizetype rows = 0;
    for (const QList<SimSequenceRecord>& column : columns) {
        rows = std::max(rows, column.size());
        if (!sideBySide)
            build.records += column;
    }
    for (qsizetype row = 0; sideBySide && row < rows; ++row) {
        for (const QList<SimSequenceRecord>& column : columns)
            if (row < column.size())
                build.records.append(column.at(row));
    }
    return build;
}

void Seeds(const QString& folder)
{
    OpenedDemoFolder();
    for (const bool sideBySide : {false, true}) {
        const SimSequenceBuild build = ProcessColumns(sideBySide);
        CSimSequenceLayout layout;
        layout.Reset(build.columns, build.records);
        if (!MatchesSteps(layout.Lines()) || layout.Lines().isEmpty())
            FuzzFailure("the sample's columns do not make a sequence");
        WriteSeed(folder, sideBySide ? "side-by-side" : "one-after-another", FormatSimSequence(layout.Lines()));
    }
    const QList<SimSequenceLine> two = {
        {1, 1, 1001, 1001, 3, -1, 4, "Step 1", "OP-1 Charge"},
        {1, 1, 1001, 1001, 3, 3, 5, "Step 1", "OP-2 Heat"},
        {2, 1, 1002, 1001, 7, 3, 8, "Step 2", "OP-1 Transfer, to receiver"},
    };
    WriteSeed(folder, "two-columns", FormatSimSequence(two));
    WriteSeed(folder, "one-line", FormatSimSequence({two.first()}));
    WriteSeed(folder, "empty", QByteArray());
}

} // namespace

QV_FUZZ_TARGET(sequence_file, Entry, Seeds)
