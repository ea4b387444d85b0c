#include "foundation/db/project/UOMSetDetail.h"

const DaoRecordsetDef& CUOMSetDetail::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT UOMSetID, UOMType, Unit, DisplayName, RowKey FROM QryUOMSetDetailByUOMSetID "
        "WHERE UOMSetID = :pUOMSetID ORDER BY UOMType",
        {{"TblUOMSetDetail", {"RowKey"}}},
        {{"UOMSetID", DaoFieldType::Long},
         {"UOMType", DaoFieldType::Text},
         {"Unit", DaoFieldType::Text},
         {"DisplayName", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"RowKey", DaoFieldType::Long}}};
    return def;
}

bool CUOMSetDetail::OpenSet(long setID)
{
    SetParameter(QStringLiteral("pUOMSetID"), qlonglong(setID));
    return OpenOnProjectDatabase(QStringLiteral("Database file is not opend yet!"));
}
