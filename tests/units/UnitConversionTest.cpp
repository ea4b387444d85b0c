#include "foundation/common/UnitConversion.h"
#include "ScriptedPrompts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

struct KnownValue {
    const char* unit;
    double value;
    double molecularWeight;
    double density;
    double internal;
    double relativeTolerance = 1e-12;
};

std::ostream& operator<<(std::ostream& out, const KnownValue& known)
{
    return out << known.value << " " << known.unit << " (mw " << known.molecularWeight << ", density "
               << known.density << ")";
}

double Tolerance(double expected, double relative)
{
    return std::max(std::abs(expected) * relative, 1e-12);
}

const double NOT_A_NUMBER = std::numeric_limits<double>::quiet_NaN();

} // namespace

class UnitConversionKnownValues : public testing::TestWithParam<KnownValue> {};

TEST_P(UnitConversionKnownValues, ConvertsToTheKnownValueAndBack)
{
    const KnownValue& k = GetParam();
    ScriptedPromptService prompts;
    EXPECT_NEAR(UserToInternal(k.unit, k.value, k.molecularWeight, k.density), k.internal,
                Tolerance(k.internal, k.relativeTolerance));
    EXPECT_NEAR(InternalToUser(k.unit, k.internal, k.molecularWeight, k.density), k.value,
                Tolerance(k.value, std::max(k.relativeTolerance, 1e-9)));
}

INSTANTIATE_TEST_SUITE_P(
    Temperatures, UnitConversionKnownValues,
    testing::Values(KnownValue{"F", 212, 1, 1, 373.15}, KnownValue{"C", 100, 1, 1, 373.15},
                    KnownValue{"C", -40, 1, 1, 233.15}, KnownValue{"F", -40, 1, 1, 233.15},
                    KnownValue{"K", 300, 1, 1, 300}, KnownValue{"R", 0, 1, 1, 0},
                    KnownValue{"R", 491.67, 1, 1, 273.15}, KnownValue{"F", 32, 18, 1000, 273.15},
                    KnownValue{"delta F", 9, 1, 1, 5}, KnownValue{"c", 0, 1, 1, 273.15}));

INSTANTIATE_TEST_SUITE_P(
    Pressures, UnitConversionKnownValues,
    testing::Values(KnownValue{"atm", 1, 1, 1, 101325}, KnownValue{"bar", 1, 1, 1, 1e5},
                    KnownValue{"psia", 1, 1, 1, 6894.757, 1e-7}, KnownValue{"kPa", 101.325, 1, 1, 101325},
                    KnownValue{"Pa", 5, 1, 1, 5}, KnownValue{"mmHg", 1, 1, 1, 133.322387415},
                    KnownValue{"torr", 760, 1, 1, 101325}, KnownValue{"psig", 0, 1, 1, 101325},
                    KnownValue{"barg", 1, 1, 1, 201325}, KnownValue{"inH2O", 1, 1, 1, 249.08891}));

INSTANTIATE_TEST_SUITE_P(
    MassesFlowsAndVolumes, UnitConversionKnownValues,
    testing::Values(
        KnownValue{"kg", 18, 18, 1, 1}, KnownValue{"kg", 5, 0, 0, 5}, KnownValue{"lb", 1, 1, 1, 0.45359237},
        KnownValue{"g", 36, 18, 1, 0.002}, KnownValue{"kg/h", 64800, 18, 1, 1},
        KnownValue{"lb/h", 3600, 1, 1, 0.45359237}, KnownValue{"lb/h", 3600, 2, 1, 0.226796185},
        KnownValue{"kmol/h", 3600, 18, 1000, 1}, KnownValue{"gmole", 1000, 18, 1, 1},
        KnownValue{"lbmole", 1, 18, 1, 0.45359237}, KnownValue{"Nm3", 22.413969544601034, 1, 1, 1, 1e-9},
        KnownValue{"SCF", 379.48, 1, 1, 0.45359237, 1e-4}, KnownValue{"g/liter", 18, 18, 1, 1},
        KnownValue{"g/cc", 1, 18, 1, 1000.0 / 18}, KnownValue{"lb/Cubic ft", 1, 1, 1, 16.018463373960138},
        KnownValue{"liter", 2, 1, 1000, 2}, KnownValue{"gal", 1, 1, 1, 0.003785411784},
        KnownValue{"Cubic m/h", 3.6, 1, 1000, 1}, KnownValue{"Cubic ft", 1, 1, 2, 0.056633693184}));

INSTANTIATE_TEST_SUITE_P(
    TimesEnergiesAndCosts, UnitConversionKnownValues,
    testing::Values(KnownValue{"h", 1, 1, 1, 3600}, KnownValue{"min", 2, 1, 1, 120},
                    KnownValue{"day", 1, 1, 1, 86400}, KnownValue{"percent", 50, 1, 1, 0.5},
                    KnownValue{"kWh", 1, 1, 1, 3.6e6}, KnownValue{"BTU", 1, 1, 1, 1055.05585262},
                    KnownValue{"J/g", 1, 18, 1, 18000}, KnownValue{"BTU/lb", 1, 1, 1, 2326, 1e-9},
                    KnownValue{"KJ/kg", 2, 18, 1, 36000}, KnownValue{"USD/kg", 5, 2, 1, 10},
                    KnownValue{"USD", 7, 18, 1000, 7}, KnownValue{"USD/h", 36, 1, 1, 0.01},
                    KnownValue{"USD/liter", 1, 1, 1000, 1}, KnownValue{"USD/gal", 3.785411784, 1, 1000, 1}));

// A molecular weight or density that is zero, negative or not a number skips the basis step,
// the same way in both directions.
class UnitConversionBasisSkip : public testing::TestWithParam<double> {};

TEST_P(UnitConversionBasisSkip, LeavesTheFactorStepOnly)
{
    ScriptedPromptService prompts;
    const double bad = GetParam();
    for (const char* unit : {"kg/h", "liter", "J/g", "USD/gal"}) {
        const UnitConversionRow& row = UnitTableRow(GetUnitIndex(unit));
        const double plain = 3 * row.factor + row.offset;
        const double both = row.basis == 1 || row.basis == 4 ? bad : 2.5;
        const double other = row.basis == 1 || row.basis == 4 ? 2.5 : bad;
        EXPECT_DOUBLE_EQ(UserToInternal(unit, 3, both, other), plain) << unit;
        EXPECT_DOUBLE_EQ(InternalToUser(unit, plain, both, other), 3) << unit;
    }
}

INSTANTIATE_TEST_SUITE_P(NonPositive, UnitConversionBasisSkip, testing::Values(0.0, -18.0, NOT_A_NUMBER));

TEST(UnitConversion, EveryUnitRoundTripsBothWays)
{
    ScriptedPromptService prompts;
    for (int i = 0; i < UnitTableSize(); ++i) {
        const QString unit = UnitTableRow(i).name;
        // An internal value far below a unit's offset (0.001 Pa in psig) loses digits to cancellation.
        const double cancellation =
            8 * std::numeric_limits<double>::epsilon() * std::abs(UnitTableRow(i).offset);
        for (double value : {-3.5, 0.0, 1e-3, 1.0, 12345.678}) {
            const double internal = UserToInternal(unit, value, 18.015, 997.05);
            EXPECT_NEAR(InternalToUser(unit, internal, 18.015, 997.05), value, Tolerance(value, 1e-9))
                << qPrintable(unit) << " " << value;
            const double user = InternalToUser(unit, value, 18.015, 997.05);
            EXPECT_NEAR(UserToInternal(unit, user, 18.015, 997.05), value,
                        Tolerance(value, 1e-9) + cancellation)
                << qPrintable(unit) << " " << value;
        }
    }
}

// The unset value passes every unit; an empty or unknown unit passes silently on the way in and
// is reported on the way out.
TEST(UnitConversion, PassThroughsAreSilentButAnUnknownUnitOnTheWayOut)
{
    ScriptedPromptService prompts;
    for (const QString& unit : AllUnitNames() + QStringList{"", "batches"}) {
        EXPECT_EQ(UserToInternal(unit, UNSET_VALUE, 18, 1000), UNSET_VALUE) << qPrintable(unit);
        EXPECT_EQ(InternalToUser(unit, UNSET_VALUE, 18, 1000), UNSET_VALUE) << qPrintable(unit);
    }
    EXPECT_EQ(UserToInternal("", 42.5, 18, 1000), 42.5);
    EXPECT_EQ(InternalToUser("", 42.5, 18, 1000), 42.5);
    EXPECT_EQ(UserToInternal("furlong", -2.5, 1, 1), -2.5);
    EXPECT_TRUE(prompts.texts().isEmpty());

    prompts.expect(IDOK);
    EXPECT_EQ(InternalToUser("furlong", -2.5, 18, 1000), -2.5);
    EXPECT_EQ(prompts.texts(), QStringList{"Unknown unit of measure: furlong"});
}
