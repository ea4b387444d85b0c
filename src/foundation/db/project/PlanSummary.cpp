#include "foundation/db/project/PlanSummary.h"

const DaoRecordsetDef& CPlanSummary::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT RequirementID, StepID, NumberOfBatches, PlanID, RowKey FROM PlanSummary"
        " WHERE PlanID = :pPlanID OR :pAllPlans ORDER BY RowKey",
        {{"PlanSummary", {"RowKey"}}},
        {{"RequirementID", DaoFieldType::Long},
         {"StepID", DaoFieldType::Long},
         {"NumberOfBatches", DaoFieldType::Short},
         {"PlanID", DaoFieldType::Long},
         {"RowKey", DaoFieldType::Long}}};
    return def;
}

bool CPlanSummary::OpenSet(long planID)
{
    SetParameter("pPlanID", qlonglong(planID));
    SetParameter("pAllPlans", planID == -1 ? 1 : 0);
    return OpenOnProjectDatabase(QString());
}
