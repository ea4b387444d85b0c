#include "foundation/db/equipment/EquipmentPropertySet.h"

const DaoRecordsetDef& CEquipmentPropertySet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT ActualEquipmentID, PropertyName, DoubleValue, ValueUOM, TextValue FROM QryEquipmentProperty"
        " WHERE ActualEquipmentID = :pEquipmentID AND PropertyName = :pPropertyName ORDER BY ActualEquipmentID",
        {},
        {{"ActualEquipmentID", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"PropertyName", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"DoubleValue", DaoFieldType::Double, DAO_NOT_WRITTEN},
         {"ValueUOM", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"TextValue", DaoFieldType::Text, DAO_NOT_WRITTEN}}};
    return def;
}

bool CEquipmentPropertySet::OpenSet(long equipmentID, const QString& propertyName, const QString& dbPath)
{
    SetParameter("pEquipmentID", qlonglong(equipmentID));
    SetParameter("pPropertyName", propertyName);
    return OpenOnEquipmentFile(dbPath);
}
