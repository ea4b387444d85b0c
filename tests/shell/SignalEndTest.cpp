#include "ScriptedPrompts.h"
#include "ShellTestSupport.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "projects/ProjectManager.h"
#include "shell/InstanceFolders.h"
#include "shell/MainFrame.h"
#include "shell/QuorvantaApp.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>

namespace {
constexpr int TIMEOUT_MS = 120000;
const char* const RECOVER_QUESTION = "A working copy of this Project exists and may contain unsaved "
                                     "work.\n\nDo you want to try to recover it?";
const char* const CHANGED = "Changed before the signal";

struct SignalCase {
    const char* name;
    int signal;
    bool changed;       // the project was changed before the signal
    bool beforeStartUp; // raised before start-up: it waits for the event loop
};

void PrintTo(const SignalCase& c, std::ostream* out)
{
    *out << c.name;
}

// The program, run by the driver on a generated project, ended by a signal; then opened again here.
class SignalEndTest : public ::testing::TestWithParam<SignalCase> {
protected:
    void SetUp() override
    {
        ResetShellProfile();
        ASSERT_TRUE(CProjectGenerator().Write(CProjectGenerator::DemoProject(), m_root.path() + "/Demo/"));
    }
    void TearDown() override
    {
        if (m_app)
            m_app->ExitInstance();
        m_app.reset();
        EXPECT_TRUE(m_prompts.allAnswersUsed());
    }
    // The driver's exit code once the signal ended it, -1 when it did not exit normally.
    int RunSignalledDriver(const SignalCase& c)
    {
        QProcess driver;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"})
            environment.insert(name, m_root.path() + "/child/" + name);
        ShareCacheWithChild();
        m_foldersBefore = InstanceFolders();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        driver.setProcessEnvironment(environment);
        QStringList arguments{m_project, c.changed ? "1" : "0"};
        if (c.beforeStartUp)
            arguments << QString::number(c.signal);
        driver.start(QStringLiteral(QV_SIGNAL_DRIVER), arguments);
        QByteArray output;
        while (!c.beforeStartUp && !output.contains("ready\n") && driver.waitForReadyRead(TIMEOUT_MS))
            output += driver.readAllStandardOutput();
        if (!c.beforeStartUp)
            ::kill(pid_t(driver.processId()), c.signal);
        driver.waitForFinished(TIMEOUT_MS);
        m_driverErrors = QString::fromLocal8Bit(driver.readAllStandardError());
        return driver.exitStatus() == QProcess::NormalExit ? driver.exitCode() : -1;
    }
    // The driver's cache folder is this process's: one user's instances share one working-copies
    // root, the only one a recovery takes working copies from.
    void ShareCacheWithChild() const
    {
        const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
        const QString childOrganization = m_root.path() + "/child/XDG_CACHE_HOME/" + PROFILE_ORGANIZATION;
        QDir().mkpath(cache);
        QDir().mkpath(childOrganization);
        ASSERT_TRUE(QFile::exists(childOrganization + "/" + PROFILE_APPLICATION) ||
                    QFile::link(cache, childOrganization + "/" + PROFILE_APPLICATION));
    }
    static QStringList InstanceFolders()
    {
        QStringList folders;
        for (const QString& name : QDir(WorkingCopiesRoot()).entryList({"instance-*"}, QDir::Dirs))
            folders << WorkingCopiesRoot() + name;
        return folders;
    }
    // The folders the driver left in the working-copies root it shares with this process.
    QStringList ChildInstanceFolders() const
    {
        QStringList folders = InstanceFolders();
        folders.removeIf([this](const QString& folder) { return m_foldersBefore.contains(folder); });
        return folders;
    }
    QString OpenedDescription() const
    {
        QSqlQuery query = GetProjectDatabase()->Query("SELECT Description FROM Project");
        return query.next() ? query.value(0).toString() : QString();
    }

    QTemporaryDir m_root;
    const QString m_project = m_root.path() + "/Demo/Demo.prj";
    QString m_driverErrors;
    QStringList m_foldersBefore;
    ScriptedPromptService m_prompts;
    std::unique_ptr<CQuorvantaApp> m_app;
};
} // namespace

TEST_P(SignalEndTest, AnUnchangedProjectClosesAndAChangedOneStaysForRecoveryWithoutAQuestion)
{
    const SignalCase& c = GetParam();
    ASSERT_EQ(RunSignalledDriver(c), 0) << m_driverErrors.toStdString();
    EXPECT_FALSE(m_driverErrors.contains("prompt:")) << m_driverErrors.toStdString();
    EXPECT_EQ(QFileInfo::exists(m_root.path() + "/Demo/WorkingPath.txt"), c.changed);
    const QStringList folders = ChildInstanceFolders();
    ASSERT_EQ(folders.size(), c.changed ? 1 : 0) << folders.join(' ').toStdString();
    for (const char* extension : {".wc", ".ewc", ".mwc"}) {
        if (c.changed) {
            EXPECT_TRUE(QFileInfo::exists(folders.first() + "/Demo" + extension)) << extension;
        }
    }

    if (c.changed)
        m_prompts.expect(IDYES);
    m_app = std::make_unique<CQuorvantaApp>();
    ASSERT_TRUE(m_app->InitInstance({"quorvanta", m_project}));
    ASSERT_TRUE(m_app->mainFrame()->IsProjectOpen());
    EXPECT_EQ(m_prompts.texts(), c.changed ? QStringList{RECOVER_QUESTION} : QStringList());
    EXPECT_EQ(OpenedDescription() == CHANGED, c.changed);
}

INSTANTIATE_TEST_SUITE_P(Signals, SignalEndTest,
                         ::testing::ValuesIn(std::vector<SignalCase>{
                             {"TermUnchanged", SIGTERM, false, false},
                             {"TermChanged", SIGTERM, true, false},
                             {"HangUpUnchanged", SIGHUP, false, false},
                             {"InterruptBeforeStartUpChanged", SIGINT, true, true},
                         }),
                         [](const auto& info) { return std::string(info.param.name); });

// Nothing could reopen an untitled project: a signal closes it as No. The session's end before
// it flushes the working copies and leaves the project open.
TEST(SignalEnd, AnUntitledProjectClosesAsNoAndTheSessionEndAsksNothing)
{
    ResetShellProfile();
    QTemporaryDir root;
    ASSERT_TRUE(CProjectGenerator().Write(CProjectGenerator::DemoProject(), root.path() + "/Demo/"));
    ScriptedPromptService prompts;
    CQuorvantaApp app;
    ASSERT_TRUE(app.InitInstance({"quorvanta", root.path() + "/Demo/Demo.prj"}));
    const QString workingCopy = GetWorkingCopyDir() + "Demo.wc";
    app.setProjectModified(true);
    app.CommitSessionData();
    EXPECT_TRUE(app.IsProjectOpen());
    app.projects().m_bUntitled = true;
    app.LeaveProjectOnSignal();
    EXPECT_FALSE(app.IsProjectOpen());
    EXPECT_FALSE(QFileInfo::exists(workingCopy));
    EXPECT_FALSE(QFileInfo::exists(root.path() + "/Demo/WorkingPath.txt"));
    app.ExitInstance();
    EXPECT_EQ(prompts.texts(), QStringList());
}
