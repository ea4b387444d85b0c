#pragma once
// When the project copy of a library item is out of date: its stamp and the library's, OLE dates
// that may be NULL, compared on a linear time line (raw OLE values run backwards within a day
// before 1899-12-30) to the millisecond. Stamps less than half a second apart are equal; a NULL
// stamp equals only another NULL; a stamp outside the years 100 to 9999 equals nothing.

#include <QString>
#include <optional>

bool LibraryStampsEqual(std::optional<double> localStamp, std::optional<double> serverStamp);
// "HH:mm:ss  MMMM dd, yyyy" in English without a time zone; "" for NULL, "Invalid DateTime"
// for a stamp outside the years 100 to 9999.
QString FormatLibraryStamp(std::optional<double> stamp);
