#include "foundation/db/project/PlanRequirementsSet.h"

const DaoRecordsetDef& CPlanRequirementsSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT RequirementID, PlanID, StepOrProcessID, StepOrProcess, Quantity, QuantityUOM, BatchTimeInterval,"
        " EarliestStartTime, FirstBatchOverlap, BatchTimeIntervalUOM, IntraCampaignBatchOverlap"
        " FROM QryPlanRequirementsForPlanID WHERE PlanID = :PlanID OR :pAllPlans ORDER BY RequirementID",
        {{"PlanRequirements", {"RequirementID"}}},
        {{"RequirementID", DaoFieldType::Long},
         {"PlanID", DaoFieldType::Long},
         {"StepOrProcessID", DaoFieldType::Long},
         {"StepOrProcess", DaoFieldType::Text},
         {"Quantity", DaoFieldType::Double},
         {"QuantityUOM", DaoFieldType::Text},
         {"BatchTimeInterval", DaoFieldType::Double},
         {"EarliestStartTime", DaoFieldType::Date},
         {"FirstBatchOverlap", DaoFieldType::Bool},
         {"BatchTimeIntervalUOM", DaoFieldType::Text},
         {"IntraCampaignBatchOverlap", DaoFieldType::Bool}}};
    return def;
}

bool CPlanRequirementsSet::OpenSet(long planID)
{
    SetParameter("PlanID", qlonglong(planID));
    SetParameter("pAllPlans", planID == -1 ? 1 : 0);
    return OpenOnProjectDatabase(QString());
}
