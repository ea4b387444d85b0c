#pragma once
// The materials or utilities one step's recipe names, added to the id table of the materials
// working copy that the material and utility data reports read.

class CDaoDatabase;

// The step-side table (TempQVMaterialsTable, TempUtilitiesTable) is built in the step's working
// copy, read from it attached read-only and dropped again. append false creates the target table
// (TempMaterialIDTable, TempUtilityIDTable); true adds only the ids it does not hold yet. On failure
// the error is shown once, both tables are gone and the answer is false.
bool CollectMaterialsForExport(CDaoDatabase& target, long stepID, bool append);
bool CollectUtilitiesForExport(CDaoDatabase& target, long stepID, bool append);

// True when the database holds a table of that name.
bool ExportTableStands(CDaoDatabase& database, const char* table);

constexpr const char* MATERIAL_EXPORT_TABLE = "TempMaterialIDTable";
constexpr const char* UTILITY_EXPORT_TABLE = "TempUtilityIDTable";
