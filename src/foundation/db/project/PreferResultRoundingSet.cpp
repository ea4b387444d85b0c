#include "foundation/db/project/PreferResultRoundingSet.h"

const DaoRecordsetDef& CPreferResultRoundingSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT UpperLimit, Type, Precision, RowKey FROM [PREFER-ResultRounding] ORDER BY UpperLimit, RowKey",
        {{"PREFER-ResultRounding", {"RowKey"}}},
        {{"UpperLimit", DaoFieldType::Double},
         {"Type", DaoFieldType::Text},
         {"Precision", DaoFieldType::Long},
         {"RowKey", DaoFieldType::Long}}};
    return def;
}

bool CPreferResultRoundingSet::OpenSet()
{
    CloseSet();
    return OpenOnProjectDatabase(QStringLiteral("Database file is not opened yet!"));
}
