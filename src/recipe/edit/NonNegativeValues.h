#pragma once
// Times, amounts and volumes cannot be negative in a plant: a field whose quantity is one of them,
// and every range limit of such a field, refuses a negative value. The editor and the scripting
// setters ask here before they write.

#include <QString>

// The label a field is shown with: its library label, else "Field <type id>". `alias` is the
// alias of the row holding FieldTypeID; the library is joined as l.
QString FieldLabelSql(const QString& alias);
// Time, Amount or Volume, without regard to case.
bool IsNonNegativeQuantity(const QString& quantity);
// "Please enter a non-negative number for <label>."
QString NegativeValueMessage(const QString& fieldLabel);
// The refusal of value for the field's row (a TblFieldData FieldID) or a range's row (a
// TblRangeData RangeID) of the step; empty when the value is allowed or the row is not found.
QString FieldValueRefusal(long stepID, long fieldID, double value);
QString RangeLimitRefusal(long stepID, long rangeID, double value);
