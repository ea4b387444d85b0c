#pragma once
// The step rows: a new step's database "STEP_<id>.WC" in the working-copy folder with its [Step]
// row, opened and registered, then its [ProjectStep] and [Step-To-Process] rows and the step
// counter in one transaction of the project database; a link's one [Step-To-Process] row; an
// edit of [Step], then of [ProjectStep]. A failure shows the engine's description and leaves no
// file, row or registered database behind.

#include "modules/addnew/AddNewDialogService.h"

// The step's [Step] row; false when the step database or its row cannot be read.
bool ReadStepForm(long stepID, StepForm& form);
// The facilities of the project and the steps of other processes that a new step of processID may
// link (each step once, in step id order).
QList<AddNewChoice> ProjectFacilityChoices();
QList<AddNewChoice> LinkableStepChoices(long processID);

// The new step's id; -1 when nothing was written.
long WriteNewStep(long processID, const StepForm& form, int placement, long anchorStepID);
bool WriteStepLink(long processID, long stepID, int placement, long anchorStepID);
// When the project row cannot be written the step's own row takes back its old values.
bool WriteStepEdit(long stepID, const StepForm& before, const StepForm& after);
