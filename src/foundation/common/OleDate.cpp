#include "foundation/common/OleDate.h"

#include <cmath>

namespace {

constexpr qint64 MS_PER_DAY = 86400000;
constexpr double MIN_OLE_DATE = -657434.0; // 0100-01-01
constexpr double END_OLE_DATE = 2958466.0; // 10000-01-01, the first date beyond

QDate oleEpoch()
{
    return QDate(1899, 12, 30);
}

} // namespace

double OleDateFromDateTime(const QDateTime& dateTime)
{
    if (!dateTime.isValid())
        return 0.0;
    const qint64 days = oleEpoch().daysTo(dateTime.date());
    const double fraction = double(dateTime.time().msecsSinceStartOfDay()) / MS_PER_DAY;
    return days >= 0 ? double(days) + fraction : double(days) - fraction;
}

QDateTime DateTimeFromOleDate(double oleDate, Qt::TimeSpec timeKind)
{
    if (!std::isfinite(oleDate) || oleDate < MIN_OLE_DATE || oleDate >= END_OLE_DATE)
        return QDateTime();
    qint64 days = qint64(std::trunc(oleDate));
    qint64 ms = std::llround(std::fabs(oleDate - double(days)) * MS_PER_DAY);
    if (ms >= MS_PER_DAY) { // rounded up to the next midnight
        ms -= MS_PER_DAY;
        days += oleDate < 0 ? -1 : 1;
    }
    return QDateTime(oleEpoch().addDays(days), QTime::fromMSecsSinceStartOfDay(int(ms)), timeKind);
}

double CurrentOleDate()
{
    return OleDateFromDateTime(QDateTime::currentDateTime());
}
