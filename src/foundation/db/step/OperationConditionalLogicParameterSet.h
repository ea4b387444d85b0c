#pragma once
// [OperationConditionalLogicParameter]: constraints between operations of a step.

#include "foundation/db/step/ConditionalLogicSet.h"

class COperationConditionalLogicParameterSet : public CConditionalLogicSet {
public:
    COperationConditionalLogicParameterSet();
    static const DaoRecordsetDef& Definition();

    // Deletes every row of the pair and logic; false with a message when the table does not open.
    bool DeleteLogic(long stepID, long currentOperationID, long parameterOperationID, const QString& logic);
    // Predecessors: what the operation starts after; successors: what starts after it.
    bool FindLinkedOperations(long stepID, long operationID, const QString& logic);
    // Edits the first row of the pair and logic; -1 keeps that side; false when both are -1.
    bool ReplaceOperation(long stepID, long currentOperationID, const QString& logic,
                          long parameterOperationID, long newCurrentOperationID,
                          long newParameterOperationID);
};
