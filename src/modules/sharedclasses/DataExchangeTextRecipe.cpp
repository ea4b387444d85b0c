#include "modules/sharedclasses/DataExchangeTextRecipe.h"

#include "foundation/db/connection/DaoDatabase.h"

#include <QSqlQuery>

namespace {
CDataExchangeTextRecipe ExchangeRowOf(const QSqlQuery& rows)
{
    CDataExchangeTextRecipe row;
    row.ID = long(rows.value(0).toLongLong());
    row.Type = rows.value(1).toString();
    row.Label = rows.value(2).toString();
    row.OperationName = rows.value(3).toString();
    row.UnitProcedureName = rows.value(4).toString();
    row.UPNumber = long(rows.value(5).toLongLong());
    row.OPNumber = long(rows.value(6).toLongLong());
    row.Indent = long(rows.value(7).toLongLong());
    row.RecipeSequenceNumber = long(rows.value(8).toLongLong());
    row.Hide = rows.value(9).toLongLong() != 0;
    row.RowKey = long(rows.value(10).toLongLong());
    return row;
}
} // namespace

QList<CDataExchangeTextRecipe> ReadTextRecipeRows(CDaoDatabase& step, long stepID)
{
    QSqlQuery rows = step.Query(
        QStringLiteral("SELECT ID, Type, Label, OperationName, UnitProcedureName, UPNumber, OPNumber, Indent,"
                       " RecipeSequenceNumber, Hide, RowKey FROM TextRecipe WHERE StepID = ?"
                       " ORDER BY RecipeSequenceNumber, RowKey"),
        {qlonglong(stepID)});
    QList<CDataExchangeTextRecipe> read;
    while (rows.next())
        read.append(ExchangeRowOf(rows));
    return read;
}
