#pragma once
// [PREFER-PhysicalPropertyModels]: the model chosen for each physical property.

#include "foundation/db/recordsets/DaoRecordset.h"

class CPhysicalPropertyPreferenceSet : public CDaoRecordset {
public:
    CPhysicalPropertyPreferenceSet() : CDaoRecordset(Definition()) {}
    bool OpenSet();
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
