#pragma once
// The plan run by the plan's detail rows: a batch per [ProductionPlanDetail] row in query order,
// each its step's schedule. A batch starts at the latest of
// - the plan's start (time 0) and its row's EarliestStartTime;
// - its reference batch's start plus its row's BatchTimeInterval (converted to seconds);
// - its reference batch's end, unless its row's Overlap is set;
// - the release of each of the plan's shared-exclusive equipment its step uses (the end of the
//   last operation on it in an earlier batch).
// The reference batch is the previous batch of its campaign (RequirementID); for a campaign's
// first row, the last batch of the campaign before it.

#include "modules/engine/EnginePlanRun.h"

class CDaoDatabase;

struct EnginePlanDetailRow {
    long stepID = 0;
    long requirementID = 0;
    bool overlap = false;
    double earliestStart = 0; // seconds from the plan's start; 0 when none is given
    double interval = 0;      // seconds
};

struct EnginePlanRows {
    QList<EnginePlanDetailRow> rows;
    QList<long> sharedEquipment;
};

// False when the plan has no row or its rows cannot be read. Times are counted from the plan's
// StartDateTime; without one, from the earliest EarliestStartTime of its rows.
bool ReadEnginePlanRows(CDaoDatabase& projectDatabase, long planID, EnginePlanRows& plan);
// A batch per row, numbered from 1.
QList<EnginePlanBatch> EnginePlanDetailBatches(const EnginePlanRows& plan);
EnginePlanPlacement EnginePlanDetailPlacement(const EnginePlanRows& plan);

// Rows whose step cannot be scheduled (no step database, no transitions, a cycle) are left out,
// each such step with an Error remark (1008, OperationID 0); the others run.
void DropUnschedulableRows(CDaoDatabase& projectDatabase, EnginePlanRows& plan,
                           QList<EnginePlanBatch>& batches, QList<ResultsRemark>& remarks,
                           const EngineBalanceSettings& settings);

// The whole run of the plan by its detail rows.
int SimulatePlanByDetailRows(ISimStatus* status, long planID, bool writeResults,
                             const EngineBalanceSettings& settings = {});
