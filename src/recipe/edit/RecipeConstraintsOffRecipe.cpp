#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "recipe/edit/RecipeConstraints.h"

namespace {
// A constraint row stays only while both of its items have a recipe line.
const char* const DELETE_OPERATION_ROWS_OFF =
    "DELETE FROM OperationConditionalLogicParameter WHERE"
    " NOT EXISTS (SELECT 1 FROM TextRecipe WHERE StepID = ?1 AND ID = CurrentOperationID"
    " AND Type = 'Operation')"
    " OR NOT EXISTS (SELECT 1 FROM TextRecipe WHERE StepID = ?1 AND ID = OperationParameterID"
    " AND Type = 'Operation')";
const char* const DELETE_UNIT_PROCEDURE_ROWS_OFF =
    "DELETE FROM UnitProcedureConditionalLogicParameter WHERE"
    " NOT EXISTS (SELECT 1 FROM TextRecipe WHERE StepID = ?1 AND ID = CurrentUnitProcedureID"
    " AND Type = 'Unit Procedure')"
    " OR NOT EXISTS (SELECT 1 FROM TextRecipe WHERE StepID = ?1 AND ID = UnitProcedureParameterID"
    " AND Type = 'Unit Procedure')";

// Both columns of every row naming a moved item take the new ids at once, so an id that is both
// one item's new id and another's old one is not carried twice. Starts-After rows are left to the
// move's own check and rewire.
QString CarryStatement(const char* table, const char* current, const char* parameter)
{
    return QStringLiteral("WITH moved(old, new) AS (SELECT value ->> 0, value ->> 1 FROM json_each(?))"
                          " UPDATE %1 SET %2 = coalesce((SELECT new FROM moved WHERE old = %2), %2),"
                          " %3 = coalesce((SELECT new FROM moved WHERE old = %3), %3)"
                          " WHERE ConditionalLogic IS NOT 'Starts-After'"
                          " AND (%2 IN (SELECT old FROM moved) OR %3 IN (SELECT old FROM moved))")
        .arg(QLatin1String(table), QLatin1String(current), QLatin1String(parameter));
}

void CarryRows(CDaoDatabase& step, const QString& table, const QString& sql,
               const QList<std::pair<long, long>>& ids)
{
    if (ids.isEmpty())
        return;
    QList<QVariantList> pairs;
    pairs.reserve(ids.size());
    for (const auto& [oldID, newID] : ids)
        pairs.append({qlonglong(oldID), qlonglong(newID)});
    ExecKept(step, table, sql, {JsonRows(pairs)});
}
} // namespace

void DeleteConstraintsOffTheRecipe(CDaoDatabase& step, long stepID)
{
    ExecKept(step, QStringLiteral("OperationConditionalLogicParameter"),
             QString::fromLatin1(DELETE_OPERATION_ROWS_OFF), {qlonglong(stepID)});
    ExecKept(step, QStringLiteral("UnitProcedureConditionalLogicParameter"),
             QString::fromLatin1(DELETE_UNIT_PROCEDURE_ROWS_OFF), {qlonglong(stepID)});
}

void CarryConstraintsOfMoved(CDaoDatabase& step, const QList<std::pair<long, long>>& operations,
                             const QList<std::pair<long, long>>& unitProcedures)
{
    static const QString operationRows =
        CarryStatement("OperationConditionalLogicParameter", "CurrentOperationID", "OperationParameterID");
    static const QString unitProcedureRows = CarryStatement(
        "UnitProcedureConditionalLogicParameter", "CurrentUnitProcedureID", "UnitProcedureParameterID");
    CarryRows(step, QStringLiteral("OperationConditionalLogicParameter"), operationRows, operations);
    CarryRows(step, QStringLiteral("UnitProcedureConditionalLogicParameter"), unitProcedureRows,
              unitProcedures);
}
