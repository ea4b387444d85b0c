#pragma once
// [Factory]: the factory entries that equipment items refer to.

#include "foundation/db/equipment/EquipmentRecordset.h"

class CFactorySet : public CEquipmentRecordset {
public:
    CFactorySet() : CEquipmentRecordset(Definition()) {}
    bool OpenSet();
    static const DaoRecordsetDef& Definition();
};
