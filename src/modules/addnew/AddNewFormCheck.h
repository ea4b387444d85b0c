#pragma once
// What makes a process or step answer acceptable: the text of its first problem, "" when none. A
// process's name and version, and a step's within each process that holds it, are taken by no
// other (letter case aside); a link keeps the linked step's names and is not checked.

#include "modules/addnew/AddNewDialogService.h"

QString ProcessFormProblem(const ProcessForm& form);
QString StepFormProblem(const StepForm& form);
