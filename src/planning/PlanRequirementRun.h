#pragma once
// A plan's requirement run: optionally each required step simulated as a batch on the engine,
// then every requirement whose process or step is in the project calculated into batches and,
// when there are any, the plan's detail and summary rows and its two report files written.

#include "planning/PlanCalculationRun.h"

#include <QList>
#include <QString>

class EngineEntry;

// The plan's requirement rows in entry order.
QList<PlanRequirementRequest> ReadPlanRequests(long planID);

// A "process" of [Process-To-Project] or a "step" of [QryStepInProject]; any other kind is not.
bool IsPlanTargetInProject(long id, const QString& kind);

// The steps to simulate: every step other than START of each required process (a process required
// twice gives its steps twice), each required step once. False when a process's steps cannot be read.
bool CollectPlanSteps(const QList<PlanRequirementRequest>& requests, QList<long>& stepIDs);

// "Simulating Batch: " + the step's name + "(" + its version + ")"; the bare prefix without its [Step] row.
QString PlanBatchTitleLine(long stepID);

// One required step's batch, to its end (a pause at a breakpoint is continued); false when it was
// cancelled, its transitions could not be built or the engine gave it up.
bool SimulateRequiredBatch(EngineEntry& engine, long stepID);

// The whole run; true when the rows and both files were written. Batches first need an engine:
// without one the run answers false at once.
bool RunPlanRequirements(long planID, EngineEntry* engine, bool simulateBatchesFirst);
