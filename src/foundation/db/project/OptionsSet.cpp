#include "foundation/db/project/OptionsSet.h"

const DaoRecordsetDef& COptionsSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT OptionsID, Description FROM Options ORDER BY OptionsID",
        {{"Options", {"OptionsID"}}},
        {{"OptionsID", DaoFieldType::Long}, {"Description", DaoFieldType::Text}}};
    return def;
}
