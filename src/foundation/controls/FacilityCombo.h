#pragma once
// The facility combo box of dialogs: every facility row of the equipment database.

#include <QString>

class QComboBox;

// One item per [Plant-To-Project] row in table order (text PlantName, item data PlantID) of the
// file ("" = the project's equipment database), then sorted by the frame. False for a null combo
// or, after its message, when the table does not open.
bool FillFacilityCombo(QComboBox* combo, const QString& dbPath = QString());
