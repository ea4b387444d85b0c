// The frame's simulation commands: the batch run and its stepping, which the frame owns, the
// design run, and Quick Results from the Process Explorer.

#include "foundation/common/CommandIds.h"
#include "foundation/common/SubsystemConcerns.h"
#include "shell/MainFrame.h"
#include "simulation/BatchSimulation.h"
#include "simulation/DesignRun.h"
#include "simulation/QuickResultsRefresh.h"

void CMainFrame::installSimulationHandlers()
{
    m_batchSimulation = std::make_unique<CBatchSimulation>();
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
