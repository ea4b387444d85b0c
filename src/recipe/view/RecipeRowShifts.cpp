#include "recipe/view/RecipeRowShifts.h"

#include "recipe/lines/RecipeLineRecord.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <utility>
#include <vector>

namespace {

// How far one row moved; an amount left unset fits any run (keyword rows keep the item numbers).
struct RowShiftAmounts {
    long sequence = 0;
    std::optional<long> unitProcedure;
    std::optional<long> operation;
};

// A run being gathered, with the amounts its rows have fixed so far.
struct OpenShiftRun {
    RecipeRowShift shift;
    std::optional<long> unitProcedure;
    std::optional<long> operation;
    QList<long> rowKeys;
};

bool SameLook(const RecipeRowState& old, const RecipeRowState& now)
{
    return now.kind == old.kind && now.indent == old.indent && now.hide == old.hide &&
           now.breakpoint == old.breakpoint;
}

std::optional<RowShiftAmounts> KeywordShift(const RecipeRowState& old, const RecipeRowState& now)
{
    const long sequence = now.sequence - old.sequence;
    if (now.id != old.id + sequence || now.upNumber != old.upNumber || now.opNumber != old.opNumber ||
        now.label != old.label)
        return std::nullopt;
    return RowShiftAmounts{sequence, std::nullopt, std::nullopt};
}

// Whether the label reads "up." or, with an operation number, "up.op."; compared in place, as
// every row below an edit is checked.
bool IsNumberedLabel(const QString& label, long upNumber, std::optional<long> opNumber = std::nullopt)
{
    char text[48];
    char* end = std::to_chars(text, text + 20, upNumber).ptr;
    *end++ = '.';
    if (opNumber) {
        end = std::to_chars(end, end + 20, *opNumber).ptr;
        *end++ = '.';
    }
    return label == QLatin1String(text, end);
}

std::optional<RowShiftAmounts> UnitProcedureShift(const RecipeRowState& old, const RecipeRowState& now)
{
    const long unitProcedure = now.upNumber - old.upNumber;
    const bool labelFollows =
        unitProcedure == 0 ? now.label == old.label : IsNumberedLabel(now.label, now.upNumber);
    if (now.id != old.id || now.opNumber != old.opNumber || !labelFollows)
        return std::nullopt;
    return RowShiftAmounts{now.sequence - old.sequence, unitProcedure, std::nullopt};
}

std::optional<RowShiftAmounts> OperationShift(const RecipeRowState& old, const RecipeRowState& now)
{
    const long unitProcedure = now.upNumber - old.upNumber;
    const long operation = now.opNumber - old.opNumber;
    const bool labelFollows = unitProcedure == 0 && operation == 0
                                  ? now.label == old.label
                                  : IsNumberedLabel(now.label, now.upNumber, now.opNumber);
    if (now.id != old.id || !labelFollows)
        return std::nullopt;
    return RowShiftAmounts{now.sequence - old.sequence, unitProcedure, operation};
}

// The amounts a changed row moved by, when moving is all that changed it.
std::optional<RowShiftAmounts> ShiftAmountsOf(const RecipeRowState& old, const RecipeRowState& now)
{
    if (now == old || !SameLook(old, now))
        return std::nullopt;
    if (IsKeywordLine(old.kind))
        return KeywordShift(old, now);
    if (old.kind == RECIPE_LINE_UNIT_PROCEDURE)
        return UnitProcedureShift(old, now);
    if (old.kind == RECIPE_LINE_OPERATION)
        return OperationShift(old, now);
    return std::nullopt;
}

bool FitsAmount(const std::optional<long>& fixed, const std::optional<long>& amount)
{
    return !fixed || !amount || *fixed == *amount;
}

bool FitsRun(const OpenShiftRun& run, const RowShiftAmounts& amounts)
{
    return run.shift.sequenceDelta == amounts.sequence &&
           FitsAmount(run.unitProcedure, amounts.unitProcedure) &&
           FitsAmount(run.operation, amounts.operation);
}

void ExtendRun(OpenShiftRun& run, long sequence, long rowKey, const RowShiftAmounts& amounts, bool keyword)
{
    if (run.rowKeys.isEmpty()) {
        run.shift.firstSequence = sequence;
        run.shift.sequenceDelta = amounts.sequence;
    }
    run.shift.lastSequence = sequence;
    run.unitProcedure = run.unitProcedure ? run.unitProcedure : amounts.unitProcedure;
    run.operation = run.operation ? run.operation : amounts.operation;
    run.rowKeys << rowKey;
    if (keyword)
        run.shift.keywordRowKeys << rowKey;
}

// A run long enough is kept, its rows going to rowKeys; a shorter one's rows go to loose. Either
// may be null.
void CloseRun(OpenShiftRun& run, QList<RecipeRowShift>& shifts, QSet<long>* rowKeys, QSet<long>* loose = nullptr)
{
    QSet<long>* rows = loose;
    if (run.rowKeys.size() >= CRecipeRowShifts::MIN_RUN) {
        run.shift.unitProcedureDelta = run.unitProcedure.value_or(0);
        run.shift.operationDelta = run.operation.value_or(0);
        run.shift.rows = int(run.rowKeys.size());
        shifts << run.shift;
        rows = rowKeys;
    }
    if (rows) {
        for (const long key : std::as_const(run.rowKeys))
            rows->insert(key);
    }
    run = OpenShiftRun();
}

struct OldRow {
    long sequence;
    long rowKey;
    const RecipeRowState* state;
};

// The old rows in sequence order; none when a number repeats.
QList<OldRow> RowsInOldOrder(const RecipeLinesState& before)
{
    QList<OldRow> order;
    order.reserve(before.rows.size());
    for (auto it = before.rows.begin(); it != before.rows.end(); ++it)
        order.append({it->sequence, it.key(), &it.value()});
    std::sort(order.begin(), order.end(),
              [](const OldRow& a, const OldRow& b) { return a.sequence < b.sequence; });
    const auto repeated =
        std::adjacent_find(order.begin(), order.end(),
                           [](const OldRow& a, const OldRow& b) { return a.sequence == b.sequence; });
    return repeated == order.end() ? order : QList<OldRow>();
}

} // namespace

QList<RecipeRowShift> CRecipeRowShifts::Find(const RecipeLinesState& before, const RecipeLinesState& after,
                                             QSet<long>* rowKeys)
{
    QList<RecipeRowShift> shifts;
    OpenShiftRun run;
    for (const OldRow& old : RowsInOldOrder(before)) {
        const auto now = after.rows.constFind(old.rowKey);
        const std::optional<RowShiftAmounts> amounts =
            now == after.rows.constEnd() ? std::nullopt : ShiftAmountsOf(*old.state, *now);
        if (!run.rowKeys.isEmpty() && (!amounts || !FitsRun(run, *amounts)))
            CloseRun(run, shifts, rowKeys);
        if (amounts)
            ExtendRun(run, old.sequence, old.rowKey, *amounts, IsKeywordLine(old.state->kind));
    }
    CloseRun(run, shifts, rowKeys);
    return shifts;
}

AlignedRowShifts CRecipeRowShifts::FindAligned(const QList<RecipeLineRow>& before,
                                               const QList<RecipeLineRow>& after,
                                               std::pair<qsizetype, qsizetype> ends)
{
    const auto [head, tail] = ends;
    const qsizetype beforeEnd = before.size() - tail, afterEnd = after.size() - tail;
    std::vector<RowShiftAmounts> amounts; // from the last line up
    for (qsizetype k = 1; beforeEnd - k >= head && afterEnd - k >= head; ++k) {
        const RecipeLineRow& old = before.at(beforeEnd - k);
        const RecipeLineRow& now = after.at(afterEnd - k);
        if (old.rowKey != now.rowKey || old.owner != now.owner)
            break;
        const std::optional<RowShiftAmounts> shift = ShiftAmountsOf(old.row, now.row);
        if (!shift)
            break;
        amounts.push_back(*shift);
    }
    AlignedRowShifts aligned;
    aligned.rows = qsizetype(amounts.size());
    OpenShiftRun run;
    for (qsizetype k = aligned.rows; k >= 1; --k) { // in old sequence order
        const RecipeLineRow& old = before.at(beforeEnd - k);
        const RowShiftAmounts& shift = amounts[size_t(k - 1)];
        if (!run.rowKeys.isEmpty() && !FitsRun(run, shift))
            CloseRun(run, aligned.shifts, nullptr, &aligned.loose);
        ExtendRun(run, old.row.sequence, old.rowKey, shift, IsKeywordLine(old.row.kind));
    }
    CloseRun(run, aligned.shifts, nullptr, &aligned.loose);
    return aligned;
}
