#include "foundation/db/step/UnitProcedureConditionalLogicParameterSet.h"

const DaoRecordsetDef& CUnitProcedureConditionalLogicParameterSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT CurrentUnitProcedureID, ConditionalLogic, UnitProcedureParameterID, Delay, DelayUOM, RowKey"
        " FROM UnitProcedureConditionalLogicParameter ORDER BY RowKey",
        {{"UnitProcedureConditionalLogicParameter", {"RowKey"}}},
        {{"CurrentUnitProcedureID", DaoFieldType::Long},
         {"ConditionalLogic", DaoFieldType::Text},
         {"UnitProcedureParameterID", DaoFieldType::Long},
         {"Delay", DaoFieldType::Double},
         {"DelayUOM", DaoFieldType::Text},
         {"RowKey", DaoFieldType::Long}}};
    return def;
}

CUnitProcedureConditionalLogicParameterSet::CUnitProcedureConditionalLogicParameterSet()
    : CConditionalLogicSet(Definition(), QStringLiteral("CurrentUnitProcedureID"),
                           QStringLiteral("UnitProcedureParameterID"))
{
}

bool CUnitProcedureConditionalLogicParameterSet::DeleteConditionalLogic(long stepID,
                                                                        long currentUnitProcedureID,
                                                                        long parameterUnitProcedureID,
                                                                        const QString& logic)
{
    return DeleteMatchingRows(stepID, currentUnitProcedureID, parameterUnitProcedureID, logic, QString());
}

bool CUnitProcedureConditionalLogicParameterSet::GetRelatedUnitProcedures(long stepID, long unitProcedureID,
                                                                          const QString& logic)
{
    return CollectLinks(stepID, unitProcedureID, logic);
}

bool CUnitProcedureConditionalLogicParameterSet::UpdateConditionalLogic(
    long stepID, long currentUnitProcedureID, const QString& logic, long parameterUnitProcedureID,
    long newCurrentID, long newParameterID)
{
    return EditFirstMatch(stepID, currentUnitProcedureID, logic, parameterUnitProcedureID, newCurrentID,
                          newParameterID);
}
