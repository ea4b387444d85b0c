#include "foundation/common/PathHelpers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void touch(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

struct FileNameCase {
    QString path;
    bool removeExtension;
    QString expected;
};

void PrintTo(const FileNameCase& c, std::ostream* out)
{
    *out << c.path.toStdString() << (c.removeExtension ? " without extension" : "");
}

class FileNameFromPath : public ::testing::TestWithParam<FileNameCase> {};

} // namespace

TEST_P(FileNameFromPath, TakesTheLastComponent)
{
    EXPECT_EQ(GetFileNameFromPath(GetParam().path, GetParam().removeExtension), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Paths, FileNameFromPath,
                         ::testing::Values(FileNameCase{"/home/u/Demo.prj", false, "Demo.prj"},
                                           FileNameCase{"/home/u/Demo.prj", true, "Demo"},
                                           FileNameCase{"/home/u/Demo.v2.prj", true, "Demo.v2"},
                                           FileNameCase{"/home/u.d/Demo", true, "Demo"},
                                           FileNameCase{"C:\\Projects\\Old.qvt", true, "Old"},
                                           FileNameCase{"Plain.exs", true, "Plain"},
                                           FileNameCase{"/home/u/", false, ""}));

TEST(FindFileNoCase, FindsTheRealNameWhateverTheCase)
{
    QTemporaryDir root;
    touch(root.filePath("step_42.stp"));
    touch(root.filePath("QVSTEP_7"));
    QDir(root.path()).mkdir("Results");
    EXPECT_EQ(FindFileNoCase(root.path(), "STEP_42.STP"), root.filePath("step_42.stp"));
    EXPECT_EQ(FindFileNoCase(root.path() + "/", "qvstep_7"), root.filePath("QVSTEP_7"));
    EXPECT_EQ(FindFileNoCase(root.path(), "results"), root.filePath("Results"));
    EXPECT_EQ(FindFileNoCase(root.path(), "STEP_43.STP"), "");
    EXPECT_EQ(FindFileNoCase(root.path(), ""), "");
    EXPECT_EQ(FindFileNoCase(root.filePath("nowhere"), "step_42.stp"), "");
}

TEST(WithSlash, AddsOneSlashAndLeavesNoFolderEmpty)
{
    const std::pair<QString, QString> cases[] = {
        {"/home/u", "/home/u/"}, {"/home/u/", "/home/u/"}, {"/", "/"}, {"", ""}, {"work", "work/"}};
    for (const auto& [folder, expected] : cases)
        EXPECT_EQ(WithSlash(folder), expected) << folder.toStdString();
}
