#include "modules/ravelstock/LibrarySide.h"

#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/connection/DaoException.h"
#include "modules/ravelstock/ItemCopy.h"
#include "modules/ravelstock/LibraryComponentError.h"
#include "modules/ravelstock/LibraryFile.h"
#include "modules/ravelstock/ProjectWorkingCopy.h"
#include "modules/ravelstock/RavelstockComponent.h"

#include <QSqlQuery>

bool CLibrarySide::OpenLibrary(const QString& location)
{
    CLibraryFile* library = m_component.Library(m_session.Tables(), location);
    m_session.Begin(location, library);
    return library != nullptr;
}

bool CLibrarySide::SetProjectDatabase(const QString& path)
{
    return OpenProjectWorkingCopy(m_project, path);
}

CLibraryFile& CLibrarySide::Library()
{
    if (!m_session.Library())
        throw CLibraryComponentError(QStringLiteral("No library database is open."));
    return *m_session.Library();
}

CDaoDatabase& CLibrarySide::Project()
{
    return RequireProjectWorkingCopy(m_project);
}

void CLibrarySide::WriteMappings()
{
    for (const SubItemRecord& record : m_session.Records()) {
        if (record.localID == -1)
            continue;
        ExecKept(Project(), QStringLiteral("LibraryMapping"),
                 QStringLiteral("INSERT OR REPLACE INTO LibraryMapping (ServerLocation, ServerID, LocalID, LocalName) "
                                "VALUES (?, ?, ?, ?)"),
                 {m_session.Location(), qlonglong(record.serverID), qlonglong(record.localID), record.name});
    }
}

void CLibrarySide::WriteImportStamp(long serverID, long localID)
{
    const std::optional<LibraryItemInfo> info = Library().LookUp(serverID);
    ExecKept(Project(), QStringLiteral("LibraryImport"),
             QStringLiteral("UPDATE LibraryImport SET ImportStamp = ? WHERE LocalID = ?"),
             {info && info->stamp ? QVariant(*info->stamp) : QVariant(), qlonglong(localID)});
}

void CLibrarySide::WriteImportRow(long serverID, long localID)
{
    ExecKept(Project(), QStringLiteral("LibraryImport"),
             QStringLiteral("INSERT INTO LibraryImport (LocalID, ServerID, ServerLocation) VALUES (?, ?, ?)"),
             {qlonglong(localID), qlonglong(serverID), m_session.Location()});
    WriteImportStamp(serverID, localID);
}

// Columns in kept stay as the project row has them (a new row takes the library's).
void CLibrarySide::CopyItemRows(long serverID, long localID, const QString& localName, const QStringList& kept)
{
    const LibraryKindTables& t = m_session.Tables();
    CopiedRows item = ReadLibraryRows(Library().Database(),
                                      QStringLiteral("SELECT * FROM %1 WHERE %2 = ?").arg(t.itemTable, t.itemID),
                                      {qlonglong(serverID)});
    if (item.rows.isEmpty())
        throw CLibraryComponentError(QStringLiteral("The library has no item %1.").arg(serverID));
    item.Drop({t.itemID, QStringLiteral("LibraryStamp")});
    if (RowExists(Project(), t.itemTable, t.itemID, localID))
        item.Drop(kept);
    item.Set(t.itemName, localName);
    item.KeepColumnsOf(Project(), t.itemTable);
    WriteItemRow(Project(), t.itemTable, t.itemID, localID, item);
    CopiedRows properties = ReadLibraryRows(
        Library().Database(), QStringLiteral("SELECT * FROM %1 WHERE %2 = ?").arg(t.propertyTable, t.itemID),
        {qlonglong(serverID)});
    properties.Drop({QStringLiteral("RowKey")});
    properties.Set(t.itemID, qlonglong(localID));
    properties.KeepColumnsOf(Project(), t.propertyTable);
    ReplaceTableRows(Project(), t.propertyTable, properties.columns, t.itemID, qlonglong(localID), properties.rows);
}
