// The Process Explorer's edits on a generated project of 500 steps of 50 recipe lines in two
// processes of 250, opened through the program's own open.
// BM_RemoveFirstStep: a process's first step leaves it (its link row deleted, the 249 links after
// it renumbered in one statement, its node taken out). Goal 15 ms ("goal_ms"); beside it,
// "bare_update_ms": the renumbering UPDATE alone on the same connection.
// BM_MoveDownAcross: the last step of the first process moves down into the second (two
// statements and the rebuild of the tree). Goal 1.2 times a refill of the tree in the same rounds:
// "fill_ms" is that refill, "goal_ms" 1.2 times it, "ratio" the move over the refill.

#include "ProjectSession.h"
#include "SessionAppContext.h"
#include "SessionBenchMain.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "recipe/explorer/ProcessTree.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

namespace {
constexpr int STEPS = 500;
constexpr int LINES_PER_STEP = 50;
constexpr double REMOVE_GOAL_MS = 15;
constexpr double MOVE_GOAL_FACTOR = 1.2;

// The synthetic project with its steps split into two processes.
ProjectSpec TwoProcesses()
{
    ProjectSpec spec = CProjectGenerator::SyntheticProject(STEPS, LINES_PER_STEP);
    ProcessSpec second = spec.processes.first();
    second.processID = 2;
    second.name = QStringLiteral("Synthetic B");
    second.stepIDs = spec.processes.first().stepIDs.mid(STEPS / 2);
    spec.processes.first().stepIDs = spec.processes.first().stepIDs.mid(0, STEPS / 2);
    spec.processes.append(second);
    return spec;
}

// A generated project opened through the program's own open, its tree filled.
struct OpenEditProject {
    QTemporaryDir root;
    std::unique_ptr<CSessionAppContext> app;
    std::unique_ptr<CProjectSession> session;
    std::unique_ptr<CProcessTree> tree;

    bool Open()
    {
        const QString folder = root.filePath("project/");
        CProjectGenerator generator;
        if (!generator.Write(TwoProcesses(), folder))
            return false;
        app = std::make_unique<CSessionAppContext>(root.filePath("app"), root.filePath("app/instance"));
        session = std::make_unique<CProjectSession>(app->fileSet(), app->stepDatabases());
        if (!session->Open(folder + "Synthetic.prj"))
            return false;
        tree = std::make_unique<CProcessTree>();
        tree->RefillTree();
        return tree->tree()->topLevelItemCount() == 2;
    }
    ~OpenEditProject()
    {
        tree.reset();
        if (session)
            session->Close();
    }
};

double MsSince(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

void BM_RemoveFirstStep(benchmark::State& state)
{
    OpenEditProject project;
    if (!project.Open())
        return state.SkipWithError("the project did not open");
    CDaoDatabase& database = *GetProjectDatabase();
    QElapsedTimer bare;
    database.BeginTrans();
    bare.start();
    database.Execute(QStringLiteral("UPDATE \"Step-To-Process\" SET StepOrder = StepOrder - 1 WHERE ProcessID = 1"
                                    " AND StepOrder > 1"));
    state.counters["bare_update_ms"] = MsSince(bare);
    database.Rollback();
    for (auto _ : state) {
        const long first = project.tree->tree()->topLevelItem(0)->child(0)->data(0, NODE_ID_ROLE).toInt();
        project.tree->RemoveStepFromProcess(first, 1);
    }
    if (project.tree->tree()->topLevelItem(0)->childCount() != STEPS / 2 - int(state.iterations()))
        state.SkipWithError("the steps did not leave the tree");
    state.counters["goal_ms"] = REMOVE_GOAL_MS;
}

void BM_MoveDownAcross(benchmark::State& state)
{
    OpenEditProject project;
    if (!project.Open())
        return state.SkipWithError("the project did not open");
    CProcessTree& tree = *project.tree;
    qint64 moveNs = 0, fillNs = 0;
    QElapsedTimer timer;
    for (auto _ : state) {
        QTreeWidgetItem* first = tree.tree()->topLevelItem(0);
        tree.SelectTreeItem(first->child(first->childCount() - 1));
        timer.start();
        tree.OnMoveDown();
        moveNs += timer.nsecsElapsed();
        state.PauseTiming();
        tree.OnMoveUp(); // back, for the next round
        timer.start();
        tree.RefillTree(); // the floor, in the same round
        fillNs += timer.nsecsElapsed();
        state.ResumeTiming();
    }
    if (tree.tree()->topLevelItem(0)->childCount() != STEPS / 2)
        state.SkipWithError("the step did not move back");
    const double rounds = double(std::max<qint64>(state.iterations(), 1));
    const double fillMs = double(fillNs) / 1e6 / rounds;
    state.counters["fill_ms"] = fillMs;
    state.counters["goal_ms"] = MOVE_GOAL_FACTOR * fillMs;
    state.counters["ratio"] = fillNs > 0 ? double(moveNs) / double(fillNs) : 0;
    state.counters["goal_ratio"] = MOVE_GOAL_FACTOR;
}

BENCHMARK(BM_RemoveFirstStep)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MoveDownAcross)->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return RunSessionBenchmarks<QApplication>(argc, argv);
}
