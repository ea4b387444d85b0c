#pragma once
// An operation's comment of one comment type, as the recipe data module gives it, and a unit
// procedure's comment as the recipe shows it.

#include <QString>

// "" when the operation has none, or when it cannot be read.
QString GetOperationComment(long stepID, long operationID, long commentTypeID);

// The unit procedure's own comment (ownComment, its UserComments), then its comment of each comment
// type chosen for recipe viewing, as "<type>: <text>", one to a line; "" when it has none. Typed
// comments are kept by item id: an id that an operation of the step holds too reads none.
QString GetUnitProcedureComment(long stepID, long unitProcedureID, const QString& ownComment);
