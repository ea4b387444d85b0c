#include "foundation/db/project/CommentTypeSet.h"

const DaoRecordsetDef& CCommentTypeSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT CommentTypeID, Description, \"Default\" FROM TblCommentLibrary ORDER BY CommentTypeID",
        {{"TblCommentLibrary", {"CommentTypeID"}}},
        {{"CommentTypeID", DaoFieldType::Long},
         {"Description", DaoFieldType::Text},
         {"Default", DaoFieldType::Bool}}};
    return def;
}

bool CCommentTypeSet::OpenSet()
{
    return OpenOnProjectDatabase(QStringLiteral("Database file is not opened yet!"));
}
