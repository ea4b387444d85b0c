#pragma once
// [ProductionPlan-To-Project]: the plans of the project with their names, in table order; the Plan
// Explorer lists, adds and deletes through it.

#include "foundation/db/recordsets/DaoRecordset.h"

class CPlanToProject : public CDaoRecordset {
public:
    CPlanToProject() : CDaoRecordset(Definition()) {}
    bool OpenSet() { return OpenOnProjectDatabase(QString()); }
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
