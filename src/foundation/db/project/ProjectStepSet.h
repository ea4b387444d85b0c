#pragma once
// [ProjectStep]: every step of the project, START included, in id order.

#include "foundation/db/recordsets/DaoRecordset.h"

class CProjectStepSet : public CDaoRecordset {
public:
    CProjectStepSet() : CDaoRecordset(Definition()) {}
    bool OpenSet() { return OpenOnProjectDatabase(QString()); }
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
