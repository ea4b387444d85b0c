#include "foundation/db/step/RecipeOutlineSet.h"

const DaoRecordsetDef& CRecipeOutlineSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT ID, Type, UPNumber, OPNumber, UnitProcedureName, OperationName, Hide FROM TextRecipe"
        " WHERE StepID = :pStepID AND Type IN ('Unit Procedure', 'Operation')"
        " ORDER BY RecipeSequenceNumber, RowKey",
        {{"TextRecipe", {"RowKey"}}},
        {{"ID", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"Type", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"UPNumber", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"OPNumber", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"UnitProcedureName", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"OperationName", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"Hide", DaoFieldType::Bool, DAO_NOT_WRITTEN}}};
    return def;
}

bool CRecipeOutlineSet::OpenSet(long stepID)
{
    SetParameter("pStepID", qlonglong(stepID));
    return OpenOnStepDatabase(stepID);
}
