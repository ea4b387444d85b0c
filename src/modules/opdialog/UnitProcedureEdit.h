#pragma once
// Ordinal 4 on an existing unit procedure: its form (name, primary equipment, comments), then the
// UnitProcedure row and the name on its TextRecipe row in one transaction. The step is found by its
// id; the path given (project file or step database) is not needed.

#include "modules/opdialog/OperationDialogService.h"

class CDaoDatabase;

// True only when something changed and was stored; newName (may be null) then holds the name.
bool EditUnitProcedure(const QString& tempDir, const QString& path, long stepID, long unitProcedureID,
                       QString* newName);

// The halves: what the form starts from (nullopt: no such unit procedure), the equipment of the
// step's facility, and the write inside the caller's transaction (raises CDaoException).
std::optional<UnitProcedureEditInput> ReadUnitProcedureEdit(CDaoDatabase& step, long unitProcedureID);
QList<EquipmentChoice> FacilityEquipmentOfStep(CDaoDatabase& step, long stepID);
void WriteUnitProcedureEdit(CDaoDatabase& step, long stepID, long unitProcedureID,
                            const UnitProcedureEditInput& input);
