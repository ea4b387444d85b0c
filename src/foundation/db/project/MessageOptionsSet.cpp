#include "foundation/db/project/MessageOptionsSet.h"

const DaoRecordsetDef& CMessageOptionsSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT Options, Value, RowKey FROM MessageOptions ORDER BY RowKey",
        {{"MessageOptions", {"RowKey"}}},
        {{"Options", DaoFieldType::Text}, {"Value", DaoFieldType::Long}, {"RowKey", DaoFieldType::Long}}};
    return def;
}

bool CMessageOptionsSet::OpenSet()
{
    return OpenOnProjectDatabase(QStringLiteral("Database file is not opened yet!"));
}
