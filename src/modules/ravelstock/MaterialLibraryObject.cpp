#include "modules/ravelstock/MaterialLibraryObject.h"

#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "modules/ravelstock/ItemCopy.h"
#include "modules/ravelstock/LibraryComponentError.h"
#include "modules/ravelstock/LibraryFile.h"
#include "modules/ravelstock/ProjectSideGuard.h"

#include <QSqlQuery>

bool CMaterialLibraryObject::OpenLibrary(const QString& location)
{
    return Guarded([&] { return m_side.OpenLibrary(location); });
}

bool CMaterialLibraryObject::ListSubItems(long serverID, SubItemLists& lists)
{
    return Guarded([&] {
        lists = m_side.Library().SubItems(QStringLiteral("SELECT m.ComponentID, c.MaterialName FROM Mixture m "
                                                         "JOIN ActualMaterialCommon c ON c.MaterialID = m.ComponentID "
                                                         "WHERE m.MaterialID = ? ORDER BY m.RowKey"),
                                          serverID);
        return !lists.ids.isEmpty();
    });
}

bool CMaterialLibraryObject::CopyItem(long serverID, long localID, const QString& localName)
{
    return Guarded([&] { return CopyInTransaction(serverID, localID, localName); });
}

bool CMaterialLibraryObject::CopyInTransaction(long serverID, long localID, const QString& localName)
{
    CDaoTransaction transaction(m_side.Project());
    if (!CopyNewComponents())
        return false;
    m_side.WriteMappings();
    m_side.CopyItemRows(serverID, localID, localName, {});
    ReplaceMixtureRows(serverID, localID);
    m_side.WriteImportStamp(serverID, localID);
    transaction.Commit();
    return true;
}

// Each component queued as a new copy: its row, its properties and its import row.
bool CMaterialLibraryObject::CopyNewComponents()
{
    for (const SubItemRecord& record : m_side.Session().Records()) {
        if (!record.newCopy)
            continue;
        QSqlQuery nested = m_side.Library().Database().Query(
            QStringLiteral("SELECT 1 FROM Mixture WHERE MaterialID = ? LIMIT 1"), {qlonglong(record.serverID)});
        if (nested.next())
            return false;
        m_side.CopyItemRows(record.serverID, record.localID, record.name, {});
        m_side.WriteImportRow(record.serverID, record.localID);
    }
    return true;
}

void CMaterialLibraryObject::ReplaceMixtureRows(long serverID, long localID)
{
    CopiedRows rows = ReadLibraryRows(m_side.Library().Database(),
                                      QStringLiteral("SELECT MaterialID, ComponentID, Phase, Amount, AmountUOM "
                                                     "FROM Mixture WHERE MaterialID = ? ORDER BY RowKey"),
                                      {qlonglong(serverID)});
    for (QVariantList& row : rows.rows) {
        row[0] = qlonglong(localID);
        row[1] = qlonglong(ComponentID(long(row[1].toLongLong())));
    }
    ReplaceTableRows(m_side.Project(), QStringLiteral("Mixture"), rows.columns, QStringLiteral("MaterialID"),
                     qlonglong(localID), rows.rows);
}

// The project material a library component stands for: the one it was copied to or matched with
// in this apply, else the one imported from its row.
long CMaterialLibraryObject::ComponentID(long serverComponentID)
{
    const SubItemRecord* record = m_side.Session().Find(1, serverComponentID);
    if (record && record->localID != -1)
        return record->localID;
    QSqlQuery imported = m_side.Project().Query(
        QStringLiteral("SELECT LocalID FROM LibraryImport WHERE ServerID = ? AND ServerLocation = ?"),
        {qlonglong(serverComponentID), m_side.Session().Location()});
    if (!imported.next())
        throw CLibraryComponentError(
            QStringLiteral("The mixture component %1 has no material in the project.").arg(serverComponentID));
    return long(imported.value(0).toLongLong());
}
