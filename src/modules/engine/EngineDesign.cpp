#include "modules/engine/EngineDesign.h"

#include "foundation/common/BusyGuard.h"
#include "foundation/common/SimStatus.h"
#include "foundation/common/concerns/AppContext.h"
#include "modules/engine/DesignResultsWriter.h"
#include "modules/engine/EngineEntry.h"
#include "modules/engine/EngineRun.h"

#include <cmath>

namespace {

struct DesignOutcome {
    DesignSummaryRow summary;
    QList<DesignEquipmentRow> equipment;
    QList<long> remarks;
    bool cancelled = false;
};

DesignSummaryRow SummaryOf(long stepID, const EngineDesignInputs& inputs)
{
    DesignSummaryRow summary;
    summary.stepID = stepID;
    summary.amountKg = inputs.amountKg;
    summary.horizonSeconds = inputs.horizonSeconds;
    summary.facilityID = inputs.targets.facilityID;
    summary.heuristic = inputs.targets.heuristic;
    summary.cycleSeconds = inputs.lastRun.cycleTime;
    return summary;
}

// Pass n of the sizing: its status text and one step of the bar.
bool ReportIteration(ISimStatus* status, int iteration)
{
    if (!status)
        return true;
    return status->SetStatusText(QStringLiteral("Design iteration %1").arg(iteration)) && status->Step(0);
}

QList<DesignEquipmentRow> EquipmentRows(const EngineDesignInputs& inputs, const DesignSizingResult& sized)
{
    QHash<long, DesignEquipmentUse> byItem;
    for (const DesignEquipmentUse& use : sized.uses)
        byItem.insert(use.before, use);
    QList<DesignEquipmentRow> rows;
    for (const DesignUnitProcedure& unit : inputs.unitProcedures) {
        const DesignEquipmentUse use = byItem.value(unit.equipmentID);
        rows.append({unit.unitProcedureID, use.before, use.after, use.fixed, use.capacity, use.need});
    }
    return rows;
}

// The capacity and minimum-volume checks of the chosen items, as the options switch them.
QList<long> VolumeRemarks(const EngineDesignInputs& inputs, const DesignSizingResult& sized,
                          const EngineRunOptions& options)
{
    QList<long> remarks;
    for (const DesignEquipmentUse& use : sized.uses) {
        const double minimum = inputs.vessels.value(use.after).minimumVolume;
        if (options.overFlow && use.capacity != 1e35 && use.need > use.capacity)
            remarks.append(REMARK_DESIGN_OVERFLOW);
        if (options.underFlow && minimum != 1e35 && use.need > 0 && use.need < minimum)
            remarks.append(REMARK_DESIGN_UNDERFLOW);
    }
    return remarks;
}

DesignOutcome SizeDesign(ISimStatus* status, long stepID, const EngineDesignInputs& inputs,
                         const EngineRunOptions& options)
{
    DesignOutcome outcome;
    outcome.summary = SummaryOf(stepID, inputs);
    if (inputs.problem != 0) {
        outcome.remarks.append(inputs.problem);
        return outcome;
    }
    const long batches = long(std::floor(inputs.horizonSeconds / inputs.lastRun.cycleTime));
    const double factor = inputs.amountKg / batches / inputs.lastRun.batchSize;
    const CDesignSizing sizing(inputs.vessels, inputs.targets.facilityID,
                               ParseVesselRule(inputs.targets.heuristic));
    const DesignSizingResult sized =
        sizing.Size(inputs.uses, factor, options.maxDesignIterations,
                    [status](int iteration) { return ReportIteration(status, iteration); });
    outcome.cancelled = sized.cancelled;
    outcome.summary.batches = batches;
    outcome.summary.factor = sized.factor;
    outcome.summary.batchKg = inputs.lastRun.batchSize * sized.factor;
    outcome.summary.iterations = sized.iterations;
    outcome.summary.feasible = !sized.capped;
    outcome.equipment = EquipmentRows(inputs, sized);
    outcome.remarks = VolumeRemarks(inputs, sized, options);
    return outcome;
}

} // namespace

int RunEngineDesign(ISimStatus* status, const EngineDesignRequest& request, const EngineRunOptions& options)
{
    const CBusyScope busy;
    const EngineDesignInputs inputs = ReadEngineDesignInputs(request);
    CEngineRun::ReportStart(status, std::max(1, options.maxDesignIterations));
    const DesignOutcome outcome = SizeDesign(status, request.stepID, inputs, options);
    if (outcome.cancelled)
        return SIMULATION_CANCELLED;
    if (options.resultsDatabase == 0)
        return SIMULATION_COMPLETED;
    if (inputs.resultsUnreadable)
        return SIMULATION_FAILED;
    const QString target = ResultsFilePath(GetProjectDir(), StepResultsFileName(request.stepID));
    return WriteDesignResults(target, inputs, outcome.summary, outcome.equipment, outcome.remarks)
               ? SIMULATION_COMPLETED
               : SIMULATION_FAILED;
}
