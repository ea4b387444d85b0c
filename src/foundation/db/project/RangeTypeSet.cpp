#include "foundation/db/project/RangeTypeSet.h"

const DaoRecordsetDef& CRangeTypeSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT RangeTypeID, Description, \"Default\" FROM TblRangeLibrary ORDER BY RangeTypeID",
        {{"TblRangeLibrary", {"RangeTypeID"}}},
        {{"RangeTypeID", DaoFieldType::Long}, {"Description", DaoFieldType::Text}, {"Default", DaoFieldType::Bool}}};
    return def;
}

bool CRangeTypeSet::OpenSet()
{
    return OpenOnProjectDatabase(QStringLiteral("Database file is not opened yet!"));
}
