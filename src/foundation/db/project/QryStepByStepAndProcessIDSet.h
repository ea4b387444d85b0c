#pragma once
// [QryStepByStepAndProcessID]: one step of one process. An edit writes ProcessID and StepOrder to
// the [Step-To-Process] row (by its row key); the names come from their own tables and are read-only
// here, so moving a link never renames a process.

#include "foundation/db/recordsets/DaoRecordset.h"

class CQryStepByStepAndProcessIDSet : public CDaoRecordset {
public:
    CQryStepByStepAndProcessIDSet() : CDaoRecordset(Definition()) {}
    bool OpenSet(long stepID, long processID);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
