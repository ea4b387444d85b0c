#include "recipe/edit/OperationRecipeSource.h"

#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/recordsets/JsonIds.h"
#include "foundation/db/connection/SharedConnection.h"

namespace {

const char* const SOURCE_OPERATIONS =
    "SELECT OperationID, RecipeText, UserComments, RangeText, SafetyNote FROM Operation"
    " WHERE OperationID IN (SELECT value FROM json_each(?))";

const char* const SOURCE_GROUPS =
    "SELECT OperationID, GroupID, GroupTypeID, GroupIndex, SequenceNumber FROM TblGroupData"
    " WHERE OperationID IN (SELECT value FROM json_each(?)) ORDER BY GroupID";

const char* const SOURCE_FIELDS =
    "SELECT g.OperationID, f.GroupID, f.SubGroupIndex, f.FieldTypeID, f.DoubleValue, f.LongValue, f.UOM,"
    " f.StringValue FROM TblFieldData f JOIN TblGroupData g ON g.GroupID = f.GroupID"
    " WHERE g.OperationID IN (SELECT value FROM json_each(?)) ORDER BY f.FieldID";

const char* const SOURCE_RANGES =
    "SELECT g.OperationID, r.GroupID, r.SubGroupIndex, r.FieldTypeID, r.RangeTypeID, r.RangeCategory, r.Low,"
    " r.LowWidth, r.LowUOM, r.High, r.HighWidth, r.HighUOM FROM TblRangeData r"
    " JOIN TblGroupData g ON g.GroupID = r.GroupID"
    " WHERE g.OperationID IN (SELECT value FROM json_each(?)) ORDER BY r.RangeID";

using SourceRowSink = std::function<void(long operationID, QVariantList row)>;

// Each row of the statement, its first column (the operation) apart from the rest.
void ReadSourceRows(CDaoDatabase& source, const char* table, const char* sql, const QString& operations,
                    int columns, const SourceRowSink& sink)
{
    const StatementKey key{StatementKind::Select, // a read: the source's journal stays as it is
                           QString::fromLatin1(table),
                           {QString::fromLatin1(sql)},
                           {QStringLiteral("operation source")},
                           {}};
    source.Connection().execKept(
        key, [sql] { return QString::fromLatin1(sql); }, {operations},
        [&](KeptResult& result) {
            while (result.next()) {
                QVariantList row;
                row.reserve(columns - 1);
                for (int column = 1; column < columns; ++column)
                    row << result.value(column);
                sink(long(result.value(0).toLongLong()), std::move(row));
            }
        });
}

} // namespace

COperationRecipeSource::COperationRecipeSource(CDaoDatabase& source, const QList<long>& operationIDs)
{
    const QString operations = JsonIds(operationIDs);
    ReadSourceRows(source, "Operation", SOURCE_OPERATIONS, operations, 5, [this](long id, QVariantList row) {
        OperationRecipeRows& rows = m_operations[id];
        rows.recipeText = row.takeFirst();
        rows.notes = std::move(row);
    });
    const auto into = [this](QList<QVariantList> OperationRecipeRows::*list) {
        return [this, list](long id, QVariantList row) {
            if (const auto found = m_operations.find(id); found != m_operations.end())
                ((*found).*list).append(std::move(row));
        };
    };
    ReadSourceRows(source, "TblGroupData", SOURCE_GROUPS, operations, 5, into(&OperationRecipeRows::groups));
    ReadSourceRows(source, "TblFieldData", SOURCE_FIELDS, operations, 8, into(&OperationRecipeRows::fields));
    ReadSourceRows(source, "TblRangeData", SOURCE_RANGES, operations, 12, into(&OperationRecipeRows::ranges));
}

const OperationRecipeRows* COperationRecipeSource::Find(long operationID) const
{
    const auto found = m_operations.constFind(operationID);
    return found == m_operations.constEnd() ? nullptr : &*found;
}
