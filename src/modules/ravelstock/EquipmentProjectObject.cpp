#include "modules/ravelstock/EquipmentProjectObject.h"

#include "modules/ravelstock/LibraryFile.h"

#include <QSqlQuery>

long CEquipmentProjectObject::ItemHandle(long localID)
{
    return Guarded([&] { return m_side.ItemHandle(localID); });
}

bool CEquipmentProjectObject::NeedsNoCopy(long subItemID)
{
    return Guarded([&] {
        CLibraryFile* library = m_side.Session().Library();
        if (!library)
            return false;
        QSqlQuery server = library->Database().Query(
            QStringLiteral("SELECT ClassName FROM EquipmentClass WHERE EquipmentClassID = ?"), {qlonglong(subItemID)});
        if (!server.next())
            return false;
        QSqlQuery local = m_side.Project().Query(
            QStringLiteral("SELECT 1 FROM EquipmentClass WHERE EquipmentClassID = ? AND ClassName = ?"),
            {qlonglong(subItemID), server.value(0)});
        return local.next();
    });
}

bool CEquipmentProjectObject::IsNameTakenFor(long handle, const QString& name)
{
    return handle != 0 && IsNameTaken(name);
}
