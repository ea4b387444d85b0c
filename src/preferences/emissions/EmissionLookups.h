#pragma once
// Look-ups of the vapour emission pages: an equipment item's tag, a control path's name and the
// project's gaseous pure components. Each shows its message and answers false when its database
// does not open or read.

#include <QString>

class QComboBox;

// tag = the item's QVTag, empty when there is no such item.
bool GetEquipmentTag(long actualEquipmentID, QString& tag);
// name = the path's name; unchanged when there is no such path.
bool GetEmissionControlPathName(long emissionControlPathID, QString& name);
// Adds every pure component (material type 1) whose phase property (30) reads "Gas", ignoring
// case: the name as text, the MaterialID as item data.
bool FillGasMaterialCombo(QComboBox* combo);
