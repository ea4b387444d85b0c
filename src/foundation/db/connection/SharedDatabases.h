#pragma once
// The cached connections to the open project's material and equipment working copies. The first
// use opens them; the project close lets go of them.

class CDaoDatabase;

// The open connection to GetMaterialsDBPath() / GetEquipmentDBPath(), opened on first use (and
// again when the project's path changed); null when there is no such file or it does not open.
CDaoDatabase* GetSharedMaterialsDB();
CDaoDatabase* GetSharedEquipmentDB();

// Close and free the cached connection, if any, and clear it.
void CloseSharedMaterialsDB();
void CloseSharedEquipmentDB();
