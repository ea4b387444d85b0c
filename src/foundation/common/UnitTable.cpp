// The built-in unit table (rows generated from data/units.csv) and its case-insensitive index.

#include "foundation/common/UnitConversion.h"

#include <QStringView>
#include <iterator>
#include <stdexcept>
#include <unordered_map>

namespace {

constexpr UnitConversionRow UNIT_TABLE[] = {
#include "foundation/common/UnitTableRows.inc"
};

constexpr int UNIT_COUNT = int(std::size(UNIT_TABLE));

// Hash and equality that ignore case, usable with QStringView keys so a look-up allocates nothing.
struct CaseInsensitiveHash {
    using is_transparent = void;
    size_t operator()(QStringView text) const
    {
        size_t hash = 14695981039346656037ull;
        for (QChar c : text)
            hash = (hash ^ c.toCaseFolded().unicode()) * 1099511628211ull;
        return hash;
    }
};

struct CaseInsensitiveEqual {
    using is_transparent = void;
    bool operator()(QStringView a, QStringView b) const { return a.compare(b, Qt::CaseInsensitive) == 0; }
};

using UnitIndexMap = std::unordered_map<QString, int, CaseInsensitiveHash, CaseInsensitiveEqual>;

UnitIndexMap BuildUnitIndex()
{
    UnitIndexMap index;
    index.reserve(UNIT_COUNT);
    for (int row = 0; row < UNIT_COUNT; ++row)
        index.emplace(QString::fromUtf8(UNIT_TABLE[row].name), row);
    return index;
}

const UnitIndexMap& UnitIndex()
{
    static const UnitIndexMap index = BuildUnitIndex();
    return index;
}

} // namespace

int UnitTableSize()
{
    return UNIT_COUNT;
}

const UnitConversionRow& UnitTableRow(int index)
{
    if (index < 0 || index >= UNIT_COUNT)
        throw std::out_of_range("unit table row out of range");
    return UNIT_TABLE[index];
}

QStringList AllUnitNames()
{
    QStringList names;
    names.reserve(UNIT_COUNT);
    for (const UnitConversionRow& row : UNIT_TABLE)
        names.append(QString::fromUtf8(row.name));
    return names;
}

int GetUnitIndex(const QString& unit)
{
    const UnitIndexMap& index = UnitIndex();
    auto found = index.find(QStringView(unit));
    return found == index.end() ? -1 : found->second;
}
