// The frame's simulation commands: the batch run and its stepping, which the frame owns, Quick
// Results from the Process Explorer, and recipe scaling, forwarded to the composition's run.

#include "foundation/common/CommandIds.h"
#include "foundation/common/SubsystemConcerns.h"
#include "shell/MainFrame.h"
#include "simulation/BatchSimulation.h"
#include "simulation/QuickResultsRefresh.h"
#include "simulation/RecipeScaling.h"

void CMainFrame::installSimulationHandlers()
{
    m_batchSimulation = std::make_unique<CBatchSimulation>();
    SetCommandHandler(ID_SIMULATE_BATCH, [this] { m_batchSimulation->OnSimulateBatchCommand(); });
    SetCommandHandler(ID_SIMULATE_TO_BREAKPOINT, [this] { SimulateToNextBreakpoint(); });
    SetCommandHandler(ID_SIMULATE_NEXT_OPERATION, [this] { SimulateNextOperation(); });
    SetCommandHandler(ID_SIMULATE_STOP_RESET, [this] { StopAndResetSimulation(); });
    SetCommandHandler(ID_VIEW_QUICK_RESULTS, [] {
        long stepID = -1;
        const long operationID = ExplorerQuickResultsOperation(&stepID);
        ShowQuickResults(stepID, operationID);
    });
}

void CMainFrame::SimulateBatch(int mode, long fromID, long toID, int caller)
{
    m_batchSimulation->SimulateBatch(mode, fromID, toID, caller);
}
void CMainFrame::SimulateToNextBreakpoint()
{
    m_batchSimulation->SimulateToNextBreakpoint();
}
void CMainFrame::SimulateNextOperation()
{
    m_batchSimulation->SimulateNextOperation();
}
void CMainFrame::StopAndResetSimulation()
{
    m_batchSimulation->StopAndResetSimulation();
}

ScaleRecipeOutcome CMainFrame::ScaleRecipe(int mode, int target, long equipmentID, double value,
                                           const QString& unit, double factor)
{
    if (!m_recipeScaling)
        return {};
    return m_recipeScaling->ScaleRecipe(CurrentContext(), {mode, target, equipmentID, value, unit, factor});
}
