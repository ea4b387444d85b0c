#include "foundation/db/project/PreferenceModelSet.h"

const DaoRecordsetDef& CPreferenceModelSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT OperationTypeID, SelectedModelTypeID, RowKey FROM [PREFER-Models] ORDER BY OperationTypeID, RowKey",
        {{"PREFER-Models", {"RowKey"}}},
        {{"OperationTypeID", DaoFieldType::Long},
         {"SelectedModelTypeID", DaoFieldType::Long},
         {"RowKey", DaoFieldType::Long}}};
    return def;
}

bool CPreferenceModelSet::OpenSet()
{
    return OpenOnProjectDatabase(QStringLiteral("Database file is not opened yet!"));
}
