#pragma once
// The managed side's equipment editor offered to the Facility Explorer, through the main frame
// (which hands the open project's names and places along).

#include "foundation/common/concerns/FacilityExplorer.h"

class CMainFrame;

class CManagedEquipmentEditor : public EquipmentEditorService {
public:
    explicit CManagedEquipmentEditor(CMainFrame& frame) : m_frame(frame) {}
    bool DotNetInvokeDataEquipment(long facilityID, long equipmentID) override;
    void DotNetInvokeSetEquipmentManagerToReload() override;

private:
    CMainFrame& m_frame;
};
