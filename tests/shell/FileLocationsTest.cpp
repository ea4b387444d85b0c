#include "shell/CommandLineInfo.h"
#include "shell/QVFileLocations.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QString writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}
} // namespace

TEST(QVFileLocations, EachInstanceHasItsFolderKeptWhileWorkingCopiesAreInIt)
{
    QDir().mkpath(QV_DATA_DIR); // run from the build tree, the install data is the build tree's share
    EXPECT_EQ(CQVFileLocations::FindInstallDir(), QString(QV_DATA_DIR) + "/");
    CQVFileLocations first(nullptr);
    CQVFileLocations second(nullptr);
    EXPECT_TRUE(first.workingDir().endsWith("/Quorvanta/"));
    EXPECT_EQ(first.languageDir(), first.installDir() + "Language/");
    EXPECT_NE(first.instanceTempDir(), second.instanceTempDir());
    EXPECT_TRUE(QFileInfo(first.instanceTempDir()).isDir());
    first.RemoveInstanceFolderIfUnused();
    EXPECT_FALSE(QFileInfo::exists(first.instanceTempDir()));
    const QString copy = writeFile(second.instanceTempDir() + "Demo.wc", "db");
    second.RemoveInstanceFolderIfUnused();
    EXPECT_TRUE(QFile::exists(copy));
    QDir(second.instanceTempDir()).removeRecursively();
}

TEST(QVFileLocations, WorkingFolderIsStoredInTheProfileAndReadBack)
{
    QTemporaryDir dir;
    QSettings profile(dir.filePath("profile.ini"), QSettings::IniFormat);
    const QString folder = dir.path() + "/Projects";
    QDir().mkpath(folder);
    {
        CQVFileLocations locations(&profile);
        locations.SetWorkingDirectory(folder);
        locations.RemoveInstanceFolderIfUnused();
    }
    CQVFileLocations again(&profile);
    EXPECT_EQ(again.workingDir(), folder + "/");
    again.RemoveInstanceFolderIfUnused();
}

// A template with a journal beside it is never copied byte for byte.
TEST(QVFileLocations, AWritableTemplateIsUsedInPlaceAndAnotherIsCopiedToTheInstanceFolder)
{
    QTemporaryDir dir;
    const QString mine = writeFile(dir.filePath("Mine.lng"), "db");
    const QString source = writeFile(dir.filePath("Language/QVEnglish.lng"), "language database");
    QFile::setPermissions(source, QFileDevice::ReadOwner);
    const QString busy = writeFile(dir.filePath("Busy.lng"), "db");
    writeFile(busy + "-wal", "pending");
    CQVFileLocations locations(nullptr);
    locations.SetAccessProbe([&](const QString& path) { return path != source && path != busy; });
    ASSERT_TRUE(locations.SetLanguageFile(mine));
    EXPECT_FALSE(locations.SetLanguageFile(dir.filePath("Missing.lng")));
    EXPECT_FALSE(locations.SetLanguageFile(busy));
    EXPECT_EQ(locations.workingLanguageDBPath(), mine);
    ASSERT_TRUE(locations.SetLanguageFile(source));
    const QString copy = locations.workingLanguageDBPath();
    EXPECT_EQ(copy, locations.instanceTempDir() + "Language/QVEnglish.lng");
    QFile file(copy);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "language database");
    EXPECT_TRUE(QFileInfo(copy).permissions() & QFileDevice::WriteOwner);
    EXPECT_EQ(locations.languageTemplatePath(), source);
    locations.RemoveInstanceFolderIfUnused();
    EXPECT_FALSE(QFileInfo::exists(locations.instanceTempDir()));
}

TEST(CommandLineInfo, TakesOneFileAndTheEmbeddingAndAutomationSwitches)
{
    struct Case {
        QStringList arguments;
        QString file;
        bool embedding, automation;
    };
    const QList<Case> cases = {
        {{"q"}, "", false, false},
        {{"q", "/home/u/Demo.qvz", "Other.prj"}, "/home/u/Demo.qvz", false, false},
        {{"q", "-Embedding"}, "", true, false},
        {{"q", "/Automation"}, "", false, true},
        {{"q", "-automation", "x.prj"}, "x.prj", false, true},
        {{"q", "-unknown"}, "", false, false},
    };
    for (const Case& c : cases) {
        const CCommandLineInfo info = CCommandLineInfo::Parse(c.arguments);
        EXPECT_EQ(info.fileName, c.file) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(info.embedding, c.embedding);
        EXPECT_EQ(info.automation, c.automation);
        EXPECT_EQ(info.RunsHidden(), c.embedding || c.automation);
    }
}
