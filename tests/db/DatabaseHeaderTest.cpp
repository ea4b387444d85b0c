#include "foundation/db/DatabaseHeader.h"
#include "DbFixture.h"
#include "foundation/db/DatabaseFiles.h"

#include <QFile>
#include <fcntl.h>
#include <unistd.h>

class DatabaseHeaderTest : public DbFixture {
protected:
    QString makeVersioned(const QString& name)
    {
        return makeDatabase(name, {"CREATE TABLE t (id INTEGER PRIMARY KEY)", "PRAGMA user_version = 7",
                                   "PRAGMA application_id = 1431719252"});
    }
};

TEST_F(DatabaseHeaderTest, ReadsTheFieldsAConnectionReads)
{
    const QString path = makeVersioned("a.db");
    const std::optional<DatabaseHeader> header = ReadStandaloneHeader(path);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->userVersion, scalar(path, "PRAGMA user_version").toInt());
    EXPECT_EQ(header->applicationID, quint32(scalar(path, "PRAGMA application_id").toLongLong()));
    EXPECT_EQ(header->userVersion, 7);
    EXPECT_EQ(header->journalFormat, JournalFormat::Rollback);
}

TEST_F(DatabaseHeaderTest, IsNotTrustedWithAJournalBesideOrForAFileThatIsNoDatabase)
{
    const QString path = makeVersioned("a.db");
    for (const char* side : {"-wal", "-journal"}) {
        writeBytes(path + side, "x");
        EXPECT_FALSE(ReadStandaloneHeader(path)) << side;
        QFile::remove(path + side);
    }
    EXPECT_FALSE(ReadStandaloneHeader(pathOf("missing.db")));

    QByteArray header = bytesOf(path).left(100);
    EXPECT_TRUE(ParseDatabaseHeader(header));
    EXPECT_FALSE(ParseDatabaseHeader(header.left(99)));
    for (int offset : {0, 15, 16, 18, 21}) {
        QByteArray damaged = header;
        damaged[offset] = char(damaged[offset] ^ 0x5A);
        EXPECT_FALSE(ParseDatabaseHeader(damaged)) << "byte " << offset;
    }
}

TEST_F(DatabaseHeaderTest, TheJournalFormatChangesInBothBytesAndOnlyInADatabase)
{
    const QString path = makeVersioned("a.db");
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR);
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(WriteJournalFormat(fd, JournalFormat::WriteAheadLog));
    ::close(fd);
    EXPECT_EQ(bytesOf(path).mid(18, 2), QByteArray("\2\2", 2));
    EXPECT_EQ(scalar(path, "SELECT count(*) FROM t").toInt(), 0) << "still a database";

    const QString text = pathOf("notes.txt");
    writeBytes(text, QByteArray(200, 'n'));
    const int other = ::open(QFile::encodeName(text).constData(), O_RDWR);
    EXPECT_TRUE(WriteJournalFormat(other, JournalFormat::WriteAheadLog));
    ::close(other);
    EXPECT_EQ(bytesOf(text), QByteArray(200, 'n'));
}
