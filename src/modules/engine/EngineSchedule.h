#pragma once
// The timed operations of one step in recipe order, with their remarks and the run's summary.

#include "foundation/db/ResultsDatabase.h"

#include <QList>
#include <QString>

struct EngineScheduledOperation {
    long operationID = 0;
    long unitProcedureID = 0;
    long sequence = 0; // the line's RecipeSequenceNumber
    long unitProcedureSequence = 0;
    bool breakpoint = false;
    bool unitProcedureBreakpoint = false;
    QString text;
    double start = 0;
    double end = 0;
    long equipmentID = 0;
    double amount = 0; // kg
};

struct EngineRemark {
    long operationID = 0;
    long messageID = 0;
};

// Remark messages of the results database.
constexpr long REMARK_NO_EQUIPMENT = 1001;
constexpr long REMARK_VOLUME_ABOVE_CAPACITY = 1002;
constexpr long REMARK_NO_DURATION = 1003;
constexpr long REMARK_PROCESS_WITHOUT_TRANSITIONS = 1004; // of the run, not of an operation
constexpr long REMARK_PLAN_WITHOUT_BATCHES = 1005;        // likewise; 1006 is the sequence file's

struct EngineSchedule {
    long stepID = 0;
    QList<EngineScheduledOperation> operations;
    QList<EngineRemark> remarks;
    double maxFactor = 1e35; // smallest capacity / volume
    double minFactor = 1e35; // largest minimum volume / volume

    // The summary over the first `count` operations (all of them when negative).
    ResultsRunSummary Summary(int count = -1) const;
};
