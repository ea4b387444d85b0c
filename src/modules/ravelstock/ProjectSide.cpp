#include "modules/ravelstock/ProjectSide.h"

#include "foundation/common/LibraryStampRule.h"
#include "foundation/db/connection/DaoException.h"
#include "modules/ravelstock/LibraryComponentError.h"
#include "modules/ravelstock/LibraryFile.h"
#include "modules/ravelstock/ProjectWorkingCopy.h"
#include "modules/ravelstock/RavelstockComponent.h"

#include <QSqlQuery>

namespace {
LibraryStamp ImportStampOf(const QVariant& value)
{
    return value.isNull() ? LibraryStamp() : LibraryStamp(value.toDouble());
}
} // namespace

bool CProjectSide::SetProjectDatabase(const QString& path)
{
    return OpenProjectWorkingCopy(m_project, path);
}

CDaoDatabase& CProjectSide::Project()
{
    return RequireProjectWorkingCopy(m_project);
}

// The imported items whose library stamp differs from the one they were copied at.
long CProjectSide::CountChangedItems()
{
    ImportedItemLists items;
    ListImportedItems(items);
    long changed = 0;
    for (qsizetype i = 0; i < items.localIDs.size(); ++i) {
        LibraryItemInfo info;
        if (LookUp(items.serverIDs.at(i), items.serverLocations.at(i), info) &&
            !LibraryStampsEqual(items.localStamps.at(i), info.stamp))
            ++changed;
    }
    return changed;
}

// Listed while the imported item exists, in import order.
bool CProjectSide::ListImportedItems(ImportedItemLists& lists)
{
    const LibraryKindTables& t = m_session.Tables();
    QSqlQuery rows = Project().Query(QStringLiteral("SELECT i.LocalID, c.%1, i.ImportStamp, i.ServerID, i.ServerLocation "
                                                    "FROM LibraryImport i JOIN %2 c ON c.%3 = i.LocalID "
                                                    "ORDER BY i.ImportID")
                                         .arg(t.itemName, t.itemTable, t.itemID));
    while (rows.next()) {
        lists.localIDs << long(rows.value(0).toLongLong());
        lists.localNames << rows.value(1).toString();
        lists.localStamps << ImportStampOf(rows.value(2));
        lists.serverIDs << long(rows.value(3).toLongLong());
        lists.serverLocations << rows.value(4).toString();
    }
    return true;
}

bool CProjectSide::LookUp(long serverID, const QString& location, LibraryItemInfo& info)
{
    CLibraryFile* library = m_component.Library(m_session.Tables(), location);
    const std::optional<LibraryItemInfo> found = library ? library->LookUp(serverID) : std::nullopt;
    if (found)
        info = *found;
    return found.has_value();
}

bool CProjectSide::IsNameTaken(const QString& name)
{
    return ProjectIDByName(name) != -1;
}

bool CProjectSide::IsIDTaken(long id)
{
    const LibraryKindTables& t = m_session.Tables();
    QSqlQuery row = Project().Query(QStringLiteral("SELECT 1 FROM %1 WHERE %2 = ?").arg(t.subItemTable, t.subItemID),
                                    {qlonglong(id)});
    return row.next() || m_session.QueuedIDTaken(id);
}

long CProjectSide::ProjectIDByName(const QString& name)
{
    const LibraryKindTables& t = m_session.Tables();
    QSqlQuery row = Project().Query(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ? ORDER BY %1 LIMIT 1")
                                        .arg(t.subItemID, t.subItemTable, t.subItemName),
                                    {name});
    return row.next() ? long(row.value(0).toLongLong()) : m_session.QueuedIDByName(name);
}

// A mapping made at an earlier copy from the open library, while its project item still exists.
std::optional<KnownMapping> CProjectSide::FindMapping(long subItemID)
{
    const LibraryKindTables& t = m_session.Tables();
    QSqlQuery row = Project().Query(QStringLiteral("SELECT m.LocalID, m.LocalName FROM LibraryMapping m "
                                                   "JOIN %1 s ON s.%2 = m.LocalID "
                                                   "WHERE m.ServerLocation = ? AND m.ServerID = ?")
                                        .arg(t.subItemTable, t.subItemID),
                                    {m_session.Location(), qlonglong(subItemID)});
    if (!row.next())
        return std::nullopt;
    return KnownMapping{long(row.value(0).toLongLong()), row.value(1).toString()};
}

long CProjectSide::ItemHandle(long localID)
{
    QSqlQuery row = Project().Query(QStringLiteral("SELECT ImportID FROM LibraryImport WHERE LocalID = ?"),
                                    {qlonglong(localID)});
    return row.next() ? long(row.value(0).toLongLong()) : 0;
}
