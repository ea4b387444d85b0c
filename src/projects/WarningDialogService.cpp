#include "projects/WarningDialogService.h"

namespace {
WarningDialogService* g_warningDialogService = nullptr;
}

WarningDialogService* SetWarningDialogService(WarningDialogService* service)
{
    WarningDialogService* previous = g_warningDialogService;
    g_warningDialogService = service;
    return previous;
}

WarningDialogService* GetWarningDialogService()
{
    return g_warningDialogService;
}
