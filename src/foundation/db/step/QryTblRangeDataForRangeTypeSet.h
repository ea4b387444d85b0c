#pragma once
// [TblRangeData] of one step database: the ranges of one range type.

#include "foundation/db/recordsets/DaoRecordset.h"

class CQryTblRangeDataForRangeTypeSet : public CDaoRecordset {
public:
    CQryTblRangeDataForRangeTypeSet() : CDaoRecordset(Definition()) {}
    // False when the step has no open database or the read fails; an open set re-queries.
    bool OpenSet(long stepID, long rangeTypeID);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
