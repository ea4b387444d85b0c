#pragma once
// One step of a plan requirement on its way to a batch count: its batch size, its six
// intermediates with their product factors (molar ratios to the key output) and molecular weights,
// its facility, and what the calculation asked of it.

#include <QString>

constexpr double PLAN_UNSET = 1e35;

struct PlanFactorItem {
    long StepID = 0;
    QString StepName;
    QString StepVersionName;
    double BatchSize = PLAN_UNSET;
    long KeyInputID = -1;
    long Input2ID = -1;
    long Input3ID = -1;
    long KeyOutputID = -1;
    long Output2ID = -1;
    long Output3ID = -1;
    double KeyInputFactor = 0.0;
    double Input2Factor = PLAN_UNSET;
    double Input3Factor = PLAN_UNSET;
    double KeyOutputFactor = 1.0;
    double Output2Factor = PLAN_UNSET;
    double Output3Factor = PLAN_UNSET;
    int NumberOfBatches = 0;
    double Amount = 0.0; // key output asked of the step so far, internal amount unit
    long PlantID = 0;
    QString PlantName;
    bool CleaningFlag = false;
    QString KeyInputName, Input2Name, Input3Name, KeyOutputName, Output2Name, Output3Name;
    double KeyInputMW = 0.0, Input2MW = 0.0, Input3MW = 0.0, KeyOutputMW = 0.0, Output2MW = 0.0, Output3MW = 0.0;
};
