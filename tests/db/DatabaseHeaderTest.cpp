#include "foundation/db/DatabaseHeader.h"
#include "DbFixture.h"
#include "foundation/db/DatabaseFiles.h"

#include <QFile>

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
