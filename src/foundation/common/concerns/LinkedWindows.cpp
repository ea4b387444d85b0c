#include "foundation/common/concerns/LinkedWindows.h"

#include "foundation/common/ServiceSlot.h"

void CloseStepLinkedWindows(long stepID)
{
    if (LinkedWindowServices* windows = ServiceSlot<LinkedWindowServices>::Get())
        windows->CloseStepLinkedWindows(stepID);
}

void CloseProcessLinkedWindows(long processID)
{
    if (LinkedWindowServices* windows = ServiceSlot<LinkedWindowServices>::Get())
        windows->CloseProcessLinkedWindows(processID);
}
