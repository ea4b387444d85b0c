#pragma once
// [Plant-To-Project]: links a facility to the project; its PlantName is the one compared for
// duplicates.

#include "foundation/db/equipment/EquipmentRecordset.h"

class CPlantToProjectSet : public CEquipmentRecordset {
public:
    CPlantToProjectSet() : CEquipmentRecordset(Definition()) {}
    bool OpenSet(const QString& dbPath = QString());
    static const DaoRecordsetDef& Definition();
};
