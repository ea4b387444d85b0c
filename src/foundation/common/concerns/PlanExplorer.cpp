#include "foundation/common/concerns/PlanExplorer.h"

#include "foundation/common/ServiceSlot.h"

namespace PlanExplorer {

bool GetSelectedPlan(long& planID, QString& planName)
{
    const PlanExplorerServices* pane = ServiceSlot<PlanExplorerServices>::Get();
    return pane && pane->GetSelectedPlan(planID, planName);
}

bool SelectPlan(long planID)
{
    PlanExplorerServices* pane = ServiceSlot<PlanExplorerServices>::Get();
    return pane && pane->SelectPlan(planID);
}

bool SimulatePlan(long planID, bool readName, EngineEntry* engine, bool simulateBatchesFirst)
{
    PlanExplorerServices* pane = ServiceSlot<PlanExplorerServices>::Get();
    return pane && pane->SimulatePlan(planID, readName, engine, simulateBatchesFirst);
}

bool IsPlanSimulatable(long planID)
{
    const PlanExplorerServices* pane = ServiceSlot<PlanExplorerServices>::Get();
    return pane && pane->IsPlanSimulatable(planID);
}

bool IsSimSequenceDialogInstalled()
{
    return ServiceSlot<SimSequenceDialogService>::Get() != nullptr;
}

bool DefineSimSequence(long planID, const QString& planName, QWidget* parent)
{
    SimSequenceDialogService* dialog = ServiceSlot<SimSequenceDialogService>::Get();
    return dialog && dialog->DefineSimSequence(planID, planName, parent);
}

} // namespace PlanExplorer
