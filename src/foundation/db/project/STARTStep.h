#pragma once
// [QrySTARTStep]: the START step of the project, the root of every process's step transitions.

#include "foundation/db/recordsets/DaoRecordset.h"

class CSTARTStep : public CDaoRecordset {
public:
    CSTARTStep() : CDaoRecordset(Definition()) {}
    bool OpenSet() { return OpenOnProjectDatabase(QString()); }
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
