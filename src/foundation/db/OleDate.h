#pragma once
// Dates stored as OLE automation dates: days since 1899-12-30 as a double, the fraction being the
// time of day (for days before the epoch the fraction still counts forward from midnight).

#include <QDateTime>

double ToOleDate(const QDateTime& dateTime);
QDateTime FromOleDate(double oleDate);
