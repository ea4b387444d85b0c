#pragma once
// [OperationTransition]: the operation transitions of every unit procedure of a step, the whole
// table in the order the rows were written. Rebuilt whole by ReplaceAll.

#include "foundation/db/recordsets/DaoRecordset.h"

class COpTransition : public CDaoRecordset {
public:
    COpTransition() : CDaoRecordset(Definition()) {}
    bool OpenSet(long stepID) { return OpenOnStepDatabase(stepID); }
    void CloseSet() { CDaoRecordset::CloseSet(); }
    // Deletes every row and adds one per entry (FromOperationID, ToOperationID, UnitProcedureID,
    // TransitionType, OperationTransitionID); then reads the table again. The set must be open.
    void ReplaceAll(const QList<QVariantList>& rows);
    static const DaoRecordsetDef& Definition();
};
