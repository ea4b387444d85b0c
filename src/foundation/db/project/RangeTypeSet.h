#pragma once
// [TblRangeLibrary]: the range types, in table order.

#include "foundation/db/recordsets/DaoRecordset.h"

class CRangeTypeSet : public CDaoRecordset {
public:
    CRangeTypeSet() : CDaoRecordset(Definition()) {}
    bool OpenSet();
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
