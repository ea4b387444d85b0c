#pragma once
// The unit lists of the design dialog: the units of one quantity kind of the project's unit
// library, in library order.

#include <QString>

class QComboBox;

void FillDesignUnitCombo(const QString& quantity, QComboBox* combo);
