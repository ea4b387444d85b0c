#include "foundation/common/UnitConversion.h"

#include <gtest/gtest.h>

#include <map>

TEST(UnitTable, HoldsTheRowsOfEveryBasisAndTheUnitsOtherPartsName)
{
    std::map<int, int> rowsOfBasis;
    for (int i = 0; i < UnitTableSize(); ++i)
        ++rowsOfBasis[UnitTableRow(i).basis];
    EXPECT_EQ(rowsOfBasis, (std::map<int, int>{{1, 36}, {2, 421}, {3, 40}, {4, 57}, {5, 28}}));
    // Units other parts of the system name, with the basis their quantity needs.
    const std::pair<const char*, int> named[] = {
        {"lb", 1},        {"kg", 1},        {"g", 1},           {"mg", 1},       {"kg/Cubic m", 1},
        {"g/cc", 1},      {"g/liter", 1},   {"lb/Cubic ft", 1}, {"kg/h", 1},     {"lb/h", 1},
        {"C", 2},         {"F", 2},         {"K", 2},           {"R", 2},        {"gmole", 2},
        {"lbmole", 2},    {"kmole", 2},     {"kmol/h", 2},      {"percent", 2},  {"atm", 2},
        {"bar", 2},       {"psia", 2},      {"kPa", 2},         {"Pa", 2},       {"mmHg", 2},
        {"h", 2},         {"min", 2},       {"s", 2},           {"day", 2},      {"USD", 2},
        {"liter", 3},     {"gal", 3},       {"cc", 3},          {"Cubic ft", 3}, {"Cubic m", 3},
        {"Cubic m/s", 3}, {"Cubic m/h", 3}, {"J/g", 4},         {"J/kg", 4},     {"KJ/kg", 4},
        {"cal/g", 4},     {"BTU/lb", 4},    {"USD/g", 4},       {"USD/kg", 4},   {"USD/gal", 5},
        {"USD/liter", 5}};
    for (const auto& [name, basis] : named) {
        const int index = GetUnitIndex(name);
        ASSERT_GE(index, 0) << name;
        EXPECT_EQ(UnitTableRow(index).basis, basis) << name;
    }
}

TEST(UnitTable, NamesAreUniqueIgnoringCaseAndFoundAtTheirOwnRowOnly)
{
    const QStringList names = AllUnitNames();
    ASSERT_EQ(names.size(), UnitTableSize());
    for (int i = 0; i < names.size(); ++i) {
        const QString& name = names[i];
        EXPECT_TRUE(!name.isEmpty() && name == name.trimmed()) << qPrintable(name);
        // a name found at its own row in every case can be no other row's name
        for (const QString& spelling : {name, name.toUpper(), name.toLower()})
            EXPECT_EQ(GetUnitIndex(spelling), i) << qPrintable(spelling);
    }
    // "batches" must stay out: plan requirements in batches rely on it passing through unconverted.
    for (const char* name : {"", "batches", "furlong", " kg", "kg ", "unit123"})
        EXPECT_EQ(GetUnitIndex(name), -1) << name;
}
