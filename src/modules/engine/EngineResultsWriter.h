#pragma once
// Writes a run's results database atomically: the summary, the schedule rows (with the equipment
// used) and the remarks of the operations written.

#include "modules/engine/EngineSchedule.h"

#include <QList>
#include <QString>

// One step's part of a results file: its first `count` operations, shifted by `offset` seconds.
struct EngineResultsPart {
    const EngineSchedule* schedule = nullptr;
    int count = 0;
    double offset = 0;
};

// QVSTEP_<id> or QVPROC_<id> in the project folder; false when it could not be written (the
// previous file then stays as it was).
bool WriteEngineResults(const QString& target, const ResultsRunSummary& summary,
                        const QList<EngineResultsPart>& parts);

// A results file of a run that could not start: an empty summary and one remark of the run
// (StepID and OperationID 0).
bool WriteEngineRunRemark(const QString& target, long messageID);
