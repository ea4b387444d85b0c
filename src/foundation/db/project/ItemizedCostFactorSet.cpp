#include "foundation/db/project/ItemizedCostFactorSet.h"

#include "foundation/db/project/CostFactorPreferenceSet.h"

// One cost factor by its id, or (id null) every cost factor of the kind.
const DaoRecordsetDef& CItemizedCostFactorSet::Definition()
{
    static const DaoRecordsetDef def{
        "WITH arg AS (SELECT :pCostFactorID AS CostFactorID, :pCostFactorType AS CostFactorType)"
        " SELECT i.ItemizedCostFactorID, i.CostFactorID, i.CalculatedCostFactorID, l.CalculatedCostFactor,"
        " l.CalculatedCostFactorType FROM arg, ItemizedCostFactor i"
        " LEFT JOIN CostFactor c ON c.CostFactorID = i.CostFactorID"
        " LEFT JOIN CalculatedCostFactorLibrary l ON l.CalculatedCostFactorID = i.CalculatedCostFactorID"
        " WHERE CASE WHEN arg.CostFactorID IS NULL THEN c.CostFactorType = arg.CostFactorType"
        " ELSE i.CostFactorID = arg.CostFactorID END"
        " ORDER BY i.CostFactorID, i.ItemizedCostFactorID",
        {{"ItemizedCostFactor", {"ItemizedCostFactorID"}}},
        {{"ItemizedCostFactorID", DaoFieldType::Long},
         {"CostFactorID", DaoFieldType::Long},
         {"CalculatedCostFactorID", DaoFieldType::Long},
         {"CalculatedCostFactor", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"CalculatedCostFactorType", DaoFieldType::Text, DAO_NOT_WRITTEN}}};
    return def;
}

bool CItemizedCostFactorSet::OpenSet(long costFactorID)
{
    SetParameter(QStringLiteral("pCostFactorID"), qlonglong(costFactorID));
    SetParameter(QStringLiteral("pCostFactorType"), QVariant());
    return OpenOnProjectDatabase(QString::fromLatin1(COST_FACTOR_UPDATE_MESSAGE));
}

bool CItemizedCostFactorSet::OpenSetForType(const QString& costFactorType)
{
    SetParameter(QStringLiteral("pCostFactorID"), QVariant());
    SetParameter(QStringLiteral("pCostFactorType"), costFactorType);
    return OpenOnProjectDatabase(QString::fromLatin1(COST_FACTOR_UPDATE_MESSAGE));
}
