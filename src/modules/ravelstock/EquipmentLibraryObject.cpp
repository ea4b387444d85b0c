#include "modules/ravelstock/EquipmentLibraryObject.h"

#include "foundation/common/UniqueID.h"
#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "modules/ravelstock/ItemCopy.h"
#include "modules/ravelstock/LibraryComponentError.h"
#include "modules/ravelstock/LibraryFile.h"
#include "modules/ravelstock/ProjectSideGuard.h"
#include "modules/ravelstock/RavelstockComponent.h"

#include <QSqlQuery>

namespace {
// The ids the update check keeps apart for brought equipment classes.
constexpr IdRange BROUGHT_CLASS_IDS{100001, 1000000};
} // namespace

bool CEquipmentLibraryObject::OpenLibrary(const QString& location)
{
    return Guarded([&] { return m_side.OpenLibrary(location); });
}

bool CEquipmentLibraryObject::LookUpLibraryItem(long serverID, const QString& location, LibraryItemInfo& info)
{
    return Guarded([&] {
        CLibraryFile* library = m_component.Library(EquipmentTables(), location);
        const std::optional<LibraryItemInfo> found = library ? library->LookUp(serverID) : std::nullopt;
        if (found)
            info = *found;
        return found.has_value();
    });
}

bool CEquipmentLibraryObject::ListSubItems(int list, long serverID, SubItemLists& lists)
{
    return Guarded([&] {
        lists = SubItemLists();
        if (list == 1)
            lists = m_side.Library().SubItems(QStringLiteral("SELECT c.EquipmentClassID, c.ClassName "
                                                             "FROM ActualEquipmentCommon e JOIN EquipmentClass c "
                                                             "ON c.EquipmentClassID = e.EquipmentClassID "
                                                             "WHERE e.ActualEquipmentID = ?"),
                                              serverID);
        return !lists.ids.isEmpty();
    });
}

bool CEquipmentLibraryObject::RecordMapping(int list, long serverID, long localID, const QString& name, bool newCopy)
{
    m_side.Session().Queue({list, serverID, localID, name, newCopy});
    return true;
}

bool CEquipmentLibraryObject::CopyEquipment(long handle, long serverID, long localID, const QString& localName)
{
    return handle != 0 && CopyItem(serverID, localID, localName);
}

bool CEquipmentLibraryObject::CopyItem(long serverID, long localID, const QString& localName)
{
    return Guarded([&] { return CopyInTransaction(serverID, localID, localName); });
}

bool CEquipmentLibraryObject::CopyInTransaction(long serverID, long localID, const QString& localName)
{
    CDaoTransaction transaction(m_side.Project());
    WriteNewClasses();
    m_side.WriteMappings();
    const long classID = ItemClass(serverID);
    m_side.CopyItemRows(serverID, localID, localName,
                        {"PlantID", "FactoryID", "BuildingID", "AreaID", "CalendarID"});
    ExecKept(m_side.Project(), QStringLiteral("ActualEquipmentCommon"),
             QStringLiteral("UPDATE ActualEquipmentCommon SET EquipmentClassID = ? WHERE ActualEquipmentID = ?"),
             {classID == -1 ? QVariant() : QVariant(qlonglong(classID)), qlonglong(localID)});
    m_side.WriteImportStamp(serverID, localID);
    transaction.Commit();
    return true;
}

void CEquipmentLibraryObject::WriteNewClasses()
{
    for (const SubItemRecord& record : m_side.Session().Records()) {
        if (record.newCopy && record.list == 1)
            ExecKept(m_side.Project(), QStringLiteral("EquipmentClass"),
                     QStringLiteral("INSERT INTO EquipmentClass (EquipmentClassID, ClassName) VALUES (?, ?)"),
                     {qlonglong(record.localID), record.name});
    }
}

// The project class of the library item's class: as recorded, else brought along; -1 for none
// (generated ids may be negative, never -1).
long CEquipmentLibraryObject::ItemClass(long serverID)
{
    QSqlQuery item = m_side.Library().Database().Query(
        QStringLiteral("SELECT EquipmentClassID FROM ActualEquipmentCommon WHERE ActualEquipmentID = ?"),
        {qlonglong(serverID)});
    if (!item.next() || item.value(0).isNull())
        return -1;
    const long serverClassID = long(item.value(0).toLongLong());
    if (const SubItemRecord* record = m_side.Session().Find(1, serverClassID))
        return record->localID == -1 ? serverClassID : record->localID;
    return BringClass(serverClassID);
}

// A class brought unchanged; under a new id when its own is taken in the project.
long CEquipmentLibraryObject::BringClass(long serverClassID)
{
    QSqlQuery name = m_side.Library().Database().Query(
        QStringLiteral("SELECT ClassName FROM EquipmentClass WHERE EquipmentClassID = ?"), {qlonglong(serverClassID)});
    if (!name.next())
        return -1;
    CDaoDatabase& project = m_side.Project();
    long classID = serverClassID;
    if (RowExists(project, QStringLiteral("EquipmentClass"), QStringLiteral("EquipmentClassID"), classID))
        classID = GenerateUniqueID(
            [&](long id) { return RowExists(project, QStringLiteral("EquipmentClass"), QStringLiteral("EquipmentClassID"), id); },
            BROUGHT_CLASS_IDS);
    ExecKept(project, QStringLiteral("EquipmentClass"),
             QStringLiteral("INSERT INTO EquipmentClass (EquipmentClassID, ClassName) VALUES (?, ?)"),
             {qlonglong(classID), name.value(0)});
    return classID;
}
