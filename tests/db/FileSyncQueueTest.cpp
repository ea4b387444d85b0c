#include "foundation/db/files/FileSyncQueue.h"
#include "DbFixture.h"
#include "RealDiskSyncs.h"

namespace {
class FileSyncQueueTest : public DbFixture {
protected:
    QString written(const QString& name) const
    {
        QFile file(pathOf(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("bytes");
        return file.fileName();
    }
};
} // namespace

// More files than flushing threads; the one that cannot be flushed is named, the others are not.
TEST_F(FileSyncQueueTest, EveryFileIsFlushedAndTheFirstFailureIsNamed)
{
    RealDiskSyncs syncs;
    ASSERT_TRUE(QFile::link(written("target"), pathOf("link")));
    const struct {
        const char* odd; // the one file that is not a plain file of ours, null for none
        const char* failure;
    } cases[] = {
        {nullptr, ""},
        {"missing", "Cannot open '%1': No such file or directory"},
        {"link", "Cannot open '%1': Too many levels of symbolic links"},
    };
    for (const auto& c : cases) {
        CFileSyncQueue queue;
        for (int i = 0; i < 20; ++i) {
            const bool odd = c.odd && i == 13;
            queue.Add(odd ? pathOf(c.odd) : written(QStringLiteral("file%1").arg(i)));
        }
        EXPECT_EQ(queue.Finish(), c.odd ? QString(c.failure).arg(pathOf(c.odd)) : QString()) << c.failure;
    }
}

// A process that skips the layer's flushes queues nothing, so nothing can fail either.
TEST_F(FileSyncQueueTest, NothingIsQueuedWhileFlushesAreSkipped)
{
    CFileSyncQueue queue;
    queue.Add(pathOf("missing"));
    EXPECT_EQ(queue.Finish(), "");
}
