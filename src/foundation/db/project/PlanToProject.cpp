#include "foundation/db/project/PlanToProject.h"

const DaoRecordsetDef& CPlanToProject::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT PlanID, ProjectID, PlanName, RowKey FROM \"ProductionPlan-To-Project\" ORDER BY RowKey",
        {{"ProductionPlan-To-Project", {"RowKey"}}},
        {{"PlanID", DaoFieldType::Long},
         {"ProjectID", DaoFieldType::Long},
         {"PlanName", DaoFieldType::Text},
         {"RowKey", DaoFieldType::Long}}};
    return def;
}
