#include "foundation/db/equipment/FacilityTreeSet.h"

const DaoRecordsetDef& CFacilityTreeSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT PlantName, PlantID, ClassName, EquipmentClassID, ActualEquipmentID, QVTag FROM QryPlantTree"
        " ORDER BY PlantID, EquipmentClassID, ActualEquipmentID",
        {},
        {{"PlantName", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"PlantID", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"ClassName", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"EquipmentClassID", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"ActualEquipmentID", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"QVTag", DaoFieldType::Text, DAO_NOT_WRITTEN}}};
    return def;
}

bool CFacilityTreeSet::OpenSet()
{
    return OpenOnEquipmentFile();
}
