#pragma once
// Deleting a facility with everything that hangs on it, or one equipment item, from the Facility
// Explorer; the in-use check of a facility and the helpers around it.

#include <QString>

#include <functional>

// The whole cascade in one transaction per working copy; afterCommit runs once the equipment
// database committed (tree refresh, modified flag). True when the facility is gone.
bool DeleteFacility(long plantID, const QString& name, const std::function<void()>& afterCommit);
// True when the equipment item is gone (tree refreshed, project modified).
bool DeleteEquipment(long equipmentID, const QString& text);

// True when a step of the project runs in the facility (after its message), or the step data
// cannot be read.
bool IsFacilityInUse(long plantID, const QString& name);
// "StepName (StepVersionName)" of the step's row; "" when it cannot be read.
QString& GetStepNameAndVersion(QString& result, long stepID);
// The Process Explorer rebuilt with its selection kept.
void RefreshProcessExplorer();
