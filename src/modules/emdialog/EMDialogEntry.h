#pragma once
// Stand-in of the material and equipment dialog module: answers whether the project uses an
// equipment item (emission control paths and devices, and the equipment of every step) and, when
// it does, says where in one message. The item's own property rows are no use.

#include <QString>

class CDaoDatabase;

class EMDialogEntry {
public:
    // Nonzero when the item is used (after the message). An unopened step, or data that cannot be
    // read, counts as a use.
    static int EquipmentInProject(const QString& equipmentDBPath, CDaoDatabase* projectDatabase, long equipmentID,
                                  const QString& equipmentText);

    // The first use of the item ("" when none).
    static QString FirstUse(CDaoDatabase* projectDatabase, long equipmentID);
};
