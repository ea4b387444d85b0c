#include "modules/qvdataio/InterfaceOperation.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"

namespace {
const char* const OPERATION_COMMENT_SQL =
    "SELECT CommentText FROM TblCommentData WHERE OperationID = ? AND CommentTypeID = ?"
    " ORDER BY CommentID LIMIT 1";
}

bool CInterfaceOperation::getOperationComment(long stepID, long operationID, long form, long commentTypeID,
                                              QString& comment)
{
    comment.clear();
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step || !step->IsOpen() || form != COMMENT_TEXT)
        return false;
    const StatementKey key{StatementKind::Select, QStringLiteral("TblCommentData"), {}, {QStringLiteral("operation comment")}, {}};
    try {
        step->Connection().execKept(
            key, [] { return QString::fromLatin1(OPERATION_COMMENT_SQL); },
            {qlonglong(operationID), qlonglong(commentTypeID)}, [&comment](KeptResult& result) {
                if (result.next())
                    comment = result.value(0).toString();
            });
    } catch (const CDaoException&) {
        return false;
    }
    return true;
}
