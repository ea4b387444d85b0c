#include "modules/qvxl/ReportNames.h"

#include "foundation/db/content/ProjectText.h"

QString ReportStepName(long stepID)
{
    return ReadProjectText("SELECT StepName || ' (' || IFNULL(StepVersionName, '') || ')' FROM ProjectStep"
                           " WHERE StepID = ?",
                           stepID);
}

QString ReportProcessName(long processID)
{
    return ReadProjectText("SELECT ProcessName || ' (' || IFNULL(ProcessVersionName, '') || ')' FROM Process"
                           " WHERE ProcessID = ?",
                           processID);
}

QString ReportPlanName(long planID)
{
    return ReadProjectText("SELECT PlanName FROM ProductionPlan WHERE PlanID = ?", planID);
}
