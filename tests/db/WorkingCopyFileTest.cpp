#include "DbFixture.h"
#include "RealDiskSyncs.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DaoException.h"
#include "foundation/db/DatabaseFiles.h"

#include <QFile>
#include <QFileInfo>

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
// never read there has no -wal and is copied back byte for byte.
TEST_P(WorkingCopyFileTest, AByteCopyIsTheSourceInWriteAheadLogFormAndOpensWithoutAWrite)
{
    ASSERT_TRUE(CopyWorkingCopyFile(m_source, m_target, GetParam()));
    QByteArray expected = bytesOf(m_source);
    ASSERT_EQ(expected.mid(18, 2), QByteArray("\1\1", 2)) << "the source keeps its rollback journal format";
    expected[18] = expected[19] = 2;
    EXPECT_EQ(bytesOf(m_target), expected);
    EXPECT_FALSE(QFileInfo::exists(m_target + ".tmp"));
    const QString back = pathOf("STEP_7.back");
    ASSERT_TRUE(CopyDatabaseFile(m_target, back));
    EXPECT_EQ(bytesOf(back), bytesOf(m_source));

    CDaoDatabase database, copiedBack;
    copiedBack.Open(back, DatabaseRole::ReadOnly);
    EXPECT_EQ(queryValue(copiedBack, "SELECT count(*) FROM TextRecipe"), 4);
    database.Open(m_target, DatabaseRole::WorkingCopy);
    for (const QString& side : DatabaseSideFiles(m_target) + DatabaseSideFiles(back))
        EXPECT_FALSE(QFileInfo::exists(side)) << side.toStdString();
    EXPECT_EQ(queryValue(database, "PRAGMA synchronous"), 2) << "FULL";
    EXPECT_TRUE(QFileInfo::exists(m_target + "-wal")) << "made by the first statement";
    EXPECT_EQ(queryValue(database, "PRAGMA journal_mode"), "wal");
    database.Close();
    EXPECT_EQ(bytesOf(m_target), expected);
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
