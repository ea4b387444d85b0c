#include "recipe/transitions/UnitProcedureTransitionRefresh.h"

#include "foundation/db/BulkRows.h"
#include "foundation/db/DaoDatabase.h"
#include "recipe/transitions/RecipeTransitionPass.h"

#include <QHash>
#include <QList>
#include <QVariantList>

#include <tuple>

namespace {
// The visible recipe rows in recipe order, as the run's build reads them, each run of operation
// lines read as its first: the structure check and the unit-procedure level see the same
// structure, and a long recipe is read at the cost of its unit procedures and keywords.
const char* const REFRESH_VISIBLE_ROWS_SQL =
    "SELECT Label, UPNumber, OPNumber, Indent, ID, Type FROM (SELECT Label, UPNumber, OPNumber, Indent, ID,"
    "  Type, RecipeSequenceNumber AS Sequence, RowKey, lower(LAG(Type) OVER (ORDER BY RecipeSequenceNumber,"
    "  RowKey)) AS Before FROM TextRecipe WHERE StepID = ? AND NOT COALESCE(Hide, 0))"
    " WHERE Type <> 'Operation' OR Before IS NULL OR Before <> 'operation' ORDER BY Sequence, RowKey";
const char* const REFRESH_START_SQL = "SELECT UnitProcedureID FROM QrySTARTUnitProcedure";
const char* const REFRESH_STORED_SQL = "SELECT FromUnitProcedureID, ToUnitProcedureID, TransitionType FROM "
                                       "UnitProcedureTransition ORDER BY RowKey";

using UnitTransition = std::tuple<long, long, QString>; // from, to, type
using UnitTransitionsByOrigin = QHash<long, QList<std::pair<long, QString>>>;

Array<RecipeRow> ReadRefreshRows(CDaoDatabase& step, long stepID)
{
    Array<RecipeRow> rows;
    ExecKept(step, QStringLiteral("TextRecipe"), QString::fromLatin1(REFRESH_VISIBLE_ROWS_SQL),
             {qlonglong(stepID)}, [&rows](KeptResult& row) {
                 while (row.next())
                     rows.Add({row.value(0).toString(), long(row.value(1).toLongLong()),
                               long(row.value(2).toLongLong()), long(row.value(3).toLongLong()),
                               long(row.value(4).toLongLong()), row.value(5).toString()});
             });
    return rows;
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

UnitTransitionsByOrigin ByOrigin(const QList<UnitTransition>& transitions, long start)
{
    UnitTransitionsByOrigin byOrigin;
    for (const auto& [from, to, type] : transitions) {
        if (from != start)
            byOrigin[from].append({to, DestinationKind(type)});
    }
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

QSet<long> ChangedOrigins(const QList<UnitTransition>& before, const QList<UnitTransition>& after, long start)
{
    const UnitTransitionsByOrigin old = ByOrigin(before, start), now = ByOrigin(after, start);
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
} // namespace

QSet<long> RefreshUnitProcedureTransitions(CDaoDatabase& step, long stepID)
{
    const Array<RecipeRow> recipe = ReadRefreshRows(step, stepID);
    const long start = ReadRefreshStart(step);
    RecipeTransitions built;
    StructureCheckResult result;
    if (!BuildRecipeTransitions(recipe, stepID, {start, 1}, FreshTransitionIds(), built, result))
        return {};
    QList<UnitTransition> now;
    QList<QVariantList> rows;
    for (const TransitionRecord& t : built.unitProcedures) {
        now.append({t.FromID, t.ToID, t.TransitionType});
        rows.append(
            {t.TransitionID, qlonglong(t.FromID), qlonglong(t.ToID), qlonglong(stepID), t.TransitionType});
    }
    const QList<UnitTransition> stored = ReadStoredUnitTransitions(step);
    if (stored == now)
        return {};
    // Never built: the texts went by recipe order, and only where the transitions differ from it
    // do they change.
    const QSet<long> changed =
        ChangedOrigins(stored.isEmpty() ? RecipeOrderTransitions(recipe, start) : stored, now, start);
    ReplaceTableRows(step, QStringLiteral("UnitProcedureTransition"),
                     {QStringLiteral("UnitProcedureTransitionID"), QStringLiteral("FromUnitProcedureID"),
                      QStringLiteral("ToUnitProcedureID"), QStringLiteral("StepID"),
                      QStringLiteral("TransitionType")},
                     QString(), QVariant(), rows);
    return changed;
}
