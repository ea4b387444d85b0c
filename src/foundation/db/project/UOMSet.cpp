#include "foundation/db/project/UOMSet.h"

const DaoRecordsetDef& CUOMSet::Definition()
{
    static const DaoRecordsetDef def{"SELECT UOMSetID, UOMSetName FROM TblUOMSet ORDER BY UOMSetID",
                                     {{"TblUOMSet", {"UOMSetID"}}},
                                     {{"UOMSetID", DaoFieldType::Long}, {"UOMSetName", DaoFieldType::Text}}};
    return def;
}
