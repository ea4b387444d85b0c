#include "foundation/db/connection/SharedDatabaseStore.h"

#include "foundation/db/connection/DaoDatabase.h"

#include <QSqlDatabase>

// Qt's list of named connections and its empty connection are made first: a static made earlier
// is destroyed later, so both outlive the connections this store closes (after the application
// object has gone, a connection's name may lead only to the empty connection and its driver).
SharedDatabaseStore::SharedDatabaseStore()
{
    QSqlDatabase::connectionNames();
    const QSqlDatabase empty;
}

// The cached connections close before the registry their close updates.
SharedDatabaseStore::~SharedDatabaseStore()
{
    equipment.reset();
    materials.reset();
}

SharedDatabaseStore& GetSharedDatabaseStore()
{
    static SharedDatabaseStore store;
    return store;
}
