#pragma once
// Dates as stored in the databases: OLE automation dates, the days since 1899-12-30 00:00 as a
// double. The fraction is the time of day; before the epoch the whole part counts back while the
// fraction still counts forward from midnight (-1.25 is 1899-12-29 06:00).

#include <QDateTime>

// An invalid date gives 0 (the epoch).
double OleDateFromDateTime(const QDateTime& dateTime);
// Milliseconds are rounded; a value outside the years 100 to 9999 or not a number gives an
// invalid QDateTime.
QDateTime DateTimeFromOleDate(double oleDate, Qt::TimeSpec timeKind = Qt::LocalTime);
double CurrentOleDate();
