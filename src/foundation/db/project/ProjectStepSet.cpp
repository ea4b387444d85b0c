#include "foundation/db/project/ProjectStepSet.h"

const DaoRecordsetDef& CProjectStepSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT StepID, StepName, StepVersionName, Description FROM ProjectStep ORDER BY StepID",
        {{"ProjectStep", {"StepID"}}},
        {{"StepID", DaoFieldType::Long},
         {"StepName", DaoFieldType::Text},
         {"StepVersionName", DaoFieldType::Text},
         {"Description", DaoFieldType::Text}}};
    return def;
}
