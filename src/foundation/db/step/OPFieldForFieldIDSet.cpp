#include "foundation/db/step/OPFieldForFieldIDSet.h"

const DaoRecordsetDef& COPFieldForFieldIDSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT FieldID, GroupID, SubGroupIndex, FieldTypeID, DoubleValue, LongValue, UOM, StringValue, OpFieldID"
        " FROM TblFieldData WHERE FieldID = :PFieldID",
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

bool COPFieldForFieldIDSet::OpenSet(long stepID, long fieldID)
{
    SetParameter("PFieldID", qlonglong(fieldID));
    return OpenOnStepDatabase(stepID);
}
