#include "ScriptedProjectDialogs.h"
#include "ScriptedPrompts.h"
#include "SentPackages.h"
#include "ShellTestSupport.h"
#include "automation/AutomationInvoke.h"
#include "automation/QuorvantaAut.h"
#include "foundation/common/AutomationFlag.h"
#include "foundation/common/CommandIds.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/DocumentKinds.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "shell/MainFrame.h"
#include "shell/QuorvantaApp.h"

#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QDBusConnection>
#include <gtest/gtest.h>

namespace {
const QStringList kStartupSteps =
    QString("RaiseOpenFileLimit InitializeOle SetRegistryKey LoadUserSettings CreateRecentFileLists "
            "RegisterUserInterfaceManagers CreatePathProvider CreateMainFrame ShowSplash InitializeEngine "
            "ParseCommandLine RegisterDocumentTemplates RegisterServerAndFileTypes")
        .split(' ');
const QStringList kShownSteps = QString("PrepareCommandLineFile ShowMainFrame ReadProfileSettings "
                                        "RenameOldUserTemplates CreateOperatingInstructionsEntry CloseSplash")
                                    .split(' ');

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetShellProfile();
        makeApp();
    }
    void TearDown() override
    {
        app.reset();
        g_bAutomationActive = false;
    }
    void makeApp()
    {
        g_bAutomationActive = false;
        steps.clear();
        app.reset(); // an application object gives back the services it took before the next takes them
        app = std::make_unique<CQuorvantaApp>();
        app->SetStepRecorder([this](const QString& step) { steps << step; });
    }
    // A new application object over the same profile and settings file.
    void restart()
    {
        app->ExitInstance();
        app.reset();
        makeApp();
        ASSERT_TRUE(app->InitInstance({"quorvanta"}));
    }

    CancelledProjectDialogs chooser; // shown at every start-up without a file
    std::unique_ptr<CQuorvantaApp> app;
    QStringList steps;
};
} // namespace

TEST_F(StartupTest, WithoutAFileTheStepsRunInOrderAndTheShutDownInItsOwn)
{
    ASSERT_TRUE(app->InitInstance({"quorvanta"}));
    EXPECT_EQ(steps, kStartupSteps + kShownSteps + QStringList{"ChooseStartupProject"});
    EXPECT_EQ(chooser.titles(), QStringList{"Tamro Plenthover"});
    EXPECT_TRUE(app->mainFrame()->isVisible());
    EXPECT_FALSE(app->IsSplashShown());
    EXPECT_EQ(GetAppContext(), app.get());
    EXPECT_EQ(GetProjectLifecycleServices(), app->mainFrame());
    EXPECT_EQ(ServiceSlot<ProjectControl>::Get(), app.get());
    for (const char* name : {"ProcessTreeMenu", "PlanMenu", "FacilityTreeMenu", "RecipeTextMenu",
                             "MDITabMenu", "StandardStatementMenu"})
        EXPECT_NE(app->contextMenu(name), nullptr) << name;
    EXPECT_EQ(app->documents().Names(), DocumentKindNames());
    EXPECT_EQ(app->documents().Find("html views")->resourceID, 131);
    steps.clear();
    app->ExitInstance();
    EXPECT_EQ(steps, QStringList({"TerminateGridLibrary", "CloseProject", "FreeModuleEntries",
                                  "CloseViewerWindows", "SaveUserSettings"}));
}

TEST_F(StartupTest, AutomationStartsHiddenAndPromptsAnswerUnseen)
{
    for (const char* flag : {"-Automation", "-Embedding", "/automation"}) {
        SetUp();
        ScriptedPromptService prompts; // any prompt reaching it would fail the test
        // The start serves the scripting objects on the session bus; without one it ends.
        const bool bus = QDBusConnection::sessionBus().isConnected();
        ASSERT_EQ(app->InitInstance({"quorvanta", flag}), bus) << flag;
        EXPECT_FALSE(app->mainFrame()->isVisible()) << flag;
        EXPECT_TRUE(g_bAutomationActive) << flag;
        EXPECT_EQ(steps, kStartupSteps + (QStringList{"CloseSplash", "ClaimAutomationBus"})) << flag;
        EXPECT_EQ(QvMessageBox("Save?", MB_YESNOCANCEL | MB_DEFBUTTON2), IDNO) << flag;
        TearDown();
        EXPECT_EQ(GetPromptService(), &prompts) << "the test's prompts are back after the exit";
    }
}

// A window started hidden comes up maximised the first time a script shows it; after the user
// restored it, hiding and showing again keeps it at normal size.
TEST_F(StartupTest, AScriptShowsAHiddenStartMaximisedOnlyTheFirstTime)
{
    ScriptedPromptService prompts;
    app->InitInstance({"quorvanta", "-Automation"});
    CMainFrame* frame = app->mainFrame();
    ASSERT_FALSE(frame->isVisible());
    const auto root = std::make_shared<CQuorvantaAut>();
    const auto putVisible = [&](long value) {
        ASSERT_TRUE(InvokeAutomation(root, InvokeKind::Put, "Visible", {CAutomationVariant::Long(value)}).ok());
    };
    putVisible(1);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(frame->isMaximized());
    frame->showNormal();
    putVisible(0);
    EXPECT_FALSE(frame->isVisible());
    putVisible(1);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_FALSE(frame->isMaximized());
    TearDown();
}

// A damaged package named on the command line is refused with its reason before anything is
// unpacked into the working folder, a package that holds no whole project once unpacked and checked
// in a staging folder: the program starts without a project, and no folder is left in the working
// folder.
TEST_F(StartupTest, ADamagedPackageOnTheCommandLineIsRefusedWithItsReason)
{
    QTemporaryDir root;
    ASSERT_TRUE(CProjectGenerator().Write(CProjectGenerator::DemoProject(), root.path() + "/Demo/"));
    const QList<SentPackage> packages =
        WriteSentPackages(root.path() + "/Demo/", "Demo", root.path() + "/Sent/");
    // The working folder of a reset profile. Earlier cases of the process may have left folders
    // there: what counts is that none is added.
    const QDir working(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/Quorvanta");
    const QStringList before = working.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const SentPackage& package : packages.mid(2, packages.size() - 3)) {
        SCOPED_TRACE(package.label.toStdString());
        makeApp();
        ScriptedPromptService prompts;
        prompts.expect(IDOK);
        ASSERT_TRUE(app->InitInstance({"quorvanta", package.path}));
        EXPECT_EQ(prompts.texts(), QStringList{package.path + " is not a Tamro Plenthover project: " + package.reason});
        EXPECT_FALSE(app->mainFrame()->IsProjectOpen());
        ASSERT_EQ(QDir(GetAppContext()->paths()->workingDir()).canonicalPath(), working.canonicalPath());
        EXPECT_EQ(working.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
        app->ExitInstance();
        EXPECT_TRUE(prompts.allAnswersUsed());
    }
}

// The package named on the command line is taken as unpacked by the open at start-up alone: a
// package opened after it from the recent-file list is unpacked and opens in a folder of its own.
TEST_F(StartupTest, APackageOpenedAfterTheCommandLinesOwnIsUnpackedToo)
{
    QTemporaryDir root;
    ASSERT_TRUE(CProjectGenerator().Write(CProjectGenerator::DemoProject(), root.path() + "/Demo/"));
    const QString sound = WriteSentPackages(root.path() + "/Demo/", "Demo", root.path() + "/Sent/").last().path;
    const QString second = root.path() + "/Second.qvz";
    ASSERT_TRUE(QFile::copy(sound, second));
    ScriptedPromptService prompts;
    ASSERT_TRUE(app->InitInstance({"quorvanta", sound}));
    // Earlier cases of the process may have left folders in the working folder: the names vary.
    const QString working = QDir(GetAppContext()->paths()->workingDir()).canonicalPath() + "/";
    const QString first = QFileInfo(GetProjectFilePath()).canonicalFilePath();
    EXPECT_TRUE(first.startsWith(working)) << first.toStdString();
    app->AddToRecentFileList(second);
    app->mainFrame()->action(ID_FILE_MRU_FIRST)->trigger();
    EXPECT_EQ(prompts.texts(), QStringList());
    ASSERT_TRUE(app->mainFrame()->IsProjectOpen());
    const QString opened = QFileInfo(GetProjectFilePath()).canonicalFilePath();
    EXPECT_TRUE(opened.startsWith(working) && opened.endsWith("/Demo.prj")) << opened.toStdString();
    EXPECT_NE(QFileInfo(opened).path(), QFileInfo(first).path());
    app->ExitInstance();
}

TEST_F(StartupTest, AnEngineThatFailsEndsStartUp)
{
    app.reset(); // services are installed and given back in nested order
    RecordingConcerns concerns;
    concerns.engineReady = false;
    makeApp();
    EXPECT_FALSE(app->InitInstance({"quorvanta"}));
    EXPECT_EQ(steps.mid(0, 10), kStartupSteps.mid(0, 10));
    EXPECT_FALSE(steps.contains("ParseCommandLine"));
    EXPECT_FALSE(app->IsSplashShown());
    app.reset();
}

TEST_F(StartupTest, AutoSaveIntervalComesFromTheProfileClamped)
{
    const QList<QPair<int, int>> cases = {{-5, 0}, {0, 0}, {1, 1}, {120, 120}, {500, 120}};
    for (const auto& [stored, expected] : cases) {
        SetUp();
        WriteProfileValue("Options/AutoSave", stored);
        ASSERT_TRUE(app->InitInstance({"quorvanta"}));
        EXPECT_EQ(app->mainFrame()->autoSaveTimer().Minutes(), expected) << stored;
        TearDown();
    }
}

// An exported profile imports back; a failed write or read is reported.
TEST_F(StartupTest, WindowLayoutAndRecentFilesSurviveARestartAndAnExportedProfile)
{
    ASSERT_TRUE(app->InitInstance({"quorvanta"}));
    app->mainFrame()->pane(PaneID::PlanExplorer)->setFloating(true);
    app->mainFrame()->pane(PaneID::FacilityExplorer)->hide();
    app->AddToRecentFileList("/p/One.prj");
    app->AddToRecentFileList("/p/Two.prj");
    restart();
    EXPECT_TRUE(QFile::exists(CUserSettingsFile::DefaultPath()));
    CMainFrame* frame = app->mainFrame();
    EXPECT_TRUE(frame->pane(PaneID::PlanExplorer)->isFloating());
    EXPECT_TRUE(frame->pane(PaneID::FacilityExplorer)->isHidden());
    EXPECT_FALSE(frame->pane(PaneID::ProcessExplorer)->isHidden());
    EXPECT_EQ(app->recentFiles().names().mid(0, 2), QStringList({"/p/Two.prj", "/p/One.prj"}));
    EXPECT_EQ(app->recentFiles().GetSize(), 8);

    QTemporaryDir folder;
    const QString saved = folder.filePath("layout.xml"), foreign = folder.filePath("foreign.xml");
    const QString unwritable = foreign + "/x.xml"; // under a file: no folder can be made
    QFile text(foreign);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly) && text.write("not a profile"));
    text.close();
    ScriptedFileDialogService dialogs;
    ScriptedPromptService prompts;
    app->mainFrame()->pane(PaneID::PlanExplorer)->hide();
    dialogs.expect(saved);
    app->ExportProfile();
    app->mainFrame()->pane(PaneID::PlanExplorer)->show();
    dialogs.expect(saved);
    app->ImportProfile();
    EXPECT_TRUE(app->mainFrame()->pane(PaneID::PlanExplorer)->isHidden());
    dialogs.expect(unwritable);
    prompts.expect(IDOK);
    app->ExportProfile();
    dialogs.expect(foreign);
    prompts.expect(IDOK);
    app->ImportProfile();
    EXPECT_EQ(prompts.texts(), QStringList({"Failed to write profile file \"" + unwritable + "\" !",
                                            "Failed to read profile file \"" + foreign + "\" !"}));
}
