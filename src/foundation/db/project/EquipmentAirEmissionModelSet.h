#pragma once
// The equipment kinds of one operation type that emits vapour: one row per label, sorted by
// FieldTypeID (several labels may share one kind).

#include "foundation/db/recordsets/DaoRecordset.h"

class CEquipmentAirEmissionModelSet : public CDaoRecordset {
public:
    CEquipmentAirEmissionModelSet() : CDaoRecordset(Definition()) {}
    bool OpenSet(long operationTypeID);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
