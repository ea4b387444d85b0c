#include "foundation/common/concerns/OperationEditorService.h"

#include "foundation/common/ServiceSlot.h"

OperationEditorService* SetOperationEditorService(OperationEditorService* service)
{
    return ServiceSlot<OperationEditorService>::Set(service);
}

OperationEditorService* GetOperationEditorService() { return ServiceSlot<OperationEditorService>::Get(); }

std::optional<QString> DotNetInvokeOperationDialog(long stepID, long operationID, QString* userComments)
{
    OperationEditorService* service = GetOperationEditorService();
    return service ? service->InvokeOperationEditor(stepID, operationID, userComments) : std::nullopt;
}

void SetLastPrimaryEquipmentID(long equipmentID)
{
    if (OperationEditorService* service = GetOperationEditorService())
        service->SetLastPrimaryEquipmentID(equipmentID);
}

long GetLastPrimaryEquipmentID()
{
    OperationEditorService* service = GetOperationEditorService();
    return service ? service->GetLastPrimaryEquipmentID() : -1;
}
