#pragma once
// [ProductionPlan]: the production plans of the project in table order.

#include "foundation/db/recordsets/DaoRecordset.h"

class CPlanSet : public CDaoRecordset {
public:
    CPlanSet() : CDaoRecordset(Definition()) {}
    bool OpenSet() { return OpenOnProjectDatabase(QString()); }
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
