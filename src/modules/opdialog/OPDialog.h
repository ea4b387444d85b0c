#pragma once
// Stand-in of the operation-dialog module: new unit procedures (ordinal 4) and new operations
// (ordinal 5) of a step. Each ordinal asks through the dialog service, then writes its rows in a
// transaction of its own. The halves are separate so that a caller can ask first and write the
// rows inside its own transaction, beside rows of its own.

#include "modules/opdialog/OperationDialogService.h"

#include <QVariant>

#include <optional>

class CDaoDatabase;

// Ordinal 4: a new unit procedure (unitProcedureID -1): true when it was created; newID and name
// then hold its id and name. Any other id opens that unit procedure's form (UnitProcedureEdit.h):
// true only on a stored change; name (may be null) then holds its name, newID is not used.
bool CreateUnitProcedure(const QString& tempDir, const QString& projectFilePath, long stepID,
                         long unitProcedureID, long* newID, QString* name, bool noLine);
// Ordinal 5: a new operation of the type under the unit procedure. True when its Operation row and
// its default parameter rows exist; newID then holds its id. False: cancelled, nothing written.
bool CreateOperation(const QString& projectFilePath, long stepID, long unitProcedureID, long operationTypeID,
                     long* newID);

// The asking halves: nullopt when the user cancelled (or the type is not in the project library).
std::optional<NewUnitProcedureInput> AskNewUnitProcedure(long stepID);
std::optional<NewOperationInput> AskNewOperation(long stepID, long unitProcedureID, long operationTypeID);

// The writing halves, inside the caller's transaction; they answer the new id and raise
// CDaoException on a database error. A new unit procedure or operation takes an id above every
// unit-procedure and operation id of the step; a unit procedure keeps `number`, its place in the
// recipe as it goes in (the ordinals, which place no line, give the number after the last one).
long WriteNewUnitProcedure(CDaoDatabase& step, const NewUnitProcedureInput& input, long number);
// withDefaults false leaves out the type's default parameter rows (a paste copies the source's).
long WriteNewOperation(CDaoDatabase& step, long unitProcedureID, long operationTypeID,
                       const NewOperationInput& input, bool withDefaults = true);
// A pasted copy's operation under that id (the caller counts ids on from NextRecipeItemID), holding
// the copy's texts: RecipeText, UserComments, RangeText, SafetyNote.
void WriteOperationCopy(CDaoDatabase& step, long operationID, long unitProcedureID, long operationTypeID,
                        const QString& label, const QVariantList& texts);

// Ordinal 12: a copy of the source step's unit procedure (name, primary equipment, comments; not
// its operations) in the target step. Ordinal 13: a unit procedure of that name only. True when it
// was made; newID then holds its id. A missing source is reported and makes nothing.
bool CopyUnitProcedure(const QString& tempDir, long sourceStepID, long sourceUnitProcedureID,
                       long targetStepID, long* newID);
bool CreateUnitProcedureByName(const QString& tempDir, const QString& projectFilePath, long targetStepID,
                               const QString& name, long* newID);
// Their writing halves, inside the caller's transaction on the target; 0 when the source unit
// procedure is missing (reported).
long WriteUnitProcedureCopy(CDaoDatabase& target, CDaoDatabase& source, long sourceUnitProcedureID,
                            long number);
long WriteUnitProcedureByName(CDaoDatabase& target, const QString& name, long number);
