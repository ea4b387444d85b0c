#pragma once
// What the process keeps of its open databases, in one object: the registry of shared
// connections and the cached connections to the material and equipment working copies. Its
// teardown order is fixed, so that leaving through exit() with a project open closes the cached
// connections while the registry they leave, and Qt's list of named connections, still exist.

#include <QHash>
#include <QString>

#include <memory>

class CDaoDatabase;
class CSharedConnection;

struct SharedDatabaseStore {
    SharedDatabaseStore();
    ~SharedDatabaseStore();
    SharedDatabaseStore(const SharedDatabaseStore&) = delete;
    SharedDatabaseStore& operator=(const SharedDatabaseStore&) = delete;

    QHash<QString, std::weak_ptr<CSharedConnection>> connections; // by CSharedConnection::registryKey
    std::unique_ptr<CDaoDatabase> materials;
    std::unique_ptr<CDaoDatabase> equipment;
};

// The one store, made on first use.
SharedDatabaseStore& GetSharedDatabaseStore();
