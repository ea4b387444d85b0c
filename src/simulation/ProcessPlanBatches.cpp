// The batches before a process run: each step of the process, in the engine's order, simulated as
// a whole batch on the frame's engine in a progress dialog of its own, after a reset as a batch run
// does. A batch paused at a breakpoint goes on to its end; a confirmed cancel or a batch the engine
// gives up ends the whole call. The run's own dialog keeps the main window disabled meanwhile.

#include "foundation/common/Array.h"
#include "foundation/common/MessageBox.h"
#include "simulation/BatchSimulation.h"
#include "simulation/ProcessPlanRun.h"
#include "simulation/ProcessPlanRunSupport.h"

namespace {

int RunBatchToItsEnd(EngineEntry& engine, CSimDialog* dialog, long stepID)
{
    int code = engine.simulateBatch(dialog, stepID);
    while (code == SIMULATION_PAUSED)
        code = engine.continueBatch(dialog, stepID);
    return code;
}

void ShowBatchDialog(CSimDialog& dialog, const QString& label)
{
    dialog.Create();
    dialog.setWindowTitle(QStringLiteral("Tamro Plenthover Simulate Batch"));
    if (dialog.HasWindow())
        dialog.show();
    dialog.SetTitleLine(QStringLiteral("Simulating Batch: ") + label);
    dialog.SetStatusLine(QStringLiteral("Setting up Simulation..."));
    dialog.UpdateControls();
}

} // namespace

// False when the call ends here (the outcome is then the batch's code).
bool CProcessPlanSimulation::SimulateBatchesFirst(Run& run)
{
    Array<long> steps;
    if (!run.frameEngine->getStepIdList(false, run.id, steps))
        return true;
    QString label;
    for (long stepID : steps) {
        if (!SimulateOneBatch(run, stepID, label))
            return false;
    }
    return true;
}

bool CProcessPlanSimulation::SimulateOneBatch(Run& run, long stepID, QString& label)
{
    m_batchSimulation.ResetSimulation(stepID, QString());
    label = StepBatchLabel(stepID, label);
    const std::unique_ptr<CSimDialog> dialog = MakeProgressDialog();
    ShowBatchDialog(*dialog, label);
    const int code = ConfirmedCancel(*dialog) ? int(SIMULATION_CANCELLED)
                                              : RunBatchToItsEnd(*run.frameEngine, dialog.get(), stepID);
    if (code == SIMULATION_FAILED || code == SIMULATION_CANCELLED) {
        run.frameEngine->resetSimulation(stepID, QStringLiteral("ReadAndSimulate"));
        dialog->SetProgress(100.0);
        dialog->DestroyWindow();
        m_outcome = code;
        return false;
    }
    if (dialog->isVisible())
        dialog->hide();
    dialog->EnableOwner();
    return true;
}
