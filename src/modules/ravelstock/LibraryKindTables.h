#pragma once
// Where each kind keeps its items and the sub-items they bring along.

#include "foundation/db/schema/SchemaBuilder.h"

#include <QString>

struct LibraryKindTables {
    DatabaseKind kind;
    QString itemTable, itemID, itemName;       // the imported items
    QString propertyTable;                     // their property rows
    QString subItemTable, subItemID, subItemName; // what an item brings along
};

inline const LibraryKindTables& MaterialTables()
{
    static const LibraryKindTables tables{DatabaseKind::Material, "ActualMaterialCommon", "MaterialID", "MaterialName",
                                          "ActualMaterialProperty", "ActualMaterialCommon", "MaterialID",
                                          "MaterialName"};
    return tables;
}

inline const LibraryKindTables& EquipmentTables()
{
    static const LibraryKindTables tables{DatabaseKind::Equipment,  "ActualEquipmentCommon", "ActualEquipmentID",
                                          "QVTag",                  "ActualEquipmentProperty", "EquipmentClass",
                                          "EquipmentClassID",       "ClassName"};
    return tables;
}
