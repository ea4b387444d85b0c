#pragma once
// [QrySTARTUnitProcedure]: the START unit procedure of a step, the root of its unit-procedure transitions.

#include "foundation/db/recordsets/DaoRecordset.h"

class CSTARTUnitProcedure : public CDaoRecordset {
public:
    CSTARTUnitProcedure() : CDaoRecordset(Definition()) {}
    bool OpenSet(long stepID) { return OpenOnStepDatabase(stepID); }
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
