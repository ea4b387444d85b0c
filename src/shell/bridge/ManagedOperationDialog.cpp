#include "shell/bridge/ManagedOperationDialog.h"

#include "shell/MainFrame.h"

std::optional<QString> CManagedOperationDialog::InvokeOperationEditor(long stepID, long operationID,
                                                                      QString* userComments)
{
    return m_frame.DotNetInvokeOperationDialog(stepID, operationID, userComments);
}

void CManagedOperationDialog::SetLastPrimaryEquipmentID(long equipmentID)
{
    m_frame.SetLastPrimaryEquipmentID(equipmentID);
}

long CManagedOperationDialog::GetLastPrimaryEquipmentID() const
{
    return m_frame.GetLastPrimaryEquipmentID();
}
