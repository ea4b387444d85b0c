// The frame's simulation commands: the batch run and its stepping, the process and plan runs,
// which the frame owns, the design run, Quick Results from the Process Explorer, and recipe
// scaling, forwarded to the composition's run.

#include "foundation/common/CommandIds.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "shell/MainFrame.h"
#include "simulation/BatchSimulation.h"
#include "simulation/DesignRun.h"
#include "simulation/ProcessPlanSimulation.h"

#include <QDockWidget>
#include "simulation/QuickResultsRefresh.h"
#include "simulation/RecipeScaling.h"

void CMainFrame::installSimulationHandlers()
{
    m_batchSimulation = std::make_unique<CBatchSimulation>();
    m_processPlanSimulation = std::make_unique<CProcessPlanSimulation>(*m_batchSimulation);
    CProcessPlanSimulation& run = *m_processPlanSimulation;
    SetCommandHandler(ID_SIMULATE_PROCESS, [&run] { run.SimulateProcess(); });
    SetCommandHandler(ID_SIMULATE_BATCHES_AND_PROCESS, [&run] { run.SimulateBatchesAndProcess(); });
    SetCommandHandler(ID_SIMULATE_SEQUENCE, [&run] { run.SimulateUserSequencePlan(); });
    SetCommandHandler(ID_SIMULATE_PLAN, [this] { runPlanCommand(&CProcessPlanSimulation::SimulatePlan); });
    SetCommandHandler(ID_SIMULATE_BATCHES_AND_PLAN,
                      [this] { runPlanCommand(&CProcessPlanSimulation::SimulateBatchesAndPlan); });
    SetCommandHandler(ID_SIMULATE_BATCH, [this] { m_batchSimulation->OnSimulateBatchCommand(); });
    SetCommandHandler(ID_SIMULATE_TO_BREAKPOINT, [this] { SimulateToNextBreakpoint(); });
    SetCommandHandler(ID_SIMULATE_NEXT_OPERATION, [this] { SimulateNextOperation(); });
    SetCommandHandler(ID_SIMULATE_STOP_RESET, [this] { StopAndResetSimulation(); });
    m_designRun = std::make_unique<CDesignRun>();
    SetCommandHandler(ID_DESIGN, [this] { DesignStep(); });
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
void CMainFrame::DesignStep()
{
    m_designRun->DesignStep();
}

void CMainFrame::SimulateProcessOrPlan(int mode)
{
    m_processPlanSimulation->SimulateProcessOrPlan(mode);
}

void CMainFrame::runPlanCommand(void (CProcessPlanSimulation::*run)())
{
    (m_processPlanSimulation.get()->*run)();
    QDockWidget* planExplorer = pane(PaneID::PlanExplorer);
    if (RefreshContext().kind == CONTEXT_NONE && planExplorer && m_paneShown[int(PaneID::PlanExplorer)] &&
        planExplorer->widget())
        planExplorer->widget()->setFocus();
}

void CMainFrame::RunByContext()
{
    const ContextRecord context = RefreshContext();
    if (context.kind == CONTEXT_PROCESS_EXPLORER && context.processNodeSelected && context.processID != -1)
        m_processPlanSimulation->SimulateProcess();
    else if (CProcessPlanSimulation::RunsPlan(context))
        runPlanCommand(&CProcessPlanSimulation::SimulatePlan);
    else
        SimulateBatch(BATCH_WHOLE, -1, -1, BATCH_CALLER_USER);
}

ScaleRecipeOutcome CMainFrame::ScaleRecipe(int mode, int target, long equipmentID, double value,
                                           const QString& unit, double factor)
{
    if (!m_recipeScaling)
        return {};
    return m_recipeScaling->ScaleRecipe(CurrentContext(), {mode, target, equipmentID, value, unit, factor});
}
