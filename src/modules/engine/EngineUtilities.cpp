#include "modules/engine/EngineUtilities.h"

#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/SharedDatabases.h"

#include <QSqlQuery>
#include <QVariant>

EngineModuleState& EngineModule()
{
    static EngineModuleState state;
    return state;
}

bool ReadAvailableUtilities(QList<long>& utilities)
{
    utilities.clear();
    CDaoDatabase* materials = GetSharedMaterialsDB();
    if (!materials)
        return false;
    try {
        QSqlQuery rows = materials->Query(QStringLiteral(
            "SELECT DISTINCT MaterialID FROM ActualMaterialProperty WHERE MaterialPropertyID = 469 ORDER BY MaterialID"));
        while (rows.next())
            utilities.append(long(rows.value(0).toLongLong()));
    } catch (const CDaoException&) {
        utilities.clear();
        return false;
    }
    return true;
}
