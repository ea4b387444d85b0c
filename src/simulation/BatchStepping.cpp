// Stepping on from a paused batch run, and stop and reset.

#include "simulation/BatchSimulation.h"
#include "simulation/SimulationSummary.h"

#include "foundation/common/BusyGuard.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/common/concerns/SelectionService.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "modules/engine/EngineEntry.h"
#include "simulation/SimDialog.h"

namespace {

long SteppingContextStep()
{
    const SelectionService* selection = ServiceSlot<SelectionService>::Get();
    return selection ? selection->CurrentContext().stepID : -1;
}

} // namespace

bool CBatchSimulation::IsStepPaused(long stepID)
{
    EngineEntry* engine = GetEngineEntry();
    return engine && stepID != -1 && engine->getSimulationStoppedRecipeSequenceNumber(stepID) != 0;
}

void CBatchSimulation::SimulateToNextBreakpoint()
{
    StepOn(StepHow::ToBreakpoint);
}

void CBatchSimulation::SimulateNextOperation()
{
    StepOn(StepHow::NextOperation);
}

void CBatchSimulation::StepOn(StepHow how)
{
    m_engineCode = ENGINE_CODE_NONE;
    const long stepID = SteppingContextStep();
    EngineEntry* engine = GetEngineEntry();
    if (!RegenerateTransitions(stepID, QStringLiteral("dummy")) || !engine)
        return;
    ShowDialogForStepping();
    {
        const CBusyScope busy;
        ISimStatus* status = m_dialog.get();
        m_engineCode = how == StepHow::ToBreakpoint ? engine->continueBatch(status, stepID)
                                                    : engine->simulateNextOperation(status, stepID);
    }
    HandleRunCode(*engine, stepID, m_engineCode);
    ReloadRecipeViews(stepID);
    SelectRecipeLine(stepID, int(engine->getSimulationStoppedRecipeSequenceNumber(stepID) - 2));
    EndBatchRun(stepID, m_engineCode);
}

void CBatchSimulation::ShowDialogForStepping()
{
    if (!m_dialog)
        return;
    m_dialog->DisableOwner();
    if (m_dialog->HasWindow())
        m_dialog->show();
    m_dialog->SetStatusLine(QStringLiteral("Step through Simulation..."));
    m_dialog->UpdateControls();
}

void CBatchSimulation::StopAndResetSimulation()
{
    const long stepID = SteppingContextStep();
    if (EngineEntry* engine = GetEngineEntry()) {
        engine->resetSimulation(stepID, QStringLiteral("ReadAndSimulate"));
        ReloadRecipeViews(stepID);
        SelectRecipeLine(stepID, 0);
    }
    DeleteProgressDialog();
    ShowRunOutcome(QString()); // the paused run's outcome no longer holds
}
