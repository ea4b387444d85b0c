#pragma once
// The editors of one recipe item, by step and item id, whether or not a recipe window of the
// step is open: the unit-procedure form (name, primary equipment, comments) and the managed
// operation editor. A saved edit is written in one transaction; afterwards every open view of the
// step shows the item's lines as a fresh load would, and the Process Explorer, the automation
// tree and the step panes follow. True when the edit changed and stored something.

bool EditUnitProcedureOfStep(long stepID, long unitProcedureID);
// The texts that name the unit procedure's vessel (its own operations and the transfers into it)
// composed again in one transaction, and their lines shown; after its vessel was set or changed.
void RegenerateTextsNamingUnitProcedure(long stepID, long unitProcedureID);
bool EditOperationOfStep(long stepID, long operationID);

// What an edit came to, for a caller that lives in a recipe view: Reloaded means the editor asked
// for every recipe view to be reloaded, which was done; the caller's own lines are gone then.
enum class RecipeItemEdit { Unchanged, Changed, Reloaded };
RecipeItemEdit RunUnitProcedureEditor(long stepID, long unitProcedureID);
// Changed when the operation's line texts differ from before; the project is marked modified
// whatever the editor did, unless the views were reloaded.
RecipeItemEdit RunOperationEditor(long stepID, long operationID);
