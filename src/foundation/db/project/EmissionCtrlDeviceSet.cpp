#include "foundation/db/project/EmissionCtrlDeviceSet.h"

const DaoRecordsetDef& CEmissionCtrlDeviceSet::Definition()
{
    static const DaoRecordsetDef def{
        "WITH arg(PlantID, EquipmentID) AS (SELECT :pPlantID, :pEquipmentID) SELECT d.PlantID, d.EquipmentID, d.RowKey"
        " FROM TblEmissionControlDevice d, arg WHERE d.PlantID = arg.PlantID"
        " AND (arg.EquipmentID = -1 OR d.EquipmentID = arg.EquipmentID) ORDER BY d.RowKey",
        {{"TblEmissionControlDevice", {"RowKey"}}},
        {{"PlantID", DaoFieldType::Long},
         {"EquipmentID", DaoFieldType::Long},
         {"RowKey", DaoFieldType::Long, DAO_NOT_WRITTEN}}};
    return def;
}

bool CEmissionCtrlDeviceSet::OpenSet(long plantID, long equipmentID)
{
    SetParameter("pPlantID", qlonglong(plantID));
    SetParameter("pEquipmentID", qlonglong(equipmentID));
    return OpenOnProjectDatabase(QString());
}
