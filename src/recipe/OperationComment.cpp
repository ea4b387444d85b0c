#include "recipe/OperationComment.h"

#include "modules/qvdataio/InterfaceOperation.h"

QString GetOperationComment(long stepID, long operationID, long commentTypeID)
{
    QString comment;
    CInterfaceOperation operations;
    if (!operations.getOperationComment(stepID, operationID, CInterfaceOperation::COMMENT_TEXT, commentTypeID, comment))
        comment.clear();
    return comment;
}
