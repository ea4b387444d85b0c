#include "foundation/db/step/QryTblCommentDataForCommentTypeSet.h"

const DaoRecordsetDef& CQryTblCommentDataForCommentTypeSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT CommentID, CommentTypeID, CommentRTF, CommentText FROM TblCommentData"
        " WHERE OperationID = 0 AND CommentTypeID = :pCommentTypeID ORDER BY CommentID",
        {{"TblCommentData", {"CommentID"}}},
        {{"CommentID", DaoFieldType::Long},
         {"CommentTypeID", DaoFieldType::Long},
         {"CommentRTF", DaoFieldType::Text},
         {"CommentText", DaoFieldType::Text}}};
    return def;
}

bool CQryTblCommentDataForCommentTypeSet::OpenSet(long stepID, long commentTypeID)
{
    SetParameter(QStringLiteral("pCommentTypeID"), qlonglong(commentTypeID));
    return OpenOnStepDatabase(stepID);
}
