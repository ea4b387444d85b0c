#include "foundation/common/ProcessOperationService.h"

#include "foundation/common/ServiceSlot.h"

ProcessOperationService* SetProcessOperationService(ProcessOperationService* service)
{
    return ServiceSlot<ProcessOperationService>::Set(service);
}

ProcessOperationService* GetProcessOperationService() { return ServiceSlot<ProcessOperationService>::Get(); }
