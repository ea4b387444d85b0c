#pragma once
// [QryEquipmentProperty]: one named property of one equipment item. Read-only.

#include "foundation/db/equipment/EquipmentRecordset.h"

class CEquipmentPropertySet : public CEquipmentRecordset {
public:
    CEquipmentPropertySet() : CEquipmentRecordset(Definition()) {}
    bool OpenSet(long equipmentID, const QString& propertyName, const QString& dbPath);
    static const DaoRecordsetDef& Definition();
};
