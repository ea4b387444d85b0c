#include "recipe/lines/RecipeLineSet.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/SharedConnection.h"

const DaoRecordsetDef& CRecipeLineSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT t.ID, t.Indent, t.Label, t.OPNumber, t.RecipeSequenceNumber, t.Type, t.UPNumber, t.Hide,"
        " t.Breakpoint, t.RowKey, u.UnitProcedureID AS FoundUnitProcedureID, u.UnitProcedureName,"
        " u.UserComments AS UnitProcedureComments, o.OperationID AS FoundOperationID, o.QuorvantaLabel,"
        " o.OperationTypeID, o.RecipeText, o.RangeText, o.UserComments AS OperationComments"
        " FROM TextRecipe t"
        " LEFT JOIN UnitProcedure u ON t.Type = 'Unit Procedure' AND u.UnitProcedureID = t.ID"
        " LEFT JOIN Operation o ON t.Type = 'Operation' AND o.OperationID = t.ID"
        " WHERE t.StepID = :pStepID ORDER BY t.RecipeSequenceNumber, t.RowKey",
        {},
        {{"ID", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"Indent", DaoFieldType::Short, DAO_NOT_WRITTEN},
         {"Label", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"OPNumber", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"RecipeSequenceNumber", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"Type", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"UPNumber", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"Hide", DaoFieldType::Bool, DAO_NOT_WRITTEN},
         {"Breakpoint", DaoFieldType::Bool, DAO_NOT_WRITTEN},
         {"RowKey", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"FoundUnitProcedureID", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"UnitProcedureName", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"UnitProcedureComments", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"FoundOperationID", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"QuorvantaLabel", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"OperationTypeID", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"RecipeText", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"RangeText", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"OperationComments", DaoFieldType::Text, DAO_NOT_WRITTEN}}};
    return def;
}

bool CRecipeLineSet::OpenSet(long stepID)
{
    SetParameter("pStepID", qlonglong(stepID));
    return OpenOnStepDatabase(stepID);
}

namespace {
bool TruthOf(const QVariant& value)
{
    return value.toDouble() != 0.0;
}

// The values in the order of the definition's columns.
template <typename ValueAt> RecipeLineSetRow RowOf(ValueAt value)
{
    RecipeLineSetRow row;
    row.id = long(value(0).toLongLong());
    row.indent = short(value(1).toInt());
    row.label = value(2).toString();
    row.opNumber = long(value(3).toLongLong());
    row.sequence = long(value(4).toLongLong());
    row.type = value(5).toString();
    row.upNumber = long(value(6).toLongLong());
    row.hide = TruthOf(value(7));
    row.breakpoint = TruthOf(value(8));
    row.rowKey = long(value(9).toLongLong());
    row.unitProcedureFound = !value(10).isNull();
    row.unitProcedureName = value(11).toString();
    row.unitProcedureComments = value(12).toString();
    row.operationFound = !value(13).isNull();
    row.quorvantaLabel = value(14).toString();
    row.operationTypeID = long(value(15).toLongLong());
    row.recipeText = value(16).toString();
    row.rangeText = value(17).toString();
    row.operationComments = value(18).toString();
    return row;
}
} // namespace

RecipeLineSetRow CRecipeLineSet::CurrentRow() const
{
    const std::vector<DaoColumn>& columns = Definition().columns;
    return RowOf([this, &columns](int column) { return GetFieldValue(columns[size_t(column)].name); });
}

namespace {
std::optional<std::vector<RecipeLineSetRow>> ReadLineRows(long stepID, const QString& sql, const QString& purpose,
                                                         const QVariantList& values)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step || !step->IsOpen())
        return std::nullopt;
    const StatementKey key{StatementKind::Select, QStringLiteral("TextRecipe"), {}, {purpose}, {}};
    std::vector<RecipeLineSetRow> rows;
    try {
        step->Connection().execKept(
            key, [&sql] { return sql; }, values,
            [&rows](KeptResult& result) {
                while (result.next())
                    rows.push_back(RowOf([&result](int column) { return result.value(column); }));
            });
    } catch (const CDaoException&) {
        return std::nullopt;
    }
    return rows;
}
} // namespace

std::optional<std::vector<RecipeLineSetRow>> CRecipeLineSet::ReadAll(long stepID)
{
    static const QString sql = QString(Definition().sql).replace(QLatin1String(":pStepID"), QLatin1String("?"));
    return ReadLineRows(stepID, sql, QStringLiteral("recipe lines"), {qlonglong(stepID)});
}

std::optional<std::vector<RecipeLineSetRow>> CRecipeLineSet::ReadItems(long stepID, const QList<long>& itemIDs,
                                                                       const QString& type)
{
    // The rows are reached item by item through the item index, not by walking every row of the
    // step in sequence order; the few found are sorted after.
    static const QString sql =
        QString(Definition().sql)
            .replace(QLatin1String("FROM TextRecipe t"),
                     QLatin1String("FROM (SELECT DISTINCT value AS itemID FROM json_each(?3)) AS j"
                                   " CROSS JOIN TextRecipe t"))
            .replace(QLatin1String("t.StepID = :pStepID"),
                     QLatin1String("t.StepID = ?1 AND t.Type = ?2 AND t.ID = j.itemID"));
    QStringList ids;
    ids.reserve(itemIDs.size());
    for (const long itemID : itemIDs)
        ids << QString::number(itemID);
    const QString json = QLatin1Char('[') + ids.join(QLatin1Char(',')) + QLatin1Char(']');
    return ReadLineRows(stepID, sql, QStringLiteral("recipe line items"), {qlonglong(stepID), type, json});
}
