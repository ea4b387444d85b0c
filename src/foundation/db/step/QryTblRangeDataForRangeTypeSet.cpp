#include "foundation/db/step/QryTblRangeDataForRangeTypeSet.h"

const DaoRecordsetDef& CQryTblRangeDataForRangeTypeSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT RangeID, GroupID, FieldTypeID, RangeTypeID, Low, LowUOM, High, HighUOM FROM TblRangeData"
        " WHERE RangeTypeID = :pRangeTypeID ORDER BY RangeID",
        {{"TblRangeData", {"RangeID"}}},
        {{"RangeID", DaoFieldType::Long},
         {"GroupID", DaoFieldType::Long},
         {"FieldTypeID", DaoFieldType::Long},
         {"RangeTypeID", DaoFieldType::Long},
         {"Low", DaoFieldType::Double},
         {"LowUOM", DaoFieldType::Text},
         {"High", DaoFieldType::Double},
         {"HighUOM", DaoFieldType::Text}}};
    return def;
}

bool CQryTblRangeDataForRangeTypeSet::OpenSet(long stepID, long rangeTypeID)
{
    SetParameter(QStringLiteral("pRangeTypeID"), qlonglong(rangeTypeID));
    return OpenOnStepDatabase(stepID);
}
