#include "foundation/db/project/PreferNonCondensableMaterialSet.h"

const DaoRecordsetDef& CPreferNonCondensableMaterialSet::Definition()
{
    static const DaoRecordsetDef def{"SELECT MaterialID, RowKey FROM [PREFER-NonCondensableMaterials] ORDER BY RowKey",
                                     {{"PREFER-NonCondensableMaterials", {"RowKey"}}},
                                     {{"MaterialID", DaoFieldType::Long}, {"RowKey", DaoFieldType::Long}}};
    return def;
}

bool CPreferNonCondensableMaterialSet::OpenSet()
{
    return OpenOnProjectDatabase(QStringLiteral("Database file is not opened yet!"));
}
