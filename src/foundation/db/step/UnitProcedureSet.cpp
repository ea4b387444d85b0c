#include "foundation/db/step/UnitProcedureSet.h"

const DaoRecordsetDef& CUnitProcedureSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT PrimaryEquipmentID, UnitProcedureID, UnitProcedureName, UPSequenceNumber, UserComments"
        " FROM QryUnitProcedureForUnitProcedureID WHERE UnitProcedureID = :UPID",
        {{"UnitProcedure", {"UnitProcedureID"}}},
        {{"PrimaryEquipmentID", DaoFieldType::Long},
         {"UnitProcedureID", DaoFieldType::Long},
         {"UnitProcedureName", DaoFieldType::Text},
         {"UPSequenceNumber", DaoFieldType::Long},
         {"UserComments", DaoFieldType::Text}}};
    return def;
}

bool CUnitProcedureSet::OpenSet(long stepID, long unitProcedureID)
{
    SetParameter("UPID", qlonglong(unitProcedureID));
    return OpenOnStepDatabase(stepID);
}
