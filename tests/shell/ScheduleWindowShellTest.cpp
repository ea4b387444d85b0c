// The schedule window in the running program on the sample project: Run Report and Schedule open
// or bring forward the one window of the context's step, process or plan; while it is active the
// context is the schedule's, and the commands keyed on it follow; a run redraws it, a selected
// recipe line selects its bar, closing the step closes it, and it comes back with the project.
// With QV_SHOTS_DIR set, the windows as schedule-<what>.png there.

#include "RecipeShellFixture.h"
#include "ScriptedPrintDialog.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/schema/ResultsDatabase.h"
#include "modules/engine/EngineEntry.h"
#include "planning/PlanList.h"
#include "recipe/explorer/ProcessTree.h"
#include "results/ScheduleChartView.h"
#include "results/ScheduleWindow.h"
#include "simulation/ProcessPlanSimulation.h"

#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QTableWidget>

#include <algorithm>
#include <cmath>
#include <iostream>

namespace {
constexpr long PROCESS = 1;
constexpr long PLAN = 1;
constexpr long DRYING = 1003;

QStringList RowTitles(const CScheduleWindow& window)
{
    QStringList titles;
    for (const ScheduleRow& row : window.Chart().rows)
        titles << row.title;
    return titles;
}

// The plan's steps as its definition names them (its step requirements and the steps of its
// process requirements), each with the batches the run scheduled for it.
QMap<long, int> ScheduledBatches(long planID)
{
    QMap<long, int> batches;
    QSqlQuery steps = GetProjectDatabase()->Query(
        "SELECT StepOrProcessID FROM PlanRequirements WHERE PlanID = ? AND StepOrProcess = 'step'"
        " UNION SELECT s.StepID FROM PlanRequirements r JOIN \"Step-To-Process\" s"
        " ON s.ProcessID = r.StepOrProcessID WHERE r.PlanID = ? AND r.StepOrProcess = 'process'",
        {qlonglong(planID), qlonglong(planID)});
    while (steps.next())
        batches[steps.value(0).toLongLong()] = 0;
    QSqlQuery detail = GetProjectDatabase()->Query(
        "SELECT StepID, count(*) FROM ProductionPlanDetail WHERE PlanID = ? GROUP BY StepID", {qlonglong(planID)});
    while (detail.next())
        batches[detail.value(0).toLongLong()] = detail.value(1).toInt();
    return batches;
}

// The batches the window shows of each step, by the entries behind its bars.
QMap<long, int> ShownBatches(const CScheduleWindow& window)
{
    QMap<long, QSet<long>> numbers;
    for (const ScheduleRow& row : window.Chart().rows) {
        for (const ScheduleBar& bar : row.bars) {
            for (int index : bar.entries) {
                const ScheduleEntry& entry = window.Chart().entries.at(index);
                numbers[entry.stepID] << entry.batchNumber;
            }
        }
    }
    QMap<long, int> batches;
    for (auto it = numbers.cbegin(); it != numbers.cend(); ++it)
        batches[it.key()] = int(it.value().size());
    return batches;
}

// The chart at its own scale (120 px an hour) around a bar, beside the row titles, as fileName in
// QV_SHOTS_DIR.
void SaveChartAround(const ScheduleChart& chart, int row, int bar, const QString& fileName)
{
    const QString folder = qEnvironmentVariable("QV_SHOTS_DIR");
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return;
    CScheduleChartView view;
    view.SetChart(&chart);
    view.Select(row, bar);
    int titles = view.width();
    for (int r = 0; r < chart.rows.size(); ++r)
        for (int b = 0; b < chart.rows.at(r).bars.size(); ++b)
            titles = std::min(titles, view.BarRect(r, b).left());
    constexpr int AROUND = 1100;
    const int left =
        std::clamp(view.BarRect(row, bar).center().x() - AROUND / 2, titles, view.width() - AROUND);
    QPixmap shot(titles + AROUND, view.height());
    shot.fill(Qt::white);
    QPainter painter(&shot);
    painter.drawPixmap(0, 0, view.grab(QRect(0, 0, titles, view.height())));
    painter.drawPixmap(titles, 0, view.grab(QRect(left, 0, AROUND, view.height())));
    painter.end();
    shot.save(QDir(folder).filePath(fileName));
}

QStringList BarCaptions(const CScheduleWindow& window)
{
    QStringList captions;
    for (const ScheduleRow& row : window.Chart().rows) {
        for (const ScheduleBar& bar : row.bars)
            captions << bar.caption;
    }
    return captions;
}
} // namespace

class ScheduleWindowShellTest : public RecipeShellFixture {
protected:
    void SetUp() override
    {
        const QString sample = QStringLiteral(QV_DATA_DIR) + "/Samples/Demo/";
        QDir().mkpath(m_root.path() + "/Demo");
        for (const QString& file : QDir(sample).entryList(QDir::Files))
            ASSERT_TRUE(CopyDatabaseFile(sample + file, m_root.path() + "/Demo/" + file))
                << file.toStdString();
        m_installed.Install<OperationDialogService>(&m_dialogs);
        ResetShellProfile();
        app = std::make_unique<CQuorvantaApp>();
        ASSERT_TRUE(app->InitInstance({"quorvanta", m_project}));
        frame = app->mainFrame();
        frame->resize(1200, 760);
        frame->show();
        QApplication::setActiveWindow(frame);
        ASSERT_EQ(frame->AutomationSimulateStep(SHELL_COUPLING_STEP, "Coupling (1.0)").kind,
                  AutomationRunOutcome::Done);
        SelectCoupling();
    }
    CScheduleWindow* ActiveSchedule() const
    {
        QMdiSubWindow* sub = frame->findChild<QMdiArea*>()->activeSubWindow();
        return sub ? qobject_cast<CScheduleWindow*>(sub->widget()) : nullptr;
    }
    QList<long> ScheduleKeys() const
    {
        QList<long> keys;
        for (const HostedDocument& document : frame->ListDocuments(DocumentKind::Gantt))
            keys << document.id;
        return keys;
    }
    // The process node selected in the Process Explorer, which has the focus.
    void SelectProcessNode()
    {
        auto* tree = frame->pane(PaneID::ProcessExplorer)->widget()->findChild<QTreeWidget*>();
        tree->setFocus();
        tree->setCurrentItem(tree->topLevelItem(0));
    }
    // The plan selected in the Plan Explorer, which has the focus.
    void SelectPlan()
    {
        auto* plans = qobject_cast<CPlanList*>(frame->pane(PaneID::PlanExplorer)->widget());
        frame->pane(PaneID::PlanExplorer)->raise();
        plans->SelectPlan(PLAN);
        QFocusEvent focus(QEvent::FocusIn, Qt::MouseFocusReason); // the pane is clicked
        QCoreApplication::sendEvent(plans->list(), &focus);
    }
    // The step selected in the Process Explorer, which has the focus.
    void SelectCoupling()
    {
        auto* tree = frame->pane(PaneID::ProcessExplorer)->widget()->findChild<QTreeWidget*>();
        tree->setFocus();
        tree->setCurrentItem(tree->topLevelItem(0)->child(0));
    }
    // The frame with its panes put away and the window maximized, and the window alone at a size
    // the offscreen screen does not allow the frame.
    void Shot(const QString& name)
    {
        CScheduleWindow* window = ActiveSchedule();
        ASSERT_TRUE(window);
        for (int pane = 0; pane < PANE_COUNT; ++pane)
            frame->pane(PaneID(pane))->hide();
        window->parentWidget()->showMaximized();
        SaveShellShot(frame, "schedule-" + name + ".png");
        CScheduleWindow alone(window->Kind(), window->ID(), window->Name());
        alone.Initialize(GetProjectDir(), window->ResultsFileName(), GetInstallDir());
        alone.setWindowTitle(window->windowTitle());
        alone.resize(1100, 90 + 26 * int(window->Chart().rows.size()));
        alone.show();
        SaveShellShot(&alone, "schedule-" + name + "-window.png");
        alone.Tabs()->setCurrentIndex(1);
        SaveShellShot(&alone, "schedule-" + name + "-table.png");
    }
};

TEST_F(ScheduleWindowShellTest, RunReportOpensTheStepsScheduleOnceAndMakesItTheContext)
{
    GetStepDatabase(SHELL_COUPLING_STEP)->Execute("UPDATE TextRecipe SET Breakpoint = 1 WHERE ID = 10004");
    frame->ExecuteCommand(ID_VIEW_RUN_REPORT);
    CScheduleWindow* window = ActiveSchedule();
    ASSERT_TRUE(window);
    EXPECT_EQ(window->windowTitle(), "Schedule: Coupling (1.0)");
    EXPECT_EQ(RowTitles(*window), QStringList({"1. Reaction in R-101 [R-101]", "2. Work-up in R-102 [R-102]"})
                                      .mid(0, RowTitles(*window).size()));
    int breakpoints = 0;
    for (const ScheduleRow& row : window->Chart().rows) {
        for (const ScheduleBar& bar : row.bars)
            breakpoints += bar.breakpoint && bar.caption == "1.3. Charge" ? 1 : bar.breakpoint ? 100 : 0;
    }
    EXPECT_EQ(breakpoints, 1); // the line's breakpoint marks its bar only
    EXPECT_EQ(window->Tabs()->tabText(1), "Table");
    const QTableWidget* table = window->Table();
    EXPECT_EQ(table->horizontalHeaderItem(2)->text(), "Line");
    EXPECT_EQ(table->item(0, 2)->text() + ' ' + table->item(0, 3)->text() + ' ' + table->item(0, 4)->text(),
              "1.1. Purge R-101");
    EXPECT_EQ(table->item(0, 5)->text(), "0:00");
    // Active: the context is the schedule's step, and the step's commands follow it.
    EXPECT_EQ(frame->CurrentContext().kind, CONTEXT_GANTT);
    EXPECT_EQ(frame->CurrentContext().stepID, SHELL_COUPLING_STEP);
    for (int command : {ID_VIEW_SCHEDULE, ID_VIEW_RUN_REPORT, ID_REPORT_CASE_COMPARE, ID_SIMULATE_RUN,
                        ID_SIMULATE_BATCH, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW})
        EXPECT_TRUE(frame->IsCommandEnabled(command)) << command;
    Shot("step");
    frame->ExecuteCommand(ID_VIEW_SCHEDULE); // the same window, brought forward
    frame->ExecuteCommand(ID_VIEW_RUN_REPORT);
    EXPECT_EQ(ScheduleKeys(), QList<long>({SHELL_COUPLING_STEP}));
    EXPECT_EQ(app->GetChartDocuments(), QList<QWidget*>({window}));
}

TEST_F(ScheduleWindowShellTest, ScheduleOfTheProcessNodeShowsItsStepsAndClosesWithTheProcess)
{
    SelectProcessNode();
    frame->ExecuteCommand(ID_SIMULATE_BATCHES_AND_PROCESS);
    ASSERT_EQ(frame->processPlanSimulation().LastOutcome(), SIMULATION_COMPLETED);
    ASSERT_TRUE(frame->CurrentContext().processNodeSelected);
    EXPECT_FALSE(frame->IsCommandEnabled(ID_VIEW_RUN_REPORT)); // a process has no run report
    ASSERT_TRUE(frame->IsCommandEnabled(ID_VIEW_SCHEDULE));
    frame->ExecuteCommand(ID_VIEW_SCHEDULE);
    CScheduleWindow* window = ActiveSchedule();
    ASSERT_TRUE(window);
    EXPECT_EQ(window->windowTitle(), "Schedule: Process - Amidol (Free Base)");
    EXPECT_EQ(ScheduleKeys(), QList<long>({98000 + PROCESS}));
    QStringList headings;
    for (const ScheduleRow& row : window->Chart().rows) {
        if (row.heading)
            headings << row.title;
    }
    EXPECT_EQ(headings, QStringList({"Coupling (1.0)", "Crystallization (1.0)", "Drying (1.0)"}));
    EXPECT_EQ(frame->CurrentContext().kind, CONTEXT_GANTT);
    EXPECT_EQ(frame->CurrentContext().processID, PROCESS);
    Shot("process");
    frame->CloseStepLinkedWindows(SHELL_COUPLING_STEP); // another window's results
    EXPECT_EQ(ScheduleKeys().size(), 1);
    frame->CloseProcessLinkedWindows(PROCESS);
    QCoreApplication::processEvents();
    EXPECT_TRUE(ScheduleKeys().isEmpty());
}

TEST_F(ScheduleWindowShellTest, ThePlansScheduleHasARowPerEquipmentItemAndKeepsThePlanRules)
{
    ASSERT_EQ(frame->AutomationSimulatePlan(PLAN, "Weekly").kind, AutomationRunOutcome::Done);
    SelectPlan();
    ASSERT_EQ(frame->CurrentContext().kind, CONTEXT_PLAN_EXPLORER);
    frame->ExecuteCommand(ID_VIEW_SCHEDULE);
    CScheduleWindow* window = ActiveSchedule();
    ASSERT_TRUE(window);
    EXPECT_EQ(window->windowTitle(), "Schedule: Plan - Weekly");
    EXPECT_EQ(ScheduleKeys(), QList<long>({99000 + PLAN}));
    // A row per equipment item the run used, a bar per batch of a step on it (the engine decides
    // which).
    const QStringList tags = {"R-101", "R-102", "C-201", "D-301", "M-401"};
    for (const QString& title : RowTitles(*window))
        EXPECT_TRUE(tags.contains(title)) << title.toStdString();
    ASSERT_FALSE(BarCaptions(*window).isEmpty());
    const QRegularExpression batchCaption(
        "^(Coupling|Crystallization|Drying|Milling) \\(1\\.0\\) #[1-9][0-9]*$");
    for (const QString& caption : BarCaptions(*window))
        EXPECT_TRUE(batchCaption.match(caption).hasMatch()) << caption.toStdString();
    // Every step of the plan has each batch the run scheduled for it in the window, and no other.
    const QMap<long, int> scheduled = ScheduledBatches(PLAN);
    ASSERT_FALSE(scheduled.isEmpty());
    for (auto step = scheduled.cbegin(); step != scheduled.cend(); ++step)
        EXPECT_GT(step.value(), 0) << "the run scheduled no batch of step " << step.key();
    EXPECT_EQ(ShownBatches(*window), scheduled);
    EXPECT_EQ(frame->CurrentContext().kind, CONTEXT_GANTT);
    EXPECT_EQ(frame->CurrentContext().planID, PLAN);
    for (int command : {ID_VIEW_SCHEDULE, ID_VIEW_RUN_REPORT, ID_SIMULATE_PLAN, ID_SIMULATE_RUN})
        EXPECT_TRUE(frame->IsCommandEnabled(command)) << command;
    EXPECT_FALSE(frame->IsCommandEnabled(ID_SIMULATE_BATCH)); // no step in a plan's schedule
    Shot("plan");
    // A script's Gantt chart of the plan is the same window.
    EXPECT_EQ(frame->AutomationShowGanttChart("plan", "Weekly", PLAN).kind, AutomationRunOutcome::Done);
    EXPECT_EQ(ScheduleKeys(), QList<long>({99000 + PLAN}));
}

// In the Weekly plan a Crystallization batch's transfer from R-102 fills R-101: R-101 is that
// batch's from the transfer's start, its bar there starts with the transfer, no other batch is on
// R-101 meanwhile, and the table shows the hold as "(filling)" on R-101. The chart scrolled there
// and the table line are schedule-plan-r101-transfer*.png.
TEST_F(ScheduleWindowShellTest, ATransferHoldsTheVesselItFillsFromItsStart)
{
    ASSERT_EQ(frame->AutomationSimulatePlan(PLAN, "Weekly").kind, AutomationRunOutcome::Done);
    SelectPlan();
    frame->ExecuteCommand(ID_VIEW_SCHEDULE);
    CScheduleWindow* window = ActiveSchedule();
    ASSERT_TRUE(window);
    const ScheduleChart& chart = window->Chart();
    const int r101 = int(RowTitles(*window).indexOf("R-101"));
    ASSERT_GE(r101, 0);
    const ScheduleRow& row = chart.rows.at(r101);
    EXPECT_EQ(row.lanes, 1) << "no two batches on R-101 at once";
    // The hold nearest 13:40, where a batch's transfer once filled R-101 while the one before was
    // still being emptied from it.
    constexpr double ONCE_FILLED_AT = 13 * 3600 + 40 * 60;
    int held = -1, heldBar = -1;
    for (int b = 0; b < row.bars.size(); ++b)
        for (int index : row.bars.at(b).entries)
            if (chart.entries.at(index).hold &&
                (held < 0 || std::abs(chart.entries.at(index).start - ONCE_FILLED_AT) <
                                 std::abs(chart.entries.at(held).start - ONCE_FILLED_AT))) {
                held = index;
                heldBar = b;
            }
    ASSERT_GE(held, 0) << "a hold of R-101 by a transfer";
    const ScheduleEntry& hold = chart.entries.at(held);
    EXPECT_TRUE(hold.name.endsWith(" (filling)")) << hold.name.toStdString();
    EXPECT_EQ(hold.vesselTag, "R-101");
    EXPECT_DOUBLE_EQ(row.bars.at(heldBar).start, hold.start);
    for (int index = 0; index < chart.entries.size(); ++index) {
        const ScheduleEntry& transfer = chart.entries.at(index);
        if (!transfer.hold && transfer.batchNumber == hold.batchNumber &&
            transfer.operationID == hold.operationID) {
            EXPECT_EQ(transfer.vesselTag, "R-102")
                << "the transfer's own line stays on the vessel it empties";
            EXPECT_DOUBLE_EQ(transfer.start, hold.start);
        }
    }
    std::cout << "Weekly makespan: " << FormatScheduleTime(chart.span).toStdString()
              << " h:min; R-101 held from " << FormatScheduleTime(hold.start).toStdString() << " by "
              << hold.stepName.toStdString() << " #" << hold.batchNumber << std::endl;
    SaveChartAround(chart, r101, heldBar, "schedule-plan-r101-transfer.png");
    for (int pane = 0; pane < PANE_COUNT; ++pane)
        frame->pane(PaneID(pane))->hide();
    window->parentWidget()->showMaximized();
    window->Tabs()->setCurrentIndex(1);
    window->Table()->setCurrentCell(held, 0);
    SaveShellShot(frame, "schedule-plan-r101-transfer-table.png");
}

TEST_F(ScheduleWindowShellTest, ScriptsOpenAStepsScheduleAndAreToldWhenThereIsNone)
{
    const AutomationRunOutcome none = frame->AutomationShowGanttChart("Step", "Drying (1.0)", DRYING);
    EXPECT_EQ(none.kind, AutomationRunOutcome::Failed);
    EXPECT_EQ(none.text, "There are no results for Drying (1.0).");
    EXPECT_EQ(frame->AutomationShowGanttChart("Process", "Amidol (Free Base)", PROCESS).kind,
              AutomationRunOutcome::NotAvailable);
    EXPECT_TRUE(ScheduleKeys().isEmpty());
    EXPECT_EQ(frame->AutomationShowGanttChart("Step", "Coupling (1.0)", SHELL_COUPLING_STEP).kind,
              AutomationRunOutcome::Done);
    EXPECT_EQ(ScheduleKeys(), QList<long>({SHELL_COUPLING_STEP}));
}

TEST_F(ScheduleWindowShellTest, ARunRedrawsItAndASelectedRecipeLineSelectsItsBar)
{
    // Results of one operation, then a run: the open window shows the run's operations.
    ASSERT_TRUE(WriteResultsAtomically(
        ResultsFilePath(GetProjectDir(), StepResultsFileName(SHELL_COUPLING_STEP)),
        [](CSchemaBuilder& builder) {
            return WriteScheduleRows(builder, {{SHELL_COUPLING_STEP, 10002, 0, 600, 600, 101, 0}});
        }));
    frame->ExecuteCommand(ID_VIEW_RUN_REPORT);
    CScheduleWindow* window = ActiveSchedule();
    ASSERT_TRUE(window);
    ASSERT_EQ(window->EntryCount(), 1);
    ASSERT_EQ(frame->AutomationSimulateStep(SHELL_COUPLING_STEP, "Coupling (1.0)").kind,
              AutomationRunOutcome::Done);
    EXPECT_GT(window->EntryCount(), 1);

    CQUORVANTAView* view = OpenCouplingFromTheExplorer();
    ASSERT_TRUE(view);
    Click(*view, "Charge 186 kg");
    const CScheduleChartView* chart = window->ChartView();
    ASSERT_GE(chart->SelectedRow(), 0);
    EXPECT_EQ(window->Chart().rows.at(chart->SelectedRow()).bars.at(chart->SelectedBar()).caption,
              "1.3. Charge");
    const QList<QTableWidgetItem*> selected = window->Table()->selectedItems();
    ASSERT_FALSE(selected.isEmpty());
    EXPECT_EQ(window->Table()->item(selected.first()->row(), 2)->text(), "1.3.");
    window->Table()->setCurrentCell(0, 3); // a line chosen in the table shows its bar
    EXPECT_EQ(window->Chart().rows.at(chart->SelectedRow()).bars.at(chart->SelectedBar()).caption,
              "1.1. Purge");
}

TEST_F(ScheduleWindowShellTest, OpenSchedulesComeBackWithTheProject)
{
    ASSERT_EQ(frame->AutomationSimulatePlan(PLAN, "Weekly").kind, AutomationRunOutcome::Done);
    frame->ExecuteCommand(ID_VIEW_RUN_REPORT); // the step's
    SelectPlan();
    frame->ExecuteCommand(ID_VIEW_SCHEDULE);
    ASSERT_EQ(ScheduleKeys(), QList<long>({SHELL_COUPLING_STEP, 99000 + PLAN}));
    frame->ExecuteCommand(ID_FILE_SAVE);
    QStringList saved;
    QSqlQuery query = GetProjectDatabase()->Query(
        "SELECT ItemID FROM WindowsPosition WHERE Type = 'Schedule' ORDER BY RowKey");
    while (query.next())
        saved << query.value(0).toString();
    EXPECT_EQ(saved, QStringList({"1001", "99001"}));
    frame->ExecuteCommand(ID_FILE_CLOSE);
    ASSERT_FALSE(frame->IsProjectOpen());
    EXPECT_TRUE(ScheduleKeys().isEmpty());
    ASSERT_TRUE(app->OpenGivenProjectFile(m_project));
    EXPECT_EQ(ScheduleKeys(), QList<long>({SHELL_COUPLING_STEP, 99000 + PLAN}));
    QStringList titles;
    for (QWidget* chart : app->GetChartDocuments())
        titles << chart->windowTitle();
    EXPECT_EQ(titles, QStringList({"Schedule: Coupling (1.0)", "Schedule: Plan - Weekly"}));
}

// Close Project closes every window of the project, whatever its kind: the recipe, the step's and
// the plan's schedules, Quick Results and a web view. None is left in the document area or waiting
// to be deleted, and no schedule remains among the application's chart documents.
TEST_F(ScheduleWindowShellTest, CloseProjectClosesEveryWindowOfTheProject)
{
    ASSERT_EQ(frame->AutomationSimulatePlan(PLAN, "Weekly").kind, AutomationRunOutcome::Done);
    ASSERT_NE(OpenCouplingFromTheExplorer(), nullptr);
    SelectCoupling();
    frame->ExecuteCommand(ID_VIEW_RUN_REPORT);
    SelectCoupling();
    frame->ExecuteCommand(ID_VIEW_QUICK_RESULTS);
    SelectPlan();
    frame->ExecuteCommand(ID_VIEW_SCHEDULE);
    const QString home = m_root.path() + "/home.html";
    QFile page(home);
    ASSERT_TRUE(page.open(QIODevice::WriteOnly) && page.write("<p>Home</p>") > 0);
    page.close();
    app->profile()->setValue("Settings/HomePage", home);
    frame->ExecuteCommand(ID_HELP_HOME_PAGE);

    const DocumentKind kinds[] = {DocumentKind::ProjectRecipe, DocumentKind::Gantt,
                                  DocumentKind::QuickResults, DocumentKind::HtmlView};
    const auto openKinds = [&] {
        QStringList open;
        for (DocumentKind kind : kinds)
            for (const HostedDocument& document : frame->ListDocuments(kind))
                open << DocumentKindName(kind) + ": " + document.window->windowTitle();
        return open.join(" | ").toStdString();
    };
    ASSERT_EQ(openKinds(),
              "Project Recipe Window: Recipe: Coupling (1.0) | Gantt: Schedule: Coupling (1.0) | "
              "Gantt: Schedule: Plan - Weekly | Quick Results: Quick Results: Coupling (1.0) - 1.1. Purge | "
              "HTML Views: Web View");
    auto* area = frame->findChild<QMdiArea*>();
    QList<QPointer<QWidget>> windows;
    for (QMdiSubWindow* sub : area->subWindowList())
        windows << sub->widget();

    frame->ExecuteCommand(ID_FILE_CLOSE);
    ASSERT_FALSE(frame->IsProjectOpen());
    EXPECT_EQ(openKinds(), "");
    EXPECT_TRUE(area->subWindowList().isEmpty());
    EXPECT_TRUE(app->GetChartDocuments().isEmpty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QStringList kept;
    for (const QPointer<QWidget>& window : windows)
        if (window)
            kept << window->windowTitle();
    EXPECT_EQ(kept.join(" | ").toStdString(), "") << "windows of the closed project still alive";
}

// The schedules saved with the project come back as whole tabs of the document area, as they were
// saved, whatever placement the rows hold: never a small window floating in another tab, never
// minimized to a title bar.
TEST_F(ScheduleWindowShellTest, ReopenedSchedulesAreWholeTabsOfTheDocumentArea)
{
    ASSERT_EQ(frame->AutomationSimulatePlan(PLAN, "Weekly").kind, AutomationRunOutcome::Done);
    frame->ExecuteCommand(ID_VIEW_RUN_REPORT);
    SelectPlan();
    frame->ExecuteCommand(ID_VIEW_SCHEDULE);
    frame->ExecuteCommand(ID_FILE_SAVE);
    QSqlQuery states = GetProjectDatabase()->Query(
        "SELECT group_concat(ShowState) FROM WindowsPosition WHERE Type = 'Schedule'");
    ASSERT_TRUE(states.next());
    EXPECT_EQ(states.value(0).toString(), "2,2") << "saved as the tabs they are";
    frame->ExecuteCommand(ID_FILE_CLOSE);
    ASSERT_FALSE(frame->IsProjectOpen());
    // A layout as older saves left it: a half-size window and a minimized one.
    CDaoDatabase project;
    project.Open(m_project, DatabaseRole::ReadWrite);
    project.Execute("UPDATE WindowsPosition SET PositionLeft = 40, PositionTop = 30, PositionWidth = 300,"
                    " PositionHeight = 200, ShowState = CASE ItemID WHEN 1001 THEN 0 ELSE 1 END"
                    " WHERE Type = 'Schedule'");
    project.Close();

    ASSERT_TRUE(app->OpenGivenProjectFile(m_project));
    QCoreApplication::processEvents();
    ASSERT_EQ(ScheduleKeys(), QList<long>({SHELL_COUPLING_STEP, 99000 + PLAN}));
    auto* area = frame->findChild<QMdiArea*>();
    for (QMdiSubWindow* sub : area->subWindowList()) {
        const std::string title = sub->widget()->windowTitle().toStdString();
        area->setActiveSubWindow(sub);
        QCoreApplication::processEvents();
        EXPECT_TRUE(sub->isMaximized()) << title;
        EXPECT_FALSE(sub->isMinimized()) << title;
        EXPECT_EQ(sub->geometry(), area->viewport()->rect()) << title;
    }
    SaveShellShot(frame, "schedule-reopened.png");
}

// What the user sees of View > Schedule and Run Report: enabled for a simulated step, disabled
// for one without results and without a project; the Process Explorer's menu offers Schedule too.
TEST_F(ScheduleWindowShellTest, TheViewMenuShowsTheScheduleCommandsAsTheContextAllows)
{
    QMenu* view = frame->menu("&View");
    const auto shown = [&](const char* title) {
        emit view->aboutToShow();
        QAction* action = ActionTitled(*view, title);
        return action && action->isEnabled();
    };
    EXPECT_TRUE(shown("Schedule"));
    EXPECT_TRUE(shown("Run Report"));
    auto* tree = frame->pane(PaneID::ProcessExplorer)->widget()->findChild<QTreeWidget*>();
    tree->setCurrentItem(tree->topLevelItem(0)->child(2)); // Drying, never simulated
    EXPECT_FALSE(shown("Schedule"));
    EXPECT_FALSE(shown("Run Report"));
    QMenu* explorerMenu =
        qobject_cast<CProcessTree*>(frame->pane(PaneID::ProcessExplorer)->widget())->contextMenu();
    tree->setCurrentItem(tree->topLevelItem(0)->child(0));
    emit explorerMenu->aboutToShow();
    QAction* schedule = ActionTitled(*explorerMenu, "Schedule");
    ASSERT_TRUE(schedule);
    EXPECT_TRUE(schedule->isEnabled());
    schedule->trigger();
    ASSERT_TRUE(ActiveSchedule());
    EXPECT_EQ(ActiveSchedule()->windowTitle(), "Schedule: Coupling (1.0)");
    frame->ExecuteCommand(ID_FILE_CLOSE);
    EXPECT_FALSE(shown("Schedule"));
    EXPECT_TRUE(ScheduleKeys().isEmpty());
}

// File > Print and Print Preview of the active schedule window: its chart on the session's pages.
TEST_F(ScheduleWindowShellTest, PrintAndPreviewPrintTheActiveSchedule)
{
    frame->ExecuteCommand(ID_VIEW_RUN_REPORT);
    ASSERT_TRUE(ActiveSchedule());
    ScriptedPrintDialogService dialogs;
    const QString pdf = m_root.path() + "/schedule.pdf";
    dialogs.expect(pdf);
    frame->ExecuteCommand(ID_FILE_PRINT);
    EXPECT_EQ(dialogs.documentNames(), QStringList({"Schedule: Coupling (1.0)"}));
    QFile printed(pdf);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_TRUE(printed.readAll().startsWith("%PDF"));
    bool previewed = false;
    QTimer::singleShot(0, [&] {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        previewed = preview != nullptr;
        if (preview)
            preview->reject();
    });
    frame->ExecuteCommand(ID_FILE_PRINT_PREVIEW);
    EXPECT_TRUE(previewed);
}
