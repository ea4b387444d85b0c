#pragma once
// [UnitProcedureTransition]: the unit-procedure transitions of a step, the whole table in the
// order the rows were written. Rebuilt whole by ReplaceAll.

#include "foundation/db/recordsets/DaoRecordset.h"

class CUPTransition : public CDaoRecordset {
public:
    CUPTransition() : CDaoRecordset(Definition()) {}
    bool OpenSet(long stepID) { return OpenOnStepDatabase(stepID); }
    void CloseSet() { CDaoRecordset::CloseSet(); }
    // Deletes every row and adds one per entry (UnitProcedureTransitionID, FromUnitProcedureID,
    // ToUnitProcedureID, StepID, TransitionType); then reads the table again. The set must be open.
    void ReplaceAll(const QList<QVariantList>& rows);
    static const DaoRecordsetDef& Definition();
};
