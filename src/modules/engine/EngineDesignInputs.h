#pragma once
// What a design run reads: the last batch results of the step, its stored design targets, the
// equipment items it used with their unit procedures and peak volumes (the fullest their contents
// get in the material balance), the equipment catalogue, and the request converted to kg and
// seconds. Nothing is written.

#include "foundation/db/schema/ResultsDatabase.h"
#include "foundation/db/step/DesignSpecsSet.h"
#include "modules/engine/DesignSizing.h"

#include <QHash>
#include <QList>
#include <QString>

// Remarks of a design run (schema/seed/results.sql).
constexpr long REMARK_DESIGN_NOT_ABOVE_ZERO = 1011;
constexpr long REMARK_DESIGN_HORIZON_BELOW_CYCLE = 1012;
constexpr long REMARK_DESIGN_UNKNOWN_UNIT = 1013;
constexpr long REMARK_DESIGN_NO_MOLECULAR_WEIGHT = 1014;
constexpr long REMARK_DESIGN_NO_BATCH_RESULTS = 1015;
constexpr long REMARK_DESIGN_OVERFLOW = 1016;
constexpr long REMARK_DESIGN_UNDERFLOW = 1017;

struct EngineDesignRequest {
    long stepID = 0;
    double amount = 1e35;
    QString amountUOM;
    double horizon = 1e35;
    QString horizonUOM;
    QList<long> fixedEquipment;
};

// A unit procedure on one of the used items.
struct DesignUnitProcedure {
    long unitProcedureID = 0;
    long equipmentID = 0;
};

struct EngineDesignInputs {
    ResultsRunSummary lastRun;
    QList<ResultsScheduleRow> schedule;
    // Of the batch run; the default densities the design's own balance assumes in place of the
    // batch run's remarks of them.
    QList<ResultsRemark> remarks;
    DesignTargets targets;
    QList<DesignEquipmentUse> uses; // one per used item, in id order
    QList<DesignUnitProcedure> unitProcedures;
    QHash<long, DesignVessel> vessels;
    double amountKg = 1e35;
    double horizonSeconds = 1e35;
    long problem = 0; // a REMARK_DESIGN_ id when the run cannot size the step
    // The step's results file is there but does not read: a design written over it would lose
    // the batch run's rows.
    bool resultsUnreadable = false;
};

// Reads everything; `problem` names the first reason the step cannot be sized.
EngineDesignInputs ReadEngineDesignInputs(const EngineDesignRequest& request);
// The amount in kg: mass units directly, molar ones through the molecular weight (1e35: none);
// false for any other unit.
bool DesignAmountInKg(double amount, const QString& uom, double molecularWeight, double* kg,
                      bool* needsWeight);
