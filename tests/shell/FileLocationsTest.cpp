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

// The working folder set on one instance is stored in the profile; the next one reads it back.
TEST(QVFileLocations, EachInstanceHasItsFolderKeptWhileWorkingCopiesAreInIt)
{
    QDir().mkpath(QV_DATA_DIR); // run from the build tree, the install data is the build tree's share
    EXPECT_EQ(CQVFileLocations::FindInstallDir(), QString(QV_DATA_DIR) + "/");
    QTemporaryDir dir;
    QSettings profile(dir.filePath("profile.ini"), QSettings::IniFormat);
    CQVFileLocations first(&profile);
    EXPECT_TRUE(first.workingDir().endsWith("/Quorvanta/"));
    EXPECT_EQ(first.languageDir(), first.installDir() + "Language/");
    first.SetWorkingDirectory(dir.path());
    CQVFileLocations second(&profile);
    EXPECT_EQ(second.workingDir(), dir.path() + "/");
    EXPECT_NE(first.instanceTempDir(), second.instanceTempDir());
    EXPECT_TRUE(QFileInfo(first.instanceTempDir()).isDir());
    first.RemoveInstanceFolderIfUnused();
    EXPECT_FALSE(QFileInfo::exists(first.instanceTempDir()));
    const QString copy = writeFile(second.instanceTempDir() + "Demo.wc", "db");
    second.RemoveInstanceFolderIfUnused();
    EXPECT_TRUE(QFile::exists(copy));
    QDir(second.instanceTempDir()).removeRecursively();
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
        {{"q", "-automation", "x.prj"}, QDir::current().absoluteFilePath("x.prj"), false, true},
        {{"q", "Demo/Demo.prj"}, QDir::currentPath() + "/Demo/Demo.prj", false, false},
        {{"q", "./Demo/../Demo.prj"}, QDir::currentPath() + "/Demo.prj", false, false},
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
