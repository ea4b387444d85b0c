#pragma once
// The equipment editor's reads and writes of the equipment library (ActualEquipmentCommon, its
// property rows, EquipmentClass and the lookup tables). Failures raise CDaoException.

#include "shell/bridge/EquipmentItemData.h"

#include <optional>

class CDaoDatabase;

// The item as stored (its facility in plantID); nullopt when there is no such item. Capacity and
// material missing from the item's columns come from its first property rows.
std::optional<EquipmentItemData> ReadEquipmentItem(CDaoDatabase& equipment, long equipmentID, long* plantID);
std::optional<QString> ReadFacilityName(CDaoDatabase& equipment, long plantID);
// Every named row of the table by name.
EquipmentLookupList ReadEquipmentLookup(CDaoDatabase& equipment, const char* table, const char* id,
                                        const char* name);
// The refusal of a tag another item of the facility has (case ignored); empty when free.
QString EquipmentTagRefusal(CDaoDatabase& equipment, long plantID, long equipmentID, const QString& tag);
// Writes the item (equipment id -1: a new item of the facility) and its class, and the property
// rows whose values changed since before; answers the item's id. Call it inside a transaction.
long WriteEquipmentItem(CDaoDatabase& equipment, long plantID, long equipmentID,
                        const EquipmentItemData& before, const EquipmentItemData& after);
