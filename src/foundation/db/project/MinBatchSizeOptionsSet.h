#pragma once
// [QryMinimumBatchSizeOptions]: per operation type, whether it counts towards the minimum batch
// size now and by default; by OperationID, so the rows come in the same order at every open.

#include "foundation/db/recordsets/DaoRecordset.h"

class CMinBatchSizeOptionsSet : public CDaoRecordset {
public:
    CMinBatchSizeOptionsSet() : CDaoRecordset(Definition()) {}
    bool OpenSet();
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
