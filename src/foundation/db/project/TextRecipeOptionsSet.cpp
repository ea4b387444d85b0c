#include "foundation/db/project/TextRecipeOptionsSet.h"

const DaoRecordsetDef& CTextRecipeOptionsSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT Options, Value, RowKey FROM TextRecipeOptions ORDER BY RowKey",
        {{"TextRecipeOptions", {"RowKey"}}},
        {{"Options", DaoFieldType::Text}, {"Value", DaoFieldType::Long}, {"RowKey", DaoFieldType::Long}}};
    return def;
}

bool CTextRecipeOptionsSet::OpenSet()
{
    return OpenOnProjectDatabase(QStringLiteral("Database file is not opend yet!"));
}
