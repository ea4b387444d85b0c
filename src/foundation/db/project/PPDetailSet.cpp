#include "foundation/db/project/PPDetailSet.h"

const DaoRecordsetDef& CPPDetailSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT LineItemID, PlanID, StepID, Overlap, EarliestStartTime, PlantID, BatchNumber, RequirementID,"
        " BatchTimeInterval, BatchTimeIntervalUOM FROM QryProductionPlanDetail WHERE PlanID = :pPlanID"
        " ORDER BY LineItemID",
        {{"ProductionPlanDetail", {"LineItemID"}}},
        {{"LineItemID", DaoFieldType::Long},
         {"PlanID", DaoFieldType::Long},
         {"StepID", DaoFieldType::Long},
         {"Overlap", DaoFieldType::Double}, // a REAL column holding 0 or 1: read with GetBool
         {"EarliestStartTime", DaoFieldType::Date},
         {"PlantID", DaoFieldType::Long},
         {"BatchNumber", DaoFieldType::Short},
         {"RequirementID", DaoFieldType::Long},
         {"BatchTimeInterval", DaoFieldType::Double},
         {"BatchTimeIntervalUOM", DaoFieldType::Text}}};
    return def;
}

bool CPPDetailSet::OpenSet(long planID)
{
    SetParameter("pPlanID", qlonglong(planID));
    return OpenOnProjectDatabase(QString());
}
