#include "foundation/common/ProcessOperationService.h"

namespace {
ProcessOperationService* g_service = nullptr;
}

ProcessOperationService* SetProcessOperationService(ProcessOperationService* service)
{
    ProcessOperationService* previous = g_service;
    g_service = service;
    return previous;
}

ProcessOperationService* GetProcessOperationService()
{
    return g_service;
}
