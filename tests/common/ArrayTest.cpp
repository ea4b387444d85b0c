#include "foundation/common/Array.h"
#include "QtPrinters.h"
#include "ScriptedPrompts.h"

#include <QString>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace {

const QString OUT_OF_BOUNDS = QStringLiteral("Attempted to access array member out-of-bounds");

struct BadAccess {
    const char* name;
    std::function<void(Array<long>&)> access;
};

class ArrayOutOfRange : public ::testing::TestWithParam<BadAccess> {};

} // namespace

TEST_P(ArrayOutOfRange, ShowsTheMessageThenThrowsAndLeavesTheArrayAlone)
{
    Array<long> values{4, 5, 6};
    ScriptedPromptService prompts;
    prompts.expect(IDOK);
    EXPECT_THROW(GetParam().access(values), std::out_of_range);
    EXPECT_EQ(prompts.texts(), QStringList{OUT_OF_BOUNDS});
    EXPECT_EQ(values, (Array<long>{4, 5, 6}));
}

INSTANTIATE_TEST_SUITE_P(
    Accesses, ArrayOutOfRange,
    ::testing::Values(BadAccess{"ReadPastEnd", [](Array<long>& a) { (void)a[3]; }},
                      BadAccess{"ReadNegative", [](Array<long>& a) { (void)a.GetAt(-1); }},
                      BadAccess{"WritePastEnd", [](Array<long>& a) { a.SetAt(3, 9); }},
                      BadAccess{"ConstRead", [](Array<long>& a) { (void)std::as_const(a)[7]; }},
                      BadAccess{"RemovePastEnd", [](Array<long>& a) { a.RemoveAt(2, 2); }},
                      BadAccess{"RemoveNegative", [](Array<long>& a) { a.RemoveAt(-1); }},
                      BadAccess{"InsertPastEnd", [](Array<long>& a) { a.InsertAt(4, 1); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Array, CopiesAreDeepAtEveryLevel)
{
    Array<Array<long>> blocks;
    blocks.Add(Array<long>{1, 2});
    blocks.Add(Array<long>{3});

    Array<Array<long>> copy = blocks;
    copy[0][1] = 20;
    copy[1].Add(4);
    EXPECT_EQ(blocks[0], (Array<long>{1, 2}));
    EXPECT_EQ(blocks[1].GetCount(), 1);

    auto byValue = [](Array<Array<long>> passed) {
        passed[0].RemoveAll();
        return passed[0].GetSize();
    };
    EXPECT_EQ(byValue(blocks), 0);
    EXPECT_EQ(blocks[0].GetSize(), 2);

    copy = blocks;
    blocks[1][0] = 30;
    EXPECT_EQ(copy[1][0], 3);
}
