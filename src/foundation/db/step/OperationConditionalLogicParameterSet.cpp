#include "foundation/db/step/OperationConditionalLogicParameterSet.h"

const DaoRecordsetDef& COperationConditionalLogicParameterSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT CurrentOperationID, ConditionalLogic, OperationParameterID, Delay, DelayUOM, RowKey"
        " FROM OperationConditionalLogicParameter ORDER BY RowKey",
        {{"OperationConditionalLogicParameter", {"RowKey"}}},
        {{"CurrentOperationID", DaoFieldType::Long},
         {"ConditionalLogic", DaoFieldType::Text},
         {"OperationParameterID", DaoFieldType::Long},
         {"Delay", DaoFieldType::Double},
         {"DelayUOM", DaoFieldType::Text},
         {"RowKey", DaoFieldType::Long}}};
    return def;
}

COperationConditionalLogicParameterSet::COperationConditionalLogicParameterSet()
    : CConditionalLogicSet(Definition(), QStringLiteral("CurrentOperationID"),
                           QStringLiteral("OperationParameterID"))
{
}

bool COperationConditionalLogicParameterSet::DeleteLogic(long stepID, long currentOperationID,
                                                         long parameterOperationID, const QString& logic)
{
    return DeleteMatchingRows(stepID, currentOperationID, parameterOperationID, logic,
                              QStringLiteral("Can't open OperationConditionalLogicParameter Table!"));
}

bool COperationConditionalLogicParameterSet::FindLinkedOperations(long stepID, long operationID,
                                                                  const QString& logic)
{
    return CollectLinks(stepID, operationID, logic);
}

bool COperationConditionalLogicParameterSet::ReplaceOperation(long stepID, long currentOperationID,
                                                              const QString& logic, long parameterOperationID,
                                                              long newCurrentOperationID,
                                                              long newParameterOperationID)
{
    return EditFirstMatch(stepID, currentOperationID, logic, parameterOperationID, newCurrentOperationID,
                          newParameterOperationID);
}
