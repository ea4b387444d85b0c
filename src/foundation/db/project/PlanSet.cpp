#include "foundation/db/project/PlanSet.h"

const DaoRecordsetDef& CPlanSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT PlanID, PlanName, StartDateTime, OutputUOMSetID FROM ProductionPlan ORDER BY PlanID",
        {{"ProductionPlan", {"PlanID"}}},
        {{"PlanID", DaoFieldType::Long},
         {"PlanName", DaoFieldType::Text},
         {"StartDateTime", DaoFieldType::Date},
         {"OutputUOMSetID", DaoFieldType::Long}}};
    return def;
}
