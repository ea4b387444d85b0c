#include "simulation/SimulationWindows.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/schema/ResultsDatabase.h"
#include "results/ResultWindows.h"
#include "results/RunReport.h"
#include "simulation/BatchSimulation.h"
#include "simulation/QuickResultsRefresh.h"

#include <QFileInfo>

void CSimulationWindows::SyncLinkedWindows(long stepID, long itemID, LinkedItemType itemType, SyncSource)
{
    if (itemType != LinkedItemType::Operation)
        return;
    PointQuickResultsAt(stepID, itemID);
    SelectScheduledOperation(stepID, itemID);
}

void CSimulationWindows::ShowQuickResults(long stepID, long operationID)
{
    ShowQuickResultsWindow(stepID, operationID);
}

void CSimulationWindows::UpdateQuickResultsOperation(long stepID, long operationID)
{
    PointQuickResultsAt(stepID, operationID);
}

void CSimulationWindows::ResetStepSimulation(long stepID, const QString& mode)
{
    const QList<long> steps = stepID == -1 ? ProjectStepIDs() : QList<long>{stepID};
    for (long step : steps)
        m_batch.ResetSimulation(step, mode);
}

// The results of what the context selects: the process, else the plan (in the Plan Explorer, or
// without a step: a plan's schedule window), else the step.
bool CSimulationWindows::ResultFilesExist(const ContextRecord& context) const
{
    QString file;
    if (context.processNodeSelected && context.processID != -1)
        file = ProcessResultsFileName(context.processID);
    else if ((context.kind == CONTEXT_PLAN_EXPLORER || context.stepID == -1) && context.planID != -1)
        file = PlanResultsFileName(context.planID);
    else if (context.stepID != -1)
        file = StepResultsFileName(context.stepID);
    return !file.isEmpty() && QFileInfo::exists(ResultsFilePath(GetProjectDir(), file));
}
