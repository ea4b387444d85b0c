#include "foundation/db/equipment/EquipmentClassSet.h"

CEquipmentClassSet::CEquipmentClassSet() : CEquipmentRecordset(Definition())
{
    SetErrorMode(DaoErrorMode::Quiet);
}

const DaoRecordsetDef& CEquipmentClassSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT EquipmentClassID, ClassName FROM EquipmentClass WHERE EquipmentClassID = :pClassID",
        {{"EquipmentClass", {"EquipmentClassID"}}},
        {{"EquipmentClassID", DaoFieldType::Long}, {"ClassName", DaoFieldType::Text}}};
    return def;
}

bool CEquipmentClassSet::OpenSet(long classID)
{
    SetParameter("pClassID", qlonglong(classID));
    return OpenOnEquipmentFile() && !IsEOF();
}
