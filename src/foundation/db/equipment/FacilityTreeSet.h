#pragma once
// [QryPlantTree]: one row per equipment item with its facility and class; the rows of one
// facility, and within it of one class, follow one another. Read-only.

#include "foundation/db/equipment/EquipmentRecordset.h"

class CFacilityTreeSet : public CEquipmentRecordset {
public:
    CFacilityTreeSet() : CEquipmentRecordset(Definition()) {}
    bool OpenSet();
    static const DaoRecordsetDef& Definition();
};
