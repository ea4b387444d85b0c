#include "foundation/db/step/OperationSet.h"

const DaoRecordsetDef& COperationSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT QuorvantaLabel, ModelTypeID, OperationID, OperationTypeID, RecipeText, SafetyNote, "
        "UserComments,"
        " OperationSequenceNumber, UnitProcedureSequenceNumber, RangeText FROM QryOperationForOperationID"
        " WHERE OperationID = :OPID",
        {{"Operation", {"OperationID"}}},
        {{"QuorvantaLabel", DaoFieldType::Text},
         {"ModelTypeID", DaoFieldType::Long},
         {"OperationID", DaoFieldType::Long},
         {"OperationTypeID", DaoFieldType::Long},
         {"RecipeText", DaoFieldType::Text},
         {"SafetyNote", DaoFieldType::Text},
         {"UserComments", DaoFieldType::Text},
         {"OperationSequenceNumber", DaoFieldType::Long},
         {"UnitProcedureSequenceNumber", DaoFieldType::Long},
         {"RangeText", DaoFieldType::Text}}};
    return def;
}

bool COperationSet::OpenSet(long stepID, long operationID)
{
    SetParameter("OPID", qlonglong(operationID));
    return OpenOnStepDatabase(stepID);
}
