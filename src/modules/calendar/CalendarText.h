#pragma once
// The calendar editor's text forms: windows as "08:00-12:00, 13:00-24:00" (24:00 is the midnight
// that ends a day) and dates as "2026-12-24".

#include "modules/calendar/Calendar.h"

#include <optional>

// The windows of the text; nothing when a window is malformed. An empty text is no window.
std::optional<QList<CalendarWindow>> ParseCalendarWindows(const QString& text);
QString CalendarWindowsText(const QList<CalendarWindow>& windows);

// The OLE day of the date text; nothing when it is no date.
std::optional<double> ParseCalendarDate(const QString& text);
QString CalendarDateText(double oleDay);

// The first fault of the windows as the editor reports it; empty when they may be stored.
QString CalendarWindowsFault(const QList<CalendarWindow>& windows);
