#include "foundation/db/material/MaterialRecordset.h"

#include "foundation/common/concerns/AppContext.h"

QString MaterialFileOf(const QString& dbPath)
{
    return dbPath.isEmpty() ? GetMaterialsDBPath() : dbPath;
}

DatabaseRole MaterialDatabaseRoleOf(const QString& path)
{
    const QString project = GetMaterialsDBPath();
    const bool workingCopy =
        !project.isEmpty() && CSharedConnection::registryKey(path) == CSharedConnection::registryKey(project);
    return workingCopy ? DatabaseRole::WorkingCopy : DatabaseRole::ReadOnly;
}

void CMaterialRecordset::CloseSet()
{
    if (CloseAllowed() && IsOpen())
        Close();
}

void CMaterialRecordset::CloseDatabase()
{
    if (SingletonExists())
        ReleaseDatabase();
}

void CMaterialRecordset::ReleaseDatabase()
{
    m_matchedPath.clear();
    CDaoRecordset::CloseSet();
}

QString CMaterialRecordset::BeginOpen(const QString& dbPath, const QString& dataSource)
{
    m_dataSource = dataSource;
    if (!SingletonExists())
        m_ownInstance = true;
    m_dbPath = MaterialFileOf(dbPath);
    return m_dbPath;
}

void CMaterialRecordset::SelectDefinition(const DaoRecordsetDef& def)
{
    if (&GetDefinition() != &def)
        SetDefinition(def);
}

bool CMaterialRecordset::OpenOnMaterialFile(const QString& path, const DaoRecordsetDef& def)
{
    SelectDefinition(def);
    if (path != m_matchedPath)
        m_matchedPath.clear(); // the connection may move to another file
    if (path.isEmpty())
        return false; // no project, so no material database
    return OpenOnFile(path, QString(), MaterialDatabaseRoleOf(path));
}

// The same text as last time names the same file without asking the file system again.
CDaoDatabase* CMaterialRecordset::ConnectionOn(const QString& path)
{
    CDaoDatabase* database = GetDatabase();
    if (!HasOwnDatabase() || !database || !database->IsOpen())
        return nullptr;
    if (path == m_matchedPath)
        return database;
    if (database->GetName() != CSharedConnection::registryKey(path))
        return nullptr;
    m_matchedPath = path;
    return database;
}
