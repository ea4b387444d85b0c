#include "foundation/common/concerns/SelectionContext.h"

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/SelectionService.h"

namespace {
bool& selectionSync()
{
    static bool on = true;
    return on;
}
} // namespace

int GetCurrentContextKind()
{
    const SelectionService* selection = ServiceSlot<SelectionService>::Get();
    return selection ? selection->CurrentContext().kind : CONTEXT_NONE;
}

bool IsSelectionSyncOn()
{
    return selectionSync();
}

SelectionSyncOff::SelectionSyncOff() : m_previous(selectionSync())
{
    selectionSync() = false;
}

SelectionSyncOff::~SelectionSyncOff()
{
    selectionSync() = m_previous;
}
