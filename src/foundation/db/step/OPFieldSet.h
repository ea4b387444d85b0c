#pragma once
// [TblFieldData]: the fields of a parameter group, by sub-group.

#include "foundation/db/recordsets/DaoRecordset.h"

class COPFieldSet : public CDaoRecordset {
public:
    COPFieldSet() : CDaoRecordset(Definition()) {}
    // -1 for any of the three filters; an open set re-queries with the new values.
    bool OpenSet(long stepID, long groupID, long fieldTypeID = -1, long subGroupIndex = -1);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
