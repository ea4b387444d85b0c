#include "modules/calendar/CalendarText.h"

#include <QDate>
#include <QRegularExpression>
#include <cmath>

namespace {
constexpr double MINUTES_PER_DAY = 24.0 * 60.0;
const QDate OLE_DAY_ZERO(1899, 12, 30);

std::optional<double> ParseTimeOfDay(const QString& text)
{
    static const QRegularExpression time(QStringLiteral("^(\\d{1,2}):(\\d{2})$"));
    const QRegularExpressionMatch match = time.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const int hours = match.captured(1).toInt(), minutes = match.captured(2).toInt();
    if (minutes > 59 || hours > 24 || (hours == 24 && minutes > 0))
        return std::nullopt;
    return (hours * 60 + minutes) / MINUTES_PER_DAY;
}

QString TimeOfDayText(double fraction)
{
    const int minutes = int(std::lround(fraction * MINUTES_PER_DAY));
    return QStringLiteral("%1:%2").arg(minutes / 60, 2, 10, QLatin1Char('0')).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}
} // namespace

std::optional<QList<CalendarWindow>> ParseCalendarWindows(const QString& text)
{
    QList<CalendarWindow> windows;
    if (text.trimmed().isEmpty())
        return windows;
    for (const QString& part : text.split(QLatin1Char(','))) {
        const QStringList ends = part.split(QLatin1Char('-'));
        const std::optional<double> from = ends.size() == 2 ? ParseTimeOfDay(ends[0]) : std::nullopt;
        const std::optional<double> to = ends.size() == 2 ? ParseTimeOfDay(ends[1]) : std::nullopt;
        if (!from || !to)
            return std::nullopt;
        windows.append({*from, *to});
    }
    return windows;
}

QString CalendarWindowsText(const QList<CalendarWindow>& windows)
{
    QStringList parts;
    for (const CalendarWindow& window : windows)
        parts << TimeOfDayText(window.from) + QLatin1Char('-') + TimeOfDayText(window.to);
    return parts.join(QStringLiteral(", "));
}

std::optional<double> ParseCalendarDate(const QString& text)
{
    const QDate date = QDate::fromString(text.trimmed(), Qt::ISODate);
    if (!date.isValid())
        return std::nullopt;
    return double(OLE_DAY_ZERO.daysTo(date));
}

QString CalendarDateText(double oleDay)
{
    return OLE_DAY_ZERO.addDays(qint64(std::floor(oleDay))).toString(Qt::ISODate);
}

QString CalendarWindowsFault(const QList<CalendarWindow>& windows)
{
    if (windows.size() > CALENDAR_MAX_WINDOWS)
        return QStringLiteral("A day holds at most five working windows.");
    for (const CalendarWindow& window : windows) {
        if (window.from >= window.to)
            return QStringLiteral("A working window must start before it ends.");
    }
    return QString();
}
