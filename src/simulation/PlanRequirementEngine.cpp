// Batch sizes of a process's first and last steps from a local engine entry, one per call.

#include "simulation/PlanRequirementCalculator.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/UnitConversion.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/step/StepSet.h"
#include "modules/engine/EngineEntry.h"
#include "simulation/PlanMaterialLookup.h"

#include <cmath>
#include <memory>

namespace {

const QString NO_FINAL_STEP =
    QStringLiteral("Could not find Step whose Output Intermediate is the same as the Final Product as the Process!");
const QString NO_FIRST_STEP =
    QStringLiteral("Could not find step whose input intermediate is same as raw material of the process!");

} // namespace

double PlanRequirementCalculator::EngineBatchSize(long processID, EngineQuery query)
{
    m_engineStepID = 0;
    const bool finalStep = query != EngineQuery::KeyInput;
    const long stepID = finalStep ? FindFinalStep(processID) : FindFirstStep(processID);
    if (stepID == -1 && !m_loadTold) // a step that could not be read was told by the load
        QvMessageBox(finalStep ? NO_FINAL_STEP : NO_FIRST_STEP, MB_ICONEXCLAMATION);
    EngineFactory* factory = ServiceSlot<EngineFactory>::Get();
    if (stepID == -1 || stepID == 0 || !factory)
        return PLAN_UNSET;
    const std::unique_ptr<EngineEntry> engine(factory->CreateEngineEntry());
    if (!engine)
        return PLAN_UNSET;
    m_engineStepID = stepID;
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

// The molecular weight that turns the step's batch size into the internal amount unit: its key
// output's for a "PureComp" basis, else its BatchSizeMW; 18.02 when either is missing.
double PlanRequirementCalculator::BasisMolecularWeight(const PlanFactorItem& item)
{
    CStepSet step;
    step.SetErrorMode(DaoErrorMode::Quiet);
    if (!step.OpenSet(item.StepID) || step.IsEOF())
        return PLAN_DEFAULT_MW;
    const bool pure = step.GetText(QStringLiteral("BatchSizeBase")).compare(QLatin1String("PureComp"), Qt::CaseInsensitive) == 0;
    const QString column = QStringLiteral("BatchSizeMW");
    const double mw = pure ? item.KeyOutputMW : step.GetDouble(column);
    const bool missing = (!pure && step.IsFieldNull(column)) || !(mw > 0.0) || mw >= PLAN_UNSET;
    return missing ? PLAN_DEFAULT_MW : mw;
}

// A scale-up divides what each step must make by what it makes now, and the targets are the
// engine's kilograms: each step's current size from the engine (the size a scaling left, until the
// next run), in the internal amount unit. A step the engine has no size for keeps its stored one.
void PlanRequirementCalculator::UseSimulatedBatchSizes()
{
    EngineFactory* factory = ServiceSlot<EngineFactory>::Get();
    const std::unique_ptr<EngineEntry> engine(factory ? factory->CreateEngineEntry() : nullptr);
    if (!engine)
        return;
    for (PlanFactorItem& item : Items) {
        const double kg = engine->getCurrentBatchSizeInKg(item.StepID);
        if (std::isfinite(kg) && kg < PLAN_UNSET)
            item.BatchSize = UserToInternal(QStringLiteral("kg"), kg, BasisMolecularWeight(item), 1.0);
    }
}
