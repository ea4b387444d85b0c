#include "foundation/db/SharedDatabaseStore.h"

#include "foundation/db/DaoDatabase.h"

#include <QSqlDatabase>

// Qt's list of named connections is made first: a static made earlier is destroyed later, so the
// list outlives the connections this store closes.
SharedDatabaseStore::SharedDatabaseStore()
{
    QSqlDatabase::connectionNames();
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
