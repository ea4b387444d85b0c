#include "foundation/db/project/ResultRoundingRules.h"

#include "foundation/db/project/PreferResultRoundingSet.h"
#include "foundation/db/project/TextRecipeOptionsSet.h"

#include <cmath>

namespace {
bool roundValuesOption()
{
    CTextRecipeOptionsSet options;
    options.SetErrorMode(DaoErrorMode::Quiet);
    for (bool open = options.OpenSet(); open && !options.IsEOF(); options.MoveNext()) {
        if (options.GetText(QStringLiteral("Options")).compare(QLatin1String("RoundValues"), Qt::CaseInsensitive) == 0)
            return !options.IsFieldNull(QStringLiteral("Value")) && options.GetLong(QStringLiteral("Value")) != 0;
    }
    return false;
}

// 'f' for decimal places (0 to 15), 'g' for significant digits (1 to 17), else 0: no rounding.
char conversionForm(const RoundingBand& band)
{
    if (band.type.compare(QLatin1String("Decimal Place"), Qt::CaseInsensitive) == 0 && band.precision >= 0 &&
        band.precision <= 15)
        return 'f';
    if (band.type.compare(QLatin1String("Significant Digits"), Qt::CaseInsensitive) == 0 && band.precision >= 1 &&
        band.precision <= 17)
        return 'g';
    return 0;
}

std::vector<RoundingBand> storedBands()
{
    std::vector<RoundingBand> bands;
    CPreferResultRoundingSet set;
    set.SetErrorMode(DaoErrorMode::Quiet);
    for (bool open = set.OpenSet(); open && !set.IsEOF(); set.MoveNext())
        bands.push_back({set.GetDouble(QStringLiteral("UpperLimit")), set.GetText(QStringLiteral("Type")),
                         set.GetLong(QStringLiteral("Precision"))});
    return bands;
}
} // namespace

void CResultRoundingRules::Load()
{
    const bool on = roundValuesOption();
    SetRules(on, on ? storedBands() : std::vector<RoundingBand>());
}

void CResultRoundingRules::SetRules(bool on, std::vector<RoundingBand> bands)
{
    m_on = on;
    m_conversions.clear();
    for (const RoundingBand& band : bands)
        m_conversions.push_back({band.upperLimit, conversionForm(band), int(band.precision)});
}

const CResultRoundingRules::Conversion* CResultRoundingRules::ConversionOf(double value) const
{
    const double magnitude = std::fabs(value);
    double from = 0.0;
    for (const Conversion& band : m_conversions) {
        if (from < magnitude && magnitude <= band.upperLimit)
            return &band;
        from = band.upperLimit;
    }
    return nullptr;
}

// As Qt's printf prints it (a tie rounds away from zero), whatever the program's locale.
QString CResultRoundingRules::Format(double value) const
{
    const Conversion* band = m_on && std::isfinite(value) ? ConversionOf(value) : nullptr;
    if (!band || band->form == 0)
        return QString();
    return QString::number(value, band->form, band->precision);
}
