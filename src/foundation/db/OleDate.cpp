#include "foundation/db/OleDate.h"

#include <cmath>

namespace {
const QDate OLE_EPOCH(1899, 12, 30);
constexpr double MSECS_PER_DAY = 86400000.0;
} // namespace

double ToOleDate(const QDateTime& dateTime)
{
    const double days = double(OLE_EPOCH.daysTo(dateTime.date()));
    const double fraction = dateTime.time().msecsSinceStartOfDay() / MSECS_PER_DAY;
    return days >= 0 ? days + fraction : days - fraction;
}

QDateTime FromOleDate(double oleDate)
{
    const double days = std::trunc(oleDate);
    const auto msecs = std::llround(std::fabs(oleDate - days) * MSECS_PER_DAY);
    const QDate date = OLE_EPOCH.addDays(qint64(days)).addDays(msecs / qint64(MSECS_PER_DAY));
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(int(msecs % qint64(MSECS_PER_DAY))));
}
