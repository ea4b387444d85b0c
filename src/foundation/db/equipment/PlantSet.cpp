#include "foundation/db/equipment/PlantSet.h"

const DaoRecordsetDef& CPlantSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT PlantID, PlantName, Address, CalendarID, City, Country, State FROM Plant ORDER BY PlantID",
        {{"Plant", {"PlantID"}}},
        {{"PlantID", DaoFieldType::Long},
         {"PlantName", DaoFieldType::Text},
         {"Address", DaoFieldType::Text},
         {"CalendarID", DaoFieldType::Long},
         {"City", DaoFieldType::Text},
         {"Country", DaoFieldType::Text},
         {"State", DaoFieldType::Text}}};
    return def;
}

bool CPlantSet::OpenSet()
{
    return OpenOnEquipmentFile();
}
