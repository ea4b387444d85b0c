#include "foundation/db/project/StreamCategorySet.h"

const DaoRecordsetDef& CStreamCategorySet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT StreamCategoryID, StreamCategory, DisposalCost, DisposalCostUOM FROM StreamCategoryTable"
        " WHERE :CatID = -1 OR StreamCategoryID = :CatID ORDER BY StreamCategoryID",
        {{"StreamCategoryTable", {"StreamCategoryID"}}},
        {{"StreamCategoryID", DaoFieldType::Long},
         {"StreamCategory", DaoFieldType::Text},
         {"DisposalCost", DaoFieldType::Double},
         {"DisposalCostUOM", DaoFieldType::Text}}};
    return def;
}

bool CStreamCategorySet::OpenSet(long catID)
{
    SetParameter(QStringLiteral("CatID"), qlonglong(catID));
    return OpenOnProjectDatabase(QStringLiteral("Database file is not opend yet!"));
}
