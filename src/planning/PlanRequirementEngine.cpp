// Batch sizes of a process's first and last steps from a local engine entry, one per call.

#include "planning/PlanRequirementCalculator.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/SubsystemConcerns.h"
#include "modules/engine/EngineEntry.h"

#include <memory>

namespace {

const QString NO_FINAL_STEP =
    QStringLiteral("Could not find Step whose Output Intermediate is the same as the Final Product as the Process!");
const QString NO_FIRST_STEP =
    QStringLiteral("Could not find step whose input intermediate is same as raw material of the process!");

} // namespace

double PlanRequirementCalculator::EngineBatchSize(long processID, EngineQuery query)
{
    const bool finalStep = query != EngineQuery::KeyInput;
    const long stepID = finalStep ? FindFinalStep(processID) : FindFirstStep(processID);
    if (stepID == -1)
        QvMessageBox(finalStep ? NO_FINAL_STEP : NO_FIRST_STEP, MB_ICONEXCLAMATION);
    EngineFactory* factory = ServiceSlot<EngineFactory>::Get();
    if (stepID == -1 || stepID == 0 || !factory)
        return PLAN_UNSET;
    const std::unique_ptr<EngineEntry> engine(factory->CreateEngineEntry());
    if (!engine)
        return PLAN_UNSET;
    switch (query) {
    case EngineQuery::Current:
        return engine->getCurrentBatchSizeInKg(stepID);
    case EngineQuery::Original:
        return engine->getOriginalBatchSizeInKg(stepID);
    case EngineQuery::KeyInput:
        return engine->getCurrentKeyInputBatchSizeInKg(stepID);
    }
    return PLAN_UNSET;
}

double PlanRequirementCalculator::GetFinalStepBatchSize(long processID)
{
    return EngineBatchSize(processID, EngineQuery::Current);
}

double PlanRequirementCalculator::GetScaledFinalStepBatchSize(long processID, double factor)
{
    const double size = EngineBatchSize(processID, EngineQuery::Current);
    return size >= PLAN_UNSET ? PLAN_UNSET : size * factor;
}

double PlanRequirementCalculator::GetFinalStepOriginalBatchSize(long processID)
{
    return EngineBatchSize(processID, EngineQuery::Original);
}

double PlanRequirementCalculator::GetFirstStepKeyInputBatchSize(long processID)
{
    return EngineBatchSize(processID, EngineQuery::KeyInput);
}
