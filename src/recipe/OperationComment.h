#pragma once
// An operation's comment of one comment type, as the recipe data module gives it.

#include <QString>

// "" when the operation has none, or when it cannot be read.
QString GetOperationComment(long stepID, long operationID, long commentTypeID);
