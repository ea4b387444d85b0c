#pragma once
// Brings one object of the scripting object model back in line with the step database after an
// edit. Nothing happens while there is no object tree or when the step belongs to no process.

// The first process that holds the step; -1 when none does.
long FindProcessOfStep(long stepID);
// processID -1: the step's first process.
void RefreshAutomationUnitProcedure(long processID, long stepID, long unitProcedureID);
// The operation's texts, and its groups, fields and ranges rebuilt whole.
void RefreshAutomationOperation(long processID, long stepID, long unitProcedureID, long operationID);
