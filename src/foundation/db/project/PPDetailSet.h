#pragma once
// [QryProductionPlanDetail]: the batches of one plan in run order (LineItemID); written to
// [ProductionPlanDetail].

#include "foundation/db/recordsets/DaoRecordset.h"

class CPPDetailSet : public CDaoRecordset {
public:
    CPPDetailSet() : CDaoRecordset(Definition()) {}
    bool OpenSet(long planID);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
