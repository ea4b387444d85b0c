#pragma once
// [OperationsLibrary]: the operation types, by type id.

#include "foundation/db/recordsets/DaoRecordset.h"

class COperationLibrarySet : public CDaoRecordset {
public:
    COperationLibrarySet() : CDaoRecordset(Definition()) {}
    bool OpenSet();
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
