#pragma once
// [TblRangeData]: one range of an operation parameter group, by its id; its limits are written.

#include "foundation/db/recordsets/DaoRecordset.h"

class COPRangeForRangeIDSet : public CDaoRecordset {
public:
    COPRangeForRangeIDSet() : CDaoRecordset(Definition()) {}
    bool OpenSet(long stepID, long rangeID);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
