#include "foundation/common/LeadingNumber.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace {
qsizetype skipBlanks(const QString& text)
{
    qsizetype at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t' || text[at] == '\n' || text[at] == '\r'))
        ++at;
    return at;
}

qsizetype skipSign(const QString& text, qsizetype at)
{
    return at < text.size() && (text[at] == '+' || text[at] == '-') ? at + 1 : at;
}

qsizetype skipDigits(const QString& text, qsizetype at)
{
    while (at < text.size() && text[at].isDigit() && text[at].unicode() < 128)
        ++at;
    return at;
}

// The end of the exponent when one with digits follows, else where it would start.
qsizetype skipExponent(const QString& text, qsizetype at)
{
    if (at >= text.size() || (text[at] != 'e' && text[at] != 'E'))
        return at;
    const qsizetype digits = skipSign(text, at + 1);
    const qsizetype end = skipDigits(text, digits);
    return end > digits ? end : at;
}

// The length of the decimal number at the start, 0 when there is none.
qsizetype numberEnd(const QString& text, qsizetype start)
{
    const qsizetype intStart = skipSign(text, start);
    const qsizetype intEnd = skipDigits(text, intStart);
    qsizetype end = intEnd;
    if (end < text.size() && text[end] == '.')
        end = skipDigits(text, end + 1);
    if (end - intStart <= (end > intEnd ? 1 : 0))
        return start; // no digit at all
    return skipExponent(text, end);
}
} // namespace

double LeadingDouble(const QString& text)
{
    const qsizetype start = skipBlanks(text);
    const qsizetype end = numberEnd(text, start);
    if (end == start)
        return 0.0;
    bool ok = false;
    const double value = text.mid(start, end - start).toLatin1().toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

long LeadingLong(const QString& text)
{
    const qsizetype start = skipBlanks(text);
    const qsizetype digits = skipSign(text, start);
    const qsizetype end = skipDigits(text, digits);
    if (end == digits)
        return 0;
    const bool negative = text[start] == '-';
    int64_t value = 0;
    for (qsizetype at = digits; at < end; ++at) {
        value = value * 10 + (text[at].unicode() - '0');
        if (value > int64_t(std::numeric_limits<int32_t>::max()) + 1)
            break;
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return long(value);
}

QString FormatTwoDecimals(double value)
{
    return QString::asprintf("%.2f", value);
}
