#pragma once
// The plan run by the plan's detail rows: a batch per [ProductionPlanDetail] row in query order,
// each its step's schedule, booked on the plant by CEnginePlanBooking (EnginePlanBooking.h).

#include "modules/engine/EnginePlanRun.h"

#include <QHash>
#include <QPair>

class CDaoDatabase;

struct EnginePlanDetailRow {
    long stepID = 0;
    long requirementID = 0;
    bool overlap = false;
    double earliestStart = 0; // seconds from the plan's start; 0 when none is given
    double interval = 0;      // seconds
    long plantID = 0;         // the facility; 0 when none is given
};

struct EnginePlanRows {
    QList<EnginePlanDetailRow> rows;
    // By requirement of a process: its step transitions, (from, to).
    QHash<long, QList<QPair<long, long>>> stepTransitions;
};

// False when the plan has no row or its rows cannot be read. Times are counted from the plan's
// StartDateTime; without one, from the earliest EarliestStartTime of its rows.
bool ReadEnginePlanRows(CDaoDatabase& projectDatabase, long planID, EnginePlanRows& plan);
// A batch per row, numbered from 1.
QList<EnginePlanBatch> EnginePlanDetailBatches(const EnginePlanRows& plan);
EnginePlanPlacement EnginePlanDetailPlacement(const EnginePlanRows& plan);

// Rows whose step cannot be scheduled (no step database, no transitions, a cycle, a unit procedure
// without equipment, equipment of another facility than its first row's, no figure of its batch
// size) are left out, each such step with one Error remark (1008, OperationID 0); the others run.
void DropUnschedulableRows(CDaoDatabase& projectDatabase, EnginePlanRows& plan,
                           QList<EnginePlanBatch>& batches, QList<ResultsRemark>& remarks,
                           const EngineBalanceSettings& settings);

// The whole run of the plan by its detail rows.
int SimulatePlanByDetailRows(ISimStatus* status, long planID, bool writeResults,
                             const EngineBalanceSettings& settings = {});
