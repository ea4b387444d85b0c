#include "shell/ProfileSettingsFile.h"

#include "Deadline.h"
#include "ScriptedProjectDialogs.h"
#include "ScriptedPrompts.h"
#include "ShellTestSupport.h"
#include "foundation/common/AutomationFlag.h"
#include "shell/QuorvantaApp.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
const QString ORGANIZATION = QStringLiteral("KovistrelProfileTest");
const QString APPLICATION = QStringLiteral("Profile");
const QByteArray WRITTEN = "[Options]\nAutoSave=17\n";

enum class Standing { Nothing, Regular, LinkToRegular, Pipe, Folder, Socket, DanglingLink, LinkToPipe };

// What stands under the name, and what it says while it stands: its kind, and a regular file's bytes.
QString Describe(const QString& path)
{
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return QStringLiteral("nothing");
    if (S_ISLNK(status.st_mode))
        return "link to " + QFileInfo(path).symLinkTarget();
    if (S_ISFIFO(status.st_mode))
        return QStringLiteral("pipe");
    if (S_ISSOCK(status.st_mode))
        return QStringLiteral("socket");
    if (S_ISDIR(status.st_mode))
        return "folder of " + QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).join(',');
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? "file " + QString::fromUtf8(file.readAll()) : QStringLiteral("?");
}

class ProfileSettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = ProfileSettingsPath(ORGANIZATION, APPLICATION);
        folder = QFileInfo(path).absolutePath();
        QDir(folder).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(folder));
        QFile::remove(outside.filePath("target"));
    }
    void TearDown() override
    {
        if (socketFd >= 0)
            ::close(socketFd);
        socketFd = -1;
        QDir(folder).removeRecursively();
    }

    // The standing under the profile's name; outside the folder, the file links point to.
    void Make(Standing standing)
    {
        const QByteArray name = QFile::encodeName(path);
        const QString target = outside.filePath("target");
        switch (standing) {
        case Standing::Nothing:
            break;
        case Standing::Regular:
            WriteBytes(path, WRITTEN);
            break;
        case Standing::LinkToRegular:
            WriteBytes(target, WRITTEN);
            ASSERT_TRUE(QFile::link(target, path));
            break;
        case Standing::Pipe:
            ASSERT_EQ(::mkfifo(name.constData(), 0600), 0);
            break;
        case Standing::Folder:
            ASSERT_TRUE(QDir().mkdir(path));
            break;
        case Standing::Socket: {
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            ASSERT_LT(name.size(), qsizetype(sizeof address.sun_path));
            std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
            socketFd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            ASSERT_EQ(::bind(socketFd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
            break;
        }
        case Standing::DanglingLink:
            ASSERT_TRUE(QFile::link(target, path));
            break;
        case Standing::LinkToPipe:
            ASSERT_EQ(::mkfifo(QFile::encodeName(target).constData(), 0600), 0);
            ASSERT_TRUE(QFile::link(target, path));
            break;
        }
    }
    static void WriteBytes(const QString& file, const QByteArray& bytes)
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        ASSERT_EQ(out.write(bytes), bytes.size());
    }

    QString path, folder;
    QTemporaryDir outside;
    int socketFd = -1;
};
} // namespace

// Nothing or a regular file (a link to one too) under the name is Qt's settings file: read, and
// written at the end. Anything else is left alone and named: the settings start empty, and neither
// the name, what a link names, nor the folder holds anything new after they are written.
TEST_F(ProfileSettingsFileTest, OnlyNothingOrARegularFileIsUsed)
{
    const struct {
        Standing standing;
        const char* label;
        QString kind; // in the text the user is told; empty: the file is used
    } cases[] = {
        {Standing::Nothing, "nothing", {}},
        {Standing::Regular, "a regular file", {}},
        {Standing::LinkToRegular, "a link to a regular file", {}},
        {Standing::Pipe, "a named pipe", "a named pipe"},
        {Standing::Folder, "a folder", "a folder"},
        {Standing::Socket, "a socket", "a socket"},
        {Standing::DanglingLink, "a link that names nothing", "a symbolic link that names no file"},
        {Standing::LinkToPipe, "a link to a named pipe", "a named pipe"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        SetUp();
        Make(c.standing);
        const QString before = Describe(path), outsideBefore = Describe(outside.filePath("target"));
        const QStringList folderBefore = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        {
            const Deadline deadline(std::chrono::seconds(30), c.label);
            ProfileSettings profile = OpenProfileSettings(ORGANIZATION, APPLICATION);
            const bool written = c.standing == Standing::Regular || c.standing == Standing::LinkToRegular;
            EXPECT_EQ(profile.settings->value("Options/AutoSave", 0).toInt(), written ? 17 : 0);
            profile.settings->setValue("Options/AutoSave", 9);
            if (c.kind.isEmpty()) {
                EXPECT_EQ(profile.leftAlone, "");
                EXPECT_EQ(profile.settings->fileName(), QSettings(ORGANIZATION, APPLICATION).fileName());
            } else {
                EXPECT_EQ(profile.leftAlone,
                          QStringLiteral(
                              "The file \"%1\" is %2, not a regular file: it is not read. The program starts "
                              "with its default settings and writes nothing to that file.")
                              .arg(path, c.kind));
            }
        }
        if (c.kind.isEmpty()) {
            const QString settings =
                c.standing == Standing::LinkToRegular ? outside.filePath("target") : path;
            EXPECT_EQ(QSettings(settings, QSettings::IniFormat).value("Options/AutoSave").toInt(), 9);
            if (c.standing == Standing::LinkToRegular) {
                EXPECT_EQ(Describe(path), before) << "the link stays";
            }
            continue;
        }
        EXPECT_EQ(Describe(path), before);
        EXPECT_EQ(Describe(outside.filePath("target")), outsideBefore);
        EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), folderBefore);
        TearDown();
    }
}

// At start a pipe under the program's own settings name holds nothing up: the user is told which
// file was left alone, once, and the program quits without writing there.
TEST(ProfileSettingsStartTest, APipeAsTheSettingsFileIsToldAndLeftAlone)
{
    ResetShellProfile();
    const QString path = ProfileSettingsPath(PROFILE_ORGANIZATION, PROFILE_APPLICATION);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile::remove(path);
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    CancelledProjectDialogs chooser;
    ScriptedPromptService prompts;
    prompts.expect(IDOK);
    {
        const Deadline deadline(std::chrono::seconds(60), "a start with a pipe as the settings file");
        CQuorvantaApp app;
        ASSERT_TRUE(app.InitInstance({"quorvanta"}));
        app.AddToRecentFileList(QStringLiteral("/nowhere/Demo.prj"));
        app.ExitInstance();
    }
    g_bAutomationActive = false;
    EXPECT_EQ(prompts.texts(),
              QStringList{
                  QStringLiteral("The file \"%1\" is a named pipe, not a regular file: it is not read. The "
                                 "program starts with its default settings and writes nothing to that file.")
                      .arg(path)});
    EXPECT_EQ(Describe(path), "pipe");
    ASSERT_TRUE(QFile::remove(path));
}
