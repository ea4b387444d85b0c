#pragma once
// The Facility Explorer pane as the rest of the program sees it, the equipment editor of the
// managed side, and the application's one-shot flags around facility and equipment edits. Until a
// pane or editor is installed the calls do nothing and questions answer no (-1 for an id).

class FacilityExplorerServices {
public:
    virtual ~FacilityExplorerServices() = default;
    // Empties and refills the tree; true when it was filled (or the pane is not initialised).
    virtual bool RefreshFacilityTree() { return false; }
    // The facility the selection belongs to; -1 with nothing selected.
    virtual long GetSelectedFacilityID() const { return -1; }
    virtual void ExportSelectionToExcel() {}
};

// The managed side's equipment editor.
class EquipmentEditorService {
public:
    virtual ~EquipmentEditorService() = default;
    // facility -1: edit that equipment item; equipment -1: a new item of that facility.
    virtual bool DotNetInvokeDataEquipment(long /*facilityID*/, long /*equipmentID*/) { return false; }
    // The managed equipment manager reloads from the databases.
    virtual void DotNetInvokeSetEquipmentManagerToReload() {}
};

// Through the installed pane: false, -1 and nothing without one.
bool RefreshFacilityTree();
long GetSelectedFacilityID();
void ExportSelectionToExcel();
// Through the installed editor; false without one.
bool DotNetInvokeDataEquipment(long facilityID, long equipmentID);
void DotNetInvokeSetEquipmentManagerToReload();

// The one-shot facility-refresh flag: set by an equipment delete, taken back here (true when it
// was set; the flag is clear afterwards).
void SetFacilityRefreshFlag();
bool TestAndClearAppFlag();
// The pending project change: set by an edit whose recipe views must be reloaded. Commit reloads
// every open recipe view, refreshes the frame's panes and marks the project modified, once. The
// Process Explorer is left alone: the command that made the change patches its nodes.
void SetPendingProjectChange();
bool IsProjectChangePending();
void CommitPendingProjectChange();
