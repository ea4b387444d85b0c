#pragma once
// Runs the production plan dialog for one plan, modally. True after a successful save; Cancel
// writes nothing.

class QWidget;

bool RunProductionPlanDialog(long planID, QWidget* parent);
