#include "foundation/db/project/CostFactorPreferenceSet.h"

const char* const COST_FACTOR_UPDATE_MESSAGE = "Can't open Cost Factor Preference table for update!";

const DaoRecordsetDef& CCostFactorPreferenceSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT CostFactorID, CostFactorType, CostFactorItem, CostFactor, CostFactorUOM FROM CostFactor"
        " WHERE CostFactorType = :pCostFactorType ORDER BY RowOrder, CostFactorID",
        {{"CostFactor", {"CostFactorID"}}},
        {{"CostFactorID", DaoFieldType::Long},
         {"CostFactorType", DaoFieldType::Text},
         {"CostFactorItem", DaoFieldType::Text},
         {"CostFactor", DaoFieldType::Double},
         {"CostFactorUOM", DaoFieldType::Text}}};
    return def;
}

bool CCostFactorPreferenceSet::OpenSet(const QString& costFactorType)
{
    SetParameter(QStringLiteral("pCostFactorType"), costFactorType);
    return OpenOnProjectDatabase(QString::fromLatin1(COST_FACTOR_UPDATE_MESSAGE));
}
