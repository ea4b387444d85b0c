#include "foundation/db/connection/SharedDatabases.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/SharedDatabaseStore.h"

#include <memory>

namespace {

std::unique_ptr<CDaoDatabase>& materialsDB()
{
    return GetSharedDatabaseStore().materials;
}

std::unique_ptr<CDaoDatabase>& equipmentDB()
{
    return GetSharedDatabaseStore().equipment;
}

bool isOpenOn(const CDaoDatabase* database, const QString& path)
{
    return database && database->IsOpen() && database->GetName() == CSharedConnection::registryKey(path);
}

CDaoDatabase* cachedOn(std::unique_ptr<CDaoDatabase>& cached, const QString& path)
{
    if (path.isEmpty())
        return nullptr;
    if (isOpenOn(cached.get(), path))
        return cached.get();
    cached.reset();
    auto database = std::make_unique<CDaoDatabase>();
    try {
        database->Open(path, DatabaseRole::WorkingCopy);
    } catch (const CDaoException&) {
        return nullptr;
    }
    cached = std::move(database);
    return cached.get();
}

} // namespace

CDaoDatabase* GetSharedMaterialsDB()
{
    return cachedOn(materialsDB(), GetMaterialsDBPath());
}

CDaoDatabase* GetSharedEquipmentDB()
{
    return cachedOn(equipmentDB(), GetEquipmentDBPath());
}

void CloseSharedMaterialsDB()
{
    materialsDB().reset();
}

void CloseSharedEquipmentDB()
{
    equipmentDB().reset();
}
