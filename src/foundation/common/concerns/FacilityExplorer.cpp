#include "foundation/common/concerns/FacilityExplorer.h"

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/common/concerns/SubsystemConcerns.h"

namespace {
bool& FacilityRefreshFlag()
{
    static bool flag = false;
    return flag;
}

bool& PendingProjectChange()
{
    static bool pending = false;
    return pending;
}
} // namespace

bool RefreshFacilityTree()
{
    FacilityExplorerServices* pane = ServiceSlot<FacilityExplorerServices>::Get();
    return pane && pane->RefreshFacilityTree();
}

long GetSelectedFacilityID()
{
    const FacilityExplorerServices* pane = ServiceSlot<FacilityExplorerServices>::Get();
    return pane ? pane->GetSelectedFacilityID() : -1;
}

void ExportSelectionToExcel()
{
    if (FacilityExplorerServices* pane = ServiceSlot<FacilityExplorerServices>::Get())
        pane->ExportSelectionToExcel();
}

bool DotNetInvokeDataEquipment(long facilityID, long equipmentID)
{
    EquipmentEditorService* editor = ServiceSlot<EquipmentEditorService>::Get();
    return editor && editor->DotNetInvokeDataEquipment(facilityID, equipmentID);
}

void DotNetInvokeSetEquipmentManagerToReload()
{
    if (EquipmentEditorService* editor = ServiceSlot<EquipmentEditorService>::Get())
        editor->DotNetInvokeSetEquipmentManagerToReload();
}

void SetFacilityRefreshFlag() { FacilityRefreshFlag() = true; }

bool TestAndClearAppFlag()
{
    if (!GetAppContext())
        return true;
    const bool wasSet = FacilityRefreshFlag();
    FacilityRefreshFlag() = false;
    return wasSet;
}

void SetPendingProjectChange() { PendingProjectChange() = true; }

bool IsProjectChangePending() { return PendingProjectChange(); }

void CommitPendingProjectChange()
{
    if (!PendingProjectChange())
        return;
    PendingProjectChange() = false;
    if (RecipeViewServices* views = ServiceSlot<RecipeViewServices>::Get())
        views->ReloadAllRecipeViews();
    RefreshStepPanes();
    RefreshFacilityTree();
    SetProjectModified(true);
}
