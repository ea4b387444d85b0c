#include "DbFixture.h"
#include "RealDiskSyncs.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/DatabaseFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

#include <functional>

class WorkingCopyFileTest : public DbFixture, public ::testing::WithParamInterface<WorkingCopyWrite> {
protected:
    void SetUp() override
    {
        m_source = makeRecipeDatabase("STEP_7.STP");
        m_target = pathOf("STEP_7.WC");
    }

    RealDiskSyncs m_syncs;
    QString m_source, m_target;
};

// Recovery copies the working copies of a killed instance back into the project; one that was
// never written there is copied back byte for byte. Reading it creates no file; its first write
// turns it to write-ahead logging.
TEST_P(WorkingCopyFileTest, AByteCopyIsTheSourceAndIsReadWithoutAWrite)
{
    ASSERT_TRUE(CopyWorkingCopyFile(m_source, m_target, GetParam()));
    const QByteArray expected = bytesOf(m_source);
    ASSERT_EQ(expected.mid(18, 2), QByteArray("\1\1", 2)) << "the source keeps its rollback journal format";
    EXPECT_EQ(bytesOf(m_target), expected);
    EXPECT_FALSE(QFileInfo::exists(m_target + ".tmp"));
    const QString back = pathOf("STEP_7.back");
    ASSERT_TRUE(CopyDatabaseFile(m_target, back));
    EXPECT_EQ(bytesOf(back), bytesOf(m_source));

    CDaoDatabase database, copiedBack;
    copiedBack.Open(back, DatabaseRole::ReadOnly);
    EXPECT_EQ(queryValue(copiedBack, "SELECT count(*) FROM TextRecipe"), 4);
    database.Open(m_target, DatabaseRole::WorkingCopy);
    EXPECT_EQ(queryValue(database, "SELECT count(*) FROM TextRecipe"), 4);
    EXPECT_EQ(queryValue(database, "PRAGMA synchronous"), 3) << "EXTRA";
    for (const QString& side : DatabaseSideFiles(m_target) + DatabaseSideFiles(back))
        EXPECT_FALSE(QFileInfo::exists(side)) << side.toStdString();
    EXPECT_EQ(bytesOf(m_target), expected);

    database.Execute("UPDATE TextRecipe SET Label = 'Edited' WHERE ID = 1");
    EXPECT_TRUE(QFileInfo::exists(m_target + "-wal")) << "made by the first write";
    EXPECT_FALSE(QFileInfo::exists(m_target + "-journal"));
    EXPECT_EQ(queryValue(database, "PRAGMA journal_mode"), "wal");
    database.Close();
    EXPECT_EQ(bytesOf(m_target).mid(18, 2), QByteArray("\2\2", 2));
    EXPECT_EQ(scalar(m_target, "SELECT Label FROM TextRecipe WHERE ID = 1").toString(), "Edited");
}

// Every way a write reaches the connection turns the copy to write-ahead logging before it; a read
// never does. A write the connection does not see coming (on the engine handle, in a transaction
// begun there) goes through the rollback journal, which is deleted when it commits.
TEST_F(WorkingCopyFileTest, AWriteSwitchesTheCopyFirstAndAReadNever)
{
    struct Case {
        const char* name;
        std::function<void(CDaoDatabase&)> statement;
        const char* mode;
    };
    const QList<Case> cases{
        {"select", [](CDaoDatabase& db) { db.Execute("SELECT count(*) FROM TextRecipe"); }, "delete"},
        {"pragma read", [](CDaoDatabase& db) { db.Execute("PRAGMA table_info(TextRecipe)"); }, "delete"},
        {"pragma set", [](CDaoDatabase& db) { db.Execute("PRAGMA user_version = 7"); }, "wal"},
        {"update", [](CDaoDatabase& db) { db.Execute("UPDATE TextRecipe SET Label = 'x'"); }, "wal"},
        {"transaction", [](CDaoDatabase& db) { db.BeginTrans(); db.CommitTrans(); }, "wal"},
        {"engine handle",
         [](CDaoDatabase& db) {
             QSqlQuery raw(db.Connection().database());
             for (const char* sql : {"BEGIN", "UPDATE TextRecipe SET Label = 'raw'", "COMMIT"})
                 ASSERT_TRUE(raw.exec(sql)) << sql;
         },
         "delete"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(CopyWorkingCopyFile(m_source, m_target, WorkingCopyWrite::Replace));
        CDaoDatabase database;
        database.Open(m_target, DatabaseRole::WorkingCopy);
        c.statement(database);
        EXPECT_EQ(queryValue(database, "PRAGMA journal_mode"), c.mode);
        EXPECT_FALSE(QFileInfo::exists(m_target + "-journal"));
        EXPECT_EQ(QFileInfo::exists(m_target + "-wal"), QByteArray(c.mode) == "wal");
    }
}

INSTANTIATE_TEST_SUITE_P(BothWrites, WorkingCopyFileTest,
                         ::testing::Values(WorkingCopyWrite::Replace, WorkingCopyWrite::IntoUnclaimedFolder));

TEST_F(WorkingCopyFileTest, AReadOnlySourceGivesAWritableWorkingCopy)
{
    ASSERT_TRUE(QFile::setPermissions(m_source, QFile::ReadOwner | QFile::ReadGroup));
    ASSERT_TRUE(CopyWorkingCopyFile(m_source, m_target, WorkingCopyWrite::Replace));
    EXPECT_TRUE(QFileInfo(m_target).permissions() & QFile::WriteOwner);
    CDaoDatabase database;
    database.Open(m_target, DatabaseRole::WorkingCopy);
    database.Execute("UPDATE TextRecipe SET Label = 'Edited' WHERE ID = 1");
    EXPECT_EQ(scalar(m_target, "SELECT Label FROM TextRecipe WHERE ID = 1").toString(), "Edited");
}

TEST_F(WorkingCopyFileTest, AFileThatIsNoDatabaseIsCopiedAsItIsAndRefusedByTheOpen)
{
    for (const QByteArray& bytes : {QByteArray(), QByteArray(4096, 'n'), QByteArray("SQLite format 3")}) {
        SCOPED_TRACE(bytes.size());
        writeBytes(m_source, bytes);
        ASSERT_TRUE(CopyWorkingCopyFile(m_source, m_target, WorkingCopyWrite::Replace));
        EXPECT_EQ(bytesOf(m_target), bytes);
        CDaoDatabase database;
        EXPECT_THROW(database.Open(m_target, DatabaseRole::WorkingCopy), CDaoException);
    }
}

TEST_F(WorkingCopyFileTest, AnOpenSourceIsCopiedWithTheEditsOfItsWalAndAnOpenTargetIsNotReplaced)
{
    CDaoDatabase source;
    source.Open(m_source, DatabaseRole::WorkingCopy);
    source.Execute("UPDATE TextRecipe SET Label = 'In wal' WHERE ID = 1");
    ASSERT_TRUE(CopyWorkingCopyFile(m_source, m_target, WorkingCopyWrite::IntoUnclaimedFolder));
    EXPECT_EQ(scalar(m_target, "SELECT Label FROM TextRecipe WHERE ID = 1").toString(), "In wal");

    CDaoDatabase target;
    target.Open(m_target, DatabaseRole::WorkingCopy);
    QString error;
    EXPECT_FALSE(CopyWorkingCopyFile(m_source, m_target, WorkingCopyWrite::Replace, &error));
    EXPECT_EQ(error, QString("The database '%1' is open and cannot be replaced.").arg(m_target));
}

TEST_F(WorkingCopyFileTest, ACopyWithAGoodHeaderAndADamagedBodyFailsAtItsFirstStatement)
{
    QByteArray bytes = bytesOf(m_source);
    bytes.replace(100, bytes.size() - 100, QByteArray(bytes.size() - 100, '\xA5'));
    writeBytes(m_source, bytes);
    ASSERT_TRUE(CopyWorkingCopyFile(m_source, m_target, WorkingCopyWrite::IntoUnclaimedFolder));
    CDaoDatabase database;
    database.Open(m_target, DatabaseRole::WorkingCopy);
    try {
        database.Execute("UPDATE TextRecipe SET Label = 'x'");
        FAIL() << "a damaged database was written";
    } catch (const CDaoException& error) {
        EXPECT_TRUE(
            error.GetErrorDescription().startsWith(QString("The file '%1' is not a database").arg(m_target)))
            << error.GetErrorDescription().toStdString();
    }
}

// The bytes a database holds count its -wal; a folder or a missing file is nothing to read.
TEST_F(WorkingCopyFileTest, TheBytesOfADatabaseCountItsLog)
{
    const qint64 fileSize = QFileInfo(m_source).size();
    DatabaseBytes bytes = ReadDatabaseBytes(m_source);
    EXPECT_TRUE(bytes.readable);
    EXPECT_EQ(bytes.file, fileSize);
    EXPECT_EQ(bytes.log, 0);
    writeBytes(m_source + "-wal", QByteArray(100, 'x'));
    bytes = ReadDatabaseBytes(m_source);
    EXPECT_EQ(bytes.file + bytes.log, fileSize + 100);
    EXPECT_FALSE(ReadDatabaseBytes(pathOf("MISSING.STP")).readable);
    EXPECT_FALSE(ReadDatabaseBytes(pathOf("")).readable) << "a folder";
}

// A scratch copy is written as the durable one is, only without its flushes: the same bytes through
// a new temporary renamed over the target, and a link under the target's name is refused.
TEST_F(WorkingCopyFileTest, AScratchCopyReplacesItsTargetAndRefusesALink)
{
    const QString scratch = pathOf("EXPORT_S.TMP");
    writeBytes(scratch, "an earlier scratch file");
    ASSERT_TRUE(CopyScratchDatabaseFile(m_source, scratch));
    EXPECT_EQ(bytesOf(scratch), bytesOf(m_source));
    EXPECT_FALSE(QFileInfo::exists(scratch + ".tmp"));

    const QString linked = pathOf("IMPORT_S.TMP"), named = pathOf("elsewhere");
    writeBytes(named, "kept");
    ASSERT_TRUE(QFile::link(named, linked));
    QString error;
    EXPECT_FALSE(CopyScratchDatabaseFile(m_source, linked, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(bytesOf(named), QByteArray("kept"));
}
