#pragma once
// [TblGroupData]: the parameter groups of a step's operations, in sequence order.

#include "foundation/db/recordsets/DaoRecordset.h"

class COPGroupSet : public CDaoRecordset {
public:
    COPGroupSet() : CDaoRecordset(Definition()) {}
    // -1 for any of the four filters; an open set re-queries with the new values.
    bool OpenSet(long stepID, long operationID, long groupTypeID = -1, long groupIndex = -1,
                 long sequenceNumber = -1);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
