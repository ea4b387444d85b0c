#include "automation/AutomationVariant.h"

#include <gtest/gtest.h>

using V = CAutomationVariant;

namespace {
struct Conversion {
    const char* name;
    V from;
    VarType to;
    bool converts;
    V expected;
};

class VariantConversionTest : public ::testing::TestWithParam<Conversion> {};

// Integers round half to even and refuse overflow; text is read and written in the C locale;
// empty and objects convert to nothing; a reference converts like its value.
INSTANTIATE_TEST_SUITE_P(
    Rules, VariantConversionTest,
    ::testing::Values(
        Conversion{"HalfToEvenDown", V::Double(2.5), VT_I4, true, V::Long(2)},
        Conversion{"HalfToEvenUp", V::Double(3.5), VT_I4, true, V::Long(4)},
        Conversion{"NegativeHalf", V::Double(-2.5), VT_I2, true, V::Short(-2)},
        Conversion{"ShortOverflow", V::Long(40000), VT_I2, false, V()},
        Conversion{"LongOverflow", V::Double(3e9), VT_I4, false, V()},
        Conversion{"TextToLong", V::Text(" 3 "), VT_I4, true, V::Long(3)},
        Conversion{"TextWithCommaIsNotANumber", V::Text("1,5"), VT_R8, false, V()},
        Conversion{"TextToDouble", V::Text("1.5"), VT_R8, true, V::Double(1.5)},
        Conversion{"DoubleToText", V::Double(0.1), VT_BSTR, true, V::Text("0.1")},
        Conversion{"BoolToLong", V::Bool(true), VT_I4, true, V::Long(-1)},
        Conversion{"BoolToText", V::Bool(false), VT_BSTR, true, V::Text("0")},
        Conversion{"TextToBool", V::Text("True"), VT_BOOL, true, V::Bool(true)},
        Conversion{"NumberToBool", V::Double(0.2), VT_BOOL, true, V::Bool(true)},
        Conversion{"EmptyToLong", V(), VT_I4, false, V()},
        Conversion{"EmptyToText", V(), VT_BSTR, false, V()},
        Conversion{"ObjectToText", V::Object(nullptr), VT_BSTR, false, V()},
        Conversion{"ReferenceToLong", V::Text("7").ByRef(), VT_I4, true, V::Long(7)},
        Conversion{"DateToText", V::Date(36526.5), VT_BSTR, true, V::Text("2000-01-01T12:00:00")},
        Conversion{"TextToDate", V::Text("2000-01-01T12:00:00"), VT_DATE, true, V::Date(36526.5)},
        Conversion{"GarbageToDate", V::Text("soon"), VT_DATE, false, V()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_P(VariantConversionTest, Converts)
{
    const Conversion& c = GetParam();
    V out;
    EXPECT_EQ(c.from.ChangeType(c.to, &out), c.converts);
    if (c.converts) {
        EXPECT_TRUE(out == c.expected) << out.type() << " " << out.longValue() << " " << out.doubleValue() << " "
                                       << out.text().toStdString();
    }
}
} // namespace
