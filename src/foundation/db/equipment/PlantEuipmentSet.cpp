#include "foundation/db/equipment/PlantEuipmentSet.h"

const DaoRecordsetDef& CPlantEuipmentSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT ActualEquipmentID, QVTag, Pool, PlantID, PlantName, EquipmentClassID, ClassName, EquipmentType,"
        " FactoryID, BuildingID, AreaID, Description, NumberOfUnits, Capacity, CapacityUOM, MinimumVolume,"
        " MinimumVolumeUOM, MaterialOfConstruction, CleaningTime, CleaningTimeUOM, CalendarID, Cost"
        " FROM QryPlantEquipment WHERE PlantID = :pPlantID ORDER BY QVTag, ActualEquipmentID",
        {},
        {{"ActualEquipmentID", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"QVTag", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"Pool", DaoFieldType::Bool, DAO_NOT_WRITTEN},
         {"PlantID", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"PlantName", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"EquipmentClassID", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"ClassName", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"EquipmentType", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"FactoryID", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"BuildingID", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"AreaID", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"Description", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"NumberOfUnits", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"Capacity", DaoFieldType::Double, DAO_NOT_WRITTEN},
         {"CapacityUOM", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"MinimumVolume", DaoFieldType::Double, DAO_NOT_WRITTEN},
         {"MinimumVolumeUOM", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"MaterialOfConstruction", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"CleaningTime", DaoFieldType::Double, DAO_NOT_WRITTEN},
         {"CleaningTimeUOM", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"CalendarID", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"Cost", DaoFieldType::Double, DAO_NOT_WRITTEN}}};
    return def;
}

bool CPlantEuipmentSet::OpenSet(long plantID)
{
    SetParameter(QStringLiteral("pPlantID"), qlonglong(plantID));
    return OpenOnEquipmentFile();
}
