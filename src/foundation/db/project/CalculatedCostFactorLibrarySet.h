#pragma once
// The library of calculated items: code, name and type ("Time" for the calculated times). Opened
// on one code, or on every code (-1) in code order.

#include "foundation/db/recordsets/DaoRecordset.h"

class CCalculatedCostFactorLibrarySet : public CDaoRecordset {
public:
    CCalculatedCostFactorLibrarySet() : CDaoRecordset(Definition()) {}
    bool OpenSet(long code);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
