#pragma once
// Reads the object tree from the open project: the processes listed in the open project
// database, their steps, each step's recipe (unit procedures, operations with their groups,
// fields and ranges, hidden flags) in one read transaction of its step database, each of the
// step's tables read whole by one query, and the plans.

#include <memory>

class CQVProcesses;
class CQVProductionPlans;
class CQVStep;

namespace AutomationTreeReader {
// False when the process table does not open (no processes, no plans).
bool ReadProcesses(CQVProcesses& processes);
void ReadPlans(CQVProductionPlans& plans);
// One step's details and recipe; nothing below a part that does not open.
void ReadStep(CQVStep& step);
} // namespace AutomationTreeReader
