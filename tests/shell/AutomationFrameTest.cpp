// The scripting objects served by the real application with Demo open: the frame's roots and
// script operations, a call that arrives while a batch run reports its progress, and opens that
// fail without a dialog.

#include "ScriptedPrompts.h"
#include "ShellTestSupport.h"
#include "automation/AutomationInvoke.h"
#include "automation/AutomationObject.h"
#include "automation/QVProcess.h"
#include "automation/QVProcesses.h"
#include "automation/QVStep.h"
#include "automation/QVProductionPlans.h"
#include "automation/QuorvantaAut.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/AutomationFlag.h"
#include "foundation/common/CommandIds.h"
#include "foundation/common/concerns/PlanExplorer.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/schema/ResultsDatabase.h"
#include "foundation/common/SimStatus.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "modules/engine/EngineEntry.h"
#include "modules/qvxl/ReportDelivery.h"
#include "modules/qvxl/ReportNames.h"
#include "projects/ProjectManager.h"
#include "shell/MainFrame.h"
#include "shell/QuorvantaApp.h"
#include "simulation/ProcessPlanSimulation.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {
constexpr long COUPLING = 1001;
using V = CAutomationVariant;

// The engine stand-in, running a hook from inside the first progress step of each batch run.
class StepHookEngine : public EngineEntry {
public:
    int simulateBatch(ISimStatus* status, long stepID) override
    {
        HookedStatus hooked(*status, onFirstStep);
        return EngineEntry::simulateBatch(&hooked, stepID);
    }
    std::function<void()> onFirstStep;

private:
    class HookedStatus : public ISimStatus {
    public:
        HookedStatus(ISimStatus& inner, std::function<void()>& hook) : m_inner(inner), m_hook(hook) {}
        void SetPhaseTimeA(double s) override { m_inner.SetPhaseTimeA(s); }
        void SetPhaseTimeB(double s) override { m_inner.SetPhaseTimeB(s); }
        long long SetCount1(long c) override { return m_inner.SetCount1(c); }
        long long SetCount2(long c) override { return m_inner.SetCount2(c); }
        long long SetTotal(double t) override { return m_inner.SetTotal(t); }
        bool IsCancelled() override { return m_inner.IsCancelled(); }
        bool Step(double unused) override
        {
            if (m_hook && !m_stepped)
                m_hook();
            m_stepped = true;
            return m_inner.Step(unused);
        }
        bool SetStatusText(const QString& text) override { return m_inner.SetStatusText(text); }
        void SetProgress(double percent) override { m_inner.SetProgress(percent); }

    private:
        ISimStatus& m_inner;
        std::function<void()>& m_hook;
        bool m_stepped = false;
    };
};

struct HookedEngineHost : EngineHost {
    bool CreateProjectEngine() override
    {
        engine = std::make_unique<StepHookEngine>();
        engine->PassZRQ(GetWorkingCopyDir());
        engine->PassTamro(GetAppContext());
        return true;
    }
    void DeleteProjectEngine() override { engine.reset(); }
    EngineEntry* GetEngineEntry() const override { return engine.get(); }
    std::unique_ptr<StepHookEngine> engine;
};

class AutomationFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetShellProfile();
        ASSERT_TRUE(CProjectGenerator().Write(CProjectGenerator::DemoProject(), m_root.path() + "/Demo/"));
        m_installed.Install<EngineHost>(&m_engines);
        app = std::make_unique<CQuorvantaApp>();
        ASSERT_TRUE(app->InitInstance({"quorvanta", m_demo}));
        frame = app->mainFrame();
        ASSERT_TRUE(frame->IsProjectOpen());
        g_bAutomationActive = true;
        frame->BuildAutomationModel();
        root = frame->GetAutomationApplication();
        ASSERT_TRUE(root);
    }
    void TearDown() override
    {
        root.reset();
        app->ExitInstance();
        app.reset();
        g_bAutomationActive = false;
        EXPECT_TRUE(prompts.allAnswersUsed());
        EXPECT_TRUE(prompts.texts().isEmpty()) << prompts.texts().join('\n').toStdString();
    }
    // Plan 7 "Weekly" with three batches of two steps, plan 8 "Empty" without any.
    static void addPlans()
    {
        CDaoDatabase& project = *GetProjectDatabase();
        project.Execute(
            "INSERT INTO ProductionPlan (PlanID, PlanName, StartDateTime) VALUES (7, 'Weekly', 46000), "
            "(8, 'Empty', 46000)");
        project.Execute("INSERT INTO \"ProductionPlan-To-Project\" (PlanID, ProjectID, PlanName) VALUES "
                        "(7, 1, 'Weekly'), (8, 1, 'Empty')");
        project.Execute("INSERT INTO ProductionPlanDetail (PlanID, StepID, Overlap, RequirementID) VALUES "
                        "(7, 1001, 0, 1), (7, 1001, 1, 1), (7, 1002, 0, 2)");
    }
    AutomationResult CallRoot(const QString& member, const AutomationArgs& args = {})
    {
        return InvokeAutomation(root, InvokeKind::Call, member, args);
    }

    QTemporaryDir m_root;
    const QString m_demo = m_root.path() + "/Demo/Demo.prj";
    HookedEngineHost m_engines;
    ServiceInstallations m_installed;
    ScriptedPromptService prompts; // a prompt that reaches it was shown to nobody in a call: fails
    std::unique_ptr<CQuorvantaApp> app;
    CMainFrame* frame = nullptr;
    std::shared_ptr<CQuorvantaAut> root;
};
} // namespace

// The three roots are the tree's, the options none; after the close they are gone.
TEST_F(AutomationFrameTest, TheRootsAreTheTreesAndGoWithTheProject)
{
    auto processes = InvokeAutomation(root, InvokeKind::Call, "Processes").value.object();
    EXPECT_EQ(processes, std::static_pointer_cast<CAutomationObject>(frame->GetAutomationProcesses()));
    auto plans = InvokeAutomation(root, InvokeKind::Call, "ProductionPlans").value.object();
    EXPECT_EQ(plans, std::static_pointer_cast<CAutomationObject>(frame->GetAutomationProductionPlans()));
    EXPECT_EQ(frame->GetAutomationOptions(), nullptr);
    ASSERT_TRUE(CallRoot("CloseProject", {V::Bool(false)}).ok());
    EXPECT_FALSE(frame->IsProjectOpen());
    EXPECT_EQ(frame->GetAutomationProcesses(), nullptr);
    EXPECT_EQ(frame->GetAutomationProductionPlans(), nullptr);
}

// A step run keeps the context name unless one is given; the operations not built yet answer
// NotAvailable and leave the context as it was.
TEST_F(AutomationFrameTest, FrameOperationsSetTheContextOnlyWhenTheyRun)
{
    frame->AutomationSimulateStep(COUPLING, "Coupling (script)");
    EXPECT_EQ(frame->CurrentContext().stepLabel, "Coupling (script)");
    const AutomationRunOutcome run = frame->AutomationSimulateStep(COUPLING, QString());
    EXPECT_EQ(run.kind, AutomationRunOutcome::Done) << run.text.toStdString();
    EXPECT_EQ(run.engineCode, 0);
    EXPECT_EQ(frame->CurrentContext().stepID, COUPLING);
    EXPECT_EQ(frame->CurrentContext().stepLabel, "Coupling (script)");

    const ContextRecord before = frame->CurrentContext();
    const std::function<AutomationRunOutcome()> unbuilt[] = {
        [&] { return frame->AutomationShowGanttChart("Process", "Amidol", 1); },
        [&] { return frame->AutomationExcelReport("Other", 1, COUPLING); },
    };
    for (const auto& operation : unbuilt) {
        EXPECT_EQ(operation().kind, AutomationRunOutcome::NotAvailable);
        EXPECT_EQ(frame->CurrentContext().stepID, before.stepID);
        EXPECT_EQ(frame->CurrentContext().stepLabel, before.stepLabel);
        EXPECT_EQ(frame->CurrentContext().planID, before.planID);
    }
    const AutomationRunOutcome chart = frame->AutomationShowGanttChart("plan", "Weekly", 1); // never simulated
    EXPECT_EQ(chart.kind, AutomationRunOutcome::Failed);
    EXPECT_EQ(chart.text, "There are no results for Weekly.");
    EXPECT_EQ(frame->CurrentContext().planID, before.planID);
    const AutomationRunOutcome unknown = frame->AutomationExcelReport("Step", 987654, COUPLING);
    EXPECT_EQ(unknown.kind, AutomationRunOutcome::Failed);
    EXPECT_EQ(unknown.text, "Unknown report code 987654.");
}

// A call served while the run reports progress (the run pumps events) is refused as Busy, and the
// run itself finishes as the script's call.
TEST_F(AutomationFrameTest, ACallFromInsideARunsProgressIsBusy)
{
    QList<AutomationResult> inside;
    m_engines.engine->onFirstStep = [&] {
        inside << InvokeAutomation(root, InvokeKind::Get, "Visible");
        inside << CallRoot("SaveProject");
    };
    const AutomationResult run = CallRoot("SimulateBatch", {V::Long(COUPLING)});
    EXPECT_TRUE(run.ok()) << run.text.toStdString();
    EXPECT_EQ(run.value.longValue(), 1);
    ASSERT_EQ(inside.size(), 2);
    for (const AutomationResult& result : inside) {
        EXPECT_EQ(result.error, AutomationError::Busy);
        EXPECT_EQ(result.text, "The program is busy.");
    }
    EXPECT_FALSE(AutomationCallsRefused());
}

// A damaged project file and a project in a folder without write access fail the call with the
// texts a user would have seen, and no window opens. The damaged file is refused before anything
// closes; for the other the open project, unmodified, closed first.
TEST_F(AutomationFrameTest, FailedOpensAnswerWithoutADialog)
{
    ASSERT_TRUE(CProjectGenerator().Write(CProjectGenerator::DemoProject(), m_root.path() + "/damaged/Demo/"));
    const QString damaged = m_root.path() + "/damaged/Demo/Demo.prj";
    QFile file(damaged);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, '\x5a'));
    file.close();
    ASSERT_TRUE(CProjectGenerator().Write(CProjectGenerator::DemoProject(), m_root.path() + "/locked/Demo/"));
    const QString locked = m_root.path() + "/locked/";
    app->projects().SetWriteAccessProbe([locked](const QString& path) { return !path.startsWith(locked); });

    QTimer watch; // any window that opens modally would stop the test here
    QObject::connect(&watch, &QTimer::timeout, [] { ASSERT_EQ(QApplication::activeModalWidget(), nullptr); });
    watch.start(0);
    const struct {
        QString path, said;
        bool stays;
    } cases[] = {
        {damaged, damaged + " is not a Tamro Plenthover project: the file cannot be read as a database", true},
        {locked + "Demo/Demo.prj", "You do not have write access to the folder containing this file.", false},
    };
    for (const auto& [path, said, stays] : cases) {
        const AutomationResult result = CallRoot("OpenProject", {V::Text(path)});
        ASSERT_TRUE(result.ok()) << result.text.toStdString();
        EXPECT_EQ(result.value.longValue(), 0) << path.toStdString();
        EXPECT_TRUE(result.messages.join('\n').contains(said)) << result.messages.join('\n').toStdString();
        EXPECT_EQ(frame->IsProjectOpen(), stays) << path.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(locked + "Demo/WorkingPath.txt"));
}

namespace {
// The folder and each entry by name, with its file identity, size and modification time.
QStringList FolderState(const QString& folder)
{
    QStringList state;
    const auto add = [&state](const QString& name, const QString& path) {
        struct stat info {};
        if (::stat(QFile::encodeName(path).constData(), &info) == 0)
            state << QStringLiteral("%1 %2 %3 %4.%5")
                         .arg(name)
                         .arg(info.st_ino)
                         .arg(info.st_size)
                         .arg(info.st_mtim.tv_sec)
                         .arg(info.st_mtim.tv_nsec);
    };
    add(".", folder);
    for (const QString& name :
         QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name))
        add(name, folder + "/" + name);
    return state;
}
} // namespace

// A path that names no project file answers 0 with the open's own text, and the open project stays
// as it was: open, its unsaved change kept, its object tree the same, its folder not written to.
TEST_F(AutomationFrameTest, AnOpenOfNoProjectFileKeepsTheOpenProjectAndItsChanges)
{
    const QString changed = "Changed by the script, not saved";
    GetProjectDatabase()->Execute("UPDATE Project SET Description = ?", {changed});
    app->setProjectModified(true);
    const auto processes = frame->GetAutomationProcesses();
    const QString folder = m_root.path() + "/Demo";
    const QString notes = m_root.path() + "/notes.txt";
    QFile file(notes);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QStringList before = FolderState(folder);

    const std::pair<QString, QString> cases[] = {
        {m_root.path() + "/Other/Other.prj", "The file " + m_root.path() + "/Other/Other.prj does not exist"},
        {notes, "Please select a Tamro Plenthover Project file to open!"},
    };
    for (const auto& [path, said] : cases) {
        const AutomationResult result = CallRoot("OpenProject", {V::Text(path)});
        ASSERT_TRUE(result.ok()) << result.text.toStdString();
        EXPECT_EQ(result.value.longValue(), 0) << path.toStdString();
        EXPECT_EQ(result.messages, QStringList{said});
        EXPECT_EQ(FolderState(folder), before) << path.toStdString();
        ASSERT_TRUE(frame->IsProjectOpen()) << path.toStdString();
        EXPECT_TRUE(GetAppContext()->isProjectModified());
        QSqlQuery query = GetProjectDatabase()->Query("SELECT Description FROM Project");
        EXPECT_TRUE(query.next() && query.value(0).toString() == changed);
        EXPECT_EQ(frame->GetAutomationProcesses(), processes);
    }
    ASSERT_TRUE(CallRoot("CloseProject", {V::Bool(false)}).ok());
}

namespace {
// The Plan Explorer's requirement run, passed over: the plan's rows stay as written.
struct PassingPlanRequirements : PlanExplorerServices {
    bool SimulatePlan(long, bool, EngineEntry*, bool) override { return true; }
};
} // namespace

// Process and plan Simulate through the objects run the engine stand-in: Done with the results
// written when it answers 0; a plan added by the script (id -1) and a plan without batches Failed.
TEST_F(AutomationFrameTest, ProcessAndPlanSimulateKeepTheRunsOutcome)
{
    PassingPlanRequirements requirements;
    ServiceInstallations installed;
    installed.Install<PlanExplorerServices>(&requirements);
    addPlans();
    frame->BuildAutomationModel();
    root = frame->GetAutomationApplication();
    const QString folder = GetProjectDir();

    const auto simulateProcess = [&] {
        return InvokeAutomation(frame->FindAutomationProcess(1), InvokeKind::Call, "Simulate");
    };
    const AutomationResult fresh = simulateProcess(); // a script's run builds no transitions
    EXPECT_EQ(fresh.error, AutomationError::Failed);
    EXPECT_EQ(fresh.text, "The run of process 1 ended with engine code 1.");
    frame->context().kind = CONTEXT_PROCESS_EXPLORER; // the user's run builds them
    frame->SimulateProcessOrPlan(0);
    const AutomationResult process = simulateProcess();
    ASSERT_TRUE(process.ok()) << process.text.toStdString();
    EXPECT_EQ(process.value.longValue(), 1);
    EXPECT_TRUE(QFile::exists(ResultsFilePath(folder, ProcessResultsFileName(1))));

    auto plans = std::static_pointer_cast<CAutomationObject>(frame->GetAutomationProductionPlans());
    const auto plan = [&](const QString& name) {
        return InvokeAutomation(plans, InvokeKind::Call, "GetProductionPlan", {V::Text(name)}).value.object();
    };
    const AutomationResult weekly = InvokeAutomation(plan("Weekly"), InvokeKind::Call, "Simulate");
    ASSERT_TRUE(weekly.ok()) << weekly.text.toStdString();
    EXPECT_TRUE(weekly.value.boolValue());
    CResultsDatabase results;
    ASSERT_TRUE(results.Open(ResultsFilePath(folder, PlanResultsFileName(7))));
    EXPECT_EQ(results.PlanSchedule().last().batchNumber, 3);

    const AutomationResult empty = InvokeAutomation(plan("Empty"), InvokeKind::Call, "Simulate");
    EXPECT_EQ(empty.error, AutomationError::Failed);
    EXPECT_EQ(empty.text, "The run of plan 8 ended with engine code 1.");
    const AutomationRunOutcome unsaved = frame->AutomationSimulatePlan(-1, "Script's"); // a plan made by Add
    EXPECT_EQ(unsaved.kind, AutomationRunOutcome::Failed);
    EXPECT_EQ(unsaved.text, "The run of plan -1 did not run.");
}

// A script's run of a step, a process or a plan brings the frame's commands up to date for the
// context the run leaves: the commands of the new results are on without a click.
TEST_F(AutomationFrameTest, AScriptsRunEnablesTheCommandsOfItsResults)
{
    PassingPlanRequirements requirements;
    ServiceInstallations installed;
    installed.Install<PlanExplorerServices>(&requirements);
    addPlans();
    frame->SetCommandHandler(ID_VIEW_SCHEDULE, [] {}); // a process's results command; its window is not built
    const auto contextOf = [](ContextKind kind, long stepID, long processID, long planID) {
        ContextRecord context;
        context.kind = kind;
        context.stepID = stepID;
        context.processID = processID;
        context.processNodeSelected = processID != -1;
        context.planID = planID;
        return context;
    };
    const auto userProcessRun = [&] { // builds the transitions a script's run needs; its results go
        frame->SimulateProcessOrPlan(RUN_BY_CONTEXT);
        QFile::remove(ResultsFilePath(GetProjectDir(), ProcessResultsFileName(1)));
    };
    const struct {
        const char* name;
        ContextRecord context;
        int command;
        std::function<void()> prepare;
        std::function<AutomationRunOutcome()> run;
    } cases[] = {
        {"step", contextOf(CONTEXT_PROCESS_EXPLORER, COUPLING, -1, -1), ID_VIEW_RUN_REPORT, [] {},
         [&] { return frame->AutomationSimulateStep(COUPLING, QString()); }},
        {"process", contextOf(CONTEXT_PROCESS_EXPLORER, -1, 1, -1), ID_VIEW_SCHEDULE, userProcessRun,
         [&] { return frame->AutomationSimulateProcess(1, "Amidol"); }},
        {"plan", contextOf(CONTEXT_PLAN_EXPLORER, -1, -1, 7), ID_VIEW_RUN_REPORT, [] {},
         [&] { return frame->AutomationSimulatePlan(7, "Weekly"); }},
    };
    for (const auto& c : cases) {
        frame->context() = c.context;
        c.prepare();
        frame->UpdateCommandStates();
        ASSERT_FALSE(frame->action(c.command)->isEnabled()) << c.name;
        const AutomationRunOutcome run = c.run();
        ASSERT_EQ(run.kind, AutomationRunOutcome::Done) << c.name << ": " << run.text.toStdString();
        EXPECT_TRUE(frame->action(c.command)->isEnabled()) << c.name;
    }
}

// A script's arguments that its target does not take are refused before the step's run is reset;
// target 6 scales by its factor (the bus script drives both through the step object).
TEST_F(AutomationFrameTest, ScaleRecipeRefusesBeforeTheResetThenScales)
{
    ASSERT_EQ(frame->AutomationSimulateStep(COUPLING, QString()).kind, AutomationRunOutcome::Done);
    const double before = EngineEntry().getCurrentBatchSizeInKg(COUPLING);
    EXPECT_EQ(frame->AutomationScaleRecipe(COUPLING, {}, 4, -1, 10.0, {}, 0.0).kind,
              AutomationRunOutcome::InvalidArgument);
    EXPECT_DOUBLE_EQ(EngineEntry().getCurrentBatchSizeInKg(COUPLING), before); // not reset
    EXPECT_EQ(frame->AutomationScaleRecipe(COUPLING, {}, 6, -1, 99.0, {}, 2.0).kind, AutomationRunOutcome::Done);
    EXPECT_DOUBLE_EQ(EngineEntry().getCurrentBatchSizeInKg(COUPLING), 2 * before);
    EXPECT_TRUE(CallRoot("CloseProject", {V::Bool(false)}).ok()); // modified: closed unsaved
}

// A script's Results on a simulated step writes the report to its default file in the project
// folder unasked (no dialog, no opener); an unsimulated step's Results fails and writes nothing.
TEST_F(AutomationFrameTest, ResultsWritesTheDefaultFileOfASimulatedStep)
{
    const std::shared_ptr<CQVStep> step = frame->FindAutomationStep(frame->FindAutomationProcess(1).get(), COUPLING);
    ASSERT_TRUE(step);
    const QString file =
        QDir(GetProjectDir()).filePath(DefaultReportFileName("Material Balance", ReportStepName(COUPLING)));
    const AutomationResult unsimulated = InvokeAutomation(step, InvokeKind::Call, "Results", {V::Long(105)});
    EXPECT_EQ(unsimulated.error, AutomationError::Failed);
    EXPECT_EQ(unsimulated.text.left(24), "There are no results for") << unsimulated.text.toStdString();
    EXPECT_FALSE(QFileInfo::exists(file));

    ASSERT_EQ(frame->AutomationSimulateStep(COUPLING, QString()).kind, AutomationRunOutcome::Done);
    const AutomationResult results = InvokeAutomation(step, InvokeKind::Call, "Results", {V::Long(105)});
    ASSERT_TRUE(results.ok());
    EXPECT_TRUE(results.value.boolValue());
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly)) << file.toStdString();
    EXPECT_EQ(written.read(2), "PK"); // a workbook
    EXPECT_FALSE(QFileInfo::exists(file + ".part"));
}
