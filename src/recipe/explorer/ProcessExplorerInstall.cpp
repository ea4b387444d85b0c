#include "recipe/explorer/ProcessExplorerInstall.h"

#include "foundation/common/ServiceSlot.h"
#include "recipe/explorer/ProcessTree.h"

CProcessTree* InstallProcessExplorer(ServiceInstallations& installed,
                                     std::function<QAction*(int)> frameAction)
{
    auto* tree = new CProcessTree(std::move(frameAction));
    installed.Install<ProcessExplorerServices>(tree);
    AddProjectHandover(tree);
    return tree;
}
