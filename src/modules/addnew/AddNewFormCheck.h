#pragma once
// What makes a process or step answer acceptable: the text of its first problem, "" when none.

#include "modules/addnew/AddNewDialogService.h"

QString ProcessFormProblem(const ProcessForm& form);
QString StepFormProblem(const StepForm& form);
