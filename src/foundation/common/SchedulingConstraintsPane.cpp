#include "foundation/common/SchedulingConstraintsPane.h"

#include "foundation/common/ServiceSlot.h"

void RefreshSchedulingConstraintsPane()
{
    SchedulingConstraintsPane* pane = ServiceSlot<SchedulingConstraintsPane>::Get();
    if (pane && pane->IsPaneVisible())
        pane->Refresh();
}
