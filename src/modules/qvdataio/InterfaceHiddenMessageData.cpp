#include "modules/qvdataio/InterfaceHiddenMessageData.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"

#include <QSqlQuery>

#include <set>

namespace {
std::set<long> DistinctAscending(const Array<long>& ids)
{
    return std::set<long>(ids.begin(), ids.end());
}
} // namespace

bool CInterfaceHiddenMessageData::getAllHiddenMessageData(Array<long>& ids)
{
    ids.RemoveAll();
    CDaoDatabase* database = GetProjectDatabase();
    if (!database || !database->IsOpen())
        return false;
    try {
        QSqlQuery query = database->Query(QStringLiteral("SELECT MessageID FROM TblHiddenMessage ORDER BY MessageID"));
        while (query.next())
            ids.Add(long(query.value(0).toLongLong()));
        return true;
    } catch (const CDaoException& error) {
        m_error = error.GetErrorDescription();
        ids.RemoveAll();
        return false;
    }
}

bool CInterfaceHiddenMessageData::setHiddenMessageIDs(Array<long>& ids)
{
    CDaoDatabase* database = GetProjectDatabase();
    if (!database || !database->IsOpen())
        return false;
    try {
        CDaoTransaction transaction(*database);
        QList<QVariantList> rows;
        for (long id : DistinctAscending(ids))
            rows.append(QVariantList{qlonglong(id)});
        ReplaceTableRows(*database, QStringLiteral("TblHiddenMessage"), {QStringLiteral("MessageID")}, QString(),
                         QVariant(), rows);
        transaction.Commit();
        return true;
    } catch (const CDaoException& error) {
        m_error = error.GetErrorDescription();
        return false;
    }
}
