// The Plan Explorer. Fill: 50 plans, each requiring one process of 500 steps whose only operation
// lines are in its last step, opened through the program's own open (goal 10 ms a fill). The first
// fill after the open is reported apart ("first_fill_ms"): it is the first statement on each of the
// 500 step databases, which reads each file's schema once. Plan
// Sequence: the requirement run of a plan over a chain of 200 steps, a process requirement plus
// ten step requirements, its step transitions rebuilt, rows and both files written and the
// sequence file handed to the desktop (goal 200 ms).

#include "ProjectSession.h"
#include "SessionAppContext.h"
#include "SessionBenchMain.h"

#include "foundation/common/DesktopOpener.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "planning/PlanCommandIds.h"
#include "planning/PlanList.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int FILL_STEPS = 500;
constexpr int FILL_PLANS = 50;
constexpr int SEQUENCE_STEPS = 200;

class CountingOpener : public DesktopOpener {
public:
    bool OpenDocument(const QString&) override
    {
        ++opened;
        return true;
    }
    int opened = 0;
};

// Plans 1..count, each with a requirement of process 1.
void AddProcessPlans(CDaoDatabase& project, int count)
{
    project.BeginTrans();
    for (int plan = 1; plan <= count; ++plan) {
        project.Execute("INSERT INTO ProductionPlan (PlanID, PlanName) VALUES (?, ?)",
                        {plan, QString("Plan %1").arg(plan, 3, 10, QChar('0'))});
        project.Execute("INSERT INTO \"ProductionPlan-To-Project\" (PlanID, ProjectID, PlanName) "
                        "SELECT PlanID, 1, PlanName FROM ProductionPlan WHERE PlanID = ?", {plan});
        project.Execute("INSERT INTO PlanRequirements (PlanID, StepOrProcessID, StepOrProcess, Quantity, "
                        "QuantityUOM) VALUES (?, 1, 'process', 100, 'kg')", {plan});
    }
    project.CommitTrans();
}

void BM_PlanExplorerFill(benchmark::State& state)
{
    QTemporaryDir root;
    const QString folder = root.filePath("project/");
    ProjectSpec spec = CProjectGenerator::SyntheticProject(FILL_STEPS, 1);
    for (int s = 0; s + 1 < FILL_STEPS; ++s)
        spec.steps[s].lines.clear();
    if (!CProjectGenerator().Write(spec, folder))
        return state.SkipWithError("the project could not be generated");
    CSessionAppContext app(root.filePath("app"), root.filePath("app/instance"));
    CProjectSession session(app.fileSet(), app.stepDatabases());
    if (!session.Open(folder + "Synthetic.prj"))
        return state.SkipWithError("the project did not open");
    AddProcessPlans(*GetProjectDatabase(), FILL_PLANS);
    CPlanList pane;
    QElapsedTimer first;
    first.start();
    pane.RefillPlanList();
    state.counters["first_fill_ms"] = double(first.nsecsElapsed()) / 1e6;
    for (auto _ : state)
        pane.RefillPlanList();
    if (pane.list()->count() != FILL_PLANS || !pane.IsPlanSimulatable(FILL_PLANS))
        state.SkipWithError("the list does not show every plan as simulatable");
    state.counters["goal_ms"] = 10;
    session.Close();
}

// The chain of the plan calculation's benchmark with batch sizes of 1 to 4 batches.
void BM_PlanSequenceCommand(benchmark::State& state)
{
    QTemporaryDir root;
    const QString folder = root.filePath("project/");
    ProjectSpec spec = CProjectGenerator::SyntheticProject(SEQUENCE_STEPS, 1);
    for (int s = 0; s < SEQUENCE_STEPS; ++s)
        spec.steps[s].batchSize = 100.0 / (1 + s % 4);
    PlanSpec plan{1, "Bench", 46000.0, 1, {{"process", 1, 100.0, ""}}};
    for (int i = 0; i < 10; ++i)
        plan.requirements.append({"step", spec.steps[i * 20].stepID, 3.0, "batches"});
    spec.plans = {plan};
    if (!CProjectGenerator().Write(spec, folder))
        return state.SkipWithError("the project could not be generated");
    CSessionAppContext app(root.filePath("app"), root.filePath("app/instance"));
    CProjectSession session(app.fileSet(), app.stepDatabases());
    if (!session.Open(folder + "Synthetic.prj"))
        return state.SkipWithError("the project did not open");
    CountingOpener opener;
    ServiceSlot<DesktopOpener>::Set(&opener);
    CPlanList pane;
    pane.RefillPlanList();
    for (auto _ : state)
        pane.OnCommand(ID_PLAN_SEQUENCE);
    ServiceSlot<DesktopOpener>::Set(nullptr);
    if (opener.opened != int(state.iterations()))
        state.SkipWithError("the sequence file was not opened after every run");
    state.counters["goal_ms"] = 200;
    session.Close();
}

BENCHMARK(BM_PlanExplorerFill)->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlanSequenceCommand)->Iterations(10)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return RunSessionBenchmarks<QApplication>(argc, argv);
}
