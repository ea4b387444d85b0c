#pragma once
// The built-in unit-conversion table and the conversions between user and internal units.
// Internal units are SI with molar amounts for mass-based quantities: K, Pa, s, J, W, kmol,
// kmol/s; volumes of a material become kg through its density; money is counted in USD.

#include <QString>
#include <QStringList>

struct UnitConversionRow {
    int unitID;
    int basis; // 1 per mol weight (mass), 2 plain, 3 volume (x density), 4 per mass, 5 per volume
    double factor;
    double offset;
    const char* name;
};

constexpr double UNSET_VALUE = 1e35;

// Shown by InternalToUser for a unit name that is not in the table (%s: the name).
constexpr const char* UNKNOWN_UNIT_MESSAGE = "Unknown unit of measure: %s";

int UnitTableSize();
// The row at index 0..UnitTableSize()-1; throws std::out_of_range for any other index.
const UnitConversionRow& UnitTableRow(int index);
// Every unit name of the table, in table order.
QStringList AllUnitNames();

// Row 0..UnitTableSize()-1 whose name matches ignoring case; -1 for an unknown name.
int GetUnitIndex(const QString& unit);

double UserToInternal(const QString& unit, double value, double molecularWeight, double density);
double InternalToUser(const QString& unit, double value, double molecularWeight, double density);
