// The process and plan run from the real main frame on Demo with scripted engines, a scripted Plan
// Explorer and scripted prompts: each command's path (flags, the progress dialogs, the disabled
// window, the auto-save timer, the outcome), the batches before a process, the runs that do nothing,
// the exact old results removed, and the plan commands giving the Plan Explorer the focus.

#include "ScriptedPrompts.h"
#include "ShellTestSupport.h"
#include "foundation/common/BusyGuard.h"
#include "foundation/common/CommandIds.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/UserSimSequenceFile.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/PlanExplorer.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "modules/engine/EngineEntry.h"
#include "shell/MainFrame.h"
#include "shell/QuorvantaApp.h"
#include "simulation/ProcessPlanSimulation.h"
#include "simulation/SimDialog.h"

#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr long AMIDOL = 1; // Coupling 1001, Crystallisation 1002, Drying 1003
constexpr long PLAN = 7;

// How the program looked from inside an engine call.
struct RunProbe {
    bool windowEnabled = true;
    bool timerArmed = false;
    bool busy = false;
    QString flags; // "p" batches and process, "l" batches and plan, "u" user sequence
    QString dialogTitle;
    QString titleLine;
};

using ProbeFunction = std::function<RunProbe(ISimStatus*)>;

// The frame's engine: queued batch codes, a scripted step list, every call recorded.
class ScriptedFrameEngine : public EngineEntry {
public:
    void resetSimulation(long stepID, const QString& mode) override { calls << QStringLiteral("reset %1 %2").arg(stepID).arg(mode); }
    int simulateBatch(ISimStatus* status, long stepID) override { return answer(status, QStringLiteral("batch %1").arg(stepID)); }
    int continueBatch(ISimStatus* status, long stepID) override { return answer(status, QStringLiteral("continue %1").arg(stepID)); }
    bool getStepIdList(bool, long, Array<long>& steps) override
    {
        steps.RemoveAll();
        for (long step : stepList)
            steps.Add(step);
        return hasStepList;
    }
    int answer(ISimStatus* status, const QString& call)
    {
        calls << call;
        if (probe)
            probes << probe(status);
        const int code = codes.empty() ? 0 : codes.front();
        if (!codes.empty())
            codes.pop_front();
        return code;
    }

    QStringList calls;
    std::deque<int> codes;
    QList<long> stepList;
    bool hasStepList = true;
    ProbeFunction probe;
    QList<RunProbe> probes;
};

// The run's own engines: each call recorded with its options and what the program looked like.
struct LocalEngineLog {
    QStringList calls;
    QList<RunProbe> probes;
    int code = SIMULATION_COMPLETED;
    ProbeFunction probe;
    std::function<void()> during;
};

class ScriptedRunEngine : public EngineEntry {
public:
    explicit ScriptedRunEngine(LocalEngineLog& log) : m_log(log) {}
    void setRunOptions(int air, int results, int over, int under) override
    {
        m_log.calls << QStringLiteral("options %1 %2 %3 %4").arg(air).arg(results).arg(over).arg(under);
    }
    int simulateProcess(ISimStatus* status, long processID, EngineEntry* batchEngine) override
    {
        return record(status, QStringLiteral("process %1 %2").arg(processID).arg(batchEngine ? "frame" : "none"));
    }
    int simulatePlan(ISimStatus* status, long planID, bool followSequenceFile) override
    {
        return record(status, QStringLiteral("plan %1 %2").arg(planID).arg(followSequenceFile));
    }

private:
    int record(ISimStatus* status, const QString& call)
    {
        m_log.calls << call;
        if (m_log.probe)
            m_log.probes << m_log.probe(status);
        if (m_log.during)
            m_log.during();
        return m_log.code;
    }
    LocalEngineLog& m_log;
};

struct ScriptedEngines : EngineHost, EngineFactory {
    bool CreateProjectEngine() override { return engine = std::make_unique<ScriptedFrameEngine>(), true; }
    void DeleteProjectEngine() override { engine.reset(); }
    EngineEntry* GetEngineEntry() const override { return withoutEngine ? nullptr : engine.get(); }
    EngineEntry* CreateEngineEntry() override
    {
        ++created;
        return new ScriptedRunEngine(log);
    }
    std::unique_ptr<ScriptedFrameEngine> engine;
    bool withoutEngine = false;
    int created = 0;
    LocalEngineLog log;
};

struct ScriptedPlanExplorer : PlanExplorerServices {
    bool SimulatePlan(long planID, bool readName, EngineEntry* engine, bool batchesFirst) override
    {
        calls << QStringLiteral("requirements %1 %2 %3 %4")
                     .arg(planID)
                     .arg(readName)
                     .arg(engine ? (engine == frameEngine() ? "frame" : "other") : "none")
                     .arg(batchesFirst);
        timerArmedAtCall << timerArmed();
        return answer;
    }
    bool IsPlanSimulatable(long) const override { return true; }
    std::function<EngineEntry*()> frameEngine;
    std::function<bool()> timerArmed;
    QStringList calls;
    QList<bool> timerArmedAtCall;
    bool answer = true;
};

class ProcessPlanRunShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetShellProfile();
        ASSERT_TRUE(CProjectGenerator().Write(CProjectGenerator::DemoProject(), m_root.path() + "/Demo/"));
        m_installed.Install<EngineHost>(&engines);
        m_installed.Install<EngineFactory>(&engines);
        m_installed.Install<PlanExplorerServices>(&planExplorer);
        app = std::make_unique<CQuorvantaApp>();
        ASSERT_TRUE(app->InitInstance({"quorvanta", m_root.path() + "/Demo/Demo.prj"}));
        frame = app->mainFrame();
        frame->show();
        frame->SetAutoSaveMinutes(10);
        frame->ArmAutoSaveTimer();
        planExplorer.frameEngine = [this] { return engines.engine.get(); };
        planExplorer.timerArmed = [this] { return frame->autoSaveTimer().IsArmed(); };
        engines.log.probe = [this](ISimStatus* status) { return Probe(status); };
        engines.engine->probe = engines.log.probe;
    }
    void TearDown() override
    {
        app->ExitInstance();
        app.reset();
        EXPECT_TRUE(prompts.allAnswersUsed());
    }
    RunProbe Probe(ISimStatus* status) const
    {
        RunProbe probe;
        probe.windowEnabled = frame->isEnabled();
        probe.timerArmed = frame->autoSaveTimer().IsArmed();
        probe.busy = IsBusy();
        const CProcessPlanSimulation& run = frame->processPlanSimulation();
        probe.flags = QString(run.BatchesAndProcessFlag() ? "p" : "") + (run.BatchesAndPlanFlag() ? "l" : "") +
                      (run.UserSequenceFlag() ? "u" : "");
        if (auto* dialog = dynamic_cast<CSimDialog*>(status)) {
            probe.dialogTitle = dialog->windowTitle();
            probe.titleLine = dialog->TitleLabel()->text();
        }
        return probe;
    }
    void SetProcessContext()
    {
        ContextRecord& context = frame->context();
        context = ContextRecord();
        context.kind = CONTEXT_PROCESS_EXPLORER;
        context.processID = AMIDOL;
        context.processName = "Amidol (Free Base)";
        context.processNodeSelected = true;
    }
    void SetPlanContext(int kind = CONTEXT_PLAN_EXPLORER)
    {
        ContextRecord& context = frame->context();
        context = ContextRecord();
        context.kind = kind;
        context.planID = PLAN;
        context.planName = "Weekly";
    }
    // After the run: the window enabled, the timer running, no flag left set.
    void ExpectRestored()
    {
        EXPECT_TRUE(frame->isEnabled());
        EXPECT_TRUE(frame->autoSaveTimer().IsArmed());
        EXPECT_FALSE(IsBusy());
        const RunProbe after = Probe(nullptr);
        EXPECT_TRUE(after.flags.isEmpty());
    }
    QString ProjectDir() const { return GetProjectDir(); }

    QTemporaryDir m_root;
    ScriptedEngines engines;
    ScriptedPlanExplorer planExplorer;
    ServiceInstallations m_installed;
    ScriptedPromptService prompts;
    std::unique_ptr<CQuorvantaApp> app;
    CMainFrame* frame = nullptr;
};

} // namespace

// "Simulate Process": a local engine with the BATCH options, the outcome its code, the window
// disabled, the timer stopped and commands refused while it runs; only the exact old results go.
TEST_F(ProcessPlanRunShellTest, ProcessRunHoldsTheProgramAndKeepsItsCode)
{
    GetProjectDatabase()->Execute("UPDATE SimulationOptions SET ResultsDatabase = 0, OverFlow = 0 "
                                  "WHERE OptionType = 'BATCH'");
    const QStringList stale = {"QVPROC_1.mdb", "qvproc_1.MDB"};
    const QStringList kept = {"QVPROC_12.mdb", "QVPROC_1.FAC", "QVPROC_1_old.mdb", "QVPLAN_1.mdb"};
    for (const QString& name : stale + kept) {
        QFile file(QDir(ProjectDir()).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    bool refused = false;
    engines.log.during = [&] { refused = !frame->DispatchCommand(CommandRequest{ID_SIMULATE_PROCESS, nullptr, {}}); };
    for (int code : {int(SIMULATION_COMPLETED), int(SIMULATION_FAILED)}) {
        engines.log = {{}, {}, code, engines.log.probe, engines.log.during};
        SetProcessContext();
        frame->ExecuteCommand(ID_SIMULATE_PROCESS);
        EXPECT_EQ(engines.log.calls, (QStringList{"options 0 0 0 1", "process 1 frame"}));
        ASSERT_EQ(engines.log.probes.size(), 1);
        const RunProbe& probe = engines.log.probes.first();
        EXPECT_FALSE(probe.windowEnabled);
        EXPECT_FALSE(probe.timerArmed);
        EXPECT_TRUE(probe.busy);
        EXPECT_TRUE(probe.flags.isEmpty());
        EXPECT_EQ(probe.dialogTitle, "Tamro Plenthover Simulate Process");
        EXPECT_EQ(probe.titleLine, "Simulating Process: Amidol (Free Base)");
        EXPECT_TRUE(refused);
        EXPECT_EQ(frame->processPlanSimulation().LastOutcome(), code);
        ExpectRestored();
    }
    for (const QString& name : stale)
        EXPECT_FALSE(QFile::exists(QDir(ProjectDir()).filePath(name))) << name.toStdString();
    for (const QString& name : kept)
        EXPECT_TRUE(QFile::exists(QDir(ProjectDir()).filePath(name))) << name.toStdString();
    EXPECT_TRUE(engines.engine->calls.isEmpty()) << "no batches without the flag";
}

// "Simulate Batches and Process": each listed step reset, run as a batch in its own dialog (a pause
// continued to the end) while the run's dialog keeps the window disabled, then the process.
TEST_F(ProcessPlanRunShellTest, BatchesFirstEachResetAndRunToItsEnd)
{
    engines.engine->stepList = {1001, 1002, 1003};
    engines.engine->codes = {SIMULATION_PAUSED, SIMULATION_PAUSED, SIMULATION_COMPLETED, SIMULATION_COMPLETED,
                             SIMULATION_COMPLETED};
    SetProcessContext();
    frame->ExecuteCommand(ID_SIMULATE_BATCHES_AND_PROCESS);
    EXPECT_EQ(engines.engine->calls,
              (QStringList{"reset 1001 ReadAndSimulate", "batch 1001", "continue 1001", "continue 1001",
                           "reset 1002 ReadAndSimulate", "batch 1002", "reset 1003 ReadAndSimulate", "batch 1003"}));
    ASSERT_EQ(engines.engine->probes.size(), 5);
    for (const RunProbe& probe : engines.engine->probes) {
        EXPECT_FALSE(probe.windowEnabled);
        EXPECT_FALSE(probe.timerArmed);
        EXPECT_EQ(probe.flags, "p");
        EXPECT_EQ(probe.dialogTitle, "Tamro Plenthover Simulate Batch");
    }
    EXPECT_EQ(engines.engine->probes.at(0).titleLine, "Simulating Batch: Coupling(1.0)");
    EXPECT_EQ(engines.engine->probes.at(4).titleLine, "Simulating Batch: Drying(1.0)");
    EXPECT_EQ(engines.log.calls.last(), "process 1 frame");
    ASSERT_EQ(engines.log.probes.size(), 1);
    EXPECT_FALSE(engines.log.probes.first().windowEnabled);
    EXPECT_EQ(engines.log.probes.first().flags, "p");
    EXPECT_EQ(frame->processPlanSimulation().LastOutcome(), SIMULATION_COMPLETED);
    ExpectRestored();
}

// A batch given up (cancelled or failed) on the third of five steps resets that step and ends the
// call: no further batch, no process run; the outcome is the batch's code.
TEST_F(ProcessPlanRunShellTest, ABatchGivenUpEndsTheCall)
{
    for (int code : {int(SIMULATION_CANCELLED), int(SIMULATION_FAILED)}) {
        engines.engine->calls.clear();
        engines.log.calls.clear();
        engines.engine->stepList = {1001, 1002, 1003, 1004, 1005};
        engines.engine->codes = {SIMULATION_COMPLETED, SIMULATION_COMPLETED, code};
        SetProcessContext();
        frame->ExecuteCommand(ID_SIMULATE_BATCHES_AND_PROCESS);
        EXPECT_EQ(engines.engine->calls.mid(4), (QStringList{"reset 1003 ReadAndSimulate", "batch 1003",
                                                             "reset 1003 ReadAndSimulate"}));
        EXPECT_EQ(engines.log.calls, (QStringList{"options 0 1 1 1"}));
        EXPECT_EQ(frame->processPlanSimulation().LastOutcome(), code);
        ExpectRestored();
    }
}

// Without a step list only the process runs.
TEST_F(ProcessPlanRunShellTest, NoStepListRunsOnlyTheProcess)
{
    engines.engine->hasStepList = false;
    SetProcessContext();
    frame->ExecuteCommand(ID_SIMULATE_BATCHES_AND_PROCESS);
    EXPECT_TRUE(engines.engine->calls.isEmpty());
    EXPECT_EQ(engines.log.calls.last(), "process 1 frame");
}

// A run by context rebuilds every step's transitions and the process's; a script's run does not.
TEST_F(ProcessPlanRunShellTest, OnlyARunByContextRebuildsTransitions)
{
    const auto operationTransitions = [] {
        QSqlQuery query = GetStepDatabase(1001)->Query("SELECT count(*) FROM OperationTransition");
        return query.next() ? query.value(0).toInt() : -1;
    };
    const auto stepTransitions = [] {
        QSqlQuery query = GetProjectDatabase()->Query("SELECT count(*) FROM StepTransition WHERE ProcessID = 1");
        return query.next() ? query.value(0).toInt() : -1;
    };
    GetStepDatabase(1001)->Execute("DELETE FROM OperationTransition");
    GetProjectDatabase()->Execute("DELETE FROM StepTransition WHERE ProcessID = 1");
    EXPECT_EQ(frame->AutomationSimulateProcess(AMIDOL, "Amidol").kind, AutomationRunOutcome::Done);
    EXPECT_EQ(operationTransitions(), 0);
    EXPECT_EQ(stepTransitions(), 0);
    SetProcessContext();
    frame->ExecuteCommand(ID_SIMULATE_PROCESS);
    EXPECT_GT(operationTransitions(), 0);
    EXPECT_GT(stepTransitions(), 0);
}

// The plan commands and a script's plan run: the requirement run gets the context plan (with the
// frame's engine and the batches flag by command, none for a script) while the timer still runs;
// then the plan run with the sequence flag of 33435 only, under its own title. Without a PLAN
// option row every run option is 1.
TEST_F(ProcessPlanRunShellTest, PlanRunsPassTheirFlags)
{
    GetProjectDatabase()->Execute("DELETE FROM SimulationOptions WHERE OptionType = 'PLAN'");
    // 33435 is enabled with the plan's file beside the working copies.
    QFile sequence(UserSimSequenceFilePath(GetWorkingCopyDir(), "Weekly", PLAN));
    ASSERT_TRUE(sequence.open(QIODevice::WriteOnly));
    sequence.close();
    const struct {
        int command; // 0: the script's run
        const char* requirements;
        const char* plan;
        const char* flags;
        const char* title;
    } cases[] = {
        {ID_SIMULATE_PLAN, "requirements 7 0 frame 0", "plan 7 0", "", "Tamro Plenthover Simulate Plan"},
        {ID_SIMULATE_BATCHES_AND_PLAN, "requirements 7 0 frame 1", "plan 7 0", "l", "Tamro Plenthover Simulate Plan"},
        {ID_SIMULATE_SEQUENCE, "requirements 7 0 frame 0", "plan 7 1", "u",
         "Tamro Plenthover Simulate User-Defined Simulation Sequence Plan"},
        {0, "requirements 7 0 none 0", "plan 7 0", "", "Tamro Plenthover Simulate Plan"},
    };
    for (const auto& c : cases) {
        planExplorer.calls.clear();
        planExplorer.timerArmedAtCall.clear();
        engines.log.calls.clear();
        engines.log.probes.clear();
        SetPlanContext(CONTEXT_GANTT);
        if (c.command)
            frame->ExecuteCommand(c.command);
        else
            EXPECT_EQ(frame->AutomationSimulatePlan(PLAN, "Weekly").kind, AutomationRunOutcome::Done);
        EXPECT_EQ(planExplorer.calls, QStringList{c.requirements});
        EXPECT_EQ(planExplorer.timerArmedAtCall, QList<bool>{true});
        EXPECT_EQ(engines.log.calls, (QStringList{"options 1 1 1 1", c.plan}));
        ASSERT_EQ(engines.log.probes.size(), 1);
        EXPECT_EQ(engines.log.probes.first().flags, c.flags);
        EXPECT_EQ(engines.log.probes.first().dialogTitle, c.title);
        EXPECT_EQ(engines.log.probes.first().titleLine, "Simulating Plan: Weekly");
        EXPECT_FALSE(engines.log.probes.first().windowEnabled);
        ExpectRestored();
    }
}

// A failed requirement run ends the call before any dialog, engine or timer change.
TEST_F(ProcessPlanRunShellTest, FailedRequirementRunEndsTheCall)
{
    planExplorer.answer = false;
    SetPlanContext();
    frame->ExecuteCommand(ID_SIMULATE_PLAN);
    EXPECT_EQ(planExplorer.calls.size(), 1);
    EXPECT_EQ(engines.created, 0);
    EXPECT_EQ(frame->processPlanSimulation().LastOutcome(), CProcessPlanSimulation::OUTCOME_NONE);
    ExpectRestored();
    const AutomationRunOutcome outcome = frame->AutomationSimulatePlan(PLAN, "Weekly");
    EXPECT_EQ(outcome.kind, AutomationRunOutcome::Failed);
    EXPECT_EQ(outcome.text, "The run of plan 7 did not run.");
}

// Runs with nothing to run or no engine to run with return at once.
TEST_F(ProcessPlanRunShellTest, NothingToRunReturnsAtOnce)
{
    const struct {
        const char* name;
        int mode, kind;
        long process, plan;
        bool engine;
    } cases[] = {
        {"explorer without process", 0, CONTEXT_PROCESS_EXPLORER, -1, -1, true},
        {"plan explorer without plan", 0, CONTEXT_PLAN_EXPLORER, -1, -1, true},
        {"recipe view", 0, CONTEXT_TEXT_RECIPE, AMIDOL, PLAN, true},
        {"nothing active", 0, CONTEXT_NONE, AMIDOL, PLAN, true},
        {"process by context without engine", 0, CONTEXT_PROCESS_EXPLORER, AMIDOL, -1, false},
        {"script's process -1", 1, CONTEXT_NONE, -1, PLAN, true},
        {"script's plan -1", 2, CONTEXT_NONE, AMIDOL, -1, true},
        {"script's process without engine", 1, CONTEXT_NONE, AMIDOL, -1, false},
        {"script's plan without engine", 2, CONTEXT_NONE, -1, PLAN, false},
    };
    for (const auto& c : cases) {
        ContextRecord& context = frame->context();
        context = ContextRecord();
        context.kind = c.kind;
        context.processID = c.process;
        context.planID = c.plan;
        engines.withoutEngine = !c.engine;
        frame->SimulateProcessOrPlan(c.mode);
        EXPECT_EQ(engines.created, 0) << c.name;
        EXPECT_TRUE(planExplorer.calls.isEmpty()) << c.name;
        EXPECT_EQ(frame->processPlanSimulation().LastOutcome(), CProcessPlanSimulation::OUTCOME_NONE) << c.name;
        ExpectRestored();
    }
}

// "Run" chooses by context: a process node runs the process, a plan context the plan.
TEST_F(ProcessPlanRunShellTest, RunChoosesByContext)
{
    SetProcessContext();
    frame->ExecuteCommand(ID_SIMULATE_RUN);
    SetPlanContext();
    frame->ExecuteCommand(ID_SIMULATE_RUN);
    EXPECT_EQ(engines.log.calls, (QStringList{"options 0 1 1 1", "process 1 frame", "options 0 1 1 1", "plan 7 0"}));
}

// After a plan command with no pane or window active, the shown Plan Explorer has the focus.
TEST_F(ProcessPlanRunShellTest, PlanCommandsGiveThePlanExplorerTheFocus)
{
    QApplication::setActiveWindow(frame);
    QDockWidget* planPane = frame->pane(PaneID::PlanExplorer);
    ASSERT_TRUE(planPane && planPane->widget());
    planPane->show();
    planPane->raise();
    QApplication::processEvents();
    engines.log.during = [this] { frame->context() = ContextRecord(); };
    for (int command : {ID_SIMULATE_PLAN, ID_SIMULATE_BATCHES_AND_PLAN}) {
        frame->pane(PaneID::ProcessExplorer)->widget()->setFocus();
        SetPlanContext();
        frame->ExecuteCommand(command);
        QApplication::processEvents();
        QWidget* focus = frame->focusWidget(); // the window's focus, kept while it is not active
        EXPECT_TRUE(focus && (focus == planPane->widget() || planPane->widget()->isAncestorOf(focus)))
            << command << " " << (focus ? focus->metaObject()->className() : "none") << " " << planPane->isVisible();
    }
}
