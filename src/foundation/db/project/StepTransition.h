#pragma once
// [QryStepTransitionsInProcessVersion]: the step transitions of one process in the order the rows
// were written; written to [StepTransition]. Rebuilt whole by ReplaceAll.

#include "foundation/db/recordsets/DaoRecordset.h"

class CStepTransition : public CDaoRecordset {
public:
    CStepTransition() : CDaoRecordset(Definition()) {}
    bool OpenSet(long processID);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    // Deletes the process's rows and adds one per entry (StepTransitionID, FromStepID, ToStepID,
    // ProcessID, TransitionType); then reads them again. The set must be open.
    void ReplaceAll(const QList<QVariantList>& rows);
    static const DaoRecordsetDef& Definition();
};
