#pragma once
// [MessageOptions]: one row per option that is on (Options = its name, Value).

#include "foundation/db/recordsets/DaoRecordset.h"

class CMessageOptionsSet : public CDaoRecordset {
public:
    CMessageOptionsSet() : CDaoRecordset(Definition()) {}
    bool OpenSet();
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
