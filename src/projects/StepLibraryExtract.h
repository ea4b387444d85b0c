#pragma once
// The items of the project's material database that a step's recipe names, collected into tables of
// the step's own database for the material and utility exports (which read them and drop them).
// Only fields in groups of operations the text recipe lists count. Each call reads the material
// working copy attached read-only and creates its tables in one transaction: a call that fails
// leaves none of them, and drops a table of the same name left by an earlier call.

// TempQVMaterialsTable: the materials the recipe names and the components of the reactions of the
// reaction data sets it names. True when the table stands in the step's database.
bool CopyReactionDataToStepTables(long stepID);
// TempUtilitiesTable (MaterialID): each utility (material with property 469) the recipe names, once.
bool CopyUtilitiesToStepTables(long stepID);
