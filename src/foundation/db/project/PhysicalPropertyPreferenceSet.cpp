#include "foundation/db/project/PhysicalPropertyPreferenceSet.h"

const DaoRecordsetDef& CPhysicalPropertyPreferenceSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT PhysicalProperty, ModelName, RowKey FROM [PREFER-PhysicalPropertyModels] ORDER BY RowKey",
        {{"PREFER-PhysicalPropertyModels", {"RowKey"}}},
        {{"PhysicalProperty", DaoFieldType::Text}, {"ModelName", DaoFieldType::Text}, {"RowKey", DaoFieldType::Long}}};
    return def;
}

bool CPhysicalPropertyPreferenceSet::OpenSet()
{
    return OpenOnProjectDatabase(QStringLiteral("Database file is not opened yet!"));
}
