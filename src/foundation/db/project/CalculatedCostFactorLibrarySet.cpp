#include "foundation/db/project/CalculatedCostFactorLibrarySet.h"

#include "foundation/db/project/CostFactorPreferenceSet.h"

const DaoRecordsetDef& CCalculatedCostFactorLibrarySet::Definition()
{
    static const DaoRecordsetDef def{
        "WITH arg AS (SELECT :pCalculatedCostFactorID AS code)"
        " SELECT l.CalculatedCostFactorID, l.CalculatedCostFactor, l.CalculatedCostFactorType"
        " FROM arg, CalculatedCostFactorLibrary l"
        " WHERE arg.code = -1 OR l.CalculatedCostFactorID = arg.code ORDER BY l.CalculatedCostFactorID",
        {},
        {{"CalculatedCostFactorID", DaoFieldType::Long},
         {"CalculatedCostFactor", DaoFieldType::Text},
         {"CalculatedCostFactorType", DaoFieldType::Text}}};
    return def;
}

bool CCalculatedCostFactorLibrarySet::OpenSet(long code)
{
    SetParameter(QStringLiteral("pCalculatedCostFactorID"), qlonglong(code));
    return OpenOnProjectDatabase(QString::fromLatin1(COST_FACTOR_UPDATE_MESSAGE));
}
