#pragma once
// The frame's Export Step and Import Step commands up to the export or import itself: the
// selection checks and the file dialogs. The frame runs the Import Step command's after-calls.
// Also the Network Select command up to its after-calls.

// Exports the selected step (-1: none) to the exchange file the user chooses.
void ExportStepCommand(long selectedStepID);
// Imports an exchange file into the selected process (-1: none) at the place the Process Explorer
// selection gives; false when nothing was imported because there was no process or the user
// cancelled.
bool ImportStepCommand(long selectedProcessID, bool insertAfter);
// Shows the dialog that copies steps and processes of another project, unless the open project
// is a project template; true when the dialog ended with "Close".
bool NetworkSelectCommand(bool insertBefore, bool insertAfter);
