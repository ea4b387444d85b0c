#include "foundation/common/CopyDirectory.h"
#include "QtPrinters.h"
#include "ScriptedPrompts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

    QTemporaryDir root;
    QString source;
    QString target;
};

} // namespace

TEST_F(CopyDirectoryTest, CopiesTheWholeTree)
{
    ScriptedPromptService prompts;
    ASSERT_TRUE(CopyDirectory(source, target));
    EXPECT_EQ(read(target + "/Demo.prj"), "project");
    EXPECT_EQ(read(target + "/STEP_4.STP"), "step");
    EXPECT_EQ(read(target + "/.hidden"), "dot file");
    EXPECT_EQ(read(target + "/Library/Pumps/pump.eqm"), "pump");
    EXPECT_TRUE(QFileInfo(target + "/Empty").isDir());
    EXPECT_TRUE(prompts.texts().isEmpty());
}

TEST_F(CopyDirectoryTest, AFailedFileCopyIsReportedAndEndsTheCopy)
{
    ScriptedPromptService prompts;
    prompts.expect(IDOK);
    auto failOnStep = [](const QString& from, const QString& to) {
        return !from.endsWith("STEP_4.STP") && CopyFileBytes(from, to);
    };
    EXPECT_FALSE(CopyDirectory(source, target, failOnStep));
    EXPECT_EQ(
        prompts.texts(),
        QStringList{QString("Failed to copy file from %1/STEP_4.STP to %2/STEP_4.STP").arg(source, target)});
}

TEST_F(CopyDirectoryTest, AnExistingTargetFileIsNotOverwritten)
{
    write(target + "/Demo.prj", "newer work");
    ScriptedPromptService prompts;
    prompts.expect(IDOK);
    EXPECT_FALSE(CopyDirectory(source, target));
    EXPECT_EQ(read(target + "/Demo.prj"), "newer work");
    EXPECT_EQ(prompts.lastText(),
              QString("Failed to copy file from %1/Demo.prj to %2/Demo.prj").arg(source, target));
}

TEST_F(CopyDirectoryTest, AMissingSourceIsAFailureNotAnEmptyCopy)
{
    ScriptedPromptService prompts;
    prompts.expect(IDOK);
    EXPECT_FALSE(CopyDirectory(root.filePath("Nothing"), target));
    EXPECT_EQ(
        prompts.texts(),
        QStringList{QString("Failed to copy file from %1 to %2").arg(root.filePath("Nothing"), target)});
    EXPECT_FALSE(QFileInfo::exists(target));
}

TEST_F(CopyDirectoryTest, ATargetInsideTheSourceIsNotCopiedIntoItself)
{
    const QString inside = source + "/Demo";
    ScriptedPromptService prompts;
    ASSERT_TRUE(CopyDirectory(source, inside));
    EXPECT_EQ(read(inside + "/Demo.prj"), "project");
    EXPECT_EQ(read(inside + "/Library/Pumps/pump.eqm"), "pump");
    EXPECT_FALSE(QFileInfo::exists(inside + "/Demo"));
}
