#pragma once
// [QrySTARTOperation]: the START operation of a step, the root of every unit procedure's
// operation transitions.

#include "foundation/db/recordsets/DaoRecordset.h"

class CSTARTOperation : public CDaoRecordset {
public:
    CSTARTOperation() : CDaoRecordset(Definition()) {}
    bool OpenSet(long stepID) { return OpenOnStepDatabase(stepID); }
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
