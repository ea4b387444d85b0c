#pragma once
// Stand-in of the operation-dialog module: new unit procedures (ordinal 4) and new operations
// (ordinal 5) of a step. Each ordinal asks through the dialog service, then writes its rows in a
// transaction of its own. The halves are separate so that a caller can ask first and write the
// rows inside its own transaction, beside rows of its own.

#include "modules/opdialog/OperationDialogService.h"

#include <optional>

class CDaoDatabase;

// Ordinal 4: a new unit procedure (unitProcedureID -1; any other id is refused). True when it was
// created; newID and name then hold its id and name.
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
// CDaoException on a database error.
long WriteNewUnitProcedure(CDaoDatabase& step, const NewUnitProcedureInput& input);
long WriteNewOperation(CDaoDatabase& step, long unitProcedureID, long operationTypeID,
                       const NewOperationInput& input);
