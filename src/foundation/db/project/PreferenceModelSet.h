#pragma once
// [PREFER-Models]: the default model of each operation type, in type id order.

#include "foundation/db/recordsets/DaoRecordset.h"

class CPreferenceModelSet : public CDaoRecordset {
public:
    CPreferenceModelSet() : CDaoRecordset(Definition()) {}
    bool OpenSet();
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
