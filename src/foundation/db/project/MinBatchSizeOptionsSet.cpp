#include "foundation/db/project/MinBatchSizeOptionsSet.h"

const DaoRecordsetDef& CMinBatchSizeOptionsSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT OperationID, CurrentCheckForMinimumBatchSize, DefaultCheckForMinimumBatchSize, OperationTypeName"
        " FROM QryMinimumBatchSizeOptions ORDER BY OperationID",
        {{"MinimumBatchSizeOptions", {"OperationID"}}},
        {{"OperationID", DaoFieldType::Long},
         {"CurrentCheckForMinimumBatchSize", DaoFieldType::Bool},
         {"DefaultCheckForMinimumBatchSize", DaoFieldType::Bool},
         {"OperationTypeName", DaoFieldType::Text, DAO_NOT_WRITTEN}}};
    return def;
}

bool CMinBatchSizeOptionsSet::OpenSet()
{
    return OpenOnProjectDatabase(QStringLiteral("Database file is not opened yet!"));
}
