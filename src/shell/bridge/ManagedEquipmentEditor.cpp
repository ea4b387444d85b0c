#include "shell/bridge/ManagedEquipmentEditor.h"

#include "shell/MainFrame.h"

bool CManagedEquipmentEditor::DotNetInvokeDataEquipment(long facilityID, long equipmentID)
{
    return m_frame.DotNetInvokeDataEquipment(facilityID, equipmentID);
}

void CManagedEquipmentEditor::DotNetInvokeSetEquipmentManagerToReload()
{
    m_frame.DotNetInvokeSetEquipmentManagerToReload();
}
