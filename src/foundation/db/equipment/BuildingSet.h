#pragma once
// [Building]: the building entries that equipment items refer to.

#include "foundation/db/equipment/EquipmentRecordset.h"

class CBuildingSet : public CEquipmentRecordset {
public:
    CBuildingSet() : CEquipmentRecordset(Definition()) {}
    bool OpenSet();
    static const DaoRecordsetDef& Definition();
};
