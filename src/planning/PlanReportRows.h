#pragma once
// What the plan report files print, as plain rows: one requirement with its steps (the calculator's
// fields of the same names) and one line of the plan sequence per detail row.

#include <QList>
#include <QString>

// One step of a requirement. Ids are -1 for an absent intermediate; amounts in the internal unit.
struct PlanReportStep {
    QString StepName;
    double BatchSize = 0.0;
    int NumberOfBatches = 0;
    bool CleaningFlag = false;
    long Input2ID = -1, Input3ID = -1, Output2ID = -1, Output3ID = -1;
    QString KeyInputName, Input2Name, Input3Name, KeyOutputName, Output2Name, Output3Name;
    double KeyInputMW = 0.0, Input2MW = 0.0, Input3MW = 0.0;
    double KeyOutputMW = 0.0, Output2MW = 0.0, Output3MW = 0.0;
    double KeyInputFactor = 0.0, Input2Factor = 0.0, Input3Factor = 0.0;
    double KeyOutputFactor = 1.0, Output2Factor = 0.0, Output3Factor = 0.0;
};

// One requirement: Kind "process" names the process, anything else the step.
struct PlanReportRequirement {
    QString Kind;
    double RequiredAmount = 0.0;
    double MolecularWeight = 0.0;
    QString ProductName;
    QString ProcessName, ProcessVersionName;
    QString StepName, StepVersionName;
    QList<PlanReportStep> Items;

    int TotalBatches() const
    {
        int total = 0;
        for (const PlanReportStep& item : Items)
            total += item.NumberOfBatches;
        return total;
    }
};

// One batch of the plan in run order. A step without its [Step] row prints an empty field, and so
// does a facility without its [Plant-To-Project] row (PlantName left empty).
struct PlanSequenceRow {
    bool StepFound = false;
    QString StepName, StepVersionName;
    bool Overlap = false;
    QString PlantName;
};
