// A whole-batch run of the engine stand-in on a generated step of 10,000 operations (100 unit
// procedures of 100 series operations, with their transition rows), without a progress dialog:
// read, schedule and the results file written (and, for comparison, without the file). Goal: 100 ms.

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
constexpr int UNITS = 100;
constexpr int OPERATIONS_PER_UNIT = 100;

ProjectSpec BenchProject()
{
    StepSpec step;
    step.stepID = BENCH_STEP;
    step.name = "Large";
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
    spec.name = "EngineBench";
    spec.plantName = "Plant";
    spec.steps = {step};
    return spec;
}

void BM_SimulateLargeBatch(benchmark::State& state)
{
    QTemporaryDir root;
    RootedAppContext app(root.path(), root.filePath("instance"));
    const QString folder = root.filePath("project") + "/";
    CProjectGenerator generator;
    if (!generator.Write(BenchProject(), folder)) {
        state.SkipWithError(qPrintable(generator.ErrorText()));
        return;
    }
    app.fileSet().projectDir = folder;
    const QString path = folder + CProjectGenerator::StepFileName(BENCH_STEP);
    auto database = std::make_unique<CDaoDatabase>();
    database->Open(path, DatabaseRole::ReadWrite);
    WriteSeriesTransitions(*database, BENCH_STEP);
    app.stepDatabases().add(BENCH_STEP, std::move(database), path);

    EngineEntry engine;
    engine.setRunOptions(1, int(state.range(0)), 1, 1);
    for (auto _ : state) {
        if (engine.simulateBatch(nullptr, BENCH_STEP) != SIMULATION_COMPLETED)
            state.SkipWithError("the run failed");
    }
    state.counters["operations"] = double(UNITS * OPERATIONS_PER_UNIT);
}

} // namespace

// Argument: the ResultsDatabase run option (0: the run without its results file).
BENCHMARK(BM_SimulateLargeBatch)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(10);

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
