#include "foundation/db/connection/ChangeTracking.h"
#include "DbFixture.h"
#include "foundation/db/files/Compaction.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/files/DatabaseHeader.h"

#include <QFile>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>

namespace {

const DaoRecordsetDef& RecipeLabels()
{
    static const DaoRecordsetDef def{"SELECT ID, Label FROM TextRecipe ORDER BY ID",
                                     {{"TextRecipe", {"ID"}}},
                                     {{"ID", DaoFieldType::Long}, {"Label", DaoFieldType::Text}}};
    return def;
}

// Sets the file's modification time back to what it was, as `touch -r` does.
void restoreModificationTime(const QString& path, const struct stat& before)
{
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

} // namespace

class ChangeTrackingTest : public DbFixture {
protected:
    void SetUp() override
    {
        m_source = makeRecipeDatabase("STEP_1.STP");
        m_workingCopy = pathOf("STEP_1.WC");
        ASSERT_TRUE(CopyWorkingCopyFile(m_source, m_workingCopy, WorkingCopyWrite::Replace));
    }
    // Opens the working copy and runs a first statement, which takes the reference.
    void openAndRead(CDaoDatabase& db) const
    {
        db.Open(m_workingCopy, DatabaseRole::WorkingCopy);
        queryValue(db, "SELECT count(*) FROM TextRecipe");
    }
    quint64 number() const { return ChangeNumber(m_workingCopy); }

    QString m_source, m_workingCopy;
};

// Each way a working copy's data can change moves its number, whether the connection stays open
// or closes before the number is asked for.
TEST_F(ChangeTrackingTest, EveryKindOfWriteMovesTheNumberAndReadsDoNot)
{
    using Write = std::function<void(CDaoDatabase&, const QString&)>;
    const std::vector<std::pair<const char*, Write>> writes{
        {"kept statement, autocommit",
         [](CDaoDatabase& db, const QString&) {
             CDaoRecordset set(RecipeLabels(), &db);
             set.Open();
             set.Edit();
             set.SetText("Label", "Edited");
             set.Update();
             ASSERT_GT(db.Connection().keptStatementCount(), 0u);
         }},
        {"create index",
         [](CDaoDatabase& db, const QString&) { db.Execute("CREATE INDEX byLabel ON TextRecipe (Label)"); }},
        {"user version", [](CDaoDatabase& db, const QString&) { db.Execute("PRAGMA user_version = 8"); }},
        {"transaction",
         [](CDaoDatabase& db, const QString&) {
             db.BeginTrans();
             db.Execute("DELETE FROM TextRecipe WHERE ID = 4");
             db.CommitTrans();
         }},
        {"second handle",
         [](CDaoDatabase&, const QString& path) {
             scalar(path, "UPDATE TextRecipe SET Amount = 2 WHERE ID = 1");
         }},
    };
    // A copy made for writes is in write-ahead form from the start: its first write switches nothing.
    const std::pair<WorkingCopyWrite, JournalFormat> copies[] = {
        {WorkingCopyWrite::Replace, JournalFormat::Rollback},
        {WorkingCopyWrite::ReplaceForWrites, JournalFormat::WriteAheadLog}};
    for (const auto& [copy, format] : copies)
        for (const bool closeFirst : {false, true}) {
            for (const auto& [name, write] : writes) {
                SCOPED_TRACE(std::string(name) + (closeFirst ? ", closed" : ", open") +
                             (copy == WorkingCopyWrite::Replace ? "" : ", copied for writes"));
                ASSERT_TRUE(CopyWorkingCopyFile(m_source, m_workingCopy, copy));
                const std::optional<DatabaseHeader> header = ReadStandaloneHeader(m_workingCopy);
                ASSERT_TRUE(header);
                EXPECT_EQ(header->journalFormat, format);
                CDaoDatabase db;
                openAndRead(db);
                const quint64 before = number();
                queryValue(db, "SELECT max(Label) FROM TextRecipe");
                queryValue(db, "PRAGMA wal_checkpoint(FULL)");
                EXPECT_EQ(number(), before) << "a read, a checkpoint";
                write(db, m_workingCopy);
                if (closeFirst)
                    db.Close();
                const quint64 after = number();
                EXPECT_GT(after, before);
                EXPECT_EQ(number(), after);
            }
        }
}

// A library connection closed and opened again between two readings: the number outlives the
// connection. A connection opened and never used changed nothing, and nor did the open's switch of
// a rollback-journal copy to write-ahead logging.
TEST_F(ChangeTrackingTest, TheNumberOutlivesConnectionsAndAnUnusedOrSwitchedConnectionChangesNothing)
{
    const QString library = pathOf("Demo.ewc");
    ASSERT_TRUE(CopyDatabaseFile(m_source, library));
    const quint64 copied = ChangeNumber(library);
    {
        CDaoDatabase db;
        db.Open(library, DatabaseRole::WorkingCopy);
        EXPECT_EQ(queryValue(db, "PRAGMA journal_mode"), "delete") << "only read";
        db.BeginTrans();
        db.Rollback();
        EXPECT_EQ(queryValue(db, "PRAGMA journal_mode"), "wal") << "switched at the transaction's start";
    }
    {
        CDaoDatabase unused;
        unused.Open(library, DatabaseRole::WorkingCopy);
    }
    EXPECT_EQ(ChangeNumber(library), copied);
    {
        CDaoDatabase db;
        db.Open(library, DatabaseRole::WorkingCopy);
        db.Execute("UPDATE TextRecipe SET Label = 'First' WHERE ID = 1");
    }
    CDaoDatabase db;
    db.Open(library, DatabaseRole::WorkingCopy);
    db.Execute("UPDATE TextRecipe SET Label = 'Second' WHERE ID = 1");
    const quint64 reopened = ChangeNumber(library);
    EXPECT_GE(reopened, copied + 2);
    db.Close();
    EXPECT_EQ(ChangeNumber(library), reopened);
}

// Inside a transaction the version cannot be read: the number counts a change and the commit's
// own change is still counted afterwards.
TEST_F(ChangeTrackingTest, AReadingInsideATransactionCountsAChange)
{
    CDaoDatabase db;
    openAndRead(db);
    const quint64 before = number();
    db.BeginTrans();
    EXPECT_GT(number(), before);
    db.Execute("UPDATE TextRecipe SET Label = 'x'");
    const quint64 inside = number();
    db.CommitTrans();
    EXPECT_GT(number(), inside);
}

// The layer's file functions move the number of every path they write and drop its baseline.
TEST_F(ChangeTrackingTest, LayerFileWritesMoveTheNumberOfThePathWritten)
{
    const QString other = pathOf("Other.WC");
    using FileWrite = std::function<void()>;
    const std::vector<std::pair<const char*, FileWrite>> writes{
        {"copy", [&] { ASSERT_TRUE(CopyDatabaseFile(m_source, m_workingCopy)); }},
        {"working copy",
         [&] {
             ASSERT_TRUE(CopyWorkingCopyFile(m_source, m_workingCopy, WorkingCopyWrite::IntoUnclaimedFolder));
         }},
        {"compaction",
         [&] {
             CDaoDatabase db;
             db.Open(m_source, DatabaseRole::ReadOnly);
             CompactDatabaseTo(db, m_workingCopy);
         }},
        {"side files", [&] { RemoveSideFiles(m_workingCopy); }},
        {"delete", [&] { ASSERT_TRUE(DeleteDatabaseFile(m_workingCopy)); }},
    };
    const QString key = ChangeKey(m_workingCopy);
    for (const auto& [name, write] : writes) {
        SCOPED_TRACE(name);
        RecordBaseline(m_workingCopy, {ChangeKey(m_source), {}, number()});
        const quint64 before = number();
        const quint64 otherBefore = ChangeNumber(other);
        write();
        EXPECT_GT(number(), before);
        EXPECT_EQ(ChangeNumber(other), otherBefore);
        EXPECT_FALSE(BaselineOf(m_workingCopy));
    }
    EXPECT_EQ(ChangeKey(m_workingCopy), key) << "the same key once deleted";
}

// The target stays current only with the baseline's number, target file and identity, and with no
// leftover of a write beside it.
TEST_F(ChangeTrackingTest, ATargetIsCurrentOnlyUntilEitherSideChanges)
{
    const std::optional<ChangeBaseline> taken = BaselineBeforeCopy(m_source);
    ASSERT_TRUE(taken);
    ASSERT_TRUE(CopyWorkingCopyFile(m_source, m_workingCopy, WorkingCopyWrite::Replace));
    ChangeBaseline baseline = *taken;
    baseline.changeNumber = number();
    EXPECT_FALSE(TargetIsCurrent(m_workingCopy, m_source)) << "no baseline";
    RecordBaseline(m_workingCopy, baseline);
    EXPECT_TRUE(TargetIsCurrent(m_workingCopy, m_source));
    EXPECT_FALSE(TargetIsCurrent(m_workingCopy, pathOf("STEP_2.STP"))) << "another target";

    for (const char* leftover : {".tmp", ".bu", "-wal", "-shm", "-journal"}) {
        writeBytes(m_source + leftover, "x");
        EXPECT_FALSE(TargetIsCurrent(m_workingCopy, m_source)) << leftover;
        QFile::remove(m_source + leftover);
    }
    EXPECT_TRUE(TargetIsCurrent(m_workingCopy, m_source));

    struct stat before {};
    ASSERT_EQ(::stat(QFile::encodeName(m_source).constData(), &before), 0);
    scalar(m_source, "UPDATE TextRecipe SET Label = 'Changed' WHERE ID = 1");
    restoreModificationTime(m_source, before);
    EXPECT_FALSE(TargetIsCurrent(m_workingCopy, m_source)) << "written, its time set back";
    RecordBaseline(m_workingCopy, {ChangeKey(m_source), *ReadFileIdentity(m_source), number()});
    EXPECT_TRUE(TargetIsCurrent(m_workingCopy, m_source));

    CDaoDatabase db;
    openAndRead(db);
    EXPECT_TRUE(TargetIsCurrent(m_workingCopy, m_source)) << "opened and read";
    db.Execute("UPDATE TextRecipe SET Label = 'Edited' WHERE ID = 2");
    EXPECT_FALSE(TargetIsCurrent(m_workingCopy, m_source));
}

// A target that would be copied by compaction (open, or a journal beside it) gets no baseline.
TEST_F(ChangeTrackingTest, ATargetCopiedByCompactionGetsNoBaseline)
{
    writeBytes(m_source + "-journal", QByteArray());
    EXPECT_FALSE(BaselineBeforeCopy(m_source));
    QFile::remove(m_source + "-journal");
    CDaoDatabase db;
    db.Open(m_source, DatabaseRole::ReadOnly);
    EXPECT_FALSE(BaselineBeforeCopy(m_source));
    db.Close();
    EXPECT_TRUE(BaselineBeforeCopy(m_source));
    EXPECT_FALSE(BaselineBeforeCopy(pathOf("Missing.STP")));
}
