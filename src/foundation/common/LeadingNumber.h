#pragma once
// The number a text starts with, as typed into preference edits: leading blanks and tabs, then a
// decimal number in the C locale; the rest of the text is ignored. A text that does not start with
// a number, and infinities or NaN, read as 0.

#include <QString>

double LeadingDouble(const QString& text);
// The integer part the same way, held within the range of a 32-bit long.
long LeadingLong(const QString& text);
// "%.2f" in the C locale, as the yields show.
QString FormatTwoDecimals(double value);
