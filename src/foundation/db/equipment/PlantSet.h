#pragma once
// [Plant]: the facilities with their calendar (CalendarID may be Null).

#include "foundation/db/equipment/EquipmentRecordset.h"

class CPlantSet : public CEquipmentRecordset {
public:
    CPlantSet() : CEquipmentRecordset(Definition()) {}
    bool OpenSet();
    static const DaoRecordsetDef& Definition();
};
