#include "planning/PlanExplorerInstall.h"

#include "foundation/common/ServiceSlot.h"
#include "planning/PlanList.h"

CPlanList* InstallPlanExplorer(ServiceInstallations& installed, std::function<QAction*(int)> frameAction)
{
    auto* pane = new CPlanList(std::move(frameAction));
    installed.InstallUnlessSet<PlanExplorerServices>(pane); // a test's scripted pane stays
    AddProjectHandover(pane);
    return pane;
}
