#pragma once
// Opening schedule windows: one per step, process or plan (keyed by step id, process id + 98000,
// plan id + 99000), brought forward when it is open, titled "Schedule: <name>",
// "Schedule: Process - <name>" or "Schedule: Plan - <name>". Without results nothing opens and
// the user is told.

#include "foundation/common/concerns/ContextRecord.h"
#include "results/ScheduleEntries.h"

#include <QString>

class DocumentHost;
class CScheduleWindow;
class QWidget;

struct ScheduleTarget {
    ScheduleKind kind = ScheduleKind::Step;
    long id = -1;
    QString name; // "Name (Version)" of a step or process, or the plan's name
};

// Run Report: the context step when there is one, else the context plan; id -1 when neither.
ScheduleTarget ChooseRunReportTarget(const ContextRecord& context);
// Schedule: the selected process node's process, else the step, else the plan.
ScheduleTarget ChooseScheduleTarget(const ContextRecord& context);

// The window shown, or null (no host, or no results: "There are no results for %s.", shown to
// the user, or kept in *failure for a script).
CScheduleWindow* OpenScheduleWindow(DocumentHost* host, const ScheduleTarget& target,
                                    QString* failure = nullptr);
// The long title of a schedule window.
QString ScheduleTitle(const ScheduleTarget& target);

// Every open schedule window that shows that operation of the step selects its bar.
void SelectScheduledOperation(long stepID, long operationID);
// The step, process or plan of a window key, named from the open project.
ScheduleTarget ScheduleTargetOfKey(long key);
// The Gantt kind's window factory: the schedule window of that key, titled, or null without results.
QWidget* CreateScheduleWindowOfKey(long key);
