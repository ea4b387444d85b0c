#pragma once
// The run of a production plan: batches of steps, each its step's schedule, placed in time by a
// placement rule, run with one progress step per operation (breakpoints ignored) and written to
// QVPLAN_<id> with their batch numbers. The run by the plan's detail rows is one placement; the
// run by a user-defined sequence plugs in its own.

#include "modules/engine/EngineBalance.h"
#include "modules/engine/EngineSchedule.h"

#include <QList>
#include <functional>
#include <memory>

class ISimStatus;

struct EnginePlanBatch {
    long stepID = 0;
    long batchNumber = 0; // 1, 2, ... in plan order
    std::shared_ptr<const EngineSchedule> schedule; // the step's own, from time 0
    // Per operation of the schedule, in seconds from the plan's start: set by the placement.
    QList<double> starts;
    QList<double> ends;
};

// Gives every batch its operations' times; false when the batches cannot be placed.
using EnginePlanPlacement = std::function<bool(QList<EnginePlanBatch>& batches)>;

// Reads and schedules each batch's step (each step once) unless the batch has its schedule; false
// when one cannot be scheduled.
bool ScheduleEnginePlanBatches(QList<EnginePlanBatch>& batches, const EngineBalanceSettings& settings = {});
// The batch keeps its step's schedule, moved to start at `start`.
void PlaceEnginePlanBatch(EnginePlanBatch& batch, double start);
double EnginePlanBatchEnd(const EnginePlanBatch& batch);

// Schedules and places the batches, runs them and, with writeResults, writes the plan's results
// with the remarks of the run itself (`runRemarks`, batch 0). SIMULATION_FAILED when there are no
// batches (an Error remark is written then: the run's own, else 1005), a step cannot be scheduled,
// the placement fails or the results cannot be written; SIMULATION_CANCELLED when the status asks
// to stop.
int RunEnginePlan(ISimStatus* status, long planID, QList<EnginePlanBatch> batches,
                  const EnginePlanPlacement& place, bool writeResults,
                  const EngineBalanceSettings& settings = {}, const QList<ResultsRemark>& runRemarks = {});
