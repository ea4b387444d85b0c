#pragma once
// [QryStepByStepAndProcessID]: one step of one process. An edit writes across tables in one
// transaction: ProcessName and ProcessVersionName to [Process] (by ProcessID), ProcessID and
// StepOrder to the [Step-To-Process] row (by its row key).

#include "foundation/db/DaoRecordset.h"

class CQryStepByStepAndProcessIDSet : public CDaoRecordset {
public:
    CQryStepByStepAndProcessIDSet() : CDaoRecordset(Definition()) {}
    bool OpenSet(long stepID, long processID);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
