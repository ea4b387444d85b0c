#include "foundation/db/project/SharedExclusiveEquipmentSet.h"

const DaoRecordsetDef& CSharedExclusiveEquipmentSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT EquipmentID, PlanID, RowKey FROM SharedExclusiveEquipment ORDER BY RowKey",
        {{"SharedExclusiveEquipment", {"RowKey"}}},
        {{"EquipmentID", DaoFieldType::Long},
         {"PlanID", DaoFieldType::Long},
         {"RowKey", DaoFieldType::Long, DAO_NOT_WRITTEN}}};
    return def;
}

bool CSharedExclusiveEquipmentSet::OpenSet()
{
    return OpenOnProjectDatabase(QStringLiteral("Database file is not opend yet!"));
}
