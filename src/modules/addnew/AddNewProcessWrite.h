#pragma once
// The process rows of the project database: [Process] and its [Process-To-Project] row, read for
// the dialog and written in one transaction. A failed write shows the engine's description and
// leaves the rows as they were.

#include "modules/addnew/AddNewDialogService.h"

// False when the project database or the process's row cannot be read.
bool ReadProcessForm(long processID, ProcessForm& form);
// The new process's id; -1 when nothing was written.
long WriteNewProcess(const ProcessForm& form);
bool WriteProcessEdit(long processID, const ProcessForm& form);
