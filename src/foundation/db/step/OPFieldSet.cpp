#include "foundation/db/step/OPFieldSet.h"

const DaoRecordsetDef& COPFieldSet::Definition()
{
    static const DaoRecordsetDef def{
        "WITH arg(GroupID, FieldTypeID, SubGroupIndex) AS (SELECT :PGroupID, :PFieldTypeID, :PSubGroupIndex)"
        " SELECT f.FieldID, f.GroupID, f.SubGroupIndex, f.FieldTypeID, f.DoubleValue, f.LongValue, f.UOM,"
        " f.StringValue, f.OpFieldID FROM TblFieldData f, arg"
        " WHERE (arg.GroupID = -1 OR f.GroupID = arg.GroupID)"
        " AND (arg.FieldTypeID = -1 OR f.FieldTypeID = arg.FieldTypeID)"
        " AND (arg.SubGroupIndex = -1 OR f.SubGroupIndex = arg.SubGroupIndex)"
        " ORDER BY f.SubGroupIndex, f.FieldID",
        {{"TblFieldData", {"FieldID"}}},
        {{"FieldID", DaoFieldType::Long},
         {"GroupID", DaoFieldType::Long},
         {"SubGroupIndex", DaoFieldType::Long},
         {"FieldTypeID", DaoFieldType::Long},
         {"DoubleValue", DaoFieldType::Double},
         {"LongValue", DaoFieldType::Long},
         {"UOM", DaoFieldType::Text},
         {"StringValue", DaoFieldType::Text},
         {"OpFieldID", DaoFieldType::Long}}};
    return def;
}

bool COPFieldSet::OpenSet(long stepID, long groupID, long fieldTypeID, long subGroupIndex)
{
    SetParameter("PGroupID", qlonglong(groupID));
    SetParameter("PFieldTypeID", qlonglong(fieldTypeID));
    SetParameter("PSubGroupIndex", qlonglong(subGroupIndex));
    return OpenOnStepDatabase(stepID);
}
