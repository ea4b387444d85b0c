#include "foundation/db/connection/ExecuteSQL.h"

#include "foundation/common/MessageBox.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"

bool ExecuteSQL(CDaoDatabase* database, const QString& sql)
{
    return ExecuteSQL(database, sql, {});
}

bool ExecuteSQL(CDaoDatabase* database, const QString& sql, const QVariantList& values)
{
    try {
        if (!database)
            throw CDaoException(QStringLiteral("The database is not open."));
        database->Execute(sql, values);
        return true;
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
}
