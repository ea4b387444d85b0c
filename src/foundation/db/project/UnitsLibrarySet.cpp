#include "foundation/db/project/UnitsLibrarySet.h"

const DaoRecordsetDef& CUnitsLibrarySet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT Unit, RowKey FROM QryUnitByQuantity WHERE Quantity = :Quantity ORDER BY RowKey",
        {},
        {{"Unit", DaoFieldType::Text}, {"RowKey", DaoFieldType::Long}}};
    return def;
}

bool CUnitsLibrarySet::OpenSet(const QString& dbPath, const QString& quantity)
{
    SetParameter(QStringLiteral("Quantity"), quantity);
    return OpenOnFile(dbPath, QStringLiteral("Database file is not opend yet!"), DatabaseRole::ReadOnly);
}
