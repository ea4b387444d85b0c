#include "ScriptedProjectDialogs.h"
#include "ScriptedPrompts.h"
#include "ShellTestSupport.h"
#include "foundation/common/BusyGuard.h"
#include "foundation/common/CommandIds.h"
#include "foundation/common/concerns/RecipeDocument.h"
#include "foundation/common/concerns/SelectionContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "shell/MainFrame.h"
#include "shell/QuorvantaApp.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDockWidget>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTreeWidget>
#include <QUrl>
#include <gtest/gtest.h>

namespace {
const char* const SAVE_QUESTION = "The current project has been modified. Do you want to save it?";

// File Open, the recent files, the command line and drops reach the open sequence of a real
// application; Save and Close follow it.
class ProjectCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetShellProfile();
        CProjectGenerator generator;
        ASSERT_TRUE(generator.Write(CProjectGenerator::DemoProject(), m_root.path() + "/Demo/"));
    }
    void Start(const QStringList& arguments = {"quorvanta"})
    {
        app = std::make_unique<CQuorvantaApp>();
        ASSERT_TRUE(app->InitInstance(arguments));
        frame = app->mainFrame();
    }
    void TearDown() override
    {
        if (app) {
            app->ExitInstance();
            app.reset();
        }
        EXPECT_TRUE(prompts.allAnswersUsed());
    }
    void Edit()
    {
        GetProjectDatabase()->Execute("UPDATE Process SET Description = 'Edited' WHERE ProcessID = 1");
        app->setProjectModified(true);
    }
    QString SavedDescription() const
    {
        CDaoDatabase saved;
        saved.Open(m_path, DatabaseRole::ReadOnly);
        QSqlQuery query = saved.Query("SELECT Description FROM Process WHERE ProcessID = 1");
        return query.next() ? query.value(0).toString() : QString();
    }
    QString ActionStates() const
    {
        return QStringLiteral("open %1 save %2 close %3")
            .arg(frame->action(ID_FILE_OPEN)->isEnabled())
            .arg(frame->action(ID_FILE_SAVE)->isEnabled())
            .arg(frame->action(ID_FILE_CLOSE)->isEnabled());
    }
    bool ProjectShown() const { return frame->IsProjectOpen() && frame->windowTitle().endsWith(" - Demo"); }

    QTemporaryDir m_root;
    const QString m_path = m_root.path() + "/Demo/Demo.prj";
    ScriptedPromptService prompts;
    ScriptedFileDialogService dialogs;
    CancelledProjectDialogs chooser; // shown at a start-up without a file
    std::unique_ptr<CQuorvantaApp> app;
    CMainFrame* frame = nullptr;
};
} // namespace

TEST_F(ProjectCommandsTest, FileOpenSaveAndCloseRunOnTheChosenProject)
{
    prompts.expect(IDOK); // a missing file on the command line is refused; start-up goes on
    Start({"quorvanta", m_root.path() + "/Missing.prj"});
    EXPECT_EQ(prompts.texts(), QStringList{"The file " + m_root.path() + "/Missing.prj does not exist"});
    EXPECT_EQ(ActionStates(), "open 1 save 0 close 0"); // from start-up on, before any menu opened
    dialogs.expect(m_path);
    frame->action(ID_FILE_OPEN)->trigger();
    ASSERT_TRUE(ProjectShown()) << frame->windowTitle().toStdString();
    EXPECT_EQ(ActionStates(), "open 1 save 1 close 1");
    EXPECT_EQ(app->recentFiles()[0], m_path);

    frame->SetAutoSaveMinutes(10);
    Edit();
    frame->ExecuteCommand(ID_FILE_SAVE);
    EXPECT_EQ(SavedDescription(), "Edited");
    EXPECT_FALSE(app->isProjectModified());
    EXPECT_TRUE(frame->autoSaveTimer().IsArmed());
    frame->ExecuteCommand(ID_FILE_CLOSE);
    EXPECT_FALSE(frame->IsProjectOpen());
    EXPECT_EQ(ActionStates(), "open 1 save 0 close 0");
    EXPECT_EQ(GetProjectDatabase(), nullptr);
}

TEST_F(ProjectCommandsTest, SavingAChangedTemplateKeepsItOpenUntilTheExitClosesIt)
{
    const QString templates = QStringLiteral(QV_DATA_DIR) + "/Templates/Projects/Standard/";
    const QString folder = m_root.path() + "/T/";
    QDir().mkpath(folder);
    for (const char* extension : {".qvt", ".eqt", ".mtt"})
        ASSERT_TRUE(CopyDatabaseFile(templates + "Blank" + extension, folder + "Blank" + extension));
    Start({"quorvanta", folder + "Blank.qvt"});
    ASSERT_TRUE(frame->IsProjectOpen());
    const QString instanceFolder = GetWorkingCopyDir();
    app->setProjectModified(true);
    prompts.expect(IDYES); // save as a template: only the template's own data is kept
    frame->action(ID_FILE_SAVE)->trigger();
    EXPECT_TRUE(frame->IsProjectOpen());
    EXPECT_EQ(ActionStates(), "open 1 save 1 close 1");
    app->ExitInstance();
    app.reset();
    EXPECT_FALSE(QFileInfo::exists(folder + "WorkingPath.txt"));
    EXPECT_FALSE(QFileInfo::exists(instanceFolder)) << "the exit leaves no working copy behind";
    Start({"quorvanta", folder + "Blank.qvt"}); // no recovery question: nothing was left open
    EXPECT_TRUE(frame->IsProjectOpen());
    EXPECT_EQ(prompts.texts().size(), 1);
}

TEST_F(ProjectCommandsTest, CloseAsksAndCancelKeepsTheProjectAndTheProgramRunning)
{
    Start({"quorvanta", m_path}); // a project on the command line is opened at start-up
    ASSERT_TRUE(ProjectShown());
    GetProjectDatabase()->Execute("INSERT INTO ProjectStep (StepID, StepName) VALUES (3001, 'Added')");
    ASSERT_TRUE(
        CopyDatabaseFile(m_root.path() + "/Demo/STEP_1001.STP", GetWorkingCopyDir() + "STEP_3001.WC"));
    frame->OnFrameNotify(int(FrameNotifyMessage::RefreshPanes)); // registers steps added meanwhile
    EXPECT_NE(GetStepDatabase(3001), nullptr);
    Edit();
    prompts.expect(IDCANCEL);
    frame->ExecuteCommand(ID_FILE_CLOSE);
    EXPECT_TRUE(frame->IsProjectOpen());
    prompts.expect(IDCANCEL);
    QCloseEvent closing;
    QCoreApplication::sendEvent(frame, &closing);
    EXPECT_FALSE(closing.isAccepted());
    EXPECT_EQ(prompts.texts(), (QStringList{SAVE_QUESTION, SAVE_QUESTION}));
    prompts.expect(IDYES); // the window closes once the project has
    EXPECT_TRUE(frame->close());
    EXPECT_FALSE(frame->IsProjectOpen());
    EXPECT_EQ(SavedDescription(), "Edited");
    EXPECT_FALSE(QFileInfo::exists(m_root.path() + "/Demo/WorkingPath.txt"));
}

TEST_F(ProjectCommandsTest, TheRecentFileEntryAndADropOpenTheirProject)
{
    Start();
    app->AddToRecentFileList(m_path);
    EXPECT_FALSE(frame->action(ID_FILE_MRU_FIRST + 1)->isVisible());
    frame->action(ID_FILE_MRU_FIRST)->trigger();
    EXPECT_TRUE(ProjectShown());
    EXPECT_FALSE(app->fileSet().pathGiven);
    frame->ExecuteCommand(ID_FILE_CLOSE);
    ASSERT_FALSE(frame->IsProjectOpen());

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(m_path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame, &drop);
    EXPECT_TRUE(ProjectShown());
}

TEST_F(ProjectCommandsTest, TheProcessExplorerShowsTheOpenProjectAndOpensRecipeTabs)
{
    Start({"quorvanta", m_path});
    ASSERT_TRUE(ProjectShown());
    auto* tree = frame->pane(PaneID::ProcessExplorer)->widget()->findChild<QTreeWidget*>();
    ASSERT_NE(tree, nullptr);
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_EQ(tree->topLevelItem(1)->text(0), "Amidol (Hydrochloride)");
    EXPECT_EQ(tree->topLevelItem(1)->child(3)->text(0), "Reactor Cleaning (1.0)");
    EXPECT_EQ(GetProjectID(), 1);

    QApplication::setActiveWindow(frame); // the pane's commands go to it while it has the focus
    tree->setFocus();
    tree->setCurrentItem(tree->topLevelItem(0)->child(0));
    EXPECT_EQ(GetCurrentContextKind(), CONTEXT_PROCESS_EXPLORER);
    EXPECT_EQ(frame->CurrentContext().stepID, 1001);
    frame->ExecuteCommand(ID_PROCESS_TEXT_RECIPE);
    QWidget* recipe = frame->FindDocument(DocumentKind::ProjectRecipe, 1001);
    ASSERT_NE(recipe, nullptr);
    EXPECT_EQ(recipe->windowTitle(), "Recipe: Coupling (1.0)");
    EXPECT_EQ(dynamic_cast<RecipeDocument*>(recipe)->identity().processID, 1);

    frame->ExecuteCommand(ID_FILE_CLOSE);
    EXPECT_EQ(tree->topLevelItemCount(), 0);
    EXPECT_EQ(GetCurrentContextKind(), CONTEXT_NONE);
}

// The pane's own toolbar and context menu go through the same dispatcher as the frame's menus.
TEST_F(ProjectCommandsTest, APaneCommandIsRefusedWhileBusyAndRunsAfterwards)
{
    Start({"quorvanta", m_path});
    ASSERT_TRUE(ProjectShown());
    QWidget* pane = frame->pane(PaneID::ProcessExplorer)->widget();
    auto* tree = pane->findChild<QTreeWidget*>();
    auto* toolBar = pane->findChild<QToolBar*>("ProcessToolbar");
    ASSERT_TRUE(tree && toolBar);
    QApplication::setActiveWindow(frame);
    tree->setFocus();
    tree->setCurrentItem(tree->topLevelItem(0)->child(0));
    QAction* textRecipe = nullptr;
    for (QAction* action : toolBar->actions())
        textRecipe = action->data().toInt() == ID_PROCESS_TEXT_RECIPE ? action : textRecipe;
    ASSERT_TRUE(textRecipe && textRecipe->isEnabled());
    {
        const CBusyScope run; // a run pumps events: the click arrives inside it
        textRecipe->trigger();
    }
    EXPECT_EQ(frame->FindDocument(DocumentKind::ProjectRecipe, 1001), nullptr) << "refused while busy";
    textRecipe->trigger();
    EXPECT_NE(frame->FindDocument(DocumentKind::ProjectRecipe, 1001), nullptr);
}
