#include "ProjectFixture.h"

#include "foundation/common/concerns/AppContext.h"

#include <QDir>
#include <QStorageInfo>

class ProjectFilesTest : public ProjectFixture {
protected:
    void SetUp() override
    {
        m_folder = app.root() + "files/";
        QDir().mkpath(m_folder);
        app.fileSet().projectDir = m_folder;
    }
    QString m_folder;
};

// The need is beyond 32 bits; -1 is a free space that cannot be read.
TEST_F(ProjectFilesTest, FreeSpaceMustExceedTheNeedByTwoMegabytes)
{
    const qint64 needed = 5'000'000'000LL;
    for (const qint64 available : {needed + 2097152, needed + 2097153, qint64(0), qint64(-1)}) {
        manager.SetFreeSpaceProbe([available](const QString&) { return available; });
        const bool enough = available > needed + 2097152;
        if (!enough)
            prompts.expect(IDOK);
        EXPECT_EQ(manager.CheckDiskSpace(needed), enough) << available;
    }
    const QString notEnough = "There is not enough disk space in drive " + QStorageInfo(m_folder).rootPath() +
                              " to save the project!";
    EXPECT_EQ(prompts.texts(), QStringList({notEnough, notEnough, "Can't get available disk space!"}));
    EXPECT_EQ(frame.calls(), QStringList(2, "StopAutoSaveTimer"));
}

// The probe of a real folder: what the file system says is free; a folder that is not there has
// none that can be read.
TEST_F(ProjectFilesTest, TheFreeSpaceOfTheFolderIsReadFromItsFileSystem)
{
    manager.SetFreeSpaceProbe({});
    const qint64 available = QStorageInfo(m_folder).bytesAvailable();
    ASSERT_GT(available, 2097152);
    EXPECT_TRUE(manager.CheckDiskSpace(0));
    prompts.expect(IDOK);
    EXPECT_FALSE(manager.CheckDiskSpace(available * 2));
    app.fileSet().projectDir = m_folder + "missing/";
    prompts.expect(IDOK);
    EXPECT_FALSE(manager.CheckDiskSpace(0));
    EXPECT_EQ(prompts.texts(), QStringList({"There is not enough disk space in drive " +
                                                QStorageInfo(m_folder).rootPath() + " to save the project!",
                                            "Can't get available disk space!"}));
}

TEST_F(ProjectFilesTest, AReadOnlyFileIsUnusableAndSaysWhy)
{
    const QString path = m_folder + "Demo.eqm";
    WriteTextFile(path, QByteArray(10, 'x'));
    EXPECT_FALSE(manager.CheckProjectFile(path));
    manager.SetWriteAccessProbe([](const QString&) { return false; });
    prompts.expect(IDOK);
    EXPECT_TRUE(manager.CheckProjectFile(path));
    EXPECT_EQ(prompts.texts(), QStringList{"The file " + path +
                                           " is read-only.  \n\nTamro Plenthover requires this file to be "
                                           "writable in order to open the project."});
}

// A file that cannot be opened counts zero after its message; so does a step folder with a
// read-only step.
TEST_F(ProjectFilesTest, DatabaseSizesAddUpWithTheLogBeside)
{
    QString folder;
    EXPECT_EQ(manager.GetStepDatabasesSize(folder), 0);
    EXPECT_EQ(folder, m_folder);
    WriteTextFile(m_folder + "STEP_1.STP", QByteArray(100, 'x'));
    WriteTextFile(m_folder + "STEP_2.stp", QByteArray(20, 'x'));
    WriteTextFile(m_folder + "STEP_3.stp1", QByteArray(5000, 'x'));
    WriteTextFile(m_folder + "Demo.wc", QByteArray(300, 'x'));
    WriteTextFile(m_folder + "Demo.wc-wal", QByteArray(40, 'x'));
    EXPECT_EQ(manager.GetStepDatabasesSize(folder), 120);
    EXPECT_EQ(manager.GetDatabaseFileSize(m_folder + "Demo.wc", "project database"), 340);
    manager.SetWriteAccessProbe([](const QString& path) { return !path.endsWith("STEP_2.stp"); });
    prompts.expect(IDOK);
    prompts.expect(IDOK);
    EXPECT_EQ(manager.GetStepDatabasesSize(folder), 0);
    EXPECT_EQ(manager.GetDatabaseFileSize(m_folder + "missing.wc", "project database"), 0);
    EXPECT_EQ(prompts.lastText(), "Can't open project database file!");
}

TEST_F(ProjectFilesTest, BlankProjectsAreEnabledUnlessTheProfileDisablesThem)
{
    EXPECT_TRUE(manager.AreBlankProjectsEnabled());
    app.profile()->setValue("Options/DisableBlankProjects", 1);
    EXPECT_FALSE(manager.AreBlankProjectsEnabled());
    app.profile()->setValue("Options/DisableBlankProjects", 2);
    EXPECT_TRUE(manager.AreBlankProjectsEnabled());
}
