#include "foundation/common/ParseDouble.h"
#include "ScriptedPrompts.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

struct ParseCase {
    const char* text;
    bool accepted;
    double value;
};

class ParseDoubleCases : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseDoubleCases, ReadsDecimalNumbersInTheCLocale)
{
    const ParseCase& c = GetParam();
    double value = -7;
    EXPECT_EQ(ParseDouble(QString::fromUtf8(c.text), &value, false), c.accepted) << c.text;
    if (c.accepted)
        EXPECT_DOUBLE_EQ(value, c.value) << c.text;
    else
        EXPECT_EQ(value, -7) << "a refused text stores nothing: " << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseDoubleCases,
    ::testing::Values(ParseCase{"", true, 1e35}, ParseCase{" \t ", true, 1e35}, ParseCase{"1.5", true, 1.5},
                      ParseCase{"\t -2.25e3  ", true, -2250}, ParseCase{"+4", true, 4},
                      ParseCase{".5", true, 0.5}, ParseCase{"0", true, 0}, ParseCase{"  0.000", true, 0},
                      ParseCase{"7.", true, 7},
                      // zero that does not start with the digit 0 is not a number
                      ParseCase{"-0", false, 0}, ParseCase{".0", false, 0}, ParseCase{"abc", false, 0},
                      ParseCase{"1,5", false, 0}, ParseCase{"1.5x", false, 0}, ParseCase{"1.5 2", false, 0},
                      ParseCase{"nan", false, 0}, ParseCase{"inf", false, 0}, ParseCase{"0x10", false, 0},
                      ParseCase{"1e400", false, 0}, ParseCase{"- 1", false, 0},
                      // 1e35 and beyond are the unset value: typed, they are no number
                      ParseCase{"9.9e34", true, 9.9e34}, ParseCase{"1e35", false, 0},
                      ParseCase{"-1e35", false, 0}, ParseCase{"1e300", false, 0},
                      ParseCase{"-1e300", false, 0}));

TEST(ParseDouble, ReadsAndFormatsWithSevenSignificantDigitsWhateverTheDesktopLocale)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    double value = 0;
    EXPECT_TRUE(ParseDouble("1.5", &value, false));
    EXPECT_DOUBLE_EQ(value, 1.5);
    EXPECT_FALSE(ParseDouble("1,5", &value, false));
    EXPECT_EQ(FormatDouble(1234.5678912), "1234.568");
    EXPECT_EQ(FormatDouble(0.1 + 0.2), "0.3");
    EXPECT_EQ(FormatDouble(12345678), "1.234568e+07");
    EXPECT_EQ(FormatDouble(-3), "-3");
    QLocale::setDefault(previous);
}

TEST(ParseDouble, ShowsTheNumberPromptOnlyWhenAsked)
{
    ScriptedPromptService prompts;
    double value = 0;
    EXPECT_FALSE(ParseDouble("x", &value, false));
    EXPECT_TRUE(prompts.texts().isEmpty());
    prompts.expect(IDOK);
    EXPECT_FALSE(ParseDouble("x", &value, true));
    EXPECT_EQ(prompts.texts(), QStringList{"Please enter a number."});
}

} // namespace
