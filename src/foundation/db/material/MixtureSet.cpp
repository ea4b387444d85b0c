#include "foundation/db/material/MixtureSet.h"

#include "foundation/db/material/MaterialRecordset.h"

const DaoRecordsetDef& CMixtureSet::Definition()
{
    static const DaoRecordsetDef def{
        "WITH arg(id) AS (SELECT :pMaterialID) SELECT m.MaterialID, m.ComponentID, m.Phase, m.Amount, "
        "m.AmountUOM"
        " FROM Mixture m, arg WHERE arg.id = -1 OR m.MaterialID = arg.id ORDER BY m.RowKey",
        {},
        {{"MaterialID", DaoFieldType::Long},
         {"ComponentID", DaoFieldType::Long},
         {"Phase", DaoFieldType::Text},
         {"Amount", DaoFieldType::Double},
         {"AmountUOM", DaoFieldType::Text}}};
    return def;
}

bool CMixtureSet::OpenSet(long materialID, const QString& dbPath)
{
    const QString path = MaterialFileOf(dbPath);
    CDaoRecordset::CloseSet();
    SetParameter(QStringLiteral("pMaterialID"), qlonglong(materialID));
    if (path.isEmpty())
        return false;
    return OpenOnFile(path, QString(), MaterialDatabaseRoleOf(path));
}
