#include "foundation/common/concerns/FrameServices.h"

#include "foundation/common/ServiceSlot.h"

ProjectLifecycleServices* GetProjectLifecycleServices()
{
    return ServiceSlot<ProjectLifecycleServices>::Get();
}
ProgressServices* GetProgressServices()
{
    return ServiceSlot<ProgressServices>::Get();
}
void ShowRunOutcome(const QString& text)
{
    if (ProgressServices* progress = GetProgressServices())
        progress->ShowRunOutcome(text);
}

SortServices* GetSortServices()
{
    return ServiceSlot<SortServices>::Get();
}

void RefreshStepPanes()
{
    if (PaneServices* panes = ServiceSlot<PaneServices>::Get())
        panes->RefreshStepPanes();
}

void SetCurrentStep(long stepID)
{
    if (PaneServices* panes = ServiceSlot<PaneServices>::Get())
        panes->SetCurrentStep(stepID);
}

long GetCurrentStep()
{
    PaneServices* panes = ServiceSlot<PaneServices>::Get();
    return panes ? panes->GetCurrentStep() : -1;
}
