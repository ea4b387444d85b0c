#pragma once
// The editors of one recipe item, by step and item id, whether or not a recipe window of the
// step is open: the unit-procedure form (name, primary equipment, comments) and the managed
// operation editor. A saved edit is written in one transaction; afterwards every open view of the
// step shows the item's lines as a fresh load would, and the Process Explorer, the automation
// tree and the step panes follow. True when the edit changed and stored something.

bool EditUnitProcedureOfStep(long stepID, long unitProcedureID);
bool EditOperationOfStep(long stepID, long operationID);
