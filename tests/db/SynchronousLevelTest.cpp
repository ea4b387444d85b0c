// The level at which each connection flushes its commits: a working copy at every commit (EXTRA, also
// while it is only read and still in rollback form, whether the layer or anyone else wrote it);
// every connection without flushes while the test process skips them. A compaction, which writes
// its file without the source's flushes, gives the source its level back.

#include "DbFixture.h"
#include "RealDiskSyncs.h"
#include "foundation/db/files/Compaction.h"
#include "foundation/db/files/DatabaseFiles.h"

namespace {
enum class Form { LayerCopy, RollbackFile };

struct LevelCase {
    const char* name;
    DatabaseRole role;
    Form form;
    bool skipped;
    int level; // PRAGMA synchronous: 0 OFF, 2 FULL, 3 EXTRA
};

class SynchronousLevelTest : public DbFixture, public ::testing::WithParamInterface<LevelCase> {
protected:
    RealDiskSyncs m_syncs;
};
} // namespace

TEST_P(SynchronousLevelTest, EachConnectionFlushesAsItsRoleAndTheTestSwitchSay)
{
    const LevelCase& c = GetParam();
    QString path = makeRecipeDatabase("STEP_1.STP");
    if (c.form == Form::LayerCopy) {
        ASSERT_TRUE(CopyWorkingCopyFile(path, pathOf("STEP_1.WC"), WorkingCopyWrite::Replace));
        path = pathOf("STEP_1.WC");
    }
    SetDiskSyncsSkipped(c.skipped);
    CDaoDatabase database;
    database.Open(path, c.role);
    EXPECT_EQ(queryValue(database, "PRAGMA synchronous"), c.level);
    if (c.role == DatabaseRole::WorkingCopy) {
        EXPECT_EQ(queryValue(database, "PRAGMA journal_mode"), "delete") << "only read";
        database.Execute("UPDATE TextRecipe SET Label = 'x'");
        EXPECT_EQ(queryValue(database, "PRAGMA journal_mode"), "wal");
        EXPECT_EQ(queryValue(database, "PRAGMA synchronous"), c.level);
    }
    CompactDatabaseTo(database, pathOf("STEP_2.STP"));
    EXPECT_EQ(queryValue(database, "PRAGMA synchronous"), c.level) << "after a compaction";
}

INSTANTIATE_TEST_SUITE_P(
    Roles, SynchronousLevelTest,
    ::testing::Values(
        LevelCase{"WorkingCopyWritten", DatabaseRole::WorkingCopy, Form::LayerCopy, false, 3},
        LevelCase{"WorkingCopyFromRollback", DatabaseRole::WorkingCopy, Form::RollbackFile, false, 3},
        LevelCase{"WorkingCopyWrittenSkipped", DatabaseRole::WorkingCopy, Form::LayerCopy, true, 0},
        LevelCase{"WorkingCopyFromRollbackSkipped", DatabaseRole::WorkingCopy, Form::RollbackFile, true, 0},
        LevelCase{"ReadWrite", DatabaseRole::ReadWrite, Form::RollbackFile, false, 2},
        LevelCase{"ReadWriteSkipped", DatabaseRole::ReadWrite, Form::RollbackFile, true, 0},
        LevelCase{"ReadOnlySkipped", DatabaseRole::ReadOnly, Form::RollbackFile, true, 0}),
    [](const ::testing::TestParamInfo<LevelCase>& info) { return std::string(info.param.name); });
