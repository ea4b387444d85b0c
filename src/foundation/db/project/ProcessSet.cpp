#include "foundation/db/project/ProcessSet.h"

const DaoRecordsetDef& CProcessSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT ProcessID, Description, FinalProductMaterialID, KeyRawMaterialID, ProcessName, "
        "ProcessVersionName,"
        " OutputUOMSetID, StartDateTime FROM Process ORDER BY ProcessName, ProcessID",
        {{"Process", {"ProcessID"}}},
        {{"ProcessID", DaoFieldType::Long},
         {"Description", DaoFieldType::Text},
         {"FinalProductMaterialID", DaoFieldType::Long},
         {"KeyRawMaterialID", DaoFieldType::Long},
         {"ProcessName", DaoFieldType::Text},
         {"ProcessVersionName", DaoFieldType::Text},
         {"OutputUOMSetID", DaoFieldType::Long},
         {"StartDateTime", DaoFieldType::Date}}};
    return def;
}
