#include "foundation/common/UniqueID.h"

#include <QSet>
#include <gtest/gtest.h>

#include <deque>
#include <optional>

// Each case hands out its raw values in order; the id drawn is the first one the rules accept,
// and every value before it must have been drawn.
TEST(UniqueID, DrawsAgainForZeroMinusOneTheExcludedRangeAndTakenIds)
{
    const QSet<long> taken{17, 18};
    const struct {
        std::deque<quint32> draws;
        std::optional<IdRange> excluded;
        long expected;
    } cases[] = {
        {{0u, 0xFFFFFFFFu, 10000u, 25000u, 39999u, 40000u}, IdRange{10000, 39999}, 40000},
        {{100000u}, IdRange{100001, 1000000}, 100000},
        {{100001u, 1000000u, 1000001u}, IdRange{100001, 1000000}, 1000001},
        {{17u, 18u, 19u}, std::nullopt, 19},
    };
    for (auto c : cases) {
        const size_t drawn = c.draws.size();
        size_t draws = 0;
        const long id = DrawUniqueID(
            [&] {
                ++draws;
                const quint32 value = c.draws.front();
                c.draws.pop_front();
                return value;
            },
            c.excluded, c.excluded ? IdTakenFunction() : [&](long id) { return taken.contains(id); });
        EXPECT_EQ(id, c.expected);
        EXPECT_EQ(draws, drawn) << c.expected;
    }
}

TEST(UniqueID, TheHashIsFixed)
{
    // FNV-1a: these values must never change, ids already stored were made with them.
    EXPECT_EQ(HashIdText(""), 2166136261u);
    EXPECT_EQ(HashIdText("a"), 0xE40C292Cu);
    EXPECT_EQ(HashIdText("foobar"), 0xBF9CF968u);
}
