#include "foundation/db/equipment/BuildingSet.h"

const DaoRecordsetDef& CBuildingSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT BuildingID, BuildingName FROM Building ORDER BY BuildingID",
        {{"Building", {"BuildingID"}}},
        {{"BuildingID", DaoFieldType::Long},
         {"BuildingName", DaoFieldType::Text}}};
    return def;
}

bool CBuildingSet::OpenSet()
{
    return OpenOnEquipmentFile();
}
