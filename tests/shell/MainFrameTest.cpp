#include "shell/MainFrame.h"
#include "ShellTestSupport.h"
#include "foundation/common/AppContext.h"
#include "foundation/common/AutomationFlag.h"
#include "foundation/common/CommandIds.h"
#include "foundation/common/CommandTarget.h"
#include "shell/MCStatusBar.h"
#include "shell/bridge/ManagedSideStandIn.h"

#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_bAutomationActive = false;
        frame.m_readDisplayOptions = [] {}; // no project database here
    }
    void TearDown() override { g_bAutomationActive = false; }

    // Records each hand-over hook of the frame under its name.
    void recordHandOver()
    {
        FrameHooks& h = frame.hooks();
        frame.m_readDisplayOptions = [this] { calls << "readDisplayOptions"; };
        h.rebuildPanes = [this] { calls << "rebuildPanes:" + QString::number(frame.IsProjectOpen()); };
        h.reopenResultWindows = [this] { calls << "reopenResultWindows"; };
        h.createEngineEntry = [this] {
            calls << "createEngineEntry";
            return true;
        };
        h.loadRecipeCommentTypes = [this] { calls << "loadRecipeCommentTypes"; };
        h.buildAutomationModel = [this] { calls << "buildAutomationModel"; };
    }

    CMainFrame frame;
    QStringList calls;
};

class RefusingMaterials : public CManagedSideStandIn {
public:
    bool DotNetRuntimeLookupMatParams() override { return false; }
};

// A document window that decides Cut itself.
class CutOnlyView : public QWidget, public CommandTarget {
public:
    bool HandlesCommand(int id) const override { return id == ID_EDIT_CUT; }
    bool IsCommandEnabled(int) const override { return canCut; }
    void OnCommand(int id) override { executed << id; }
    bool canCut = true;
    QList<int> executed;
};
} // namespace

TEST_F(MainFrameTest, InsertAfterIsTheDefaultAndThePairStaysExclusive)
{
    QList<QPair<bool, bool>> copies;
    frame.hooks().applyInsertMode = [&](bool after, bool before) { copies << qMakePair(after, before); };
    EXPECT_TRUE(frame.m_bInsertAfter);
    EXPECT_FALSE(frame.m_bInsertBefore);
    EXPECT_TRUE(frame.action(ID_INSERT_AFTER)->isChecked());

    frame.action(ID_INSERT_BEFORE)->trigger();
    EXPECT_FALSE(frame.m_bInsertAfter);
    EXPECT_TRUE(frame.m_bInsertBefore);
    EXPECT_FALSE(frame.action(ID_INSERT_AFTER)->isChecked());
    EXPECT_TRUE(frame.action(ID_INSERT_BEFORE)->isChecked());

    frame.action(ID_INSERT_AFTER)->trigger();
    EXPECT_TRUE(frame.m_bInsertAfter);
    EXPECT_FALSE(frame.m_bInsertBefore);
    EXPECT_EQ(copies, (QList<QPair<bool, bool>>{{false, true}, {true, false}}));
}

TEST_F(MainFrameTest, StatusBarProgressShowsStepsAndEnds)
{
    MCStatusBar* bar = frame.GetStatusBar();
    frame.BeginProgress(0, 100, "saving project");
    ASSERT_TRUE(bar->IsProgressShown());
    EXPECT_EQ(bar->ProgressText(), "saving project");
    EXPECT_EQ(bar->progressControl()->minimum(), 0);
    EXPECT_EQ(bar->progressControl()->maximum(), 100);
    frame.SetProgressPos(40);
    EXPECT_EQ(bar->ProgressPos(), 40);
    frame.SetProgressStep(25);
    frame.StepProgress();
    EXPECT_EQ(bar->ProgressPos(), 65);
    frame.StepProgress();
    frame.StepProgress();
    EXPECT_EQ(bar->ProgressPos(), 14); // past the top it starts again at the bottom
    frame.SetProgressPos(500);
    EXPECT_EQ(bar->ProgressPos(), 100);
    frame.EndProgress();
    EXPECT_FALSE(bar->IsProgressShown());
    EXPECT_EQ(bar->ProgressText(), "");
    EXPECT_TRUE(bar->currentMessage().isEmpty());
    frame.SetProgressPos(3); // without progress: nothing happens
    frame.StepProgress();
    EXPECT_FALSE(bar->IsProgressShown());
}

TEST_F(MainFrameTest, ProjectOpenedCallsItsHooksInOrder)
{
    recordHandOver();
    frame.SetAutoSaveMinutes(5);
    frame.OnProjectOpened(false);
    EXPECT_EQ(calls, QStringList({"readDisplayOptions", "rebuildPanes:1", "reopenResultWindows",
                                  "createEngineEntry", "loadRecipeCommentTypes"}));
    EXPECT_TRUE(frame.IsProjectOpen());
    EXPECT_TRUE(frame.HasEngine());
    EXPECT_TRUE(frame.autoSaveTimer().IsArmed());
    EXPECT_FALSE(frame.MaterialLookupFailed());
    calls.clear();
    g_bAutomationActive = true; // the automation model is built only while automation is active
    frame.OnProjectOpened(false);
    EXPECT_EQ(calls.last(), "buildAutomationModel");
}

TEST_F(MainFrameTest, ARefusedMaterialLookUpSetsTheFlagTheOpenReads)
{
    RefusingMaterials refusing;
    IManagedSide* previous = SetManagedSide(&refusing);
    frame.OnProjectOpened(false);
    EXPECT_TRUE(frame.MaterialLookupFailed());
    SetManagedSide(previous);
}

TEST_F(MainFrameTest, CloseProjectRefusedKeepsEverythingElseClosesViewsResetsTheTitleAndDropsTemporaryFolders)
{
    QTemporaryDir extracted;
    extracted.setAutoRemove(false);
    frame.RegisterTemporaryFolder(extracted.path());
    frame.SetAutoSaveMinutes(5);
    frame.OnProjectOpened(false);
    frame.SetProjectTitle("Demo");
    EXPECT_EQ(frame.windowTitle(), "Tamro Plenthover - Demo");
    frame.mdiArea()->addSubWindow(new QLabel("recipe"))->show();
    QStringList order;
    bool closes = false;
    frame.hooks().closeCurrentProject = [&] {
        order << "close";
        return closes;
    };
    frame.hooks().deleteAutomationModel = [&] { order << "deleteAutomationModel"; };
    EXPECT_FALSE(frame.CloseProject()); // refused: everything stays open
    EXPECT_TRUE(frame.IsProjectOpen());
    EXPECT_TRUE(frame.autoSaveTimer().IsArmed());
    EXPECT_EQ(order, QStringList{"close"});
    closes = true;
    EXPECT_TRUE(frame.CloseProject());
    EXPECT_EQ(order, QStringList({"close", "close", "deleteAutomationModel"}));
    EXPECT_FALSE(frame.IsProjectOpen());
    EXPECT_FALSE(frame.autoSaveTimer().IsArmed());
    EXPECT_EQ(frame.windowTitle(), "Tamro Plenthover");
    EXPECT_TRUE(frame.mdiArea()->subWindowList().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(extracted.path()));
}

TEST_F(MainFrameTest, ClosingTheWindowAsksTheProjectFirstAndACancelKeepsItRunning)
{
    frame.show();
    frame.OnProjectOpened(false);
    frame.hooks().closeCurrentProject = [] { return false; };
    EXPECT_FALSE(frame.close());
    EXPECT_TRUE(frame.isVisible());
    frame.hooks().closeCurrentProject = [] { return true; };
    EXPECT_TRUE(frame.close());
    EXPECT_FALSE(frame.IsProjectOpen());
}

TEST_F(MainFrameTest, SortRequestsKeepItemDataAndSelection)
{
    QComboBox combo;
    combo.addItem("Water", 3);
    combo.addItem("Acetone", 1);
    combo.addItem("Ethanol", 2);
    combo.setCurrentIndex(0);
    EXPECT_TRUE(
        frame.OnFrameNotify(int(FrameNotifyMessage::SortComboBox), reinterpret_cast<qintptr>(&combo)));
    ASSERT_EQ(combo.count(), 3);
    EXPECT_EQ(combo.itemText(0), "Acetone");
    EXPECT_EQ(combo.itemData(0).toInt(), 1);
    EXPECT_EQ(combo.itemData(2).toInt(), 3);
    EXPECT_EQ(combo.currentText(), "Water");

    QListWidget list;
    for (const char* text : {"b", "c", "a"}) {
        auto* item = new QListWidgetItem(text, &list);
        item->setData(Qt::UserRole, QString(text).toUpper());
    }
    list.setCurrentRow(1);
    frame.SortListBoxItems(&list);
    EXPECT_EQ(list.item(0)->text(), "a");
    EXPECT_EQ(list.item(0)->data(Qt::UserRole).toString(), "A");
    EXPECT_EQ(list.currentItem()->text(), "c");

    QStringList texts = {"zeta", "alpha", "beta"};
    frame.OnFrameNotify(int(FrameNotifyMessage::SortTexts), reinterpret_cast<qintptr>(&texts));
    EXPECT_EQ(texts, QStringList({"alpha", "beta", "zeta"}));
}

TEST_F(MainFrameTest, RefreshPanesNotificationOpensNewStepDatabasesThenRefreshes)
{
    QStringList order;
    frame.hooks().openNewStepDatabases = [&] { order << "openNewStepDatabases"; };
    frame.SetPaneWidget(PaneID::ProcessExplorer, new QLabel("tree"), [&] { order << "processExplorer"; });
    EXPECT_TRUE(frame.OnFrameNotify(int(FrameNotifyMessage::RefreshPanes)));
    EXPECT_EQ(order, QStringList({"openNewStepDatabases", "processExplorer"}));
    EXPECT_FALSE(frame.OnFrameNotify(WM_USER + 99));
    EXPECT_FALSE(frame.OnFrameNotify(WM_USER + 132));
    EXPECT_FALSE(frame.OnFrameNotify(WM_USER + 105)); // in range, nobody listens yet
}

TEST_F(MainFrameTest, StepPanesRefreshOnlyWhenShown)
{
    int refreshes = 0;
    frame.SetPaneWidget(PaneID::StandardStatements, new QLabel, [&] { ++refreshes; });
    frame.show();
    frame.pane(PaneID::StandardStatements)->show();
    frame.RefreshStepPanes();
    frame.pane(PaneID::StandardStatements)->hide();
    frame.RefreshStepPanes();
    EXPECT_EQ(refreshes, 1);
}

TEST_F(MainFrameTest, CommandsWithoutAnOwnerArePresentAndDisabled)
{
    frame.OnProjectOpened(false);
    frame.UpdateCommandStates();
    for (int id : {int(ID_FILE_SAVE), int(ID_FILE_EXPORT_STEP), int(ID_TOOLS_PREFERENCES), 32892}) {
        ASSERT_NE(frame.action(id), nullptr) << id;
        EXPECT_FALSE(frame.action(id)->isEnabled()) << id;
    }
    int saves = 0;
    frame.SetCommandHandler(ID_FILE_SAVE, [&] { ++saves; });
    frame.UpdateCommandStates();
    EXPECT_TRUE(frame.action(ID_FILE_SAVE)->isEnabled());
    frame.action(ID_FILE_SAVE)->trigger();
    EXPECT_EQ(saves, 1);
    EXPECT_TRUE(frame.action(ID_APP_EXIT)->isEnabled());
}

TEST_F(MainFrameTest, TheActiveViewDecidesTheCommandsItHandles)
{
    frame.show();
    auto* view = new CutOnlyView;
    frame.mdiArea()->addSubWindow(view)->show();
    frame.mdiArea()->setActiveSubWindow(frame.mdiArea()->subWindowList().first());
    EXPECT_TRUE(frame.IsCommandEnabled(ID_EDIT_CUT));
    frame.action(ID_EDIT_CUT)->trigger();
    EXPECT_EQ(view->executed, QList<int>{ID_EDIT_CUT});
    view->canCut = false;
    frame.UpdateCommandStates();
    EXPECT_FALSE(frame.action(ID_EDIT_CUT)->isEnabled());
    EXPECT_FALSE(frame.IsCommandEnabled(ID_EDIT_COPY)); // not the view's: the frame's rule
}

TEST_F(MainFrameTest, ContextComesFromTheRegisteredProviderOnEveryEnablingQuestion)
{
    frame.OnProjectOpened(false);
    int simulated = 0;
    frame.SetCommandHandler(ID_SIMULATE_BATCH, [&] { ++simulated; });
    ContextRecord next;
    frame.hooks().computeContext = [&](ContextRecord& record) { record = next; };
    EXPECT_FALSE(frame.IsCommandEnabled(ID_SIMULATE_BATCH));
    next.kind = CONTEXT_TEXT_RECIPE;
    next.stepID = 12;
    EXPECT_TRUE(frame.IsCommandEnabled(ID_SIMULATE_BATCH));
    EXPECT_EQ(frame.context().stepID, 12);
    frame.ExecuteCommand(ID_SIMULATE_BATCH);
    EXPECT_EQ(simulated, 1);
}

TEST_F(MainFrameTest, RecentFilesAppearInTheFileMenuAndOpenThroughTheHook)
{
    QStringList opened;
    frame.hooks().openProjectFile = [&](const QString& path) { opened << path; };
    frame.SetRecentFiles({"/p/B.prj", "/p/A.prj", "", "", "", "", "", ""});
    EXPECT_TRUE(frame.action(ID_FILE_MRU_FIRST)->isVisible());
    EXPECT_TRUE(frame.action(ID_FILE_MRU_FIRST + 1)->isVisible());
    EXPECT_FALSE(frame.action(ID_FILE_MRU_FIRST + 2)->isVisible());
    frame.action(ID_FILE_MRU_FIRST + 1)->trigger();
    EXPECT_EQ(opened, QStringList{"/p/A.prj"});
}

TEST_F(MainFrameTest, ManagedCallsCarryTheProjectNamesAndListSuffix)
{
    CManagedSideStandIn standIn;
    IManagedSide* previous = SetManagedSide(&standIn);
    frame.DotNetNotifyPreferencesUpdate();
    frame.DotNetNotifyStreamUpdate(12);
    EXPECT_EQ(standIn.notifications(), QStringList({"NotifyPreferencesUpdate", "NotifyStreamUpdate 12"}));
    EXPECT_EQ(frame.DotNetInvokeGetDisplayVector("Pressure").first(), "Pa");
    QString display;
    EXPECT_TRUE(frame.DotNetInvokeGetDisplayValue(display, "Temperature", "C"));
    EXPECT_EQ(display, "\u00b0C");
    QString key;
    EXPECT_TRUE(frame.DotNetInvokeGetKeyValue(key, "Temperature", display));
    EXPECT_EQ(key, "C");
    SetManagedSide(previous);
}
