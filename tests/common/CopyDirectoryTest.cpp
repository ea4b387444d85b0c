#include "foundation/common/CopyDirectory.h"
#include "QtPrinters.h"
#include "ScriptedPrompts.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

void write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

class CopyDirectoryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        source = root.filePath("Demo");
        target = root.filePath("Copy/Demo(1)");
        write(source + "/Demo.prj", "project");
        write(source + "/STEP_4.STP", "step");
        write(source + "/.hidden", "dot file");
        write(source + "/Library/Pumps/pump.eqm", "pump");
        QDir(source).mkpath("Empty");
    }

    QString failedCopy(const QString& from, const QString& to) const
    {
        return QString("Failed to copy file from %1 to %2").arg(from, to);
    }

    QTemporaryDir root;
    QString source;
    QString target;
    ScriptedPromptService prompts;
};

} // namespace

TEST_F(CopyDirectoryTest, CopiesTheWholeTree)
{
    ASSERT_TRUE(CopyDirectory(source, target));
    EXPECT_EQ(read(target + "/Demo.prj"), "project");
    EXPECT_EQ(read(target + "/STEP_4.STP"), "step");
    EXPECT_EQ(read(target + "/.hidden"), "dot file");
    EXPECT_EQ(read(target + "/Library/Pumps/pump.eqm"), "pump");
    EXPECT_TRUE(QFileInfo(target + "/Empty").isDir());
}

TEST_F(CopyDirectoryTest, AFailedFileCopyIsReportedAndEndsTheCopy)
{
    prompts.expect(IDOK);
    auto failOnStep = [](const QString& from, const QString& to) {
        return !from.endsWith("STEP_4.STP") && CopyFileBytes(from, to);
    };
    EXPECT_FALSE(CopyDirectory(source, target, failOnStep));
    EXPECT_EQ(prompts.texts(), QStringList{failedCopy(source + "/STEP_4.STP", target + "/STEP_4.STP")});
}

TEST_F(CopyDirectoryTest, AnExistingTargetFileIsNotOverwritten)
{
    write(target + "/Demo.prj", "newer work");
    prompts.expect(IDOK);
    EXPECT_FALSE(CopyDirectory(source, target));
    EXPECT_EQ(read(target + "/Demo.prj"), "newer work");
    EXPECT_EQ(prompts.texts(), QStringList{failedCopy(source + "/Demo.prj", target + "/Demo.prj")});
}

TEST_F(CopyDirectoryTest, AMissingSourceIsAFailureNotAnEmptyCopy)
{
    prompts.expect(IDOK);
    EXPECT_FALSE(CopyDirectory(root.filePath("Nothing"), target));
    EXPECT_EQ(prompts.texts(), QStringList{failedCopy(root.filePath("Nothing"), target)});
    EXPECT_FALSE(QFileInfo::exists(target));
}

TEST_F(CopyDirectoryTest, ATargetInsideTheSourceIsNotCopiedIntoItself)
{
    const QString inside = source + "/Demo";
    ASSERT_TRUE(CopyDirectory(source, inside));
    EXPECT_EQ(read(inside + "/Demo.prj"), "project");
    EXPECT_EQ(read(inside + "/Library/Pumps/pump.eqm"), "pump");
    EXPECT_FALSE(QFileInfo::exists(inside + "/Demo"));
}

TEST_F(CopyDirectoryTest, CopiesOfReadOnlyFilesAndFoldersGetTheUsersWriteBits)
{
    const auto readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const auto readOnlyFolder = readOnly | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    for (const char* file : {"/Demo.prj", "/Library/Pumps/pump.eqm"})
        ASSERT_TRUE(QFile::setPermissions(source + file, readOnly));
    ASSERT_TRUE(QFile::setPermissions(source + "/Library", readOnlyFolder));
    auto keepMode = [](const QString& from, const QString& to) { // as the database layer's copy does
        struct stat status {};
        return CopyFileBytes(from, to) && ::stat(QFile::encodeName(from).constData(), &status) == 0 &&
               ::chmod(QFile::encodeName(to).constData(), status.st_mode & 07777) == 0;
    };
    ASSERT_TRUE(CopyDirectory(source, target, keepMode));
    QFile::setPermissions(source + "/Library", readOnlyFolder | QFile::WriteOwner);
    for (const char* file : {"/Demo.prj", "/Library/Pumps/pump.eqm", "/STEP_4.STP"})
        EXPECT_TRUE(QFile::permissions(target + file) & QFile::WriteOwner) << file;
    const auto userFolder = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    for (const char* folder : {"", "/Library", "/Library/Pumps", "/Empty"})
        EXPECT_EQ(QFile::permissions(target + folder) & userFolder, userFolder) << folder;
}

// The copy fails at STEP_4.STP, after .hidden, Demo.prj, Empty and Library were copied. Into a new
// folder, the folder goes with its new parent; into an existing one, only what the copy added goes.
TEST_F(CopyDirectoryTest, AFailedCopyRemovesWhatItMadeAndNothingElse)
{
    auto failOnStep = [](const QString& from, const QString& to) {
        return !from.endsWith("STEP_4.STP") && CopyFileBytes(from, to);
    };
    prompts.expect(IDOK);
    EXPECT_FALSE(CopyDirectory(source, target, failOnStep));
    EXPECT_FALSE(QFileInfo::exists(root.filePath("Copy")));

    write(target + "/keep.txt", "mine");
    write(target + "/Library/old.eqm", "old");
    prompts.expect(IDOK);
    EXPECT_FALSE(CopyDirectory(source, target, failOnStep));
    QStringList left;
    QDirIterator entries(target, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext())
        left << QDir(target).relativeFilePath(entries.next());
    left.sort();
    EXPECT_EQ(left, (QStringList{"Library", "Library/old.eqm", "keep.txt"}));
}

// A file copy under a new name that nobody keeps is taken back with the folder it made.
TEST_F(CopyDirectoryTest, AFolderCopyNotKeptIsTakenBack)
{
    const QString folder = root.filePath("New/Project");
    {
        FolderCopy copy(folder);
        ASSERT_TRUE(copy.CopyFile(source + "/Demo.prj", "Project.prj"));
        EXPECT_EQ(read(folder + "/Project.prj"), "project");
    }
    EXPECT_FALSE(QFileInfo::exists(root.filePath("New")));
    FolderCopy kept(folder);
    ASSERT_TRUE(kept.CopyFile(source + "/Demo.prj", "Project.prj"));
    kept.Keep();
    EXPECT_EQ(read(folder + "/Project.prj"), "project");
}
