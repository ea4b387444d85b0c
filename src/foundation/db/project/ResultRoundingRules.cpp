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
    m_on = roundValuesOption();
    m_bands = m_on ? storedBands() : std::vector<RoundingBand>();
}

void CResultRoundingRules::SetRules(bool on, std::vector<RoundingBand> bands)
{
    m_on = on;
    m_bands = std::move(bands);
}

const RoundingBand* CResultRoundingRules::BandOf(double value) const
{
    const double magnitude = std::fabs(value);
    double from = 0.0;
    for (const RoundingBand& band : m_bands) {
        if (from < magnitude && magnitude <= band.upperLimit)
            return &band;
        from = band.upperLimit;
    }
    return nullptr;
}

QString CResultRoundingRules::Format(double value) const
{
    const RoundingBand* band = m_on && std::isfinite(value) ? BandOf(value) : nullptr;
    if (!band)
        return QString();
    const long precision = band->precision;
    if (band->type.compare(QLatin1String("Decimal Place"), Qt::CaseInsensitive) == 0 && precision >= 0 &&
        precision <= 15)
        return QString::asprintf("%.*f", int(precision), value);
    if (band->type.compare(QLatin1String("Significant Digits"), Qt::CaseInsensitive) == 0 && precision >= 1 &&
        precision <= 17)
        return QString::asprintf("%.*g", int(precision), value);
    return QString();
}
