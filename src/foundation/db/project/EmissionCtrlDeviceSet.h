#pragma once
// [TblEmissionControlDevice]: the emission control devices of a facility, one or (equipment id
// -1) all of them.

#include "foundation/db/recordsets/DaoRecordset.h"

class CEmissionCtrlDeviceSet : public CDaoRecordset {
public:
    CEmissionCtrlDeviceSet() : CDaoRecordset(Definition()) {}
    virtual bool OpenSet(long plantID, long equipmentID);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
