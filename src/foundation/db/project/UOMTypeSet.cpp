#include "foundation/db/project/UOMTypeSet.h"

const DaoRecordsetDef& CUOMTypeSet::Definition()
{
    static const DaoRecordsetDef def{"SELECT UOMType, DisplayName FROM TblUOMTypes ORDER BY UOMType",
                                     {{"TblUOMTypes", {"UOMType"}}},
                                     {{"UOMType", DaoFieldType::Text}, {"DisplayName", DaoFieldType::Text}}};
    return def;
}
