#pragma once
// A plan run that follows the plan's user-defined sequence file: each column of the file is one
// batch of its step, timed by the step's own schedule from the plan's start; an operation whose
// line follows a line of another column starts no earlier than that line's operation (its batch's
// later operations move along with it). A missing, empty or stale file runs nothing.

#include "foundation/common/UserSimSequenceFile.h"
#include "modules/engine/EngineSchedule.h"

#include <QList>
#include <QString>

// Error remark of a plan run whose sequence file is missing, empty or does not match the recipes.
constexpr long REMARK_SEQUENCE_FILE_UNUSABLE = 1005;

struct SequencePlanBatch {
    long stepID = 0;
    int column = 0;          // position in the file, from 1
    EngineSchedule schedule; // times in s from the plan's start
};

// SIMULATION_COMPLETED with one batch per column, else SIMULATION_FAILED with the Error remark in
// `remarks` (operation 0), or without one when a step cannot be scheduled.
int ScheduleSequencePlan(long planID, QList<SequencePlanBatch>& batches, QList<EngineRemark>& remarks);

// The timing alone: `batches` hold each column's step schedule from 0, in column order.
void ApplySequenceOrder(const QList<SimSequenceLine>& lines, QList<SequencePlanBatch>& batches);
