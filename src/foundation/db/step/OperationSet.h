#pragma once
// [QryOperationForOperationID]: one operation of a step; written to [Operation].

#include "foundation/db/recordsets/DaoRecordset.h"

class COperationSet : public CDaoRecordset {
public:
    COperationSet() : CDaoRecordset(Definition()) {}
    bool OpenSet(long stepID, long operationID);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
