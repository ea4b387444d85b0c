#pragma once
// [SharedExclusiveEquipment]: the equipment each plan's campaigns use shared-exclusively, one row
// per plan and equipment item, in the order they were chosen.

#include "foundation/db/recordsets/DaoRecordset.h"

class CSharedExclusiveEquipmentSet : public CDaoRecordset {
public:
    CSharedExclusiveEquipmentSet() : CDaoRecordset(Definition()) {}
    // The whole table; "Database file is not opend yet!" and false without an open project.
    bool OpenSet();
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
