#include "foundation/db/step/TextRecipeSet.h"

const DaoRecordsetDef& CTextRecipeSet::Definition()
{
    static const DaoRecordsetDef def{
        "WITH arg(StepID, ItemID, ItemType) AS (SELECT :ParentStepID, :ItemID, :ItemType)"
        " SELECT q.ID, q.Indent, q.Label, q.OperationName, q.OPNumber, q.RecipeSequenceNumber, q.StepID, "
        "q.Type,"
        " q.UnitProcedureName, q.UPNumber, q.StepName, q.StepVersionName, q.Hide, q.Breakpoint, q.RowKey"
        " FROM QryTextRecipe q, arg WHERE q.StepID = arg.StepID"
        " AND (lower(arg.ItemType) = 'all' OR (q.Type = arg.ItemType AND q.ID = arg.ItemID))"
        " ORDER BY q.RecipeSequenceNumber, q.RowKey",
        {{"TextRecipe", {"RowKey"}}},
        {{"ID", DaoFieldType::Long},
         {"Indent", DaoFieldType::Short},
         {"Label", DaoFieldType::Text},
         {"OperationName", DaoFieldType::Text},
         {"OPNumber", DaoFieldType::Long},
         {"RecipeSequenceNumber", DaoFieldType::Long},
         {"StepID", DaoFieldType::Long},
         {"Type", DaoFieldType::Text},
         {"UnitProcedureName", DaoFieldType::Text},
         {"UPNumber", DaoFieldType::Long},
         {"StepName", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"StepVersionName", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"Hide", DaoFieldType::Bool},
         {"Breakpoint", DaoFieldType::Bool},
         {"RowKey", DaoFieldType::Long}}};
    return def;
}

bool CTextRecipeSet::OpenSet(long stepID, long itemID, const QString& itemType, const QString& dbPath)
{
    SetParameter("ParentStepID", qlonglong(stepID));
    SetParameter("ItemID", qlonglong(itemID));
    SetParameter("ItemType", itemType);
    if (dbPath.isEmpty())
        return OpenOnStepDatabase(stepID);
    return OpenOnFile(dbPath);
}
