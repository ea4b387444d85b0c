#pragma once
// [TblFieldData]: one field of an operation parameter group, by its id; its values are written.

#include "foundation/db/recordsets/DaoRecordset.h"

class COPFieldForFieldIDSet : public CDaoRecordset {
public:
    COPFieldForFieldIDSet() : CDaoRecordset(Definition()) {}
    bool OpenSet(long stepID, long fieldID);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
