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

void ResetStepWiseCache()
{
    if (ProcessOperationService* service = GetProcessOperationService())
        service->ResetStepWiseCache();
}
