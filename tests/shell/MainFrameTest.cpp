#include "shell/MainFrame.h"
#include "ShellTestSupport.h"
#include "foundation/common/AutomationFlag.h"
#include "foundation/common/BusyGuard.h"
#include "foundation/common/CommandIds.h"
#include "foundation/common/concerns/CommandTarget.h"
#include "foundation/controls/SortedChoiceLists.h"
#include "shell/DocumentRegistry.h"
#include "shell/MCStatusBar.h"
#include "shell/bridge/ManagedSideStandIn.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDockWidget>
#include <QDropEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QUrl>
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

    RecordingConcerns concerns;
    CMainFrame frame;
};

// Installs a managed side for its lifetime.
template <class Side> struct ManagedSideScope : Side {
    ManagedSideScope() : previous(SetManagedSide(this)) {}
    ~ManagedSideScope() { SetManagedSide(previous); }
    IManagedSide* previous;
};

class RefusingMaterials : public CManagedSideStandIn {
public:
    bool DotNetRuntimeLookupMatParams() override { return false; }
};

// Answers that the project has results, counting the questions.
class CountingResults : public ResultWindowServices {
public:
    CountingResults() { installed.Install<ResultWindowServices>(this); }
    bool ResultFilesExist(const ContextRecord&) const override { return ++asked, true; }
    mutable int asked = 0;
    ServiceInstallations installed;
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
    EXPECT_TRUE(frame.action(ID_INSERT_AFTER)->isChecked());
    frame.action(ID_INSERT_BEFORE)->trigger();
    EXPECT_TRUE(!frame.m_bInsertAfter && frame.m_bInsertBefore);
    EXPECT_FALSE(frame.action(ID_INSERT_AFTER)->isChecked());
    frame.action(ID_INSERT_AFTER)->trigger();
    EXPECT_TRUE(frame.m_bInsertAfter && !frame.m_bInsertBefore);
    EXPECT_EQ(concerns.calls, QStringList({"ApplyInsertMode 0 1", "ApplyInsertMode 1 0"}));
}

TEST_F(MainFrameTest, StatusBarProgressWrapsClampsAndEnds)
{
    MCStatusBar* bar = frame.GetStatusBar();
    frame.BeginProgress(0, 100, "saving project");
    EXPECT_EQ(bar->ProgressText(), "saving project");
    EXPECT_TRUE(bar->progressControl()->isVisibleTo(bar));
    frame.SetProgressPos(40);
    frame.SetProgressStep(25);
    frame.StepProgress();
    EXPECT_EQ(bar->ProgressPos(), 65);
    frame.StepProgress();
    frame.StepProgress();
    EXPECT_EQ(bar->ProgressPos(), 14); // past the top it starts again at the bottom
    frame.SetProgressPos(500);
    EXPECT_EQ(bar->ProgressPos(), 100);
    frame.EndProgress();
    EXPECT_EQ(bar->ProgressText(), "");
    EXPECT_FALSE(bar->progressControl()->isVisibleTo(bar));
    EXPECT_TRUE(bar->outcomeLabel()->isVisibleTo(bar)) << "the label after the progress stays";
    EXPECT_TRUE(bar->currentMessage().isEmpty());
    frame.SetProgressPos(3); // without progress: nothing happens
    frame.StepProgress();
    EXPECT_FALSE(bar->IsProgressShown());
}

TEST_F(MainFrameTest, TheHandOverRunsTheSubsystemsInOrder)
{
    frame.m_readDisplayOptions = [this] { concerns.calls << "readDisplayOptions"; };
    concerns.open = true; // the projects code says so before it hands the project over
    frame.SetAutoSaveMinutes(5);
    frame.OnProjectOpened(false);
    EXPECT_EQ(concerns.calls, QStringList({"readDisplayOptions", "RebuildPanes:1", "ReopenResultWindows",
                                           "CreateProjectEngine", "LoadRecipeCommentTypes"}));
    EXPECT_TRUE(frame.HasEngine());
    EXPECT_TRUE(frame.autoSaveTimer().IsArmed());
    EXPECT_FALSE(frame.MaterialLookupFailed());
    g_bAutomationActive = true; // the automation model is built only while automation is active
    ManagedSideScope<RefusingMaterials> refusing;
    frame.OnProjectOpened(false);
    EXPECT_EQ(concerns.calls.last(), "BuildAutomationModel");
    EXPECT_TRUE(frame.MaterialLookupFailed()) << "a refused material look-up sets the flag the open reads";
}

TEST_F(MainFrameTest, ClosingViewsKeepsTheProjectTheEndOfTheCloseDropsItsObjects)
{
    QTemporaryDir extracted;
    extracted.setAutoRemove(false);
    frame.RegisterTemporaryFolder(extracted.path());
    frame.SetAutoSaveMinutes(5);
    concerns.open = true;
    frame.OnProjectOpened(false);
    frame.SetProjectTitle("Demo");
    frame.mdiArea()->addSubWindow(new QLabel("recipe"))->show();
    concerns.calls.clear();
    frame.CloseAllViews(); // also run by the save of a template: the project stays open
    EXPECT_TRUE(frame.IsProjectOpen());
    EXPECT_TRUE(frame.HasEngine());
    EXPECT_FALSE(frame.autoSaveTimer().IsArmed());
    EXPECT_TRUE(frame.mdiArea()->subWindowList().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(extracted.path()));
    EXPECT_EQ(frame.windowTitle(), "Tamro Plenthover - Demo");
    frame.OnProjectClosed();
    EXPECT_EQ(concerns.calls,
              QStringList({"CloseDocuments", "DeleteProjectEngine", "DeleteAutomationModel", "ClearPanes"}));
    EXPECT_FALSE(frame.HasEngine());
    EXPECT_EQ(frame.windowTitle(), "Tamro Plenthover");
}

TEST_F(MainFrameTest, WhileBusyCommandsDropsAndTheCloseAreRefused)
{
    frame.show();
    int exits = 0;
    frame.SetCommandHandler(ID_APP_EXIT, [&] { ++exits; });
    {
        const CBusyScope run;
        frame.ExecuteCommand(ID_APP_EXIT);
        EXPECT_FALSE(frame.close());
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile("/p/A.prj")});
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&frame, &drop);
    }
    EXPECT_EQ(exits, 0);
    EXPECT_TRUE(frame.isVisible());
    EXPECT_TRUE(concerns.calls.isEmpty());
    frame.ExecuteCommand(ID_APP_EXIT);
    EXPECT_EQ(exits, 1);
}

TEST_F(MainFrameTest, DocumentsAreFoundActivatedAndClosedByKindAndID)
{
    CDocumentRegistry registry;
    registry.Register(
        {DocumentKindName(DocumentKind::QuickResults), 0, [] { return new QLabel("results"); }, {}});
    frame.SetDocumentRegistry(&registry);
    QWidget* first = frame.OpenDocument(DocumentKind::QuickResults, 12, "Quick Results");
    QWidget* other = frame.OpenDocument(DocumentKind::QuickResults, 13, "Quick Results 13");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(frame.OpenDocument(DocumentKind::QuickResults, 12, "again"), first) << "one window a key";
    EXPECT_EQ(frame.mdiArea()->activeSubWindow()->widget(), first);
    EXPECT_EQ(frame.FindDocument(DocumentKind::Gantt, 13), nullptr) << "ids are per kind";
    EXPECT_EQ(frame.OpenDocument(DocumentKind::Gantt, 13, "Gantt"), nullptr) << "a kind without factory";
    auto* own = new QLabel("recipe");
    frame.AddDocTab(own, DocumentKind::ProjectRecipe, 13, "Recipe: Mix (1)");
    EXPECT_EQ(own->windowTitle(), "Recipe: Mix (1)");
    const QList<HostedDocument> results = frame.ListDocuments(DocumentKind::QuickResults);
    ASSERT_EQ(results.size(), 2) << "the windows of that kind only";
    EXPECT_TRUE(results[0].id == 12 && results[0].window == first && results[1].id == 13 &&
                results[1].window == other);
    EXPECT_TRUE(frame.ActivateDocument(DocumentKind::QuickResults, 13));
    EXPECT_EQ(frame.mdiArea()->activeSubWindow()->widget(), other);
    EXPECT_TRUE(frame.CloseDocument(DocumentKind::QuickResults, 13));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frame.FindDocument(DocumentKind::QuickResults, 13), nullptr);
    EXPECT_FALSE(frame.ActivateDocument(DocumentKind::QuickResults, 13));
    EXPECT_EQ(frame.mdiArea()->subWindowList().size(), 2);
}

TEST_F(MainFrameTest, SortRequestsReachTheSortAndANullControlIsIgnored)
{
    QComboBox combo;
    combo.addItems({"Water", "Acetone"});
    frame.SortComboBoxItems(&combo);
    EXPECT_EQ(combo.itemText(0), "Acetone");
    frame.SortComboBoxItems(nullptr);
    frame.SortListBoxItems(nullptr);
}

TEST_F(MainFrameTest, PanesRefreshOnTheNotificationAndStepPanesOnlyWhenShown)
{
    QStringList refreshed;
    frame.SetPaneWidget(PaneID::ProcessExplorer, new QLabel, [&] { refreshed << "process"; });
    frame.SetPaneWidget(PaneID::StandardStatements, new QLabel, [&] { refreshed << "statements"; });
    EXPECT_TRUE(frame.OnFrameNotify(int(FrameNotifyMessage::RefreshPanes)));
    EXPECT_EQ(refreshed, QStringList({"process", "statements"}));
    for (int unheard : {WM_USER + 99, WM_USER + 132, WM_USER + 105}) // the last in range, unheard
        EXPECT_FALSE(frame.OnFrameNotify(unheard)) << unheard;
    refreshed.clear();
    frame.show();
    frame.pane(PaneID::StandardStatements)->show();
    frame.RefreshStepPanes();
    frame.pane(PaneID::StandardStatements)->hide();
    frame.RefreshStepPanes();
    EXPECT_EQ(refreshed, QStringList{"statements"});
}

TEST_F(MainFrameTest, CommandsWithoutAnOwnerAreDisabledAndTheActiveViewDecidesItsOwn)
{
    concerns.open = true;
    frame.OnProjectOpened(false);
    for (int id : {int(ID_FILE_SAVE), int(ID_FILE_EXPORT_STEP), int(ID_TOOLS_PREFERENCES), 32892}) {
        ASSERT_NE(frame.action(id), nullptr) << id;
        EXPECT_FALSE(frame.action(id)->isEnabled()) << id;
    }
    int saves = 0;
    frame.SetCommandHandler(ID_FILE_SAVE, [&] { ++saves; });
    EXPECT_TRUE(frame.action(ID_FILE_SAVE)->isEnabled()) << "a handler installed late shows at once";
    frame.action(ID_FILE_SAVE)->trigger();
    EXPECT_EQ(saves, 1);
    EXPECT_TRUE(frame.action(ID_APP_EXIT)->isEnabled());

    frame.show(); // the active view decides the commands it handles
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

TEST_F(MainFrameTest, TheActivePaneOrViewSetsTheContextAndTheCommandStates)
{
    concerns.open = true;
    int simulated = 0;
    frame.SetCommandHandler(ID_SIMULATE_BATCH, [&] { ++simulated; });
    EXPECT_FALSE(frame.action(ID_SIMULATE_BATCH)->isEnabled());
    CutOnlyView tree, recipe;
    ContextRecord step;
    step.kind = CONTEXT_TEXT_RECIPE;
    step.stepID = 12;
    frame.ReportActive(&recipe, step);
    EXPECT_TRUE(frame.action(ID_SIMULATE_BATCH)->isEnabled());
    EXPECT_EQ(frame.CurrentContext().stepID, 12);
    frame.ReportSelection(&tree, ContextRecord()); // not the active one: ignored
    EXPECT_EQ(frame.context().stepID, 12);
    frame.ExecuteCommand(ID_SIMULATE_BATCH);
    EXPECT_EQ(simulated, 1);
    frame.ForgetSource(&recipe);
    EXPECT_EQ(frame.context().kind, CONTEXT_NONE);
    EXPECT_FALSE(frame.action(ID_SIMULATE_BATCH)->isEnabled());
}

TEST_F(MainFrameTest, ASelectionChangeAsksTheProjectStateOnceForAllActions)
{
    concerns.open = true;
    CountingResults results;
    int shown = 0;
    frame.SetCommandHandler(ID_VIEW_QUICK_RESULTS, [&] { ++shown; });
    ContextRecord step;
    step.kind = CONTEXT_PROCESS_EXPLORER;
    step.stepID = 12;
    CutOnlyView tree;
    results.asked = concerns.openQueries = 0;
    frame.ReportSelection(&tree, step); // one pass over every action
    EXPECT_EQ(results.asked, 1);
    EXPECT_EQ(concerns.openQueries, 1);
    EXPECT_TRUE(frame.action(ID_VIEW_QUICK_RESULTS)->isEnabled());
    results.asked = concerns.openQueries = 0;
    frame.ExecuteCommand(ID_VIEW_QUICK_RESULTS); // the command's own check, then the pass after it
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(results.asked, 2);
    EXPECT_EQ(concerns.openQueries, 2);
}

// The stand-in translates both ways ignoring case; an unknown list or entry leaves the answer alone.
TEST_F(MainFrameTest, ManagedCallsCarryTheListSuffixAndReachTheManagedSide)
{
    ManagedSideScope<CManagedSideStandIn> side;
    frame.DotNetNotifyStreamUpdate(12);
    EXPECT_EQ(side.notifications(), QStringList{"NotifyStreamUpdate 12"});
    EXPECT_EQ(frame.DotNetInvokeGetDisplayVector("Pressure"),
              QStringList({"Pa", "kPa", "bar", "atm", "psi (abs)", "mm Hg"}));
    EXPECT_TRUE(frame.DotNetInvokeGetDisplayVector("NoSuch").isEmpty());
    QString display = "kept", key = "kept";
    EXPECT_FALSE(frame.DotNetInvokeGetDisplayValue(display, "Pressure", "furlong"));
    EXPECT_FALSE(frame.DotNetInvokeGetKeyValue(key, "Air", "Helium"));
    EXPECT_EQ(display + key, "keptkept");
    EXPECT_TRUE(frame.DotNetInvokeGetDisplayValue(display, "pressure", "PSIA"));
    EXPECT_TRUE(frame.DotNetInvokeGetKeyValue(key, "Pressure", display));
    EXPECT_EQ(display + "|" + key, "psi (abs)|psia");
    // The choice-list functions reach the same lists through the frame's sort concern.
    ServiceInstallations installed;
    installed.Install<SortServices>(&frame);
    display = key = "kept";
    EXPECT_TRUE(GetDisplayValue("Temperature", "C", display));
    EXPECT_TRUE(GetKeyValue("Temperature", display, key));
    EXPECT_FALSE(GetKeyValue("Temperature", "C", key));
    EXPECT_EQ(display + "|" + key, "\u00b0C|C");
}
