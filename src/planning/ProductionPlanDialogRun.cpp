#include "planning/ProductionPlanDialogRun.h"

#include "planning/ProductionPlanDialog.h"

bool RunProductionPlanDialog(long planID, QWidget* parent)
{
    CProductionPlanDialog dialog(planID, parent);
    dialog.OnInitDialog();
    return dialog.exec() == QDialog::Accepted;
}
