#include "modules/engine/EnginePlanSequence.h"

#include "foundation/common/concerns/AppContext.h"
#include "modules/engine/EngineEntry.h"
#include "modules/engine/EnginePlanRun.h"
#include "modules/engine/EngineResultsWriter.h"
#include "modules/engine/SequencePlanRun.h"

namespace {

// Each batch takes the times its column's schedule was given; false when the step's schedule has
// changed shape since.
bool PlaceBySequence(const QList<SequencePlanBatch>& sequence, QList<EnginePlanBatch>& batches)
{
    for (qsizetype b = 0; b < batches.size(); ++b) {
        const QList<EngineScheduledOperation>& timed = sequence.at(b).schedule.operations;
        if (timed.size() != batches.at(b).schedule->operations.size())
            return false;
        batches[b].starts.clear();
        batches[b].ends.clear();
        for (const EngineScheduledOperation& operation : timed) {
            batches[b].starts.append(operation.start);
            batches[b].ends.append(operation.end);
        }
    }
    return true;
}

} // namespace

int SimulatePlanBySequenceFile(ISimStatus* status, long planID, bool writeResults,
                               const EngineBalanceSettings& settings)
{
    QList<SequencePlanBatch> sequence;
    QList<EngineRemark> remarks;
    if (ScheduleSequencePlan(planID, sequence, remarks) != SIMULATION_COMPLETED) {
        if (writeResults && !remarks.isEmpty())
            WriteEngineRunRemark(ResultsFilePath(GetProjectDir(), PlanResultsFileName(planID)),
                                 remarks.first().messageID);
        return SIMULATION_FAILED;
    }
    QList<EnginePlanBatch> batches;
    for (const SequencePlanBatch& column : std::as_const(sequence)) {
        EnginePlanBatch batch;
        batch.stepID = column.stepID;
        batch.batchNumber = column.column;
        batches.append(batch);
    }
    const EnginePlanPlacement place = [&sequence](QList<EnginePlanBatch>& placed) {
        return PlaceBySequence(sequence, placed);
    };
    return RunEnginePlan(status, planID, batches, place, writeResults, settings);
}
