#pragma once
// The names the reports show for a step, process or plan of the open project: "name (version)"
// for steps and processes, the plan's name; empty when the project holds no such row.

#include <QString>

QString ReportStepName(long stepID);
QString ReportProcessName(long processID);
QString ReportPlanName(long planID);
