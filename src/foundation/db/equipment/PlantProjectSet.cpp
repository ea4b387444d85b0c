#include "foundation/db/equipment/PlantProjectSet.h"

const DaoRecordsetDef& CPlantProjectSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT PlantID, PlantName FROM \"QryPlant-To-Project\" ORDER BY PlantID",
        {},
        {{"PlantID", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"PlantName", DaoFieldType::Text, DAO_NOT_WRITTEN}}};
    return def;
}

bool CPlantProjectSet::OpenSet()
{
    return OpenOnEquipmentFile();
}
