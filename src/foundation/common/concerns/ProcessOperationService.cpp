#include "foundation/common/concerns/ProcessOperationService.h"

#include "foundation/common/ServiceSlot.h"

ProcessOperationService* SetProcessOperationService(ProcessOperationService* service)
{
    return ServiceSlot<ProcessOperationService>::Set(service);
}

ProcessOperationService* GetProcessOperationService() { return ServiceSlot<ProcessOperationService>::Get(); }

bool ProcessOperation(long stepID, long operationID)
{
    ProcessOperationService* service = GetProcessOperationService();
    return service && service->ProcessOperation(stepID, operationID);
}

QList<long> ProcessOperationService::ProcessOperations(long stepID, const QList<long>& operationIDs)
{
    QList<long> stored;
    for (const long operationID : operationIDs) {
        if (ProcessOperation(stepID, operationID))
            stored.append(operationID);
    }
    return stored;
}

QList<long> ProcessOperations(long stepID, const QList<long>& operationIDs)
{
    ProcessOperationService* service = GetProcessOperationService();
    return service ? service->ProcessOperations(stepID, operationIDs) : QList<long>();
}

void ResetStepWiseCache()
{
    if (ProcessOperationService* service = GetProcessOperationService())
        service->ResetStepWiseCache();
}
