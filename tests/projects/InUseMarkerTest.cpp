#include "ProjectFixture.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/DatabaseFiles.h"
#include "projects/InUseMarker.h"
#include "projects/ProjectRecovery.h"

#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <sys/file.h>

namespace {
// Another program instance holding the marker locked until it is ended.
bool LockMarker(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT, 0644);
    return fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}
} // namespace

class InUseMarkerTest : public ProjectFixture {
protected:
    // A project folder with Demo.prj/.eqm/.mtl and an earlier instance's folder with its copies.
    void SetUp() override
    {
        for (const char* name : {"Demo.prj", "Demo.eqm", "Demo.mtl"})
            WriteTextFile(m_folder + name, "x");
        for (const char* name : {"Demo.wc", "Demo.ewc", "Demo.mwc"})
            WriteTextFile(m_earlier + name, "x");
        app.fileSet().projectFilePath = m_folder + "Demo.prj";
    }

    int Check()
    {
        QString folder, name;
        const int result = inUse.CheckProjectInUse(folder, name);
        EXPECT_EQ(folder + name, m_folder + "Demo");
        return result;
    }

    CInUseMarker inUse{app.fileSet()};
    const QString m_folder = app.root() + "projects/Demo/", m_earlier = app.root() + "earlier/";
    const QString m_marker = m_folder + "WorkingPath.txt";
};

TEST_F(InUseMarkerTest, TheMarkerDecidesWhatCanBeRecovered)
{
    EXPECT_EQ(Check(), 0); // no marker
    // A marker of several lines names their concatenation.
    const QByteArray earlier = m_earlier.toUtf8();
    WriteTextFile(m_marker, earlier.left(5) + "\n" + earlier.mid(5) + "\r\n");
    EXPECT_EQ(Check(), 2);
    EXPECT_EQ(app.fileSet().previousWorkingCopyDir, m_earlier);
    EXPECT_EQ(app.fileSet().previousProjectDBPath, m_earlier + "Demo.wc");
    EXPECT_EQ(app.fileSet().previousEquipmentDBPath, m_earlier + "Demo.ewc");
    EXPECT_EQ(app.fileSet().previousMaterialsDBPath, m_earlier + "Demo.mwc");
    QFile::remove(m_folder + "Demo.mtl");
    EXPECT_EQ(Check(), 1);
    QFile::remove(m_earlier + "Demo.ewc"); // the earlier folder was emptied
    EXPECT_EQ(Check(), 0);
    EXPECT_TRUE(prompts.texts().isEmpty());
}

// Another instance releasing the marker (unlink, then unlock) between our open and our lock leaves
// us a lock on an unlinked file that guards nothing: the marker is opened again.
TEST_F(InUseMarkerTest, TheMarkerIsLockedByOneInstanceOnlyAndDeletedByItsHolder)
{
    WriteTextFile(m_marker, m_earlier.toUtf8());
    {
        ChildProcess other([this] { return LockMarker(m_marker); });
        ASSERT_TRUE(other.succeeded());
        EXPECT_FALSE(inUse.WriteInUseMarker(m_folder));
        EXPECT_FALSE(inUse.Holds());
        EXPECT_EQ(FileBytes(m_marker), m_earlier.toUtf8()); // the holder's content is untouched
    }
    inUse.Release(); // deletes only a marker this instance holds
    EXPECT_TRUE(QFileInfo::exists(m_marker));
    int locks = 0;
    inUse.SetLockProbe([&locks](const QString& marker) {
        if (locks++ == 0)
            QFile::remove(marker);
    });
    ASSERT_TRUE(inUse.WriteInUseMarker(m_folder));
    EXPECT_EQ(locks, 2);
    EXPECT_EQ(FileBytes(m_marker), instanceDir().toUtf8());
    EXPECT_FALSE(ChildProcess([this] { return LockMarker(m_marker); }).succeeded());
    inUse.Release();
    EXPECT_FALSE(QFileInfo::exists(m_marker));
}

// The earlier instance's working copies are gone between the check and the write-back: the
// copies back fail before anything is moved aside, and the open stops.
TEST_F(ProjectFixture, AMissingWorkingCopyStopsTheRecoveryWithItsMessageAndChangesNothing)
{
    WriteDemo();
    const QString earlier = app.root() + "earlier/";
    LeaveEarlierInstance(projectDir(), earlier);
    ASSERT_TRUE(DeleteDatabaseFile(earlier + "Demo.mwc"));
    QFile older(projectDir() + "Demo.prj1");
    ASSERT_TRUE(older.open(QIODevice::WriteOnly) && older.write("older") == 5);
    older.close();
    const QMap<QString, QByteArray> project = Snapshot(projectDir()), copies = Snapshot(earlier);
    ProjectFileSet& files = app.fileSet();
    files.previousWorkingCopyDir = earlier;
    files.previousProjectDBPath = earlier + "Demo.wc";
    files.previousEquipmentDBPath = earlier + "Demo.ewc";
    files.previousMaterialsDBPath = earlier + "Demo.mwc";
    prompts.expect(IDOK);
    EXPECT_FALSE(CProjectRecovery(files).ReplaceProjectFiles(projectDir(), instanceDir(), "Demo"));
    EXPECT_EQ(prompts.lastText(), "Failed to copy project material file \"" + projectDir() +
                                      "Demo.mtl\" !\n\nCould not find file '" + earlier + "Demo.mwc'.");
    EXPECT_EQ(Snapshot(projectDir()), project);
    EXPECT_EQ(Snapshot(earlier), copies);
}
