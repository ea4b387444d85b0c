#pragma once
// [PREFER-ResultRounding]: the rounding bands of result values by upper limit (1e35: no upper
// end, last). Every open is a fresh read.

#include "foundation/db/recordsets/DaoRecordset.h"

class CPreferResultRoundingSet : public CDaoRecordset {
public:
    CPreferResultRoundingSet() : CDaoRecordset(Definition()) {}
    bool OpenSet();
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
