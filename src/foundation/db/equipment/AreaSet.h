#pragma once
// [Area]: the area entries that equipment items refer to.

#include "foundation/db/equipment/EquipmentRecordset.h"

class CAreaSet : public CEquipmentRecordset {
public:
    CAreaSet() : CEquipmentRecordset(Definition()) {}
    bool OpenSet();
    static const DaoRecordsetDef& Definition();
};
