#pragma once
// [TblEmissionControlPath]: the emission control paths of one facility.

#include "foundation/db/recordsets/DaoRecordset.h"

class CEmissionCtrlPathSet : public CDaoRecordset {
public:
    CEmissionCtrlPathSet() : CDaoRecordset(Definition()) {}
    virtual bool OpenSet(long plantID);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
