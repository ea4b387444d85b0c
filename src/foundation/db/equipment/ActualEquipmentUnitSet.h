#pragma once
// One equipment item of the open project's equipment database by its id: its tag and class.

#include "foundation/db/equipment/EquipmentRecordset.h"

class CActualEquipmentUnitSet : public CEquipmentRecordset {
public:
    CActualEquipmentUnitSet();
    // True when the item's row is there; an open set re-queries.
    bool OpenSet(long equipmentID);
    static const DaoRecordsetDef& Definition();

    QString Tag() const { return GetText("QVTag"); }
    long ClassID() const { return IsFieldNull("EquipmentClassID") ? -1 : GetLong("EquipmentClassID"); }
};
