#include "modules/ravelstock/LibraryFile.h"

#include "foundation/db/connection/DaoException.h"
#include "modules/ravelstock/LibraryComponentError.h"

#include <QFileInfo>
#include <QSqlError>

// The layer's description of a file it cannot open names the file; a later failure is told with the
// library's path.
bool CLibraryFile::Open(const QString& path)
{
    m_path = path;
    if (!QFileInfo(path).isFile())
        return false;
    try {
        m_database.Open(path, DatabaseRole::ReadOnly);
    } catch (const CDaoException& error) {
        throw CLibraryComponentError(error.GetErrorDescription());
    }
    bool ours = false;
    try {
        ours = IsOurs();
    } catch (const CDaoException& error) {
        Unreadable(error.GetErrorDescription());
    }
    if (!ours) {
        m_database.Close();
        return false;
    }
    m_lookup.emplace(m_database.Connection().database());
    m_lookup->setForwardOnly(true);
    return m_lookup->prepare(QStringLiteral("SELECT %1, LibraryStamp FROM %2 WHERE %3 = ?")
                                 .arg(m_tables.itemName, m_tables.itemTable, m_tables.itemID));
}

void CLibraryFile::Unreadable(const QString& reason) const
{
    throw CLibraryComponentError(QStringLiteral("The library '%1' cannot be read: %2").arg(m_path, reason));
}

bool CLibraryFile::IsOurs()
{
    QSqlQuery id = m_database.Query(QStringLiteral("PRAGMA application_id"));
    const quint32 applicationID = id.next() ? quint32(id.value(0).toLongLong()) : 0;
    if (applicationID != ApplicationID(m_tables.kind) && applicationID != LEGACY_APPLICATION_ID)
        return false;
    QSqlQuery stamp = m_database.Query(QStringLiteral("SELECT 1 FROM pragma_table_info(?) WHERE name = 'LibraryStamp'"),
                                       {m_tables.itemTable});
    return stamp.next();
}

std::optional<LibraryItemInfo> CLibraryFile::LookUp(long serverID)
{
    m_lookup->addBindValue(qlonglong(serverID));
    if (!m_lookup->exec())
        Unreadable(CDaoException::fromSqlError(m_lookup->lastError()).GetErrorDescription());
    std::optional<LibraryItemInfo> info;
    if (m_lookup->next()) {
        const QVariant stamp = m_lookup->value(1);
        info = LibraryItemInfo{m_lookup->value(0).toString(),
                               stamp.isNull() ? LibraryStamp() : LibraryStamp(stamp.toDouble())};
    }
    m_lookup->finish();
    return info;
}

SubItemLists CLibraryFile::SubItems(const QString& sql, long serverID)
{
    SubItemLists lists;
    QSqlQuery rows = m_database.Query(sql, {qlonglong(serverID)});
    while (rows.next()) {
        lists.ids << long(rows.value(0).toLongLong());
        lists.names << rows.value(1).toString();
    }
    return lists;
}
