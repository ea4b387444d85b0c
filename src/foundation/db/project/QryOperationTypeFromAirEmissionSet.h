#pragma once
// The operation types that have emission models (kind 1 rows of the model library), by id.

#include "foundation/db/recordsets/DaoRecordset.h"

class CQryOperationTypeFromAirEmissionSet : public CDaoRecordset {
public:
    CQryOperationTypeFromAirEmissionSet() : CDaoRecordset(Definition()) {}
    bool OpenSet();
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
