#pragma once
// Choices of units and unit-of-measure sets from the open project's unit library, for combo
// boxes and grid choice lists.

#include <QString>

class QComboBox;

// Adds the units of the quantity kind to the combo and has the main window sort it. A non-empty
// secondFilter keeps only the units whose name contains it (ignoring case). False, after
// "Can't open the Units Library table to initialize combo boxes!", when the library cannot be read.
bool FillUnitCombo(const QString& quantity, QComboBox* combo, const QString& secondFilter = {});
// Fills the combo with the unit-of-measure sets (item data = set id), selects the set selectedID
// (nothing when it is not listed) and has the main window sort it. False when the sets cannot be read.
bool FillUOMSetCombo(QComboBox* combo, long selectedID);
// list = the units of the quantity kind, sorted by the user-interface collation and joined with
// "\n"; empty for a kind the library does not know. False, after
// "Can't open the Units Library table to set up UOM list!", when the library cannot be read.
bool GetUnitChoiceList(const QString& quantity, QString& list);
