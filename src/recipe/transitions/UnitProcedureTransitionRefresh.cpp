#include "recipe/transitions/UnitProcedureTransitionRefresh.h"

#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/recordsets/JsonIds.h"
#include "recipe/transitions/LevelTransitions.h"
#include "recipe/transitions/RecipeKeywords.h"
#include "recipe/transitions/RecipeLevels.h"
#include "recipe/transitions/RecipeStructureCheck.h"

#include <QHash>
#include <QList>
#include <QVariant>

#include <tuple>

namespace {
// The visible recipe rows in recipe order, as the run's build reads them, with what the
// unit-procedure level needs of them: their ids and types.
const char* const REFRESH_VISIBLE_ROWS_SQL =
    "SELECT ID, Type FROM TextRecipe WHERE StepID = ? AND NOT Hide ORDER BY RecipeSequenceNumber, RowKey";
const char* const REFRESH_START_SQL = "SELECT UnitProcedureID FROM QrySTARTUnitProcedure";
const char* const REFRESH_STORED_SQL = "SELECT FromUnitProcedureID, ToUnitProcedureID, TransitionType FROM "
                                       "UnitProcedureTransition ORDER BY RowKey";

using UnitTransition = std::tuple<long, long, QString>; // from, to, type
using UnitTransitionsByOrigin = QHash<long, QList<std::pair<long, QString>>>;

// Each run of operation lines is kept as its first: the structure check and the unit-procedure
// level see the same structure, and the build costs what the unit procedures and keywords cost.
Array<RecipeRow> ReadRefreshRows(CDaoDatabase& step, long stepID)
{
    Array<RecipeRow> rows;
    ExecKept(step, QStringLiteral("TextRecipe"), QString::fromLatin1(REFRESH_VISIBLE_ROWS_SQL),
             {qlonglong(stepID)}, [&rows](KeptResult& row) {
                 bool afterOperation = false;
                 while (row.next()) {
                     const QString type = row.value(1).toString();
                     const bool operation =
                         type.compare(QLatin1String("Operation"), Qt::CaseInsensitive) == 0;
                     if (!operation || !afterOperation) {
                         RecipeRow line;
                         std::tie(line.ID, line.Type) = std::pair(long(row.value(0).toLongLong()), type);
                         rows.Add(line);
                     }
                     afterOperation = operation;
                 }
             });
    return rows;
}

bool HasStoredTransitions(CDaoDatabase& step)
{
    static const QString sql = QStringLiteral("SELECT EXISTS (SELECT 1 FROM UnitProcedureTransition)");
    bool stored = false;
    ExecKept(step, QStringLiteral("UnitProcedureTransition"), sql, {},
             [&stored](KeptResult& row) { stored = row.next() && row.value(0).toLongLong() != 0; });
    return stored;
}

// The START unit procedure's id; 1 without one, as the run's build takes it.
long ReadRefreshStart(CDaoDatabase& step)
{
    long start = 1;
    ExecKept(step, QStringLiteral("UnitProcedure"), QString::fromLatin1(REFRESH_START_SQL), {},
             [&start](KeptResult& row) {
                 if (row.next() && !row.value(0).isNull())
                     start = long(row.value(0).toLongLong());
             });
    return start;
}

QList<UnitTransition> ReadStoredUnitTransitions(CDaoDatabase& step)
{
    QList<UnitTransition> stored;
    ExecKept(step, QStringLiteral("UnitProcedureTransition"), QString::fromLatin1(REFRESH_STORED_SQL), {},
             [&stored](KeptResult& row) {
                 while (row.next())
                     stored.append({long(row.value(0).toLongLong()), long(row.value(1).toLongLong()),
                                    row.value(2).toString()});
             });
    return stored;
}

// What a transition tells a text of where the contents go: into a block's choices, into its
// branches, or to one unit procedure.
QString DestinationKind(const QString& type)
{
    if (type.compare(QLatin1String("Start Or"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("or");
    if (type.compare(QLatin1String("Start Parallel"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("and");
    return QString();
}

// Each origin's transitions in order, each as where it goes and what of its type counts: the
// whole type, or only what a text tells of it.
UnitTransitionsByOrigin ByOrigin(const QList<UnitTransition>& transitions, bool typeAsText)
{
    UnitTransitionsByOrigin byOrigin;
    for (const auto& [from, to, type] : transitions)
        byOrigin[from].append({to, typeAsText ? DestinationKind(type) : type.toLower()});
    return byOrigin;
}

// Where the texts of a step without stored transitions sent the contents: each visible unit
// procedure to the next one in recipe order.
QList<UnitTransition> RecipeOrderTransitions(const Array<RecipeRow>& rows, long start)
{
    QList<UnitTransition> chain;
    long previous = start;
    for (const RecipeRow& row : rows) {
        if (row.Type.compare(QLatin1String("Unit Procedure"), Qt::CaseInsensitive) != 0)
            continue;
        chain.append({previous, row.ID, QStringLiteral("Series")});
        previous = row.ID;
    }
    return chain;
}

// The origins whose transitions differ: in their rows, or (asText) in what their texts tell.
QSet<long> ChangedOrigins(const QList<UnitTransition>& before, const QList<UnitTransition>& after,
                          bool asText)
{
    const UnitTransitionsByOrigin old = ByOrigin(before, asText), now = ByOrigin(after, asText);
    QSet<long> changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        if (old.value(it.key()) != it.value())
            changed.insert(it.key());
    }
    for (auto it = old.cbegin(); it != old.cend(); ++it) {
        if (!now.contains(it.key()))
            changed.insert(it.key());
    }
    return changed;
}

// The rows of the origins that changed are written again, in the build's order; the others keep
// theirs (and their ids), so an edit writes what it changed.
void WriteChangedOrigins(CDaoDatabase& step, const QSet<long>& origins, const Array<TransitionRecord>& built,
                         long stepID)
{
    static const QString remove = QStringLiteral(
        "DELETE FROM UnitProcedureTransition WHERE FromUnitProcedureID IN (SELECT value FROM json_each(?))");
    static const QString insert = QStringLiteral(
        "INSERT INTO UnitProcedureTransition (UnitProcedureTransitionID, FromUnitProcedureID,"
        " ToUnitProcedureID, StepID, TransitionType) SELECT json_extract(value, '$[0]'),"
        " json_extract(value, '$[1]'), json_extract(value, '$[2]'), json_extract(value, '$[3]'),"
        " json_extract(value, '$[4]') FROM json_each(?) ORDER BY key");
    QList<QVariantList> rows;
    for (const TransitionRecord& t : built) {
        if (origins.contains(t.FromID))
            rows.append({t.TransitionID, qlonglong(t.FromID), qlonglong(t.ToID), qlonglong(stepID),
                         t.TransitionType});
    }
    const QString table = QStringLiteral("UnitProcedureTransition");
    ExecKept(step, table, remove, {JsonIds(QList<long>(origins.cbegin(), origins.cend()))});
    if (!rows.isEmpty())
        ExecKept(step, table, insert, {JsonRows(rows)});
}

// The step's block rules, then the unit-procedure level's own; the operations' levels are the
// run's build to check.
bool BuildUnitProcedureLevel(const Array<RecipeRow>& recipe, long stepID, long start,
                             Array<TransitionRecord>& out)
{
    StructureCheckResult result;
    CRecipeStructureCheck check(recipe);
    if (!check.CheckStep(result))
        return false;
    const RecipeLevels levels = SplitRecipeLevels(recipe, check.Pairs());
    CLevelTransitions unitLevel(UNIT_PROCEDURE_TYPE, levels.unitProcedures, stepID, start,
                                FreshTransitionIds());
    return unitLevel.Build(out, result);
}
} // namespace

QSet<long> RefreshUnitProcedureTransitions(CDaoDatabase& step, long stepID, bool onlyOnceBuilt)
{
    if (onlyOnceBuilt && !HasStoredTransitions(step))
        return {};
    const Array<RecipeRow> recipe = ReadRefreshRows(step, stepID);
    const long start = ReadRefreshStart(step);
    Array<TransitionRecord> built;
    if (!BuildUnitProcedureLevel(recipe, stepID, start, built))
        return {};
    QList<UnitTransition> now;
    for (const TransitionRecord& t : built)
        now.append({t.FromID, t.ToID, t.TransitionType});
    const QList<UnitTransition> stored = ReadStoredUnitTransitions(step);
    const QSet<long> rewritten = ChangedOrigins(stored, now, false);
    if (rewritten.isEmpty())
        return {};
    WriteChangedOrigins(step, rewritten, built, stepID);
    // Never built: the texts went by recipe order, and only where the transitions differ from it
    // do they change. The start names no vessel.
    QSet<long> changed =
        ChangedOrigins(stored.isEmpty() ? RecipeOrderTransitions(recipe, start) : stored, now, true);
    changed.remove(start);
    return changed;
}
