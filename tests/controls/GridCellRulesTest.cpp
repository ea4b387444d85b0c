#include "foundation/controls/GridCellRules.h"

#include <gtest/gtest.h>

namespace {

struct RuleCase {
    int attribute;
    const char* text;
    const char* unit;
    const char* warning; // "" = accepted
};

class AttributeRules : public ::testing::TestWithParam<RuleCase> {};

QMap<int, QString> rules(std::initializer_list<int> attributes)
{
    QMap<int, QString> named;
    for (int attribute : attributes)
        named[attribute] = RuleNameOfAttribute(attribute);
    return named;
}

TEST_P(AttributeRules, RefuseWithTheirOwnMessage)
{
    const RuleCase& c = GetParam();
    EXPECT_EQ(CheckAttributeRules(rules({c.attribute}), c.text, c.unit), QString::fromLatin1(c.warning))
        << c.attribute << " '" << c.text << "' " << c.unit;
}

const char* const POSITIVE = "Please enter a positive value!";
const char* const POSITIVE_ZERO = "Please enter a positive value or zero!";
const char* const P1 = "Please enter a value between 0 and 100 (not including 0 and 100)!";
const char* const P2 = "Please enter a value between 0 and 100 (including 0)!";
const char* const P3 = "Please enter a value between 0 and 100 (including 100)!";
const char* const P4 = "Please enter a value between 0 and 100 (including 0 and 100)!";
const char* const Z1 = "Please enter a value between 0 and 1 (including 1)!";
const char* const Z2 = "Please enter a value between 0 and 1 (not including 0 and 1)!";
const char* const Z3 = "Please enter a value between 0 and 1 (including 0)!";
const char* const Z4 = "Please enter a value between 0 and 1 (including 0 and 1)!";

INSTANTIATE_TEST_SUITE_P(
    Ranges, AttributeRules,
    ::testing::Values(RuleCase{UA_POSITIVE, "0.001", "", ""}, RuleCase{UA_POSITIVE, "0", "", POSITIVE},
                      RuleCase{UA_POSITIVE, "-1", "", POSITIVE}, RuleCase{UA_POSITIVE, "", "", ""},
                      RuleCase{UA_POSITIVE_ZERO, "0", "", ""},
                      RuleCase{UA_POSITIVE_ZERO, "-0.5", "", POSITIVE_ZERO},
                      RuleCase{UA_PERCENT1, "0", "", P1}, RuleCase{UA_PERCENT1, "50", "", ""},
                      RuleCase{UA_PERCENT1, "100", "", P1}, RuleCase{UA_PERCENT1, "", "", P1},
                      RuleCase{UA_PERCENT2, "0", "", ""}, RuleCase{UA_PERCENT2, "100", "", P2},
                      RuleCase{UA_PERCENT3, "0", "", P3}, RuleCase{UA_PERCENT3, "100", "", ""},
                      RuleCase{UA_PERCENT4, "0", "", ""}, RuleCase{UA_PERCENT4, "100", "", ""},
                      RuleCase{UA_PERCENT4, "100.1", "", P4}, RuleCase{UA_PERCENT4, "", "", ""},
                      RuleCase{UA_ZERO_ONE1, "1", "", ""}, RuleCase{UA_ZERO_ONE1, "0", "", Z1},
                      RuleCase{UA_ZERO_ONE2, "1", "", Z2}, RuleCase{UA_ZERO_ONE2, "0.5", "", ""},
                      RuleCase{UA_ZERO_ONE3, "0", "", ""}, RuleCase{UA_ZERO_ONE3, "1", "", Z3},
                      RuleCase{UA_ZERO_ONE4, "1", "", ""}, RuleCase{UA_ZERO_ONE4, "-0.1", "", Z4},
                      RuleCase{UA_ZERO_ONE4, "", "", Z4}));

INSTANTIATE_TEST_SUITE_P(
    Temperatures, AttributeRules,
    ::testing::Values(
        RuleCase{UA_TEMPERATURE, "0", "K", "Temperature has to be greater than 0 degree K!"},
        RuleCase{UA_TEMPERATURE, "0.1", "K", ""},
        RuleCase{UA_TEMPERATURE, "-5", "R", "Temperature has to be greater than 0 degree R!"},
        RuleCase{UA_TEMPERATURE, "-273.15", "C", "Temperature has to be greater than -273.15 degree C!"},
        RuleCase{UA_TEMPERATURE, "-273", "C", ""},
        RuleCase{UA_TEMPERATURE, "-460", "F", "Temperature has to be greater than -460 degree F!"},
        RuleCase{UA_TEMPERATURE, "-459", "F", ""}, RuleCase{UA_TEMPERATURE, "-500", "", ""},
        RuleCase{UA_TEMPERATURE, "", "K", ""}));

INSTANTIATE_TEST_SUITE_P(
    Pressures, AttributeRules,
    ::testing::Values(RuleCase{UA_PRESSURE, "-1", "bar", "Pressure has to be greater than or equal to 0 bar"},
                      RuleCase{UA_PRESSURE, "0", "bar", ""}, RuleCase{UA_PRESSURE, "2", "atm", ""},
                      RuleCase{UA_PRESSURE, "-0.5", "psia",
                               "Pressure has to be greater than or equal to 0 psia"}));

INSTANTIATE_TEST_SUITE_P(NotNumbers, AttributeRules,
                         ::testing::Values(RuleCase{UA_POSITIVE, "abc", "", "Please enter a number."},
                                           RuleCase{UA_TEMPERATURE, "1,5", "K", "Please enter a number."},
                                           RuleCase{UA_ZERO_ONE4, "-0", "", "Please enter a number."},
                                           RuleCase{UA_TEMPERATURE, "1e300", "K", "Please enter a number."}));

TEST(AttributeRules, TheFirstSetAttributeInPrecedenceDecides)
{
    // Percent rules outrank temperature, which outranks pressure and the zero-one rules.
    EXPECT_EQ(CheckAttributeRules(rules({UA_ZERO_ONE1, UA_PERCENT3}), "50", ""), "");
    EXPECT_EQ(CheckAttributeRules(rules({UA_ZERO_ONE1, UA_TEMPERATURE}), "50", "K"), "");
    EXPECT_EQ(CheckAttributeRules(rules({UA_ZERO_ONE2, UA_PRESSURE}), "5", "bar"), "");
    EXPECT_EQ(CheckAttributeRules(rules({UA_PRESSURE, UA_TEMPERATURE}), "-1", "bar"), "");
    QMap<int, QString> emptyPercent = rules({UA_PERCENT4, UA_ZERO_ONE4});
    emptyPercent[UA_PERCENT4].clear(); // an attribute with an empty name is not set
    EXPECT_EQ(CheckAttributeRules(emptyPercent, "50", ""), Z4);
    EXPECT_EQ(CheckAttributeRules({}, "anything", ""), "");
}

} // namespace
