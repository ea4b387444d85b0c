#pragma once
// [QryPlantEquipment]: the equipment items of one facility, pools included, by tag.

#include "foundation/db/equipment/EquipmentRecordset.h"

class CPlantEuipmentSet : public CEquipmentRecordset {
public:
    CPlantEuipmentSet() : CEquipmentRecordset(Definition()) {}
    bool OpenSet(long plantID);
    static const DaoRecordsetDef& Definition();
};
