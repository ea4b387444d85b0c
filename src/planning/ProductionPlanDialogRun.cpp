#include "planning/ProductionPlanDialogRun.h"

// The dialog is not built yet: nothing is edited.
bool RunProductionPlanDialog(long /*planID*/, QWidget* /*parent*/)
{
    return false;
}
