#pragma once
// Where a recipe line's comments and result-remark marks come from: the comments stored with the
// unit procedure or operation, and the remarks of the step's results file that the user chose to see.

#include <QHash>
#include <QString>

#include <optional>

class CResultsDatabase;

// The unit procedure's comment; "" when it has none or cannot be read.
QString GetUnitProcedureCommentText(long stepID, long unitProcedureID);
// All comments of the operation as one text; "" when none.
QString GetAllOperationComments(long stepID, long operationID);
// 0 when a visible remark of the operation is an error, 1 when visible remarks are only warnings,
// -1 when it has none (or the step has no results file).
int GetResultRemarkSeverity(long stepID, long operationID);
// 1 when the remark marks are drawn ("Warnings" of the message options).
int AreRemarkIconsDisplayed();

// The remark severities of a step's operations in one read, by operation id (operations without a
// visible remark are left out). Nothing when the step's results file is older than the remark
// marks ("Version 20.0 Beta"): its marks stay as they were.
std::optional<QHash<long, int>> ReadStepRemarkSeverities(long stepID);
