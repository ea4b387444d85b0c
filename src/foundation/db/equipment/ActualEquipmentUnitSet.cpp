#include "foundation/db/equipment/ActualEquipmentUnitSet.h"

CActualEquipmentUnitSet::CActualEquipmentUnitSet() : CEquipmentRecordset(Definition())
{
    SetErrorMode(DaoErrorMode::Quiet);
}

const DaoRecordsetDef& CActualEquipmentUnitSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT ActualEquipmentID, QVTag, EquipmentClassID FROM ActualEquipmentCommon"
        " WHERE ActualEquipmentID = :pEquipmentID",
        {{"ActualEquipmentCommon", {"ActualEquipmentID"}}},
        {{"ActualEquipmentID", DaoFieldType::Long},
         {"QVTag", DaoFieldType::Text},
         {"EquipmentClassID", DaoFieldType::Long}}};
    return def;
}

bool CActualEquipmentUnitSet::OpenSet(long equipmentID)
{
    SetParameter("pEquipmentID", qlonglong(equipmentID));
    return OpenOnEquipmentFile() && !IsEOF();
}
