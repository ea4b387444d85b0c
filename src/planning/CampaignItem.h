#pragma once
// One campaign the plan grid offers (a process or a step of the project), and one equipment item
// the plan's campaigns may use shared-exclusively.

#include <QString>

struct CampaignItem {
    long id = -1; // ProcessID or StepID
    QString name;
    QString version;
    QString kind; // "process" or "step"
    long productMaterialID = -1;
    QString productName;
    bool cleaning = false; // steps only
    long plantID = -1;     // steps only: the facility the step runs in

    // The campaign list's entry: the name directly followed by the version in parentheses.
    QString EntryText() const { return name + u'(' + version + u')'; }
    bool IsStep() const { return kind == QLatin1String("step"); }
    bool IsCleaningStep() const { return IsStep() && cleaning; }
};

struct CandidateEquipment {
    long facilityID = -1; // PlantID of the first campaign step that uses it
    long equipmentID = -1;
    QString tag;
};
