#pragma once
// [UnitProcedureConditionalLogicParameter]: constraints between unit procedures of a step.

#include "foundation/db/step/ConditionalLogicSet.h"

class CUnitProcedureConditionalLogicParameterSet : public CConditionalLogicSet {
public:
    CUnitProcedureConditionalLogicParameterSet();
    static const DaoRecordsetDef& Definition();

    bool DeleteConditionalLogic(long stepID, long currentUnitProcedureID, long parameterUnitProcedureID,
                                const QString& logic);
    // Predecessors: the unit procedures this one refers to; successors: those that refer to it.
    bool GetRelatedUnitProcedures(long stepID, long unitProcedureID, const QString& logic);
    // Edits the first row of the pair and logic; -1 keeps that side; false when both are -1.
    bool UpdateConditionalLogic(long stepID, long currentUnitProcedureID, const QString& logic,
                                long parameterUnitProcedureID, long newCurrentID = -1,
                                long newParameterID = -1);
};
