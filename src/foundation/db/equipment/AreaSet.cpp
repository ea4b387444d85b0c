#include "foundation/db/equipment/AreaSet.h"

const DaoRecordsetDef& CAreaSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT AreaID, AreaName FROM Area ORDER BY AreaID",
        {{"Area", {"AreaID"}}},
        {{"AreaID", DaoFieldType::Long},
         {"AreaName", DaoFieldType::Text}}};
    return def;
}

bool CAreaSet::OpenSet()
{
    return OpenOnEquipmentFile();
}
