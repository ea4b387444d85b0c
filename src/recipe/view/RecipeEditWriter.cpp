// Set-based writes of the rows a text-recipe edit changed, and the texts the edit made stale.

#include "recipe/view/RecipeEditWriter.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/ProcessOperationService.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/recordsets/JsonIds.h"
#include "recipe/transitions/UnitProcedureTransitionRefresh.h"
#include "recipe/view/RecipeButton.h"
#include "recipe/view/RecipeRowShifts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>

#include <algorithm>
#include <tuple>

namespace {

const QString EDIT_WRITER_KEY = QStringLiteral("recipe edit");

// A line of the recipe's structure (a unit procedure or a keyword) as far as the transitions go:
// its row, kind and whether it is hidden; not its numbers, which shift with lines above it.
using StructureLine = std::tuple<long, int, bool>;

const char* const UPDATE_ROWS =
    "UPDATE TextRecipe SET RecipeSequenceNumber = json_extract(j.value, '$[1]'),"
    " ID = json_extract(j.value, '$[2]'), Indent = json_extract(j.value, '$[3]'),"
    " Label = json_extract(j.value, '$[4]'), OPNumber = json_extract(j.value, '$[5]'),"
    " UPNumber = json_extract(j.value, '$[6]'), Hide = json_extract(j.value, '$[7]'),"
    " Breakpoint = json_extract(j.value, '$[8]')"
    " FROM json_each(?1) AS j WHERE TextRecipe.RowKey = json_extract(j.value, '$[0]')";

// The same of rows whose ID stays: ID is indexed, and an update that sets it rewrites its index
// entry (one more page to make durable) even when the value is the same.
const char* const UPDATE_ROWS_KEEPING_ID =
    "UPDATE TextRecipe SET RecipeSequenceNumber = json_extract(j.value, '$[1]'),"
    " Indent = json_extract(j.value, '$[3]'), Label = json_extract(j.value, '$[4]'),"
    " OPNumber = json_extract(j.value, '$[5]'), UPNumber = json_extract(j.value, '$[6]'),"
    " Hide = json_extract(j.value, '$[7]'), Breakpoint = json_extract(j.value, '$[8]')"
    " FROM json_each(?1) AS j WHERE TextRecipe.RowKey = json_extract(j.value, '$[0]')";

// The ranges of old sequence numbers [$[0], $[1]] of step ?2, each moving by $[2]; its unit
// procedures and operations take $[3] more on their unit-procedure number, its operations $[4] more
// on theirs, and their labels follow where a number changed. The ranges are read once, ahead of the
// rows: each then reaches its rows through the sequence index. All go in one statement, so each row
// is matched by its old number however far another range moves.
const char* const SHIFT_RANGES_ROWS =
    "WITH r AS MATERIALIZED (SELECT json_extract(value, '$[0]') AS lo, json_extract(value, '$[1]') AS hi,"
    "   json_extract(value, '$[2]') AS ds, json_extract(value, '$[3]') AS du,"
    "   json_extract(value, '$[4]') AS dop FROM json_each(?1))"
    " UPDATE TextRecipe SET RecipeSequenceNumber = RecipeSequenceNumber + r.ds,"
    " UPNumber = CASE WHEN r.du = 0 THEN UPNumber"
    "   WHEN Type IN ('Unit Procedure', 'Operation') THEN UPNumber + r.du ELSE UPNumber END,"
    " OPNumber = CASE WHEN r.dop = 0 THEN OPNumber WHEN Type = 'Operation' THEN OPNumber + r.dop ELSE "
    "OPNumber END,"
    " Label = CASE WHEN r.du = 0 AND r.dop = 0 THEN Label"
    "   WHEN Type = 'Operation' THEN (UPNumber + r.du) || '.' || (OPNumber + r.dop) || '.'"
    "   WHEN Type = 'Unit Procedure' AND r.du <> 0 THEN (UPNumber + r.du) || '.' ELSE Label END"
    " FROM r WHERE TextRecipe.StepID = ?2 AND TextRecipe.RecipeSequenceNumber BETWEEN r.lo AND r.hi";

// One range as above, its numbers bound: ?1 to ?2 of step ?6 move by ?3, ?4 and ?5. Without the
// ranges' table, the engine updates the rows in one pass over the sequence index (the common case:
// everything below an inserted, pasted or deleted block moves alike).
const char* const SHIFT_RANGE_ROWS =
    "UPDATE TextRecipe SET RecipeSequenceNumber = RecipeSequenceNumber + ?3,"
    " UPNumber = CASE WHEN ?4 = 0 THEN UPNumber"
    "   WHEN Type IN ('Unit Procedure', 'Operation') THEN UPNumber + ?4 ELSE UPNumber END,"
    " OPNumber = CASE WHEN ?5 = 0 THEN OPNumber WHEN Type = 'Operation' THEN OPNumber + ?5 ELSE OPNumber END,"
    " Label = CASE WHEN ?4 = 0 AND ?5 = 0 THEN Label"
    "   WHEN Type = 'Operation' THEN (UPNumber + ?4) || '.' || (OPNumber + ?5) || '.'"
    "   WHEN Type = 'Unit Procedure' AND ?4 <> 0 THEN (UPNumber + ?4) || '.' ELSE Label END"
    " WHERE StepID = ?6 AND RecipeSequenceNumber BETWEEN ?1 AND ?2";

// Keyword rows of the ranges take their new position as ID: the rows ?1 (row keys) move by ?2. ID
// is indexed, and only keyword rows change it.
const char* const SHIFT_RANGES_KEYWORD_IDS =
    "UPDATE TextRecipe SET ID = ID + ?2 WHERE RowKey IN (SELECT value FROM json_each(?1))";

// One row by key, its values bound: for the few rows of a small edit (a move swaps two), cheaper
// than a JSON array built, serialised and parsed again. ?3 (ID) is bound but not written by the
// second, as in UPDATE_ROWS_KEEPING_ID.
const char* const UPDATE_ROW =
    "UPDATE TextRecipe SET RecipeSequenceNumber = ?2, ID = ?3, Indent = ?4, Label = ?5, OPNumber = ?6,"
    " UPNumber = ?7, Hide = ?8, Breakpoint = ?9 WHERE RowKey = ?1";
const char* const UPDATE_ROW_KEEPING_ID =
    "UPDATE TextRecipe SET RecipeSequenceNumber = ?2, Indent = ?4, Label = ?5, OPNumber = ?6,"
    " UPNumber = ?7, Hide = ?8, Breakpoint = ?9 WHERE RowKey = ?1";
// Up to this many rows are written one by one.
constexpr qsizetype FEW_ROWS = 8;

const char* const DELETE_ROWS = "DELETE FROM TextRecipe WHERE RowKey IN (SELECT value FROM json_each(?1))";

const char* const UPDATE_OWNERS =
    "UPDATE Operation SET UnitProcedureID = json_extract(j.value, '$[1]')"
    " FROM json_each(?1) AS j WHERE Operation.OperationID = json_extract(j.value, '$[0]')";

QString JsonText(const QJsonArray& values)
{
    return QString::fromUtf8(QJsonDocument(values).toJson(QJsonDocument::Compact));
}

// Answers the rows the statement changed.
long long RunCountedStatement(CDaoDatabase& step, const char* table, const char* sql,
                              const QVariantList& values)
{
    const StatementKey key{
        StatementKind::Update, QString::fromLatin1(table), {QString::fromLatin1(sql)}, {EDIT_WRITER_KEY}, {}};
    long long changed = 0;
    step.Connection().execKept(
        key, [sql] { return QString::fromLatin1(sql); }, values,
        [&changed](KeptResult& result) { changed = result.rowsAffected(); });
    return changed;
}

void RunEditStatement(CDaoDatabase& step, const char* table, const char* sql, const QJsonArray& values)
{
    RunCountedStatement(step, table, sql, {JsonText(values)});
}

long long RunShiftStatement(CDaoDatabase& step, long stepID, const QList<RecipeRowShift>& shifts,
                            const QJsonArray& ranges)
{
    if (shifts.size() != 1)
        return RunCountedStatement(step, "TextRecipe", SHIFT_RANGES_ROWS,
                                   {JsonText(ranges), qlonglong(stepID)});
    const RecipeRowShift& shift = shifts.first();
    return RunCountedStatement(step, "TextRecipe", SHIFT_RANGE_ROWS,
                               {qlonglong(shift.firstSequence), qlonglong(shift.lastSequence),
                                qlonglong(shift.sequenceDelta), qlonglong(shift.unitProcedureDelta),
                                qlonglong(shift.operationDelta), qlonglong(stepID)});
}

// The runs of rows that only moved, each by its range; false, with nothing written, when the ranges
// hold rows the lines did not show (those rows are then written by key with the others).
bool WriteShifts(CDaoDatabase& step, long stepID, const QList<RecipeRowShift>& shifts)
{
    QJsonArray ranges;
    QHash<long, QJsonArray> keywordsByDelta;
    long long rows = 0;
    for (const RecipeRowShift& shift : shifts) {
        QJsonArray& keywords = keywordsByDelta[shift.sequenceDelta];
        for (const long key : shift.keywordRowKeys)
            keywords.append(qint64(key));
        ranges.append(QJsonArray{qint64(shift.firstSequence), qint64(shift.lastSequence),
                                 qint64(shift.sequenceDelta), qint64(shift.unitProcedureDelta),
                                 qint64(shift.operationDelta)});
        rows += shift.rows;
    }
    CDaoTransaction savepoint(step);
    for (auto it = keywordsByDelta.begin(); it != keywordsByDelta.end(); ++it) {
        if (!it->isEmpty())
            RunCountedStatement(step, "TextRecipe", SHIFT_RANGES_KEYWORD_IDS,
                                {JsonText(it.value()), qlonglong(it.key())});
    }
    if (RunShiftStatement(step, stepID, shifts, ranges) != rows)
        return false;
    savepoint.Commit();
    return true;
}

QVariantList BoundRowValues(long rowKey, const RecipeRowState& row)
{
    return {qlonglong(rowKey),
            qlonglong(row.sequence),
            qlonglong(row.id),
            row.indent,
            row.label.isEmpty() ? QVariant() : QVariant(row.label),
            qlonglong(row.opNumber),
            qlonglong(row.upNumber),
            row.hide ? 1 : 0,
            row.breakpoint ? 1 : 0};
}

// The same values as a row of the JSON statement (an empty label is null there too).
QJsonArray RowValues(long rowKey, const RecipeRowState& row)
{
    return QJsonArray::fromVariantList(BoundRowValues(rowKey, row));
}

// The rows by key through one of two kept statements, each keyed once.
void WriteFewRows(CDaoDatabase& step, const RecipeLinesState& after, const QList<long>& keys, bool keepingID)
{
    static const StatementKey withID{
        StatementKind::Update, QStringLiteral("TextRecipe"), {QString::fromLatin1(UPDATE_ROW)}, {EDIT_WRITER_KEY}, {}};
    static const StatementKey withoutID{StatementKind::Update,
                                        QStringLiteral("TextRecipe"),
                                        {QString::fromLatin1(UPDATE_ROW_KEEPING_ID)},
                                        {EDIT_WRITER_KEY},
                                        {}};
    const StatementKey& key = keepingID ? withoutID : withID;
    const char* const sql = keepingID ? UPDATE_ROW_KEEPING_ID : UPDATE_ROW;
    for (const long rowKey : keys)
        step.Connection().execKept(
            key, [sql] { return QString::fromLatin1(sql); }, BoundRowValues(rowKey, after.rows.value(rowKey)));
}

// The rows by key: a few one by one, more in one statement.
void WriteRows(CDaoDatabase& step, const RecipeLinesState& after, const QList<long>& keys, bool keepingID)
{
    if (keys.isEmpty())
        return;
    if (keys.size() <= FEW_ROWS)
        return WriteFewRows(step, after, keys, keepingID);
    QJsonArray values;
    for (const long key : keys)
        values.append(RowValues(key, after.rows.value(key)));
    RunEditStatement(step, "TextRecipe", keepingID ? UPDATE_ROWS_KEEPING_ID : UPDATE_ROWS, values);
}

QJsonArray DeletedRowKeys(const RecipeLinesState& before, const RecipeLinesState& after)
{
    QJsonArray deleted;
    for (auto it = before.rows.begin(); it != before.rows.end(); ++it) {
        if (!after.rows.contains(it.key()))
            deleted.append(qint64(it.key()));
    }
    return deleted;
}

// The rows that are new or differ.
QList<long> ChangedRowKeys(const RecipeLinesState& before, const RecipeLinesState& after)
{
    QList<long> changed;
    for (auto it = after.rows.begin(); it != after.rows.end(); ++it) {
        const auto old = before.rows.constFind(it.key());
        if (old == before.rows.constEnd() || *old != it.value())
            changed.append(it.key());
    }
    return changed;
}

// [operation id, unit procedure id] of the operations that changed owner.
QJsonArray ChangedOwners(const RecipeLinesState& before, const RecipeLinesState& after)
{
    QJsonArray owners;
    for (auto it = after.owners.begin(); it != after.owners.end(); ++it) {
        if (it.value() > -1 && before.owners.value(it.key(), -1) != it.value())
            owners.append(QJsonArray{qint64(it.key()), qint64(it.value())});
    }
    return owners;
}

} // namespace

namespace {
void FillRowState(RecipeRowState& row, const RecipeLineRecord& line, long sequence)
{
    row.kind = line.kind;
    std::tie(row.sequence, row.id, row.indent, row.label) = std::tuple(sequence, line.itemID, line.indent, line.label);
    std::tie(row.opNumber, row.upNumber, row.hide, row.breakpoint) =
        std::tuple(line.operationNumber, line.unitProcedureNumber, line.hidden, line.breakpoint);
}
} // namespace

RecipeRowState CRecipeEditWriter::RowStateOf(const RecipeLineRecord& line, long sequence)
{
    RecipeRowState row;
    FillRowState(row, line, sequence);
    return row;
}

namespace {
template <typename Lines, typename LineOf> RecipeLinesState LinesStateOf(const Lines& lines, LineOf lineOf)
{
    RecipeLinesState state;
    state.rows.reserve(lines.size());
    state.owners.reserve(lines.size());
    long owner = -1;
    for (int index = 0; index < lines.size(); ++index) {
        const RecipeLineRecord& line = lineOf(lines.at(index));
        state.rows.insert(line.rowKey, CRecipeEditWriter::RowStateOf(line, index + 1));
        if (line.kind == RECIPE_LINE_UNIT_PROCEDURE)
            owner = line.itemID;
        else if (line.kind == RECIPE_LINE_OPERATION)
            state.owners.insert(line.itemID, owner);
    }
    return state;
}
} // namespace

// Filled in place: a snapshot of every line is taken twice per edit.
QList<RecipeLineRow> CRecipeEditWriter::RowsOf(const QList<CRecipeButton*>& lines)
{
    return RowsOf(lines, 0, lines.size());
}

QList<RecipeLineRow> CRecipeEditWriter::RowsOf(const QList<CRecipeButton*>& lines, qsizetype from,
                                               qsizetype to)
{
    from = qBound(qsizetype(0), from, lines.size());
    to = qBound(from, to, lines.size());
    long owner = -1; // the unit procedure above the first line owns it
    for (qsizetype above = from - 1; above >= 0; --above) {
        const RecipeLineRecord& line = lines.at(above)->line();
        if (line.kind == RECIPE_LINE_UNIT_PROCEDURE) {
            owner = line.itemID;
            break;
        }
    }
    QList<RecipeLineRow> rows(to - from);
    RecipeLineRow* out = rows.data();
    for (qsizetype index = from; index < to; ++index, ++out) {
        const RecipeLineRecord& line = lines.at(index)->line();
        if (line.kind == RECIPE_LINE_UNIT_PROCEDURE)
            owner = line.itemID;
        std::tie(out->rowKey, out->owner) = std::pair(line.rowKey, owner);
        FillRowState(out->row, line, long(index + 1));
    }
    return rows;
}

namespace {
void AddRows(RecipeLinesState& state, const QList<RecipeLineRow>& rows, qsizetype from, qsizetype to)
{
    state.rows.reserve(to - from);
    for (qsizetype i = from; i < to; ++i) {
        const RecipeLineRow& line = rows.at(i);
        state.rows.insert(line.rowKey, line.row);
        if (line.row.kind == RECIPE_LINE_OPERATION)
            state.owners.insert(line.row.id, line.owner);
    }
}
} // namespace

std::pair<qsizetype, qsizetype> CRecipeEditWriter::SharedEnds(const QList<RecipeLineRow>& before,
                                                              const QList<RecipeLineRow>& after)
{
    const qsizetype shorter = qMin(before.size(), after.size());
    qsizetype head = 0;
    while (head < shorter && before.at(head) == after.at(head))
        ++head;
    qsizetype tail = 0;
    while (tail < shorter - head && before.at(before.size() - 1 - tail) == after.at(after.size() - 1 - tail))
        ++tail;
    return {head, tail};
}

std::pair<RecipeLinesState, RecipeLinesState>
CRecipeEditWriter::ChangedStates(const QList<RecipeLineRow>& before, const QList<RecipeLineRow>& after)
{
    return ChangedStates(before, after, SharedEnds(before, after));
}

std::pair<RecipeLinesState, RecipeLinesState>
CRecipeEditWriter::ChangedStates(const QList<RecipeLineRow>& before, const QList<RecipeLineRow>& after,
                                 std::pair<qsizetype, qsizetype> ends)
{
    const auto [head, tail] = ends;
    std::pair<RecipeLinesState, RecipeLinesState> states;
    AddRows(states.first, before, head, before.size() - tail);
    AddRows(states.second, after, head, after.size() - tail);
    return states;
}

RecipeLinesState CRecipeEditWriter::StateOf(const QList<CRecipeButton*>& lines)
{
    return LinesStateOf(lines, [](const CRecipeButton* line) -> const RecipeLineRecord& { return line->line(); });
}

RecipeLinesState CRecipeEditWriter::StateOf(const QList<RecipeLineRecord>& lines)
{
    return LinesStateOf(lines, [](const RecipeLineRecord& line) -> const RecipeLineRecord& { return line; });
}

namespace {
// The changed rows no written shift holds, by key; answers how many.
qsizetype WriteChangedByKey(CDaoDatabase& step, const RecipeLinesState& before, const RecipeLinesState& after,
                            const QList<long>& changedKeys, const QSet<long>& shifted)
{
    QList<long> changed, keepingID;
    for (const long key : changedKeys) {
        if (shifted.contains(key))
            continue;
        const auto old = before.rows.constFind(key);
        const bool sameID = old != before.rows.constEnd() && old->id == after.rows.value(key).id;
        (sameID ? keepingID : changed).append(key);
    }
    WriteRows(step, after, changed, false);
    WriteRows(step, after, keepingID, true);
    return changed.size() + keepingID.size();
}

// The deletes; the shifts given with those found among the states, in one statement, every range
// matched by its old numbers; the other changed rows by key; the owners. *shiftsWritten: false
// when there were none or the ranges were refused (the rows of the found ones then went by key).
int WriteStates(CDaoDatabase& step, long stepID, const RecipeLinesState& before, const RecipeLinesState& after,
                QList<RecipeRowShift> shifts, bool* shiftsWritten)
{
    const QJsonArray deleted = DeletedRowKeys(before, after);
    if (!deleted.isEmpty())
        RunEditStatement(step, "TextRecipe", DELETE_ROWS, deleted);
    const QList<long> changedKeys = ChangedRowKeys(before, after);
    QSet<long> shifted;
    if (changedKeys.size() >= CRecipeRowShifts::MIN_RUN)
        shifts << CRecipeRowShifts::Find(before, after, &shifted);
    *shiftsWritten = !shifts.isEmpty() && WriteShifts(step, stepID, shifts);
    if (!*shiftsWritten)
        shifted.clear();
    const qsizetype byKey = WriteChangedByKey(step, before, after, changedKeys, shifted);
    const QJsonArray owners = ChangedOwners(before, after);
    if (!owners.isEmpty())
        RunEditStatement(step, "Operation", UPDATE_OWNERS, owners);
    return int(deleted.size() + shifted.size() + byKey);
}

void AddRow(RecipeLinesState& state, const RecipeLineRow& line)
{
    state.rows.insert(line.rowKey, line.row);
    if (line.row.kind == RECIPE_LINE_OPERATION)
        state.owners.insert(line.row.id, line.owner);
}

// The states of the lines [from, from + count) of both snapshots, those with a key in `only`
// alone when it is given.
std::pair<RecipeLinesState, RecipeLinesState> AlignedStates(const QList<RecipeLineRow>& before, qsizetype beforeFrom,
                                                            const QList<RecipeLineRow>& after, qsizetype afterFrom,
                                                            qsizetype count, const QSet<long>* only)
{
    std::pair<RecipeLinesState, RecipeLinesState> states;
    for (qsizetype k = 0; k < count; ++k) {
        if (only && !only->contains(before.at(beforeFrom + k).rowKey))
            continue;
        AddRow(states.first, before.at(beforeFrom + k));
        AddRow(states.second, after.at(afterFrom + k));
    }
    return states;
}
} // namespace

int CRecipeEditWriter::Write(CDaoDatabase& step, long stepID, const RecipeLinesState& before,
                             const RecipeLinesState& after)
{
    bool shiftsWritten = false;
    return WriteStates(step, stepID, before, after, {}, &shiftsWritten);
}

int CRecipeEditWriter::Write(CDaoDatabase& step, long stepID, const QList<RecipeLineRow>& before,
                             const QList<RecipeLineRow>& after, std::pair<qsizetype, qsizetype> ends)
{
    const AlignedRowShifts aligned = CRecipeRowShifts::FindAligned(before, after, ends);
    const auto [head, tail] = ends;
    const qsizetype beforeFrom = before.size() - tail - aligned.rows;
    const qsizetype afterFrom = after.size() - tail - aligned.rows;
    auto [was, is] = ChangedStates(before, after, {head, tail + aligned.rows});
    if (!aligned.loose.isEmpty()) {
        const auto [looseWas, looseIs] =
            AlignedStates(before, beforeFrom, after, afterFrom, aligned.rows, &aligned.loose);
        was.rows.insert(looseWas.rows), was.owners.insert(looseWas.owners);
        is.rows.insert(looseIs.rows), is.owners.insert(looseIs.owners);
    }
    bool shiftsWritten = false;
    int rows = WriteStates(step, stepID, was, is, aligned.shifts, &shiftsWritten);
    if (aligned.shifts.isEmpty())
        return rows;
    if (shiftsWritten) {
        for (const RecipeRowShift& shift : aligned.shifts)
            rows += shift.rows;
        return rows;
    }
    // The ranges held rows the lines do not show: the aligned rows go by key too.
    const auto [alignedWas, alignedIs] = AlignedStates(before, beforeFrom, after, afterFrom, aligned.rows, nullptr);
    QList<long> keys;
    for (auto it = alignedIs.rows.begin(); it != alignedIs.rows.end(); ++it) {
        if (!aligned.loose.contains(it.key()))
            keys << it.key();
    }
    return rows + int(WriteChangedByKey(step, alignedWas, alignedIs, keys, {}));
}

namespace {
// Each unit procedure's successor in recipe order; 0 after the last.
QHash<long, long> NextUnitProcedures(const RecipeLinesState& state)
{
    QList<std::pair<long, long>> units; // sequence, id
    for (const RecipeRowState& row : state.rows) {
        if (row.kind == RECIPE_LINE_UNIT_PROCEDURE)
            units.append({row.sequence, row.id});
    }
    std::sort(units.begin(), units.end());
    QHash<long, long> next;
    for (int i = 0; i < units.size(); ++i)
        next.insert(units.at(i).second, i + 1 < units.size() ? units.at(i + 1).second : 0);
    return next;
}
} // namespace

QList<long> CRecipeEditWriter::RegenerateMovedTexts(long stepID, const RecipeLinesState& before,
                                                    const RecipeLinesState& after)
{
    QList<long> stale = StaleOperations(before, after);
    if (ChangesStructure(before, after))
        AddNewDestinations(stepID, stale);
    RegenerateTexts(stepID, stale);
    return stale;
}

bool CRecipeEditWriter::ChangesStructure(const RecipeLinesState& before, const RecipeLinesState& after)
{
    const auto structure = [](const RecipeLinesState& state) {
        QList<std::pair<long, StructureLine>> lines; // by sequence
        for (auto it = state.rows.cbegin(); it != state.rows.cend(); ++it) {
            if (it->kind != RECIPE_LINE_OPERATION)
                lines.append({it->sequence, {it.key(), it->kind, it->hide}});
        }
        std::sort(lines.begin(), lines.end());
        QList<StructureLine> ordered;
        for (const auto& line : std::as_const(lines))
            ordered.append(line.second);
        return ordered;
    };
    return structure(before) != structure(after);
}

bool CRecipeEditWriter::ChangesStructure(const QList<RecipeLineRow>& before,
                                         const QList<RecipeLineRow>& after,
                                         std::pair<qsizetype, qsizetype> ends)
{
    const auto [head, tail] = ends;
    const auto structure = [head = head, tail = tail](const QList<RecipeLineRow>& rows) {
        QList<StructureLine> lines;
        for (qsizetype i = head; i < rows.size() - tail; ++i) {
            if (rows.at(i).row.kind != RECIPE_LINE_OPERATION)
                lines.append({rows.at(i).rowKey, rows.at(i).row.kind, rows.at(i).row.hide});
        }
        return lines;
    };
    return structure(before) != structure(after);
}

void CRecipeEditWriter::AddNewDestinations(long stepID, QList<long>& stale, bool onlyOnceBuilt)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step)
        return;
    const QSet<long> changed = RefreshUnitProcedureTransitions(*step, stepID, onlyOnceBuilt);
    if (changed.isEmpty())
        return;
    static const QString sql = QStringLiteral(
        "SELECT OperationID FROM Operation WHERE UnitProcedureID IN (SELECT value FROM json_each(?))");
    QSet<long> listed(stale.cbegin(), stale.cend());
    ExecKept(*step, QStringLiteral("Operation"), sql,
             {JsonIds(QList<long>(changed.cbegin(), changed.cend()))}, [&](KeptResult& row) {
                 while (row.next()) {
                     const long operationID = long(row.value(0).toLongLong());
                     if (!listed.contains(operationID)) {
                         listed.insert(operationID);
                         stale.append(operationID);
                     }
                 }
             });
}

QList<long> CRecipeEditWriter::RegenerateTexts(long stepID, const QList<long>& operationIDs)
{
    return ProcessOperations(stepID, operationIDs);
}

QList<long> CRecipeEditWriter::StaleOperations(const RecipeLinesState& before, const RecipeLinesState& after)
{
    const QHash<long, long> nextBefore = NextUnitProcedures(before);
    const QHash<long, long> nextAfter = NextUnitProcedures(after);
    QList<long> stale;
    for (auto it = after.owners.begin(); it != after.owners.end(); ++it) {
        const long owner = it.value();
        const bool moved = owner > -1 && before.owners.value(it.key(), -1) != owner;
        const bool newSuccessor = nextBefore.value(owner, -1) != nextAfter.value(owner, -1);
        if (moved || newSuccessor)
            stale.append(it.key());
    }
    return stale;
}

namespace {
// Index of the first unit procedure line in [from, to); to without one.
qsizetype FirstUnitProcedure(const QList<RecipeLineRow>& rows, qsizetype from, qsizetype to)
{
    while (from < to && rows.at(from).row.kind != RECIPE_LINE_UNIT_PROCEDURE)
        ++from;
    return from;
}

// Index of the last unit procedure line before `before`; 0 without one.
qsizetype LastUnitProcedureBefore(const QList<RecipeLineRow>& rows, qsizetype before)
{
    while (before > 0 && rows.at(before - 1).row.kind != RECIPE_LINE_UNIT_PROCEDURE)
        --before;
    return before > 0 ? before - 1 : 0;
}

// Each unit procedure's successor among the lines [from, to), in line order; the last one's is the
// unit procedure at `to`, or 0 at the end.
QHash<long, long> NextUnitProcedures(const QList<RecipeLineRow>& rows, qsizetype from, qsizetype to)
{
    QHash<long, long> next;
    long previous = -1;
    for (qsizetype i = from; i <= to && i < rows.size(); ++i) {
        const RecipeLineRow& line = rows.at(i);
        if (line.row.kind != RECIPE_LINE_UNIT_PROCEDURE)
            continue;
        if (previous != -1)
            next.insert(previous, line.row.id);
        if (i == to)
            return next;
        next.insert(line.row.id, 0);
        previous = line.row.id;
    }
    return next;
}
} // namespace

QList<long> CRecipeEditWriter::StaleOperations(const QList<RecipeLineRow>& before,
                                               const QList<RecipeLineRow>& after,
                                               std::pair<qsizetype, qsizetype> ends,
                                               const QHash<long, long>& addedOwners)
{
    const auto [head, tail] = ends;
    // The lines at the end of the changed ones that are the same rows under the same owners kept
    // them: only those above are compared by id.
    qsizetype same = 0;
    for (; before.size() - tail - same > head && after.size() - tail - same > head; ++same) {
        const RecipeLineRow& old = before.at(before.size() - tail - 1 - same);
        const RecipeLineRow& now = after.at(after.size() - tail - 1 - same);
        if (old.rowKey != now.rowKey || old.owner != now.owner)
            break;
    }
    QHash<long, long> ownersBefore = addedOwners;
    for (qsizetype i = head; i < before.size() - tail - same; ++i) {
        if (before.at(i).row.kind == RECIPE_LINE_OPERATION)
            ownersBefore.insert(before.at(i).row.id, before.at(i).owner);
    }
    // Only the unit procedure last before the changed lines, those among them and their operations
    // can have another successor: the shared head and tail keep theirs.
    const qsizetype from = LastUnitProcedureBefore(after, head);
    const qsizetype endBefore = FirstUnitProcedure(before, before.size() - tail, before.size());
    const qsizetype endAfter = FirstUnitProcedure(after, after.size() - tail, after.size());
    const QHash<long, long> nextBefore = NextUnitProcedures(before, from, endBefore);
    const QHash<long, long> nextAfter = NextUnitProcedures(after, from, endAfter);
    QSet<long> newSuccessor;
    for (auto it = nextAfter.begin(); it != nextAfter.end(); ++it) {
        if (nextBefore.value(it.key(), -1) != it.value())
            newSuccessor.insert(it.key());
    }
    QList<long> stale;
    for (qsizetype i = from; i < endAfter; ++i) {
        const RecipeLineRow& line = after.at(i);
        if (line.row.kind != RECIPE_LINE_OPERATION)
            continue;
        const bool inWindow = i >= head && i < after.size() - tail - same;
        const bool moved = inWindow && line.owner > -1 && ownersBefore.value(line.row.id, -1) != line.owner;
        if (moved || newSuccessor.contains(line.owner))
            stale.append(line.row.id);
    }
    return stale;
}

QList<long> CRecipeEditWriter::RegenerateMovedTexts(long stepID, const QList<RecipeLineRow>& before,
                                                    const QList<RecipeLineRow>& after,
                                                    std::pair<qsizetype, qsizetype> ends)
{
    QList<long> stale = StaleOperations(before, after, ends);
    if (ChangesStructure(before, after, ends))
        AddNewDestinations(stepID, stale);
    RegenerateTexts(stepID, stale);
    return stale;
}

void CRecipeEditWriter::ShowRegeneratedTexts(long stepID, const QList<long>& operationIDs)
{
    if (!operationIDs.isEmpty())
        ReloadRecipeLines(stepID, operationIDs, RECIPE_LINE_OPERATION);
}
