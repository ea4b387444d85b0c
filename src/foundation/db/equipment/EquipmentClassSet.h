#pragma once
// One equipment class of the open project's equipment database by its id: its name.

#include "foundation/db/equipment/EquipmentRecordset.h"

class CEquipmentClassSet : public CEquipmentRecordset {
public:
    CEquipmentClassSet();
    // True when the class's row is there; an open set re-queries.
    bool OpenSet(long classID);
    static const DaoRecordsetDef& Definition();

    QString ClassName() const { return GetText("ClassName"); }
};
