#include "foundation/db/project/DefaultUOMSet.h"

const DaoRecordsetDef& CDefaultUOMSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT InputUOMSetID, OutputUOMSetID, RowKey FROM \"PREFER-UnitsOfMeasureSet\" ORDER BY RowKey",
        {{"PREFER-UnitsOfMeasureSet", {"RowKey"}}},
        {{"InputUOMSetID", DaoFieldType::Long},
         {"OutputUOMSetID", DaoFieldType::Long},
         {"RowKey", DaoFieldType::Long}}};
    return def;
}
