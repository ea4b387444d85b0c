#include "projects/WarningDialogService.h"

#include "foundation/common/ServiceSlot.h"

WarningDialogService* SetWarningDialogService(WarningDialogService* service)
{
    return ServiceSlot<WarningDialogService>::Set(service);
}

WarningDialogService* GetWarningDialogService()
{
    return ServiceSlot<WarningDialogService>::Get();
}
