#pragma once
// [QryStepToProcessForProcessID]: the steps of one process in step order (-1: of every process,
// by process). StepOrder is written and rows are deleted in [Step-To-Process]; the step's names
// are written to [ProjectStep].

#include "foundation/db/recordsets/DaoRecordset.h"

class CStepToProcessSet : public CDaoRecordset {
public:
    CStepToProcessSet() : CDaoRecordset(Definition()) {}
    bool OpenSet(long processID);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
