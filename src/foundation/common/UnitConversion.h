#pragma once
// The built-in unit-conversion table and the conversions between user and internal units.

#include <QString>

struct UnitConversionRow {
    int unitID;
    int basis; // 1 per mol weight (mass), 2 plain, 3 volume (x density), 4 per mass, 5 per volume
    double factor;
    double offset;
    const char* name;
};

constexpr double UNSET_VALUE = 1e35;

int UnitTableSize();
const UnitConversionRow& UnitTableRow(int index);

// Row 0..UnitTableSize()-1 whose name matches ignoring case; -1 for an unknown name.
int GetUnitIndex(const QString& unit);

double UserToInternal(const QString& unit, double value, double molecularWeight, double density);
double InternalToUser(const QString& unit, double value, double molecularWeight, double density);
