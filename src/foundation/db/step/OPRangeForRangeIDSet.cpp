#include "foundation/db/step/OPRangeForRangeIDSet.h"

const DaoRecordsetDef& COPRangeForRangeIDSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT RangeID, GroupID, SubGroupIndex, FieldTypeID, RangeTypeID, RangeCategory, Low, LowWidth, LowUOM,"
        " High, HighWidth, HighUOM, OpRangeID FROM TblRangeData WHERE RangeID = :pRangeID",
        {{"TblRangeData", {"RangeID"}}},
        {{"RangeID", DaoFieldType::Long},
         {"GroupID", DaoFieldType::Long},
         {"SubGroupIndex", DaoFieldType::Long},
         {"FieldTypeID", DaoFieldType::Long},
         {"RangeTypeID", DaoFieldType::Long},
         {"RangeCategory", DaoFieldType::Long},
         {"Low", DaoFieldType::Double},
         {"LowWidth", DaoFieldType::Short},
         {"LowUOM", DaoFieldType::Text},
         {"High", DaoFieldType::Double},
         {"HighWidth", DaoFieldType::Short},
         {"HighUOM", DaoFieldType::Text},
         {"OpRangeID", DaoFieldType::Long}}};
    return def;
}

bool COPRangeForRangeIDSet::OpenSet(long stepID, long rangeID)
{
    SetParameter("pRangeID", qlonglong(rangeID));
    return OpenOnStepDatabase(stepID);
}
