// One required step's batch of a plan run, in its own progress dialog.

#include "planning/PlanRequirementRun.h"

#include "foundation/common/Array.h"
#include "foundation/common/BusyGuard.h"
#include "foundation/common/MessageBox.h"
#include "modules/engine/EngineEntry.h"
#include "recipe/transitions/TransitionBuilder.h"
#include "simulation/SimDialog.h"

namespace {

const char* const kPlanReadAndSimulate = "ReadAndSimulate";

void ResetStep(EngineEntry& engine, long stepID)
{
    engine.resetSimulation(stepID, QString::fromLatin1(kPlanReadAndSimulate));
}

bool ConfirmedCancel(CSimDialog& dialog)
{
    return dialog.IsCancelled() &&
           QvMessageBox(QStringLiteral("Are you sure you want to Cancel?"), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

bool BuildTransitionsOf(long stepID)
{
    Array<TransitionRecord> unitProcedures;
    Array<TransitionRecord> operations;
    return CTransitionBuilder::BuildStepTransitions(stepID, unitProcedures, operations, false, QStringLiteral("dumy"),
                                                    -1, 1);
}

// The batch to its end: a pause at a breakpoint is continued until the engine finishes or gives up.
int RunToEnd(EngineEntry& engine, CSimDialog& dialog, long stepID)
{
    const CBusyScope busy; // the dialog pumps events: no command may start inside the run
    int code = engine.simulateBatch(&dialog, stepID);
    while (code == SIMULATION_PAUSED)
        code = engine.continueBatch(&dialog, stepID);
    return code;
}

} // namespace

bool SimulateRequiredBatch(EngineEntry& engine, long stepID)
{
    CSimDialog dialog; // its owner is enabled again on every way out
    dialog.Create();
    dialog.setWindowTitle(QStringLiteral("Tamro Plenthover Simulate Batch"));
    if (dialog.HasWindow())
        dialog.show();
    dialog.SetTitleLine(PlanBatchTitleLine(stepID));
    dialog.SetStatusLine(QStringLiteral("Setting up Simulation..."));
    dialog.UpdateControls();
    if (ConfirmedCancel(dialog)) {
        ResetStep(engine, stepID);
        dialog.SetProgress(100.0);
        return false;
    }
    ResetStep(engine, stepID);
    if (!BuildTransitionsOf(stepID))
        return false;
    const int code = RunToEnd(engine, dialog, stepID);
    if (code == SIMULATION_FAILED || code == SIMULATION_CANCELLED) {
        ResetStep(engine, stepID);
        dialog.SetProgress(100.0);
        return false;
    }
    if (dialog.isVisible())
        dialog.hide();
    dialog.EnableOwner();
    return true;
}
