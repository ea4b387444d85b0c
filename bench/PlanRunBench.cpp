// The engine stand-in's plan run by the plan's detail rows, without a progress dialog, the results
// file written (and, for comparison, without it):
// - 30 batches of one generated step of 200 operations (2 unit procedures of 100 series
//   operations), 6,000 rows. Goal: 100 ms.
// - a process of 5 steps, each 4 unit procedures of 3 operations in its own 4 of 20 vessels, fed
//   along its step transitions: 500 batches in cycles of the sequence booked on the vessels.
//   Goal: 200 ms.

#include "RootedAppContext.h"
#include "SeriesTransitions.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
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
constexpr long FIRST_VESSEL = 601;
constexpr int BOOKED_STEPS = 5;
constexpr int VESSELS_PER_STEP = 4;
constexpr int OPERATIONS_PER_VESSEL = 3;
constexpr int BOOKED_BATCHES = 500;

StepSpec SeriesStep(long stepID, int units, int operations, long firstVessel)
{
    StepSpec step;
    step.stepID = stepID;
    step.name = QStringLiteral("Campaign %1").arg(stepID);
    for (int unit = 0; unit < units; ++unit) {
        RecipeLineSpec unitLine;
        unitLine.type = "Unit Procedure";
        unitLine.name = QStringLiteral("Vessel %1").arg(unit);
        unitLine.equipmentID = firstVessel + unit;
        step.lines.append(unitLine);
        for (int operation = 0; operation < operations; ++operation) {
            RecipeLineSpec operationLine;
            operationLine.type = "Operation";
            operationLine.operationTypeID = 1 + operation % 5;
            step.lines.append(operationLine);
        }
    }
    return step;
}

QList<EquipmentSpec> Vessels(int count)
{
    QList<EquipmentSpec> vessels;
    for (int i = 0; i < count; ++i)
        vessels.append({FIRST_VESSEL + i, QStringLiteral("R-%1").arg(i + 1), 1, "Reactor", 1e6});
    return vessels;
}

ProjectSpec PlanBenchProject()
{
    ProjectSpec spec;
    spec.name = "PlanBench";
    spec.plantName = "Plant";
    spec.steps = {SeriesStep(BENCH_STEP, UNITS, OPERATIONS_PER_UNIT, FIRST_VESSEL)};
    spec.equipment = Vessels(UNITS);
    spec.plans = {{BENCH_PLAN, "Campaign plan", 46000.0}};
    return spec;
}

ProjectSpec BookedPlanProject()
{
    ProjectSpec spec;
    spec.name = "PlanBench";
    spec.plantName = "Plant";
    ProcessSpec process{1, "Chain", "1", {}, -1, -1, {}};
    for (int step = 0; step < BOOKED_STEPS; ++step) {
        spec.steps.append(SeriesStep(BENCH_STEP + step, VESSELS_PER_STEP, OPERATIONS_PER_VESSEL,
                                     FIRST_VESSEL + step * VESSELS_PER_STEP));
        process.stepIDs.append(BENCH_STEP + step);
    }
    spec.processes = {process};
    spec.equipment = Vessels(BOOKED_STEPS * VESSELS_PER_STEP);
    spec.plans = {{BENCH_PLAN, "Campaign plan", 46000.0}};
    return spec;
}

// The process's chain of step transitions and its requirement; the batches in cycles of the chain.
void WriteBookedBatches(CDaoDatabase& project)
{
    project.Execute("INSERT INTO PlanRequirements (RequirementID, PlanID, StepOrProcessID, StepOrProcess) "
                    "VALUES (1, ?, 1, 'process')",
                    {qlonglong(BENCH_PLAN)});
    for (int step = 0; step < BOOKED_STEPS; ++step)
        project.Execute("INSERT INTO StepTransition (StepTransitionID, FromStepID, ToStepID, ProcessID, "
                        "TransitionType) VALUES (?, ?, ?, 1, 'Series')",
                        {QStringLiteral("T%1").arg(step), qlonglong(step == 0 ? 1 : BENCH_STEP + step - 1),
                         qlonglong(BENCH_STEP + step)});
    for (int batch = 0; batch < BOOKED_BATCHES; ++batch)
        project.Execute(
            "INSERT INTO ProductionPlanDetail (PlanID, StepID, Overlap, RequirementID) VALUES (?, ?, 1, 1)",
            {qlonglong(BENCH_PLAN), qlonglong(BENCH_STEP + batch % BOOKED_STEPS)});
}

void WriteBatches(CDaoDatabase& project)
{
    for (int batch = 0; batch < BATCHES; ++batch)
        project.Execute("INSERT INTO ProductionPlanDetail (PlanID, StepID, Overlap, RequirementID, BatchTimeInterval, "
                        "BatchTimeIntervalUOM) VALUES (?, ?, 1, 1, 10, 'min')",
                        {qlonglong(BENCH_PLAN), qlonglong(BENCH_STEP)});
}

void RunPlanBenchmark(benchmark::State& state, const ProjectSpec& spec, void (*writeRows)(CDaoDatabase&),
                      int operations)
{
    QTemporaryDir root;
    RootedAppContext app(root.path(), root.filePath("instance"));
    const QString folder = root.filePath("project") + "/";
    CProjectGenerator generator;
    if (!generator.Write(spec, folder)) {
        state.SkipWithError(qPrintable(generator.ErrorText()));
        return;
    }
    ProjectFileSet& files = app.fileSet();
    files.projectDir = folder;
    files.projectDatabase = std::make_unique<CDaoDatabase>();
    files.projectDatabase->Open(folder + "PlanBench.prj", DatabaseRole::ReadWrite);
    writeRows(*files.projectDatabase);
    for (const StepSpec& step : spec.steps) {
        const QString path = folder + CProjectGenerator::StepFileName(step.stepID);
        auto database = std::make_unique<CDaoDatabase>();
        database->Open(path, DatabaseRole::ReadWrite);
        WriteSeriesTransitions(*database, step.stepID);
        app.stepDatabases().add(step.stepID, std::move(database), path);
    }
    EngineEntry engine;
    engine.setRunOptions(1, int(state.range(0)), 1, 1);
    for (auto _ : state) {
        if (engine.simulatePlan(nullptr, BENCH_PLAN, false) != SIMULATION_COMPLETED)
            state.SkipWithError("the plan run failed");
    }
    state.counters["operations"] = double(operations);
}

void BM_SimulatePlanBatches(benchmark::State& state)
{
    RunPlanBenchmark(state, PlanBenchProject(), WriteBatches, BATCHES * UNITS * OPERATIONS_PER_UNIT);
}

void BM_BookPlanOnVessels(benchmark::State& state)
{
    RunPlanBenchmark(state, BookedPlanProject(), WriteBookedBatches,
                     BOOKED_BATCHES * VESSELS_PER_STEP * OPERATIONS_PER_VESSEL);
}

} // namespace

// Argument: the ResultsDatabase run option (0: the run without its results file).
BENCHMARK(BM_SimulatePlanBatches)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_BookPlanOnVessels)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(10);

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
