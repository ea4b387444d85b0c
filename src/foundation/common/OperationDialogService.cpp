#include "foundation/common/OperationDialogService.h"

#include "foundation/common/ServiceSlot.h"

OperationDialogService* SetOperationDialogService(OperationDialogService* service)
{
    return ServiceSlot<OperationDialogService>::Set(service);
}

OperationDialogService* GetOperationDialogService() { return ServiceSlot<OperationDialogService>::Get(); }

std::optional<QString> DotNetInvokeOperationDialog(long stepID, long operationID, QString* userComments)
{
    OperationDialogService* service = GetOperationDialogService();
    return service ? service->InvokeOperationDialog(stepID, operationID, userComments) : std::nullopt;
}

void SetLastPrimaryEquipmentID(long equipmentID)
{
    if (OperationDialogService* service = GetOperationDialogService())
        service->SetLastPrimaryEquipmentID(equipmentID);
}

long GetLastPrimaryEquipmentID()
{
    OperationDialogService* service = GetOperationDialogService();
    return service ? service->GetLastPrimaryEquipmentID() : -1;
}
