#pragma once
// The data of a pasted operation: its parameter groups, fields and ranges and its recipe text,
// copied from the source operation (possibly in another step database) to the new one. Both
// steps are reached through their open databases; the rows travel through memory, so no staging
// table holds anything before or after. Runs inside the caller's transaction on the destination.

#include <QSet>
#include <QString>

class COperationRecipeSource;

// 1 when the whole copy is written, 0 when it failed (the message was shown). A database error
// raises CDaoException. A copied text field of type 100033 (a name that must stay unique) whose
// value an operation still in the destination recipe holds takes "%s (%d)" with the first free n,
// unless keepNames.
int CopyOperationRecipe(long sourceStepID, long sourceOperationID, long destinationStepID,
                        long destinationOperationID, bool keepNames);

// The same, from source rows read ahead for several operations (a paste's).
int CopyOperationRecipe(const COperationRecipeSource& source, long sourceOperationID, long destinationStepID,
                        long destinationOperationID, bool keepNames);

// The source operation's UserComments, RangeText and SafetyNote on the new operation's row.
bool CopyOperationNotes(long sourceStepID, long sourceOperationID, long destinationStepID,
                        long destinationOperationID);
bool CopyOperationNotes(const COperationRecipeSource& source, long sourceOperationID, long destinationStepID,
                        long destinationOperationID);

// Text fields of this type hold names unique within a step.
constexpr long UNIQUE_NAME_FIELD_TYPE = 100033;

// Shown when a copy finds its source or destination operation missing.
inline constexpr const char* OPERATION_COPY_FAILED = "Can't open Operation Table to copy recipe text!";

// The name as the database compares names without case: ASCII letters folded, the others kept.
QString FoldedName(QString name);

// The value, or "value (n)" with the first n, when the folded value is taken.
QString FirstFreeName(const QSet<QString>& takenFolded, const QString& value);
