#pragma once
// [Process]: every process of the project, sorted by name.

#include "foundation/db/recordsets/DaoRecordset.h"

class CProcessSet : public CDaoRecordset {
public:
    CProcessSet() : CDaoRecordset(Definition()) {}
    bool OpenSet() { return OpenOnProjectDatabase(QString()); }
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
