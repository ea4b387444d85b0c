#include "recipe/RecipeLineSet.h"

const DaoRecordsetDef& CRecipeLineSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT t.ID, t.Indent, t.Label, t.OPNumber, t.RecipeSequenceNumber, t.Type, t.UPNumber, t.Hide,"
        " t.Breakpoint, t.RowKey, u.UnitProcedureID AS FoundUnitProcedureID, u.UnitProcedureName,"
        " u.UserComments AS UnitProcedureComments, o.OperationID AS FoundOperationID, o.QuorvantaLabel,"
        " o.OperationTypeID, o.RecipeText, o.RangeText, o.UserComments AS OperationComments"
        " FROM TextRecipe t"
        " LEFT JOIN UnitProcedure u ON t.Type = 'Unit Procedure' AND u.UnitProcedureID = t.ID"
        " LEFT JOIN Operation o ON t.Type = 'Operation' AND o.OperationID = t.ID"
        " WHERE t.StepID = :pStepID ORDER BY t.RecipeSequenceNumber, t.RowKey",
        {},
        {{"ID", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"Indent", DaoFieldType::Short, DAO_NOT_WRITTEN},
         {"Label", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"OPNumber", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"RecipeSequenceNumber", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"Type", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"UPNumber", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"Hide", DaoFieldType::Bool, DAO_NOT_WRITTEN},
         {"Breakpoint", DaoFieldType::Bool, DAO_NOT_WRITTEN},
         {"RowKey", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"FoundUnitProcedureID", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"UnitProcedureName", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"UnitProcedureComments", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"FoundOperationID", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"QuorvantaLabel", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"OperationTypeID", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"RecipeText", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"RangeText", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"OperationComments", DaoFieldType::Text, DAO_NOT_WRITTEN}}};
    return def;
}

bool CRecipeLineSet::OpenSet(long stepID)
{
    SetParameter("pStepID", qlonglong(stepID));
    return OpenOnStepDatabase(stepID);
}
