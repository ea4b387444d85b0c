#include "foundation/db/step/OPRangeDataSet.h"

const DaoRecordsetDef& COPRangeDataSet::Definition()
{
    static const DaoRecordsetDef def{
        "WITH arg(GroupID, SubGroupIndex, FieldTypeID) AS (SELECT :pGroupID, :pSubGroupIndex, :pFieldTypeID)"
        " SELECT r.RangeID, r.GroupID, r.SubGroupIndex, r.FieldTypeID, r.RangeTypeID, r.RangeCategory, r.Low,"
        " r.LowWidth, r.LowUOM, r.High, r.HighWidth, r.HighUOM, r.OpRangeID FROM TblRangeData r, arg"
        " WHERE (arg.GroupID = -1 OR r.GroupID = arg.GroupID)"
        " AND (arg.SubGroupIndex = -1 OR r.SubGroupIndex = arg.SubGroupIndex)"
        " AND (arg.FieldTypeID = -1 OR r.FieldTypeID = arg.FieldTypeID)"
        " ORDER BY r.SubGroupIndex, r.RangeID",
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

bool COPRangeDataSet::OpenSet(long stepID, long groupID, long subGroupIndex, long fieldTypeID)
{
    SetParameter("pGroupID", qlonglong(groupID));
    SetParameter("pSubGroupIndex", qlonglong(subGroupIndex));
    SetParameter("pFieldTypeID", qlonglong(fieldTypeID));
    return OpenOnStepDatabase(stepID);
}
