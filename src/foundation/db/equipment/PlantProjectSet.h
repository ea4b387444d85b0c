#pragma once
// [QryPlant-To-Project]: the project's facilities. Read-only.

#include "foundation/db/equipment/EquipmentRecordset.h"

class CPlantProjectSet : public CEquipmentRecordset {
public:
    CPlantProjectSet() : CEquipmentRecordset(Definition()) {}
    bool OpenSet();
    static const DaoRecordsetDef& Definition();
};
