// The report connection's instr() and replace() beside the engine's own: the same value, type and
// failure for every case, and a stop that ends a call on their connection only.

#include "modules/customreport/ReportSearchFunctions.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>

namespace {
// A value limit small enough to reach in a case, and large enough for every other case.
constexpr int SEARCH_TEST_LONGEST = 1000;

// The value a call gives (its type and bytes), or the failure.
std::string CallOutcome(sqlite3* db, const std::string& call)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, ("SELECT " + call).c_str(), -1, &statement, nullptr) != SQLITE_OK)
        return std::string("not prepared: ") + sqlite3_errmsg(db);
    std::string outcome;
    if (sqlite3_step(statement) == SQLITE_ROW) {
        const int type = sqlite3_column_type(statement, 0);
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement, 0));
        outcome = std::to_string(type) + ":" +
                  std::string(bytes ? bytes : "", std::size_t(sqlite3_column_bytes(statement, 0)));
    } else {
        outcome = std::string("failed: ") + sqlite3_errmsg(db);
    }
    sqlite3_finalize(statement);
    return outcome;
}

class ReportSearchFunctionsTest : public ::testing::Test {
protected:
    ReportSearchFunctionsTest()
    {
        EXPECT_EQ(sqlite3_open(":memory:", &engine), SQLITE_OK);
        EXPECT_EQ(sqlite3_open(":memory:", &ours), SQLITE_OK);
        for (sqlite3* db : {engine, ours})
            sqlite3_limit(db, SQLITE_LIMIT_LENGTH, SEARCH_TEST_LONGEST);
        EXPECT_TRUE(InstallReportSearchFunctions(ours, &stop));
    }
    ~ReportSearchFunctionsTest() override
    {
        sqlite3_close(ours);
        sqlite3_close(engine);
    }

    sqlite3* engine = nullptr;
    sqlite3* ours = nullptr;
    int stopping = 0;
    const ReportSearchStop stop{[](void* data) {
                                    return static_cast<ReportSearchFunctionsTest*>(data)->stopping;
                                },
                                this};
};
} // namespace

TEST_F(ReportSearchFunctionsTest, GiveTheEnginesResults)
{
    const char* const calls[] = {
        // instr(): NULLs, empty needles, text by characters, blobs by bytes, a blob beside a text
        "instr('abcabc', 'ca')", "instr('abc', 'd')", "instr('ab', 'abc')", "instr('abc', '')", "instr('', '')",
        "instr('', 'a')", "instr(NULL, 'a')", "instr('a', NULL)", "instr(NULL, '')", "instr(x'', x'')",
        "instr('héllo wörld', 'wö')", "instr('日本語テキスト', 'テ')", "instr('aé', 'é')",
        "instr(x'00010203', x'0203')", "instr(x'000100', x'00')", "instr(zeroblob(3), x'0000')",
        "instr(x'c3a9c3a9', x'a9')", "instr(x'616263', 'c')", "instr('abc', x'63')", "instr(x'c3a962', 'b')",
        "instr(CAST(x'c3a9c3a9' AS TEXT), CAST(x'a9' AS TEXT))", "instr(CAST(x'808061' AS TEXT), 'a')",
        "instr(CAST(x'610062' AS TEXT), 'b')", "instr(12345, 34)", "instr(1.5, '.')", "instr(123, 3.0)",
        // replace(): NULLs, empty and zero-led patterns, overlaps, blobs read as text, the value limit
        "replace('abcabc', 'b', 'XY')", "replace('aaaa', 'aa', 'b')", "replace('abc', 'abc', '')",
        "replace('ab', 'abc', 'x')", "replace('', 'a', 'b')", "replace('abc', '', 'X')", "replace('abc', '', NULL)",
        "replace('abc', NULL, 'X')", "replace(NULL, 'a', 'b')", "replace('abc', 'b', NULL)",
        "replace(x'616263', 'b', 'X')", "replace(x'610062', x'00', 'X')", "replace('abc', x'0062', 'X')",
        "replace(123123, 2, 9.5)", "replace('héllo', 'é', 'e')", "replace('héllo', CAST(x'a9' AS TEXT), 'x')",
        "replace('aaa', 'a', 'aaaa')", "replace(hex(zeroblob(250)), '0', 'ab')",
        "replace(hex(zeroblob(251)), '0', 'ab')", "replace(hex(zeroblob(500)), '00', 'abc')",
        "replace(hex(zeroblob(500)), '0', '')",
    };
    for (const char* call : calls)
        EXPECT_EQ(CallOutcome(ours, call), CallOutcome(engine, call)) << call;
}

// A stop ends a long call on the connection the functions were put on (so the cases above ran
// them); the engine's own, on another connection, gives its value.
TEST_F(ReportSearchFunctionsTest, AStopEndsALongCallOnTheirConnectionOnly)
{
    for (sqlite3* db : {engine, ours})
        sqlite3_limit(db, SQLITE_LIMIT_LENGTH, 1 << 20);
    stopping = 1;
    const struct {
        const char* call;
        std::string engines;
    } cases[] = {
        {"instr(hex(zeroblob(100000)), 'b')", "1:0"},
        {"length(replace(hex(zeroblob(100000)), '00', 'x'))", "1:100000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CallOutcome(ours, c.call), "failed: interrupted") << c.call;
        EXPECT_EQ(CallOutcome(engine, c.call), c.engines) << c.call;
    }
}
