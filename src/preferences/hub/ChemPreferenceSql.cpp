#include "preferences/hub/ChemPreferenceSql.h"

#include "foundation/common/MessageBox.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"

#include <QSqlQuery>

double GetDoubleFromDB(CDaoDatabase* db, const QString& field, const QString& fromClause)
{
    try {
        if (!db)
            throw CDaoException(QStringLiteral("The database is not open."));
        QSqlQuery query = db->Query(QStringLiteral("SELECT ") + field + ' ' + fromClause);
        if (!query.last())
            return 0.0;
        return query.value(0).toDouble();
    } catch (const CDaoException& e) {
        QvMessageBox(QStringLiteral("GetDoubleFromDB:") + e.GetErrorDescription());
        return 0.0;
    }
}

bool ExecuteSQLDB(CDaoDatabase* db, const QString& sql, const QVariantList& values)
{
    try {
        if (!db)
            throw CDaoException(QStringLiteral("The database is not open."));
        db->Execute(sql, values);
        return true;
    } catch (const CDaoException& e) {
        QvMessageBox(QStringLiteral("ExecuteSQLDB:") + e.GetErrorDescription());
        return false;
    }
}
