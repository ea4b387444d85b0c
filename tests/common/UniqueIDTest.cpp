#include "foundation/common/UniqueID.h"

#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

#include <deque>

namespace {

// Hands out the given raw values in order and counts the draws.
class ScriptedDraws {
public:
    explicit ScriptedDraws(std::initializer_list<quint32> values) : m_values(values) {}
    IdDrawFunction function()
    {
        return [this] {
            ++m_draws;
            const quint32 value = m_values.front();
            m_values.pop_front();
            return value;
        };
    }
    int draws() const { return m_draws; }

private:
    std::deque<quint32> m_values;
    int m_draws = 0;
};

} // namespace

TEST(UniqueID, ZeroMinusOneAndTheExcludedRangeAreDrawnAgain)
{
    ScriptedDraws draws{0u, 0xFFFFFFFFu, 10000u, 25000u, 39999u, 40000u};
    EXPECT_EQ(DrawUniqueID(draws.function(), IdRange{10000, 39999}, nullptr), 40000);
    EXPECT_EQ(draws.draws(), 6);
}

TEST(UniqueID, RangeBoundsAreExcludedButNeighboursAreNot)
{
    ScriptedDraws below{100000u};
    EXPECT_EQ(DrawUniqueID(below.function(), IdRange{100001, 1000000}, nullptr), 100000);
    ScriptedDraws above{100001u, 1000000u, 1000001u};
    EXPECT_EQ(DrawUniqueID(above.function(), IdRange{100001, 1000000}, nullptr), 1000001);
}

TEST(UniqueID, ATakenIdIsDrawnAgain)
{
    const QSet<long> keys{17, 18};
    ScriptedDraws draws{17u, 18u, 19u};
    EXPECT_EQ(DrawUniqueID(draws.function(), std::nullopt, [&](long id) { return keys.contains(id); }), 19);
}

TEST(UniqueID, TheHashIsFixed)
{
    // FNV-1a: these values must never change, ids already stored were made with them.
    EXPECT_EQ(HashIdText(""), 2166136261u);
    EXPECT_EQ(HashIdText("a"), 0xE40C292Cu);
    EXPECT_EQ(HashIdText("foobar"), 0xBF9CF968u);
}
