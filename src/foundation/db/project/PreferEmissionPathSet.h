#pragma once
// [PREFER-DefaultECP]: the default emission control path of each equipment item of one facility,
// in the order the rows were stored.

#include "foundation/db/recordsets/DaoRecordset.h"

class CPreferEmissionPathSet : public CDaoRecordset {
public:
    CPreferEmissionPathSet() : CDaoRecordset(Definition()) {}
    // An open set answers true at once and keeps its facility.
    bool OpenSet(long plantID);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
