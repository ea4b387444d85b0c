#include "modules/engine/EnginePlanRun.h"

#include "foundation/common/SimStatus.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/schema/SchemaBuilder.h"
#include "modules/engine/EngineEntry.h"
#include "modules/engine/EngineResultsWriter.h"
#include "modules/engine/EngineRun.h"
#include "modules/engine/EngineStepSchedule.h"

#include <QHash>
#include <QSet>
#include <cmath>

namespace {

std::shared_ptr<const EngineSchedule> ReadPlanStepSchedule(long stepID, const EngineBalanceSettings& settings)
{
    CDaoDatabase* database = GetStepDatabase(stepID);
    if (!database)
        return {};
    try {
        const EngineStepModel model = CEngineStepReader(*database).Read(stepID);
        auto schedule = std::make_shared<EngineSchedule>();
        return ScheduleEngineStep(model, settings, *schedule) ? schedule : nullptr;
    } catch (const CDaoException&) {
        return {};
    }
}

int PlanOperationCount(const QList<EnginePlanBatch>& batches)
{
    int count = 0;
    for (const EnginePlanBatch& batch : batches)
        count += int(batch.schedule->operations.size());
    return count;
}

bool RunPlanOperations(ISimStatus* status, const QList<EnginePlanBatch>& batches)
{
    if (!status)
        return true;
    for (const EnginePlanBatch& batch : batches) {
        const QString prefix = QStringLiteral("Batch %1: Simulating ").arg(batch.batchNumber);
        for (const EngineScheduledOperation& operation : batch.schedule->operations) {
            if (!status->SetStatusText(prefix + operation.text) || !status->Step(0))
                return false;
        }
    }
    return true;
}

void AddPlanBatchRows(const EnginePlanBatch& batch, QList<ResultsScheduleRow>& rows)
{
    const EngineSchedule& schedule = *batch.schedule;
    for (qsizetype i = 0; i < schedule.operations.size(); ++i) {
        const EngineScheduledOperation& operation = schedule.operations.at(i);
        rows.append({schedule.stepID, operation.operationID, batch.starts.at(i), batch.ends.at(i),
                     batch.ends.at(i) - batch.starts.at(i), operation.equipmentID, batch.batchNumber});
    }
}

ResultsRunSummary PlanRunSummary(const QList<EnginePlanBatch>& batches)
{
    ResultsRunSummary summary;
    summary.batchSize = batches.back().schedule->Summary().batchSize;
    summary.keyInputBatchSize = batches.front().schedule->Summary().keyInputBatchSize;
    double first = 1e35, last = 0;
    for (const EnginePlanBatch& batch : batches) {
        for (qsizetype i = 0; i < batch.starts.size(); ++i) {
            first = std::min(first, batch.starts.at(i));
            last = std::max(last, batch.ends.at(i));
        }
    }
    summary.cycleTime = first == 1e35 ? 0 : last - first;
    return summary;
}

// The batch's offset from its step's schedule; false when its operations were not moved alike.
bool UniformShift(const EnginePlanBatch& batch, double& offset)
{
    const QList<EngineScheduledOperation>& operations = batch.schedule->operations;
    offset = operations.isEmpty() ? 0 : batch.starts.front() - operations.front().start;
    for (qsizetype i = 0; i < operations.size(); ++i) {
        if (std::abs(batch.starts.at(i) - operations.at(i).start - offset) > 1e-9 ||
            std::abs(batch.ends.at(i) - operations.at(i).end - offset) > 1e-9)
            return false;
    }
    return true;
}

// Each batch's step, number and offset; each step's rows and remarks once. False when a batch's
// operations were not moved alike (the shifts are then incomplete).
bool CollectShifts(const QList<EnginePlanBatch>& batches, QList<ResultsScheduleRow>& stepRows,
                   QList<ResultsRemark>& stepRemarks, QList<ResultsBatchShift>& shifts)
{
    QSet<long> steps;
    bool uniform = true;
    for (const EnginePlanBatch& batch : batches) {
        double offset = 0;
        uniform = UniformShift(batch, offset) && uniform;
        shifts.append({batch.stepID, batch.batchNumber, offset});
        if (steps.contains(batch.stepID))
            continue;
        steps.insert(batch.stepID);
        for (const EngineScheduledOperation& operation : batch.schedule->operations)
            stepRows.append({batch.stepID, operation.operationID, operation.start, operation.end,
                             operation.end - operation.start, operation.equipmentID, 0});
        for (const EngineRemark& remark : batch.schedule->remarks)
            stepRemarks.append({batch.stepID, remark.operationID, remark.messageID, {}, remark.text, 0});
    }
    return uniform;
}

// Batches moved as a whole are written set-based from their step's rows; others row by row.
bool WritePlanRows(CSchemaBuilder& builder, const QList<EnginePlanBatch>& batches)
{
    QList<ResultsScheduleRow> stepRows;
    QList<ResultsRemark> stepRemarks;
    QList<ResultsBatchShift> shifts;
    const bool uniform = CollectShifts(batches, stepRows, stepRemarks, shifts);
    if (!WriteBatchRemarks(builder, stepRemarks, shifts))
        return false;
    if (uniform)
        return WriteShiftedScheduleRows(builder, stepRows, shifts);
    QList<ResultsScheduleRow> rows;
    for (const EnginePlanBatch& batch : batches)
        AddPlanBatchRows(batch, rows);
    return WriteScheduleRows(builder, rows);
}

// The batch's first start on the vessel at or after `from`; `fallback` when it has none there.
double FirstStartOn(const EnginePlanBatch& batch, long equipmentID, double from, double fallback)
{
    double first = 1e35;
    const QList<EngineScheduledOperation>& operations = batch.schedule->operations;
    for (qsizetype i = 0; i < operations.size(); ++i)
        if (operations.at(i).equipmentID == equipmentID && batch.starts.at(i) >= from)
            first = std::min(first, batch.starts.at(i));
    return first == 1e35 ? fallback : first;
}

// Each transfer into another vessel holds that vessel from its start until the batch's first
// operation there.
QList<ResultsVesselHold> PlanVesselHolds(const QList<EnginePlanBatch>& batches)
{
    QList<ResultsVesselHold> holds;
    for (const EnginePlanBatch& batch : batches) {
        const QList<EngineScheduledOperation>& operations = batch.schedule->operations;
        for (qsizetype i = 0; i < operations.size(); ++i) {
            const EngineScheduledOperation& transfer = operations.at(i);
            if (transfer.receivingEquipmentID == 0)
                continue;
            const double start = batch.starts.at(i);
            const double end = std::max(batch.ends.at(i), FirstStartOn(batch, transfer.receivingEquipmentID,
                                                                       start, batch.ends.at(i)));
            holds.append({batch.stepID, transfer.operationID, transfer.receivingUnitProcedureID,
                          transfer.receivingEquipmentID, start, end, batch.batchNumber});
        }
    }
    return holds;
}

bool WritePlanResults(long planID, const QList<EnginePlanBatch>& batches,
                      const QList<ResultsRemark>& runRemarks)
{
    const ResultsRunSummary summary = batches.isEmpty() ? ResultsRunSummary() : PlanRunSummary(batches);
    return WriteResultsAtomically(
        ResultsFilePath(GetProjectDir(), PlanResultsFileName(planID)), [&](CSchemaBuilder& builder) {
            return WriteRunSummary(builder, summary) && WriteMessageRemarks(builder, runRemarks) &&
                   (batches.isEmpty() ||
                    (WritePlanRows(builder, batches) && WriteVesselHolds(builder, PlanVesselHolds(batches))));
        });
}

bool PlacedCompletely(const QList<EnginePlanBatch>& batches)
{
    for (const EnginePlanBatch& batch : batches) {
        const qsizetype count = batch.schedule->operations.size();
        if (batch.starts.size() != count || batch.ends.size() != count)
            return false;
    }
    return true;
}

} // namespace

bool ScheduleEnginePlanBatches(QList<EnginePlanBatch>& batches, const EngineBalanceSettings& settings)
{
    QHash<long, std::shared_ptr<const EngineSchedule>> schedules;
    for (EnginePlanBatch& batch : batches) {
        if (batch.schedule)
            continue;
        if (!schedules.contains(batch.stepID))
            schedules.insert(batch.stepID, ReadPlanStepSchedule(batch.stepID, settings));
        batch.schedule = schedules.value(batch.stepID);
        if (!batch.schedule)
            return false;
    }
    return true;
}

void PlaceEnginePlanBatch(EnginePlanBatch& batch, double start)
{
    batch.starts.clear();
    batch.ends.clear();
    for (const EngineScheduledOperation& operation : batch.schedule->operations) {
        batch.starts.append(operation.start + start);
        batch.ends.append(operation.end + start);
    }
}

double EnginePlanBatchEnd(const EnginePlanBatch& batch)
{
    double end = batch.starts.isEmpty() ? 0 : batch.starts.front();
    for (double value : batch.ends)
        end = std::max(end, value);
    return end;
}

int RunEnginePlan(ISimStatus* status, long planID, QList<EnginePlanBatch> batches,
                  const EnginePlanPlacement& place, bool writeResults, const EngineBalanceSettings& settings,
                  const QList<ResultsRemark>& runRemarks)
{
    if (batches.isEmpty()) {
        if (writeResults && runRemarks.isEmpty())
            WriteEngineRunRemark(ResultsFilePath(GetProjectDir(), PlanResultsFileName(planID)),
                                 REMARK_PLAN_WITHOUT_BATCHES);
        else if (writeResults)
            WritePlanResults(planID, batches, runRemarks);
        return SIMULATION_FAILED;
    }
    if (!ScheduleEnginePlanBatches(batches, settings) || !place(batches) || !PlacedCompletely(batches))
        return SIMULATION_FAILED;
    CEngineRun::ReportStart(status, PlanOperationCount(batches));
    if (!RunPlanOperations(status, batches))
        return SIMULATION_CANCELLED;
    if (!writeResults)
        return SIMULATION_COMPLETED;
    return WritePlanResults(planID, batches, runRemarks) ? int(SIMULATION_COMPLETED) : int(SIMULATION_FAILED);
}
