#include "foundation/controls/QVGridWnd.h"

#include "foundation/common/ParseDouble.h"

#include <QLocale>
#include <QRegularExpression>

namespace {
constexpr int PLAN_QUANTITY_COLUMN = 2;
constexpr int PLAN_START_COLUMN = 6;
constexpr int PLAN_INTERVAL_COLUMN = 7;

QString FourDigitYears(QString format)
{
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

bool HasOnlyNumberCharacters(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^[0-9.eE+\\-]+$"));
    return pattern.match(text).hasMatch();
}
} // namespace

QDateTime CQVGridWnd::ReadPlanDateTime(const QString& text)
{
    const QLocale locale;
    const QString trimmed = text.trimmed();
    const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    const QStringList times = {QStringLiteral(" h:mm:ss AP"), QStringLiteral(" H:mm:ss"),
                               QStringLiteral(" h:mm AP"), QStringLiteral(" H:mm"), QString()};
    for (const QString& date : {FourDigitYears(shortDate), shortDate}) {
        for (const QString& time : times) {
            QDateTime read = locale.toDateTime(trimmed, date + time);
            if (!read.isValid())
                continue;
            // Two-digit years name 1930 to 2029.
            if (!date.contains(QLatin1String("yyyy")) && read.date().year() < 1930)
                read = read.addYears(100);
            return read;
        }
    }
    return QDateTime();
}

QString CQVGridWnd::FormatPlanDateTime(const QDateTime& dateTime)
{
    const QLocale locale;
    QString time = locale.timeFormat(QLocale::ShortFormat);
    if (!time.contains(QLatin1String("ss")))
        time.replace(QLatin1String("mm"), QLatin1String("mm:ss"));
    return locale.toString(dateTime, FourDigitYears(locale.dateFormat(QLocale::ShortFormat)) +
                                         QStringLiteral(" ") + time);
}

QString CQVGridWnd::CheckPositiveNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return QString();
    double value = 0;
    if (!ParseDouble(trimmed, &value, false))
        return HasOnlyNumberCharacters(trimmed) ? QStringLiteral("Please enter a number like 1.2 ! ")
                                                : QStringLiteral("Please enter a number! ");
    return value > 0 ? QString() : QStringLiteral("Please enter a positive value!");
}

bool CQVGridWnd::OnValidateCell(int row, int col, const QString& text, QString* warning)
{
    if (PlanGridMode == 1) {
        if (col == PLAN_QUANTITY_COLUMN || col == PLAN_INTERVAL_COLUMN)
            *warning = CheckPositiveNumber(text);
        else if (col == PLAN_START_COLUMN && !text.trimmed().isEmpty() && !ReadPlanDateTime(text).isValid())
            *warning = QStringLiteral("Please enter a valid date/time such as 4/11/97 12:27:46 PM! ");
        if (!warning->isEmpty())
            return false;
    }
    return CObjectGridWnd::OnValidateCell(row, col, text, warning);
}
