#include "ProjectFixture.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "projects/InUseMarker.h"
#include "projects/ProjectRecovery.h"

#include "foundation/common/InstanceFolderLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

namespace {
// Another program instance holding the marker locked until it is ended.
bool LockMarker(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT, 0644);
    return fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}

// A running instance holds the lock of its instance folder until it ends.
bool HoldInstanceLock(const QString& folder)
{
    return LockMarker(folder + INSTANCE_LOCK_FILE);
}

bool IsLockFree(const QString& folder)
{
    return ChildProcess([&folder] { return CInstanceFolderLock(folder).Free(); }).succeeded();
}

nlink_t LinkCount(const QString& path)
{
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_nlink : 0;
}

bool RunToolCompletes(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// A received archive of the project folder whose marker is a hard-link entry naming a file the
// archive does not hold: extracted beside a file of that name, the marker becomes a link to it.
const char* const LINKED_MARKER_TAR = R"(import os, sys, tarfile
with tarfile.open(sys.argv[2], 'w') as t:
    for n in sorted(os.listdir(sys.argv[1])):
        t.add(os.path.join(sys.argv[1], n), arcname='Demo/' + n)
    link = tarfile.TarInfo('Demo/WorkingPath.txt')
    link.type = tarfile.LNKTYPE
    link.linkname = 'thesis.docx'
    t.addfile(link)
)";
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

// A folder whose instance still runs is that instance's: no recovery, and its lock stays its own.
// Once the instance has ended, its folder's lock is held here from the check to the release.
TEST_F(InUseMarkerTest, OnlyTheCopiesOfAnInstanceThatHasEndedAreOffered)
{
    WriteTextFile(m_marker, m_earlier.toUtf8());
    {
        ChildProcess running([this] { return HoldInstanceLock(m_earlier); });
        ASSERT_TRUE(running.succeeded());
        EXPECT_EQ(Check(), 0);
        EXPECT_TRUE(app.fileSet().previousWorkingCopyDir.isEmpty());
    }
    EXPECT_EQ(Check(), 2);
    EXPECT_FALSE(IsLockFree(m_earlier)) << "held while its copies may move";
    inUse.ReleaseEarlierInstance();
    EXPECT_TRUE(IsLockFree(m_earlier));
    EXPECT_TRUE(prompts.texts().isEmpty());
}

// A project folder received with its marker a hard link to a file of the user's: made by hand, or
// by extracting an archive beside that file. Opening and closing the project leaves the file as it
// was; the marker held meanwhile is a file of its own.
TEST_F(ProjectFixture, AMarkerHardLinkedToAUsersFileLeavesTheFileAsItWas)
{
    const QString demo = QFileInfo(WriteDemo()).absolutePath() + "/";
    for (const bool fromArchive : {false, true}) {
        SCOPED_TRACE(fromArchive ? "extracted from an archive" : "linked by hand");
        const QString received = root() + (fromArchive ? "received/" : "linked/");
        const QString thesis = received + "thesis.docx", folder = received + "Demo/";
        WriteTextFile(thesis, "precious user data\n");
        if (fromArchive) {
            const QString python = QStandardPaths::findExecutable("python3");
            const QString tar = QStandardPaths::findExecutable("tar");
            if (python.isEmpty() || tar.isEmpty())
                GTEST_SKIP() << "no python3 or tar to make and extract the archive";
            const QString archive = root() + "received.tar";
            ASSERT_TRUE(RunToolCompletes(python, {"-c", LINKED_MARKER_TAR, demo, archive}));
            ASSERT_TRUE(RunToolCompletes(tar, {"-xf", archive, "-C", received}));
        } else {
            ASSERT_TRUE(QDir().mkpath(folder));
            for (const QString& name : QDir(demo).entryList(QDir::Files))
                ASSERT_TRUE(QFile::copy(demo + name, folder + name));
            ASSERT_EQ(::link(QFile::encodeName(thesis).constData(),
                             QFile::encodeName(folder + "WorkingPath.txt").constData()),
                      0);
        }
        ASSERT_EQ(LinkCount(thesis), 2u) << "the marker is a hard link to the user's file";
        ASSERT_TRUE(OpenGiven(folder + "Demo.prj")) << prompts.lastText().toStdString();
        EXPECT_EQ(FileBytes(folder + "WorkingPath.txt"), instanceDir().toUtf8());
        EXPECT_EQ(LinkCount(thesis), 1u);
        EXPECT_TRUE(manager.CloseCurrentProject());
        EXPECT_EQ(FileBytes(thesis), "precious user data\n");
        EXPECT_FALSE(QFileInfo::exists(folder + "WorkingPath.txt"));
        EXPECT_TRUE(prompts.texts().isEmpty()) << prompts.lastText().toStdString();
    }
}

// Two instances: the second opens a copy of the project folder made while the first has the
// project open, so the copy's marker names the first one's folder. The first instance's copies
// are not the second's to take; once the first has ended, its own folder offers them.
TEST_F(ProjectFixture, ACopyOfAnOpenProjectLeavesTheRunningInstancesCopiesAlone)
{
    const QString path = WriteDemo(), copy = root() + "projects/Copy/";
    ChildProcess first([&] { return HoldInstanceLock(instanceDir()) && OpenGiven(path); });
    ASSERT_TRUE(first.succeeded());
    ASSERT_TRUE(QDir().mkpath(copy));
    for (const QString& name : QDir(projectDir()).entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(projectDir() + name, copy + name));
    ASSERT_EQ(FileBytes(copy + "WorkingPath.txt"), instanceDir().toUtf8());
    const QMap<QString, QByteArray> firstCopies = Snapshot(instanceDir());
    ASSERT_TRUE(firstCopies.contains("Demo.wc"));

    RootedAppContext second(root(), root() + "second-instance/");
    second.fileSet().defaultLanguageTemplatePath = defaultLanguage;
    CProjectManager secondManager(second.fileSet(), second.stepDatabases());
    ASSERT_TRUE(secondManager.OpenProjectByPath(copy + "Demo.prj")) << prompts.lastText().toStdString();
    EXPECT_TRUE(prompts.texts().isEmpty()) << prompts.lastText().toStdString();
    EXPECT_EQ(FileBytes(copy + "WorkingPath.txt"), (root() + "second-instance/").toUtf8());
    EXPECT_TRUE(secondManager.CloseCurrentProject());
    EXPECT_EQ(Snapshot(instanceDir()), firstCopies);

    first.Kill();
    prompts.expect(IDNO);
    ASSERT_TRUE(secondManager.OpenProjectByPath(path));
    EXPECT_EQ(prompts.texts(), QStringList{"A working copy of this Project exists and may contain unsaved "
                                           "work.\n\nDo you want to try to recover it?"});
    EXPECT_TRUE(secondManager.CloseCurrentProject());
}
