// Conversion of values between the units the user chose and the internal units.

#include "foundation/common/UnitConversion.h"

#include "foundation/common/MessageBox.h"

namespace {

enum UnitBasis { PER_MOL_WEIGHT = 1, PLAIN = 2, VOLUME = 3, PER_MASS = 4, PER_VOLUME = 5 };

// The extra step of a row's basis on the way in: mass to moles, volume to mass, and so on.
// A molecular weight or density that is not positive (or not a number) skips the step.
double ApplyBasis(int basis, double x, double molecularWeight, double density)
{
    switch (basis) {
    case PER_MOL_WEIGHT:
        return molecularWeight > 0 ? x / molecularWeight : x;
    case PER_MASS:
        return molecularWeight > 0 ? x * molecularWeight : x;
    case VOLUME:
        return density > 0 ? x * density : x;
    case PER_VOLUME:
        return density > 0 ? x / density : x;
    default:
        return x;
    }
}

// The same step undone, skipped under the same conditions.
double RemoveBasis(int basis, double x, double molecularWeight, double density)
{
    switch (basis) {
    case PER_MOL_WEIGHT:
        return molecularWeight > 0 ? x * molecularWeight : x;
    case PER_MASS:
        return molecularWeight > 0 ? x / molecularWeight : x;
    case VOLUME:
        return density > 0 ? x / density : x;
    case PER_VOLUME:
        return density > 0 ? x * density : x;
    default:
        return x;
    }
}

bool PassesThrough(const QString& unit, double value)
{
    return value == UNSET_VALUE || unit.isEmpty();
}

} // namespace

double UserToInternal(const QString& unit, double value, double molecularWeight, double density)
{
    if (PassesThrough(unit, value))
        return value;
    int index = GetUnitIndex(unit);
    if (index < 0)
        return value;
    const UnitConversionRow& row = UnitTableRow(index);
    double x = value * row.factor + row.offset;
    return ApplyBasis(row.basis, x, molecularWeight, density);
}

double InternalToUser(const QString& unit, double value, double molecularWeight, double density)
{
    if (PassesThrough(unit, value))
        return value;
    int index = GetUnitIndex(unit);
    if (index < 0) {
        QvMessageBox(QString::asprintf(UNKNOWN_UNIT_MESSAGE, qUtf8Printable(unit)),
                     MB_OK | MB_ICONEXCLAMATION);
        return value;
    }
    const UnitConversionRow& row = UnitTableRow(index);
    double x = RemoveBasis(row.basis, value, molecularWeight, density);
    return (x - row.offset) / row.factor;
}
