#pragma once
// [PlanSummary]: the batch count of each step of each plan requirement.

#include "foundation/db/recordsets/DaoRecordset.h"

class CPlanSummary : public CDaoRecordset {
public:
    CPlanSummary() : CDaoRecordset(Definition()) {}
    // The rows of one plan; -1: every row.
    bool OpenSet(long planID = -1);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
