#include "foundation/db/equipment/FactorySet.h"

const DaoRecordsetDef& CFactorySet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT FactoryID, FactoryName FROM Factory ORDER BY FactoryID",
        {{"Factory", {"FactoryID"}}},
        {{"FactoryID", DaoFieldType::Long},
         {"FactoryName", DaoFieldType::Text}}};
    return def;
}

bool CFactorySet::OpenSet()
{
    return OpenOnEquipmentFile();
}
