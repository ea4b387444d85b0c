#pragma once
// The emission models (kind 1 rows of the model library) allowed for one operation type, by id.
// Opening it again re-reads with the type given then.

#include "foundation/db/recordsets/DaoRecordset.h"

class CQueryEmissionModelSet : public CDaoRecordset {
public:
    CQueryEmissionModelSet() : CDaoRecordset(Definition()) {}
    bool OpenSet(long operationTypeID);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
