#include "shell/InstanceFolders.h"
#include "shell/QVFileLocations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
void WriteFile(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("x");
}

// An exclusive flock held for the object's life, as a running instance holds its folder's.
class HeldLock {
public:
    explicit HeldLock(const QString& path) : m_fd(::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT, 0600))
    {
        m_locked = m_fd >= 0 && ::flock(m_fd, LOCK_EX | LOCK_NB) == 0;
    }
    ~HeldLock() { ::close(m_fd); }
    bool locked() const { return m_locked; }

private:
    int m_fd;
    bool m_locked = false;
};

struct FolderCase {
    const char* name;
    const char* content; // a file in the folder, "" for none
    bool lockFile;       // an unheld lock file
    bool stays;
};
} // namespace

// Start-up removes only dead instances' instance-* folders that hold no working copy.
TEST(InstanceFolders, StartUpRemovesDeadInstancesFoldersWithoutWorkingCopies)
{
    const QList<FolderCase> cases = {
        {"instance-dead", "Language/QVEnglish.lng", true, false},
        {"instance-older", "", false, false}, // no lock file: made before instances locked
        {"instance-copies", "Demo.WC", true, true},
        {"instance-log", "STEP_12.wc-wal", true, true},
        {"instance-equipment", "Demo.ewc", false, true},
        {"Instance-other-case", "", false, true},
        {"untitled-temporary", "", false, true},
    };
    QTemporaryDir root;
    for (const FolderCase& c : cases) {
        QDir().mkpath(root.filePath(c.name));
        if (*c.content)
            WriteFile(root.filePath(c.name) + "/" + c.content);
        if (c.lockFile)
            WriteFile(root.filePath(c.name) + "/" + INSTANCE_LOCK_FILE);
    }
    QDir().mkpath(root.filePath("instance-live"));
    HeldLock live(root.filePath("instance-live") + "/" + INSTANCE_LOCK_FILE);
    ASSERT_TRUE(live.locked());

    CInstanceFolder first(root.path());
    CInstanceFolder second(root.path()); // sweeps again, while the first runs
    for (const FolderCase& c : cases)
        EXPECT_EQ(QFileInfo::exists(root.filePath(c.name)), c.stays) << c.name;
    EXPECT_TRUE(QFileInfo::exists(root.filePath("instance-live")));
    ASSERT_TRUE(QFileInfo(first.path()).isDir());
    EXPECT_TRUE(QDir(first.path()).dirName().startsWith("instance-"));
    EXPECT_FALSE(HeldLock(first.path() + INSTANCE_LOCK_FILE).locked()) << "the instance holds its lock";
    EXPECT_NE(first.path(), second.path());

    WriteFile(second.path() + "Demo.mwc");
    first.RemoveIfUnused();
    second.RemoveIfUnused();
    EXPECT_FALSE(QFileInfo::exists(first.path()));
    EXPECT_TRUE(QFileInfo::exists(second.path() + "Demo.mwc"));
}

TEST(InstanceFolders, ThePathProviderSweepsTheWorkingCopiesRootAtStartUp)
{
    const QString dead = WorkingCopiesRoot() + "instance-deadone";
    WriteFile(dead + "/" + INSTANCE_LOCK_FILE);
    CQVFileLocations locations(nullptr);
    EXPECT_FALSE(QFileInfo::exists(dead));
    EXPECT_TRUE(locations.instanceTempDir().startsWith(WorkingCopiesRoot() + "instance-"));
    locations.RemoveInstanceFolderIfUnused();
    EXPECT_FALSE(QFileInfo::exists(locations.instanceTempDir()));
}
