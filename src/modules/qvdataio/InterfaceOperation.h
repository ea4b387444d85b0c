#pragma once
// Stand-in of the recipe-data module's operation reads: an operation's comment of one comment type,
// from [TblCommentData] of the step's open database. A failure is reported by the answer, never
// shown.

#include <QString>

class CInterfaceOperation {
public:
    // The form of a comment the caller asks for: its plain text.
    static constexpr long COMMENT_TEXT = 200124;

    // The comment text of the operation and type, "" when it has none; false when the step has no
    // open database, the read fails or the form is not known.
    bool getOperationComment(long stepID, long operationID, long form, long commentTypeID, QString& comment);
};
