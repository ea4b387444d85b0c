#pragma once
// [TblRangeData]: the ranges of a parameter group's fields, by sub-group.

#include "foundation/db/recordsets/DaoRecordset.h"

class COPRangeDataSet : public CDaoRecordset {
public:
    COPRangeDataSet() : CDaoRecordset(Definition()) {}
    // -1 for any of the three filters; an open set on the same step takes the new values and
    // re-queries.
    bool OpenSet(long stepID, long groupID, long subGroupIndex = -1, long fieldTypeID = -1);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
