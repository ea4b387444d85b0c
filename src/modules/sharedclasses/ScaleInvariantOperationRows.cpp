#include "modules/sharedclasses/ScaleInvariantOperationRows.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoTransaction.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlQuery>

namespace {

QString RowsAsJson(const Array<long>& operationIDs, const Array<QString>& texts)
{
    QJsonArray rows;
    for (long index = 0; index < operationIDs.GetSize(); ++index)
        rows.append(QJsonArray{qint64(operationIDs[index]), texts[index]});
    return QString::fromUtf8(QJsonDocument(rows).toJson(QJsonDocument::Compact));
}

} // namespace

bool CScaleInvariantOperationRows::Read(long stepID, Array<long>& operationIDs) const
{
    operationIDs.RemoveAll();
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step)
        return false;
    QSqlQuery rows = step->Query(QStringLiteral("SELECT OperationID FROM %1 ORDER BY Position, RowKey").arg(m_table));
    while (rows.next())
        operationIDs.Add(long(rows.value(0).toLongLong()));
    return true;
}

bool CScaleInvariantOperationRows::Replace(long stepID, const Array<long>& operationIDs,
                                           const Array<QString>& texts) const
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step || operationIDs.GetSize() != texts.GetSize())
        return false;
    CDaoTransaction transaction(*step);
    step->Execute(QStringLiteral("DELETE FROM %1").arg(m_table));
    if (!operationIDs.IsEmpty())
        step->Execute(QStringLiteral("INSERT INTO %1 (Position, OperationID, Text) SELECT j.key + 1,"
                                     " json_extract(j.value, '$[0]'), json_extract(j.value, '$[1]')"
                                     " FROM json_each(?) j")
                          .arg(m_table),
                      {RowsAsJson(operationIDs, texts)});
    transaction.Commit();
    return true;
}
