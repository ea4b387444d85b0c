#include "foundation/common/concerns/AutomationFrameServices.h"

#include "foundation/common/ServiceSlot.h"

AutomationFrameServices& GetAutomationFrameServices()
{
    static AutomationFrameServices none;
    AutomationFrameServices* installed = ServiceSlot<AutomationFrameServices>::Get();
    return installed ? *installed : none;
}
