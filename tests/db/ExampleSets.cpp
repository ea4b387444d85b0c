#include "ExampleSets.h"

const DaoRecordsetDef& CExampleTextRecipeSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT ID, StepID, RecipeSequenceNumber, Type, Label, Hide, Breakpoint, Amount, StartDate"
        " FROM TextRecipe WHERE (StepID = :ParentStepID OR :ItemType = 'all') ORDER BY RecipeSequenceNumber",
        {{"TextRecipe", {"ID"}}},
        {{"ID", DaoFieldType::Long},
         {"StepID", DaoFieldType::Long},
         {"RecipeSequenceNumber", DaoFieldType::Long},
         {"Type", DaoFieldType::Text},
         {"Label", DaoFieldType::Text},
         {"Hide", DaoFieldType::Bool},
         {"Breakpoint", DaoFieldType::Bool},
         {"Amount", DaoFieldType::Double},
         {"StartDate", DaoFieldType::Date}}};
    return def;
}

bool CExampleTextRecipeSet::OpenSet(long stepID, const QString& itemType, const QString& dbPath)
{
    SetParameter("ParentStepID", qlonglong(stepID));
    SetParameter("ItemType", itemType);
    if (dbPath.isEmpty())
        return OpenOnStepDatabase(stepID);
    return OpenOnFile(dbPath, QString(), DatabaseRole::WorkingCopy);
}

const DaoRecordsetDef& CExampleStepInProcessSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT s.ProcessID, s.StepID, s.StepOrder, p.ProcessName FROM \"Step-To-Process\" s"
        " JOIN Process p ON p.ProcessID = s.ProcessID WHERE s.ProcessID = :pProcessID ORDER BY s.StepOrder",
        {{"Step-To-Process", {"ProcessID", "StepID"}}, {"Process", {"ProcessID"}}},
        {{"ProcessID", DaoFieldType::Long},
         {"StepID", DaoFieldType::Long},
         {"StepOrder", DaoFieldType::Long},
         {"ProcessName", DaoFieldType::Text, 1}}};
    return def;
}

bool CExampleStepInProcessSet::OpenSet(long processID)
{
    SetParameter("pProcessID", qlonglong(processID));
    return OpenOnProjectDatabase("Database file is not opened yet!");
}
