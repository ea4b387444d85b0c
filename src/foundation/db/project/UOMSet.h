#pragma once
// [TblUOMSet] of the project database: the unit-of-measure sets by id.

#include "foundation/db/recordsets/DaoRecordset.h"

class CUOMSet : public CDaoRecordset {
public:
    CUOMSet() : CDaoRecordset(Definition()) {}
    bool OpenSet() { return OpenOnProjectDatabase(QString()); }
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
