#include "planning/PlanExplorerInstall.h"

#include "foundation/common/ServiceSlot.h"
#include "planning/PlanList.h"

CPlanList* InstallPlanExplorer(ServiceInstallations& installed, std::function<QAction*(int)> frameAction)
{
    auto* pane = new CPlanList(std::move(frameAction));
    installed.Install<PlanExplorerServices>(pane);
    AddProjectHandover(pane);
    return pane;
}
