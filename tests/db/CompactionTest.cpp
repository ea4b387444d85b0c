#include "foundation/db/files/Compaction.h"
#include "DbFixture.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/DatabaseFiles.h"

#include <QFile>
#include <csignal>
#include <cstdio>
#include <unistd.h>

class CompactionFixture : public DbFixture {
protected:
    void SetUp() override
    {
        m_target = makeRecipeDatabase("Demo.prj");
        m_source = makeRecipeDatabase("Demo.wc");
        scalar(m_source, "UPDATE TextRecipe SET Label = 'New' WHERE ID = 1");
        scalar(m_target, "UPDATE TextRecipe SET Label = 'Old' WHERE ID = 1");
    }

    // The label the target holds, read through the layer as a reader would.
    QString targetLabel()
    {
        CDaoDatabase db;
        db.Open(m_target, DatabaseRole::ReadOnly);
        return queryValue(db, "SELECT Label FROM TextRecipe WHERE ID = 1").toString();
    }

    // The temporary copy or the backup of the target, which a finished compaction never leaves.
    bool leftover() const
    {
        return QFileInfo::exists(m_target + ".tmp") || QFileInfo::exists(m_target + ".tmp-journal") ||
               QFileInfo::exists(m_target + ".bu");
    }

    QString m_target, m_source;
};

class CompactionStageTest : public CompactionFixture,
                            public ::testing::WithParamInterface<CompactionStage> {};

TEST_P(CompactionStageTest, AFailureAtAnyStageKeepsTheOldContentAndReportsIt)
{
    CDaoDatabase working;
    working.Open(m_source, DatabaseRole::WorkingCopy);
    SetCompactionStageHook([](CompactionStage stage) { return stage != GetParam(); });
    EXPECT_THROW(CompactDatabaseTo(working, m_target), CDaoException);
    SetCompactionStageHook({});
    EXPECT_EQ(targetLabel(), "Old");
    EXPECT_FALSE(leftover());
    EXPECT_TRUE(working.IsOpen());
}

TEST_P(CompactionStageTest, AProcessKilledAtAnyStageLeavesOldOrNewContentAndTheNextSaveRecovers)
{
    GTEST_FLAG_SET(death_test_style, "fast");
    const CompactionStage stopAt = GetParam();
    EXPECT_EXIT(
        {
            SetCompactionStageHook([stopAt](CompactionStage stage) {
                if (stage == stopAt)
                    std::raise(SIGKILL);
                return true;
            });
            CompactDatabaseFile(m_source, m_target);
        },
        ::testing::KilledBySignal(SIGKILL), "");
    const QString label = targetLabel();
    EXPECT_TRUE(label == "Old" || label == "New") << label.toStdString();
    CompactDatabaseFile(m_source, m_target);
    EXPECT_EQ(targetLabel(), "New");
    EXPECT_FALSE(leftover());
}

INSTANTIATE_TEST_SUITE_P(Stages, CompactionStageTest,
                         ::testing::Values(CompactionStage::RemoveLeftover, CompactionStage::VacuumInto,
                                           CompactionStage::SyncTemporary, CompactionStage::KeepBackup,
                                           CompactionStage::ReplaceTarget, CompactionStage::SyncFolder,
                                           CompactionStage::RemoveBackup),
                         [](const auto& info) { return "Stage" + std::to_string(int(info.param)); });

using CompactionTest = CompactionFixture;

// The target is a rollback-journal file with the source's header values and its committed edits,
// also those in its -wal; the prepare step changes only the written file, its failure keeps the
// old target.
TEST_F(CompactionTest, WritesARollbackJournalFileThatOnlyThePrepareStepChanges)
{
    CDaoDatabase working;
    working.Open(m_source, DatabaseRole::WorkingCopy);
    working.Execute("UPDATE TextRecipe SET Label = 'Newer' WHERE ID = 1");
    CompactDatabaseTo(working, m_target);
    EXPECT_TRUE(working.IsOpen());
    EXPECT_EQ(targetLabel(), "Newer");
    EXPECT_EQ(bytesOf(m_target).mid(18, 2), QByteArray("\1\1", 2));
    EXPECT_EQ(scalar(m_target, "PRAGMA application_id").toLongLong(), 1364612678);
    EXPECT_EQ(scalar(m_target, "PRAGMA user_version").toInt(), 7);
    EXPECT_FALSE(leftover());

    CompactDatabaseTo(working, m_target, [](CDaoDatabase& written) {
        written.Execute("UPDATE TextRecipe SET Label = 'Prepared' WHERE ID = 1");
    });
    EXPECT_EQ(targetLabel(), "Prepared");
    EXPECT_EQ(queryValue(working, "SELECT Label FROM TextRecipe WHERE ID = 1").toString(), "Newer");
    EXPECT_THROW(CompactDatabaseTo(working, m_target,
                                   [](CDaoDatabase& written) { written.Execute("DELETE FROM NoSuchTable"); }),
                 CDaoException);
    EXPECT_EQ(targetLabel(), "Prepared");
    EXPECT_FALSE(leftover());
}

// A link to a user's file (hard or symbolic) put under the temporary's name after it was written:
// it never takes the target's name; the target keeps its content and the user's file its bytes.
TEST_F(CompactionTest, ATemporarySwappedBeforeTheRenameIsNeverRenamed)
{
    const QString user = pathOf("thesis.docx"), spare = pathOf("spare"), temporary = m_target + ".tmp";
    {
        QFile file(user);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("precious") == 8);
    }
    CDaoDatabase working;
    working.Open(m_source, DatabaseRole::WorkingCopy);
    for (const bool hard : {true, false}) {
        SetCompactionStageHook([&](CompactionStage stage) {
            if (stage == CompactionStage::KeepBackup) {
                EXPECT_TRUE(hard ? ::link(qPrintable(user), qPrintable(spare)) == 0 : QFile::link(user, spare));
                EXPECT_EQ(std::rename(qPrintable(spare), qPrintable(temporary)), 0);
            }
            return true;
        });
        EXPECT_THROW(CompactDatabaseTo(working, m_target), CDaoException) << hard;
        SetCompactionStageHook({});
        EXPECT_EQ(targetLabel(), "Old") << hard;
        EXPECT_EQ(bytesOf(user), "precious") << hard;
    }
}

TEST_F(CompactionTest, DeleteTakesTheJournalsAlongAndRefusesAnOpenFile)
{
    {
        CDaoDatabase working;
        working.Open(m_source, DatabaseRole::WorkingCopy);
        QString error;
        EXPECT_FALSE(DeleteDatabaseFile(m_source, &error));
        EXPECT_TRUE(error.contains("is open")) << error.toStdString();
        EXPECT_TRUE(QFileInfo::exists(m_source));
    }
    for (const QString& side : DatabaseSideFiles(m_source)) {
        QFile file(side);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    EXPECT_TRUE(DeleteDatabaseFile(m_source));
    EXPECT_EQ(listing(), QStringList({"Demo.prj"}));
    EXPECT_TRUE(DeleteDatabaseFile(m_source)); // nothing left to delete is no failure
}
