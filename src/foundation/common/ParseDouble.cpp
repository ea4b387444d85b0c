#include "foundation/common/ParseDouble.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/UnitConversion.h"

#include <QRegularExpression>
#include <charconv>
#include <cmath>

const char* const NUMBER_PROMPT_TEXT = "Please enter a number.";

namespace {

QString TrimBlanksAndTabs(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    auto isBlank = [](QChar c) { return c == u' ' || c == u'\t'; };
    while (first < last && isBlank(text.at(first)))
        ++first;
    while (last > first && isBlank(text.at(last - 1)))
        --last;
    return text.mid(first, last - first);
}

bool IsDecimalNumber(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    return pattern.match(text).hasMatch();
}

bool ReadDecimal(const QString& text, double* value)
{
    if (!IsDecimalNumber(text))
        return false;
    QByteArray bytes = text.toLatin1();
    const char* begin = bytes.constData();
    if (*begin == '+')
        ++begin;
    const char* end = bytes.constData() + bytes.size();
    auto [ptr, error] = std::from_chars(begin, end, *value);
    return error == std::errc() && ptr == end;
}

} // namespace

bool IsStorableNumber(double value)
{
    return std::isfinite(value) && std::fabs(value) < UNSET_VALUE;
}

bool ParseDouble(const QString& text, double* value, bool showMessage)
{
    const QString trimmed = TrimBlanksAndTabs(text);
    if (trimmed.isEmpty()) {
        *value = UNSET_VALUE;
        return true;
    }
    double read = 0.0;
    bool ok = ReadDecimal(trimmed, &read);
    if (ok && read == 0.0 && !trimmed.startsWith(u'0'))
        ok = false;
    ok = ok && IsStorableNumber(read);
    if (ok) {
        *value = read;
        return true;
    }
    if (showMessage)
        QvMessageBox(QString::fromLatin1(NUMBER_PROMPT_TEXT), MB_OK | MB_ICONEXCLAMATION);
    return false;
}

std::optional<double> ParsedNumber(const QString& text)
{
    double value = UNSET_VALUE;
    return ParseDouble(text, &value, false) ? std::optional<double>(value) : std::nullopt;
}

QString FormatDouble(double value, int precision)
{
    return QString::asprintf("%.*g", precision, value);
}
