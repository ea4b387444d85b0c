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
