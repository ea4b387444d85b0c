#pragma once
// The operation models of the library offered for one operation type (kind 0), by model type id.
// Opening it again re-reads with the type given then.

#include "foundation/db/recordsets/DaoRecordset.h"

class CQueryModelSet : public CDaoRecordset {
public:
    CQueryModelSet() : CDaoRecordset(Definition()) {}
    bool OpenSet(long operationTypeID);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
