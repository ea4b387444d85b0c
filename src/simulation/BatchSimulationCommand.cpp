// "Simulate Entire Batch": the options dialog for the context step, then the run it asks for.

#include "simulation/BatchSimulation.h"

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/SelectionService.h"
#include "recipe/view/QuorvantaView.h"
#include "recipe/view/RecipeWindows.h"
#include "simulation/SimulationBatchOptionsDialog.h"

namespace {

bool OptionsDialogAcceptsContext(const ContextRecord& context)
{
    const int kind = context.kind;
    const bool kindRuns = kind == CONTEXT_PROCESS_EXPLORER || kind == CONTEXT_TEXT_RECIPE || kind == CONTEXT_GANTT ||
                          kind == CONTEXT_3D_VIEW || kind == CONTEXT_QUICK_RESULTS;
    return kindRuns && context.stepID != -1;
}

// The operation line selected in the active recipe view; -1 without one.
long CurrentOperationLine()
{
    const CQUORVANTAView* view = GetActiveRecipeView();
    return view ? view->GetSelectedOperationID() : -1;
}

} // namespace

bool CBatchSimulation::AskBatchOptions(CSimulationBatchOptionsDialog& dialog)
{
    return dialog.exec() == QDialog::Accepted;
}

void CBatchSimulation::OnSimulateBatchCommand()
{
    const SelectionService* selection = ServiceSlot<SelectionService>::Get();
    const ContextRecord context = selection ? selection->CurrentContext() : ContextRecord();
    if (!OptionsDialogAcceptsContext(context))
        return;
    const long currentLine = CurrentOperationLine();
    CSimulationBatchOptionsDialog dialog(context.stepID, currentLine);
    if (!AskBatchOptions(dialog))
        return;
    if (dialog.choice() == CSimulationBatchOptionsDialog::ENTIRE_RECIPE)
        SimulateBatch(BATCH_WHOLE, -1, -1, BATCH_CALLER_USER);
    else if (dialog.choice() == CSimulationBatchOptionsDialog::CURRENT_OPERATION && currentLine != -1)
        SimulateBatch(BATCH_CURRENT_OPERATION, currentLine, currentLine, BATCH_CALLER_USER);
    else if (dialog.choice() == CSimulationBatchOptionsDialog::FROM_OPERATION)
        SimulateBatch(BATCH_RANGE, dialog.fromID(), dialog.toID(), BATCH_CALLER_USER);
}
