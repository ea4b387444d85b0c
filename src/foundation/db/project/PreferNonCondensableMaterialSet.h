#pragma once
// [PREFER-NonCondensableMaterials]: the materials that count as non-condensable gases, in the
// order they were stored.

#include "foundation/db/recordsets/DaoRecordset.h"

class CPreferNonCondensableMaterialSet : public CDaoRecordset {
public:
    CPreferNonCondensableMaterialSet() : CDaoRecordset(Definition()) {}
    bool OpenSet();
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
