#include "foundation/db/recordsets/JsonValueText.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

// Integral doubles up to this magnitude are written as integers, as Qt writes them.
constexpr double JSON_EXACT_INTEGER_LIMIT = 0x1p53;

void AppendJsonInteger(QString& out, qint64 value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(QLatin1String(buffer, result.ptr));
}

// Qt's choice between the decimal and the exponent form of the shortest digits: the decimal one
// unless its padding zeros make it longer.
bool JsonDecimalIsShorter(qsizetype digitCount, int decimalPoint)
{
    int bias = 4;
    if (digitCount > 1 && digitCount <= decimalPoint)
        ++bias;
    else if (digitCount == 1 && decimalPoint <= 0)
        --bias;
    if (decimalPoint <= 0)
        return 1 - decimalPoint <= bias;
    return decimalPoint <= digitCount + bias;
}

void AppendJsonDecimal(QString& out, QLatin1String digits, int decimalPoint)
{
    if (decimalPoint <= 0) {
        out.append(QLatin1String("0."));
        out.append(QString(-decimalPoint, QLatin1Char('0')));
        out.append(digits);
    } else if (decimalPoint >= digits.size()) {
        out.append(digits);
        out.append(QString(decimalPoint - digits.size(), QLatin1Char('0')));
    } else {
        out.append(digits.first(decimalPoint));
        out.append(QLatin1Char('.'));
        out.append(digits.sliced(decimalPoint));
    }
}

void AppendJsonExponent(QString& out, QLatin1String digits, int decimalPoint)
{
    out.append(digits.first(1));
    if (digits.size() > 1) {
        out.append(QLatin1Char('.'));
        out.append(digits.sliced(1));
    }
    const int exponent = decimalPoint - 1;
    out.append(QLatin1String(exponent < 0 ? "e-" : "e+"));
    if (std::abs(exponent) < 10)
        out.append(QLatin1Char('0'));
    AppendJsonInteger(out, std::abs(exponent));
}

// Shortest round-trip digits; null for NaN and the infinities.
void AppendJsonDouble(QString& out, double value)
{
    if (!std::isfinite(value)) {
        out.append(QLatin1String("null"));
        return;
    }
    if (std::trunc(value) == value && std::abs(value) <= JSON_EXACT_INTEGER_LIMIT) {
        AppendJsonInteger(out, qint64(value));
        return;
    }
    char buffer[40];
    char* end = std::to_chars(buffer, buffer + sizeof buffer - 1, value, std::chars_format::scientific).ptr;
    *end = '\0';
    const char* cursor = buffer;
    if (*cursor == '-')
        out.append(QLatin1Char(*cursor++));
    char digits[24];
    qsizetype count = 0;
    for (; *cursor != 'e'; ++cursor)
        if (*cursor != '.')
            digits[count++] = *cursor;
    const int decimalPoint = std::atoi(cursor + 1) + 1;
    if (JsonDecimalIsShorter(count, decimalPoint))
        AppendJsonDecimal(out, QLatin1String(digits, count), decimalPoint);
    else
        AppendJsonExponent(out, QLatin1String(digits, count), decimalPoint);
}

// Beyond the signed range as a double, as Qt converts it.
void AppendJsonUnsigned(QString& out, quint64 value)
{
    if (value <= quint64(std::numeric_limits<qint64>::max()))
        AppendJsonInteger(out, qint64(value));
    else
        AppendJsonDouble(out, double(value));
}

void AppendJsonUnicodeEscape(QString& out, char16_t unit)
{
    static const char hex[] = "0123456789abcdef";
    const char16_t text[] = {u'\\',
                             u'u',
                             char16_t(hex[unit >> 12]),
                             char16_t(hex[(unit >> 8) & 15]),
                             char16_t(hex[(unit >> 4) & 15]),
                             char16_t(hex[unit & 15])};
    out.append(QStringView(text, 6));
}

// The letter after the backslash for units JSON escapes short, else 0.
char16_t JsonShortEscape(char16_t unit)
{
    switch (unit) {
    case u'"':
        return u'"';
    case u'\\':
        return u'\\';
    case u'\b':
        return u'b';
    case u'\f':
        return u'f';
    case u'\n':
        return u'n';
    case u'\r':
        return u'r';
    case u'\t':
        return u't';
    default:
        return 0;
    }
}

bool IsSurrogatePairAt(QStringView text, qsizetype i)
{
    return QChar::isHighSurrogate(text[i].unicode()) && i + 1 < text.size() &&
           QChar::isLowSurrogate(text[i + 1].unicode());
}

bool NeedsJsonEscape(char16_t unit)
{
    return unit < 0x20 || unit == u'"' || unit == u'\\' || QChar::isSurrogate(unit);
}

void AppendJsonEscaped(QString& out, char16_t unit)
{
    if (const char16_t letter = JsonShortEscape(unit)) {
        out.append(QLatin1Char('\\'));
        out.append(QChar(letter));
    } else {
        AppendJsonUnicodeEscape(out, unit);
    }
}

// Runs of plain units copied whole; control characters and lone surrogates escaped.
void AppendJsonString(QString& out, QStringView text)
{
    out.append(QLatin1Char('"'));
    qsizetype plain = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (!NeedsJsonEscape(unit))
            continue;
        if (IsSurrogatePairAt(text, i)) {
            ++i;
            continue;
        }
        out.append(text.sliced(plain, i - plain));
        AppendJsonEscaped(out, unit);
        plain = i + 1;
    }
    out.append(text.sliced(plain));
    out.append(QLatin1Char('"'));
}

// Dates, lists and every other kind through Qt's conversion, so they read as before.
void AppendJsonConverted(QString& out, const QVariant& value)
{
    const QByteArray text =
        QJsonDocument(QJsonArray::fromVariantList({value})).toJson(QJsonDocument::Compact);
    out.append(QString::fromUtf8(text.sliced(1, text.size() - 2)));
}

} // namespace

void AppendJsonValue(QString& out, const QVariant& value)
{
    if (value.isNull()) { // a NULL read from a database stays NULL whatever type it came as
        out.append(QLatin1String("null"));
        return;
    }
    switch (value.typeId()) {
    case QMetaType::UnknownType:
    case QMetaType::Nullptr:
        out.append(QLatin1String("null"));
        break;
    case QMetaType::Bool:
        out.append(QLatin1String(value.toBool() ? "true" : "false"));
        break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
        AppendJsonInteger(out, value.toLongLong());
        break;
    case QMetaType::ULongLong:
        AppendJsonUnsigned(out, value.toULongLong());
        break;
    case QMetaType::Double:
        AppendJsonDouble(out, value.toDouble());
        break;
    case QMetaType::QString:
        AppendJsonString(out, *static_cast<const QString*>(value.constData()));
        break;
    default:
        AppendJsonConverted(out, value);
    }
}
