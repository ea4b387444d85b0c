#include "foundation/db/equipment/PlantToProjectSet.h"

const DaoRecordsetDef& CPlantToProjectSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT PlantID, ProjectID, PlantName, RowKey FROM \"Plant-To-Project\" ORDER BY RowKey",
        {{"Plant-To-Project", {"RowKey"}}},
        {{"PlantID", DaoFieldType::Long},
         {"ProjectID", DaoFieldType::Long},
         {"PlantName", DaoFieldType::Text},
         {"RowKey", DaoFieldType::Long, DAO_NOT_WRITTEN}}};
    return def;
}

bool CPlantToProjectSet::OpenSet(const QString& dbPath)
{
    return OpenOnEquipmentFile(dbPath);
}
