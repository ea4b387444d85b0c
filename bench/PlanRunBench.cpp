// The engine stand-in's plan run by the plan's detail rows: 30 batches of one generated step of
// 200 operations (2 unit procedures of 100 series operations), without a progress dialog; the
// results file of 6,000 rows written (and, for comparison, without it). Goal: 100 ms.

#include "RootedAppContext.h"
#include "SeriesTransitions.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/ProjectGenerator.h"
#include "modules/engine/EngineEntry.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr long BENCH_STEP = 1001;
constexpr long BENCH_PLAN = 1;
constexpr int UNITS = 2;
constexpr int OPERATIONS_PER_UNIT = 100;
constexpr int BATCHES = 30;

ProjectSpec PlanBenchProject()
{
    StepSpec step;
    step.stepID = BENCH_STEP;
    step.name = "Campaign";
    for (int unit = 0; unit < UNITS; ++unit) {
        RecipeLineSpec unitLine;
        unitLine.type = "Unit Procedure";
        unitLine.name = QStringLiteral("Vessel %1").arg(unit);
        step.lines.append(unitLine);
        for (int operation = 0; operation < OPERATIONS_PER_UNIT; ++operation) {
            RecipeLineSpec operationLine;
            operationLine.type = "Operation";
            operationLine.operationTypeID = 1 + operation % 5;
            step.lines.append(operationLine);
        }
    }
    ProjectSpec spec;
    spec.name = "PlanBench";
    spec.plantName = "Plant";
    spec.steps = {step};
    spec.plans = {{BENCH_PLAN, "Campaign plan", 46000.0}};
    return spec;
}

void WriteBatches(CDaoDatabase& project)
{
    for (int batch = 0; batch < BATCHES; ++batch)
        project.Execute("INSERT INTO ProductionPlanDetail (PlanID, StepID, Overlap, RequirementID, BatchTimeInterval, "
                        "BatchTimeIntervalUOM) VALUES (?, ?, 1, 1, 10, 'min')",
                        {qlonglong(BENCH_PLAN), qlonglong(BENCH_STEP)});
}

void BM_SimulatePlanBatches(benchmark::State& state)
{
    QTemporaryDir root;
    RootedAppContext app(root.path(), root.filePath("instance"));
    const QString folder = root.filePath("project") + "/";
    CProjectGenerator generator;
    if (!generator.Write(PlanBenchProject(), folder)) {
        state.SkipWithError(qPrintable(generator.ErrorText()));
        return;
    }
    ProjectFileSet& files = app.fileSet();
    files.projectDir = folder;
    files.projectDatabase = std::make_unique<CDaoDatabase>();
    files.projectDatabase->Open(folder + "PlanBench.prj", DatabaseRole::ReadWrite);
    WriteBatches(*files.projectDatabase);
    const QString path = folder + CProjectGenerator::StepFileName(BENCH_STEP);
    auto database = std::make_unique<CDaoDatabase>();
    database->Open(path, DatabaseRole::ReadWrite);
    WriteSeriesTransitions(*database, BENCH_STEP);
    app.stepDatabases().add(BENCH_STEP, std::move(database), path);

    EngineEntry engine;
    engine.setRunOptions(1, int(state.range(0)), 1, 1);
    for (auto _ : state) {
        if (engine.simulatePlan(nullptr, BENCH_PLAN, false) != SIMULATION_COMPLETED)
            state.SkipWithError("the plan run failed");
    }
    state.counters["operations"] = double(BATCHES * UNITS * OPERATIONS_PER_UNIT);
}

} // namespace

// Argument: the ResultsDatabase run option (0: the run without its results file).
BENCHMARK(BM_SimulatePlanBatches)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(10);

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
