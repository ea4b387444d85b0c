#include "modules/ravelstock/MaterialProjectObject.h"

#include "modules/ravelstock/LibraryFile.h"

#include <QSqlQuery>

bool CMaterialProjectObject::LookUpLibraryItem(long serverID, const QString& location, LibraryItemInfo& info)
{
    return Guarded([&] { return m_side.LookUp(serverID, location, info); });
}

bool CMaterialProjectObject::NeedsNoCopy(const QString& subItemName)
{
    return Guarded([&] {
        CLibraryFile* library = m_side.Session().Library();
        if (!library)
            return false;
        QSqlQuery server = library->Database().Query(
            QStringLiteral("SELECT MaterialID FROM ActualMaterialCommon WHERE MaterialName = ?"), {subItemName});
        if (!server.next())
            return false;
        QSqlQuery imported = m_side.Project().Query(
            QStringLiteral("SELECT 1 FROM LibraryImport i JOIN ActualMaterialCommon c ON c.MaterialID = i.LocalID "
                           "WHERE c.MaterialName = ? AND i.ServerID = ? AND i.ServerLocation = ?"),
            {subItemName, server.value(0), m_side.Session().Location()});
        return imported.next();
    });
}

bool CMaterialProjectObject::RecordMapping(long serverID, long localID, const QString& name, bool newCopy)
{
    m_side.Session().Queue({1, serverID, localID, name, newCopy});
    return true;
}
