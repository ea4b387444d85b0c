#include "DbFixture.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DaoException.h"
#include "foundation/db/DatabaseFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

namespace {
constexpr int FORMAT_VERSION_OFFSET = 18;

QString journalModeThroughLayer(const QString& path)
{
    CDaoDatabase database;
    database.Open(path, DatabaseRole::WorkingCopy);
    QSqlQuery query = database.Query("PRAGMA journal_mode");
    return query.next() ? query.value(0).toString() : QString();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
} // namespace

class WorkingCopyFileTest : public DbFixture, public ::testing::WithParamInterface<WorkingCopyWrite> {
protected:
    void SetUp() override
    {
        m_source = makeRecipeDatabase("STEP_7.STP");
        m_target = pathOf("STEP_7.WC");
    }

    QString m_source, m_target;
};

TEST_P(WorkingCopyFileTest, AByteCopyIsTheSourceInWriteAheadLogForm)
{
    ASSERT_TRUE(CopyWorkingCopyFile(m_source, m_target, GetParam()));
    QByteArray expected = bytesOf(m_source);
    ASSERT_EQ(expected.mid(FORMAT_VERSION_OFFSET, 2), QByteArray("\1\1", 2))
        << "the source keeps its journal";
    expected[FORMAT_VERSION_OFFSET] = 2;
    expected[FORMAT_VERSION_OFFSET + 1] = 2;
    EXPECT_EQ(bytesOf(m_target), expected);
    EXPECT_EQ(bytesOf(m_source).mid(FORMAT_VERSION_OFFSET, 2), QByteArray("\1\1", 2));
    EXPECT_FALSE(QFileInfo::exists(m_target + ".tmp"));

    // Opening it as a working copy has nothing left to write into the file.
    EXPECT_EQ(journalModeThroughLayer(m_target), "wal");
    EXPECT_EQ(bytesOf(m_target), expected);
    EXPECT_EQ(scalar(m_target, "SELECT count(*) FROM TextRecipe").toInt(),
              scalar(m_source, "SELECT count(*) FROM TextRecipe").toInt());
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

TEST_F(WorkingCopyFileTest, AnOpenSourceIsCopiedWithTheEditsOfItsWal)
{
    CDaoDatabase open;
    open.Open(m_source, DatabaseRole::WorkingCopy);
    open.Execute("UPDATE TextRecipe SET Label = 'In wal' WHERE ID = 1");
    ASSERT_TRUE(CopyWorkingCopyFile(m_source, m_target, WorkingCopyWrite::IntoUnclaimedFolder));
    EXPECT_EQ(scalar(m_target, "SELECT Label FROM TextRecipe WHERE ID = 1").toString(), "In wal");
    EXPECT_EQ(journalModeThroughLayer(m_target), "wal");
}

TEST_F(WorkingCopyFileTest, AnOpenTargetIsNotReplaced)
{
    ASSERT_TRUE(CopyWorkingCopyFile(m_source, m_target, WorkingCopyWrite::Replace));
    CDaoDatabase open;
    open.Open(m_target, DatabaseRole::WorkingCopy);
    QString error;
    EXPECT_FALSE(CopyWorkingCopyFile(m_source, m_target, WorkingCopyWrite::Replace, &error));
    EXPECT_EQ(error, QString("The database '%1' is open and cannot be replaced.").arg(m_target));
}

TEST_F(WorkingCopyFileTest, OpeningAWrittenCopyCreatesItsLogOnlyWithTheFirstStatement)
{
    ASSERT_TRUE(CopyWorkingCopyFile(m_source, m_target, WorkingCopyWrite::IntoUnclaimedFolder));
    CDaoDatabase database;
    database.Open(m_target, DatabaseRole::WorkingCopy);
    for (const QString& side : DatabaseSideFiles(m_target))
        EXPECT_FALSE(QFileInfo::exists(side)) << side.toStdString();

    QSqlQuery level = database.Query("PRAGMA synchronous");
    ASSERT_TRUE(level.next());
    EXPECT_EQ(level.value(0).toInt(), 1) << "NORMAL";
    EXPECT_TRUE(QFileInfo::exists(m_target + "-wal"));
    QSqlQuery mode = database.Query("PRAGMA journal_mode");
    ASSERT_TRUE(mode.next());
    EXPECT_EQ(mode.value(0).toString(), "wal");
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

// Recovery copies the working copies of a killed instance back into the project; one that was
// never read there has no -wal and is copied byte for byte.
TEST_F(WorkingCopyFileTest, AnUnreadWorkingCopyCopiedBackIsAProjectFileWithARollbackJournal)
{
    ASSERT_TRUE(CopyWorkingCopyFile(m_source, m_target, WorkingCopyWrite::IntoUnclaimedFolder));
    const QString back = pathOf("STEP_7.back");
    ASSERT_TRUE(CopyDatabaseFile(m_target, back));
    EXPECT_EQ(bytesOf(back), bytesOf(m_source));
    CDaoDatabase database;
    database.Open(back, DatabaseRole::ReadOnly);
    EXPECT_TRUE(database.Query("SELECT count(*) FROM TextRecipe").next());
    for (const QString& side : DatabaseSideFiles(back))
        EXPECT_FALSE(QFileInfo::exists(side)) << side.toStdString();
}
