#include "foundation/db/files/DatabaseHeader.h"
#include "DbFixture.h"

#include "Deadline.h"

#include <QFile>

#include <sys/stat.h>

using DatabaseHeaderTest = DbFixture;

TEST_F(DatabaseHeaderTest, IsReadFromAStandaloneDatabaseOnlyAndRefusesDamagedBytes)
{
    const QString path =
        makeDatabase("a.db", {"CREATE TABLE t (id INTEGER PRIMARY KEY)", "PRAGMA user_version = 7",
                              "PRAGMA application_id = 1431719252"});
    const std::optional<DatabaseHeader> header = ReadStandaloneHeader(path);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->userVersion, 7);
    EXPECT_EQ(header->applicationID, 1431719252u);
    EXPECT_EQ(header->journalFormat, JournalFormat::Rollback);
    for (const char* side : {"-wal", "-journal"}) { // a journal beside may hold newer header values
        writeBytes(path + side, "x");
        EXPECT_FALSE(ReadStandaloneHeader(path)) << side;
        QFile::remove(path + side);
    }
    EXPECT_FALSE(ReadStandaloneHeader(pathOf("missing.db")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pathOf("pipe.db")).constData(), 0600), 0);
    {
        const Deadline deadline(std::chrono::seconds(10), "reading the header of a named pipe");
        EXPECT_FALSE(ReadStandaloneHeader(pathOf("pipe.db")));
    }

    const QByteArray bytes = bytesOf(path).left(100);
    EXPECT_TRUE(ParseDatabaseHeader(bytes));
    EXPECT_FALSE(ParseDatabaseHeader(bytes.left(99)));
    for (int offset : {0, 15, 16, 18, 21}) {
        QByteArray damaged = bytes;
        damaged[offset] = char(damaged[offset] ^ 0x5A);
        EXPECT_FALSE(ParseDatabaseHeader(damaged)) << "byte " << offset;
    }
}
