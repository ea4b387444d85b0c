#pragma once
// Writes a design run into the step's results file: the batch run's rows as they were, the design
// summary, one row per unit procedure on a sized item and the run's remarks (operation 0), through
// the atomic writer, so that a failed write leaves the previous file as it was.

#include "modules/engine/EngineDesignInputs.h"

struct DesignSummaryRow {
    long stepID = 0;
    double amountKg = 1e35;
    double horizonSeconds = 1e35;
    long facilityID = -1;
    QString heuristic;
    long batches = 0;
    double batchKg = 1e35;
    double factor = 1e35;
    double cycleSeconds = 1e35;
    int iterations = 0;
    bool feasible = false;
};

struct DesignEquipmentRow {
    long unitProcedureID = 0;
    long before = 0;
    long after = 0;
    bool fixed = false;
    double capacity = 1e35;
    double need = 1e35;
};

bool WriteDesignResults(const QString& target, const EngineDesignInputs& batchRun,
                        const DesignSummaryRow& summary, const QList<DesignEquipmentRow>& equipment,
                        const QList<long>& remarkIDs);
