#include "foundation/common/UnitConversion.h"

#include <gtest/gtest.h>

#include <QSet>
#include <cmath>
#include <map>
#include <stdexcept>

namespace {

int RowsOfBasis(int basis)
{
    int count = 0;
    for (int i = 0; i < UnitTableSize(); ++i)
        count += UnitTableRow(i).basis == basis ? 1 : 0;
    return count;
}

} // namespace

TEST(UnitTable, HoldsTheRowsOfEveryBasis)
{
    const std::map<int, int> expected{{1, 36}, {2, 421}, {3, 40}, {4, 57}, {5, 28}};
    for (const auto& [basis, rows] : expected)
        EXPECT_EQ(RowsOfBasis(basis), rows) << "basis " << basis;
    EXPECT_EQ(UnitTableSize(), 582);
}

TEST(UnitTable, NamesAreUniqueIgnoringCaseAndFoundAtTheirOwnRow)
{
    const QStringList names = AllUnitNames();
    ASSERT_EQ(names.size(), UnitTableSize());
    QSet<QString> seen;
    for (int i = 0; i < names.size(); ++i) {
        const QString& name = names[i];
        EXPECT_FALSE(name.isEmpty());
        EXPECT_EQ(name, name.trimmed());
        EXPECT_FALSE(seen.contains(name.toLower())) << qPrintable(name);
        seen.insert(name.toLower());
        EXPECT_EQ(GetUnitIndex(name), i) << qPrintable(name);
        EXPECT_EQ(GetUnitIndex(name.toUpper()), i) << qPrintable(name);
        EXPECT_EQ(GetUnitIndex(name.toLower()), i) << qPrintable(name);
    }
}

TEST(UnitTable, UnknownNamesAreNotFound)
{
    // "batches" must stay out: plan requirements in batches rely on it passing through unconverted.
    for (const char* name : {"", "batches", "furlong", " kg", "kg ", "unit123"})
        EXPECT_EQ(GetUnitIndex(name), -1) << name;
}

struct NamedUnit {
    const char* name;
    int basis;
};

void PrintTo(const NamedUnit& unit, std::ostream* out)
{
    *out << unit.name << " (basis " << unit.basis << ")";
}

class UnitTableNames : public testing::TestWithParam<NamedUnit> {};

TEST_P(UnitTableNames, AreInTheTableWithTheirBasis)
{
    int index = GetUnitIndex(GetParam().name);
    ASSERT_GE(index, 0) << GetParam().name;
    EXPECT_EQ(UnitTableRow(index).basis, GetParam().basis) << GetParam().name;
}

// Units that other parts of the system name, with the basis their quantity needs.
INSTANTIATE_TEST_SUITE_P(
    SystemUnits, UnitTableNames,
    testing::Values(NamedUnit{"lb", 1}, NamedUnit{"kg", 1}, NamedUnit{"g", 1}, NamedUnit{"mg", 1},
                    NamedUnit{"kg/Cubic m", 1}, NamedUnit{"g/cc", 1}, NamedUnit{"g/liter", 1},
                    NamedUnit{"lb/Cubic ft", 1}, NamedUnit{"kg/h", 1}, NamedUnit{"lb/h", 1},
                    NamedUnit{"C", 2}, NamedUnit{"F", 2}, NamedUnit{"K", 2}, NamedUnit{"R", 2},
                    NamedUnit{"gmole", 2}, NamedUnit{"lbmole", 2}, NamedUnit{"kmole", 2},
                    NamedUnit{"kmol/h", 2}, NamedUnit{"percent", 2}, NamedUnit{"atm", 2}, NamedUnit{"bar", 2},
                    NamedUnit{"psia", 2}, NamedUnit{"kPa", 2}, NamedUnit{"Pa", 2}, NamedUnit{"mmHg", 2},
                    NamedUnit{"h", 2}, NamedUnit{"min", 2}, NamedUnit{"s", 2}, NamedUnit{"day", 2},
                    NamedUnit{"USD", 2}, NamedUnit{"liter", 3}, NamedUnit{"gal", 3}, NamedUnit{"cc", 3},
                    NamedUnit{"Cubic ft", 3}, NamedUnit{"Cubic m", 3}, NamedUnit{"Cubic m/s", 3},
                    NamedUnit{"Cubic m/h", 3}, NamedUnit{"J/g", 4}, NamedUnit{"J/kg", 4},
                    NamedUnit{"KJ/kg", 4}, NamedUnit{"cal/g", 4}, NamedUnit{"BTU/lb", 4},
                    NamedUnit{"USD/g", 4}, NamedUnit{"USD/kg", 4}, NamedUnit{"USD/gal", 5},
                    NamedUnit{"USD/liter", 5}),
    [](const testing::TestParamInfo<NamedUnit>& info) { return "row" + std::to_string(info.index); });
