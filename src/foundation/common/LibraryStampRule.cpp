#include "foundation/common/LibraryStampRule.h"

#include "foundation/common/OleDate.h"

#include <QLocale>
#include <cstdlib>

namespace {
constexpr qint64 HALF_SECOND_MS = 500;

std::optional<qint64> LinearMilliseconds(double stamp)
{
    const QDateTime time = DateTimeFromOleDate(stamp, Qt::UTC);
    if (!time.isValid())
        return std::nullopt;
    return time.toMSecsSinceEpoch();
}
} // namespace

bool LibraryStampsEqual(std::optional<double> localStamp, std::optional<double> serverStamp)
{
    if (!localStamp || !serverStamp)
        return !localStamp && !serverStamp;
    const std::optional<qint64> local = LinearMilliseconds(*localStamp);
    const std::optional<qint64> server = LinearMilliseconds(*serverStamp);
    return local && server && std::llabs(*local - *server) < HALF_SECOND_MS;
}

QString FormatLibraryStamp(std::optional<double> stamp)
{
    if (!stamp)
        return QString();
    const QDateTime time = DateTimeFromOleDate(*stamp, Qt::UTC);
    if (!time.isValid())
        return QStringLiteral("Invalid DateTime");
    return QLocale::c().toString(time, QStringLiteral("HH:mm:ss  MMMM dd, yyyy"));
}
