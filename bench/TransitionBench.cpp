// The transitions of one generated step of 2,000 recipe lines (unit procedures of series
// operations with parallel blocks) rebuilt from its text recipe: rows read, checked, both tables
// rewritten in one transaction. Goal: 50 ms.

#include "RootedAppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "recipe/transitions/TransitionBuilder.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int LINES = 2000;

void BM_BuildStepTransitions(benchmark::State& state)
{
    QTemporaryDir root;
    RootedAppContext app(root.path(), root.filePath("instance"));
    const QString folder = root.filePath("project") + "/";
    const ProjectSpec spec = CProjectGenerator::SyntheticProject(1, LINES);
    CProjectGenerator generator;
    if (!generator.Write(spec, folder)) {
        state.SkipWithError(qPrintable(generator.ErrorText()));
        return;
    }
    const long stepID = spec.steps.first().stepID;
    const QString path = folder + CProjectGenerator::StepFileName(stepID);
    auto database = std::make_unique<CDaoDatabase>();
    database->Open(path, DatabaseRole::ReadWrite);
    app.stepDatabases().add(stepID, std::move(database), path);

    Array<TransitionRecord> units, operations;
    for (auto _ : state) {
        if (!CTransitionBuilder::BuildStepTransitions(stepID, units, operations, false, "dummy", -1, 1))
            state.SkipWithError("the build failed");
    }
    state.counters["lines"] = double(spec.steps.first().lines.size());
    state.counters["transitions"] = double(units.GetSize() + operations.GetSize());
}

} // namespace

BENCHMARK(BM_BuildStepTransitions)->Unit(benchmark::kMillisecond)->Iterations(20);

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
}
