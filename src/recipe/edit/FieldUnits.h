#pragma once
// A field's unit and the size of its value. A unit given to a field or range row must be one of
// the project's units of the field's kind (the field library's UOMType, else its Quantity),
// compared exactly: "mg" is not "Mg". A value must stay below 1e35 once converted to internal
// units, so that 1e34 min is refused as 1e36 s is. The editors and the scripting setters ask here
// before they write.

#include <QString>

// "Please select Unit Of Measure for <label>!"
QString UnitRefusalMessage(const QString& fieldLabel);
// The refusal of unit for the field's row (a TblFieldData FieldID) or a range's row (a
// TblRangeData RangeID) of the step, whose value (1e35: none) the unit is to measure; empty when
// the unit is allowed, is the empty text (which writes nothing), or the row is not found.
QString FieldUnitRefusal(long stepID, long fieldID, const QString& unit, double value);
QString RangeUnitRefusal(long stepID, long rangeID, const QString& unit, double value);
// True for a value that is storable in internal units when given in unit: finite and of
// magnitude below 1e35 once converted. 1e35 itself ("not set") is recognised before conversion.
bool IsStorableInUnit(double value, const QString& unit);
