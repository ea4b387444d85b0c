// Recipe scaling on generated projects. A step of about 5,000 operations scaled by 2 with a null
// status: the engine's scaling, its write and the scaled operations' recipe lines (goal: 200 ms).
// A process of 100 steps of about 50 operations scaled by 2 with the step and process runs
// scripted: the requirement, each step's factor and records, its lines (goal: 1 s).

#include "RootedAppContext.h"
#include "SeriesTransitions.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "modules/engine/EngineEntry.h"
#include "simulation/ProcessScaleUpDialog.h"
#include "simulation/ProcessScaling.h"
#include "simulation/RecipeScaling.h"
#include "simulation/SimDialog.h"

#include <QApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Step and process runs answer at once: completed.
class ScriptedRunEngine : public EngineEntry {
public:
    int simulateBatch(ISimStatus*, long, const QString&) override { return SIMULATION_COMPLETED; }
    int simulateProcess(ISimStatus*, long, EngineEntry*) override { return SIMULATION_COMPLETED; }
    using EngineEntry::simulateBatch;
};

struct ScriptedRunFactory : EngineFactory {
    EngineEntry* CreateEngineEntry() override { return new ScriptedRunEngine; }
};

class ScalingBenchProject {
public:
    ScalingBenchProject() : m_app(m_root.path(), m_root.filePath("instance")) {}

    bool Open(int steps, int linesPerStep, QString* error)
    {
        const ProjectSpec spec = CProjectGenerator::SyntheticProject(steps, linesPerStep);
        const QString folder = m_root.filePath("project") + "/";
        CProjectGenerator generator;
        if (!generator.Write(spec, folder)) {
            *error = generator.ErrorText();
            return false;
        }
        m_app.fileSet().projectDir = folder;
        m_app.fileSet().equipmentDBPath = folder + spec.name + ".eqm";
        m_app.fileSet().materialsDBPath = folder + spec.name + ".mtl";
        m_app.fileSet().projectDatabase = std::make_unique<CDaoDatabase>();
        m_app.fileSet().projectDatabase->Open(folder + spec.name + ".prj", DatabaseRole::ReadWrite);
        for (const StepSpec& step : spec.steps) {
            const QString path = folder + CProjectGenerator::StepFileName(step.stepID);
            auto database = std::make_unique<CDaoDatabase>();
            database->Open(path, DatabaseRole::ReadWrite);
            WriteSeriesTransitions(*database, step.stepID);
            m_app.stepDatabases().add(step.stepID, std::move(database), path);
        }
        m_finalStep = spec.steps.last().stepID;
        return true;
    }
    long FinalStep() const { return m_finalStep; }
    static long Operations(long stepID)
    {
        QSqlQuery count = GetStepDatabase(stepID)->Query("SELECT count(*) FROM Operation");
        return count.next() ? long(count.value(0).toLongLong()) : 0;
    }
    static double BatchSize(long stepID)
    {
        QSqlQuery size = GetStepDatabase(stepID)->Query("SELECT BatchSize FROM Step");
        return size.next() ? size.value(0).toDouble() : 0;
    }

private:
    QTemporaryDir m_root;
    RootedAppContext m_app;
    long m_finalStep = 0;
};

void BM_ScaleStepByTwo(benchmark::State& state)
{
    ScalingBenchProject project;
    QString error;
    if (!project.Open(1, 6500, &error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    const long step = project.FinalStep();
    EngineEntry engine;
    if (engine.simulateBatch(nullptr, step) != SIMULATION_COMPLETED) {
        state.SkipWithError("the step did not simulate");
        return;
    }
    long scaled = 0;
    for (auto _ : state) {
        if (!engine.scaleUpToNTimesCurrentBatchSize(nullptr, step, 2.0))
            state.SkipWithError("the engine refused the scaling");
        else if (!engine.writeScaleUpResults(nullptr, step) ||
                 !CRecipeScaling::UpdateScaledOperationsText(engine, step))
            state.SkipWithError("the scaling was not written");
        scaled = long(engine.getScaledOperations(step).GetSize());
    }
    state.counters["operations"] = double(ScalingBenchProject::Operations(step));
    state.counters["scaled"] = double(scaled);
}

void BM_ScaleProcessByTwo(benchmark::State& state)
{
    ScalingBenchProject project;
    QString error;
    if (!project.Open(100, 62, &error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    EngineEntry simulation; // each step's sizes from a real run first
    for (long step = project.FinalStep() - 99; step <= project.FinalStep(); ++step)
        simulation.simulateBatch(nullptr, step);
    ScriptedRunFactory engines;
    EngineFactory* previous = ServiceSlot<EngineFactory>::Set(&engines);
    CProcessScaling scaling([] { return std::make_unique<CSimDialog>(); },
                            [](CProcessScaleUpDialog&) { return int(QDialog::Rejected); });
    for (auto _ : state) {
        // A step's BatchSize is in the internal amount unit.
        const double twice = 2 * ScalingBenchProject::BatchSize(project.FinalStep());
        scaling.ScaleProcess(1, twice, QStringLiteral("kmole"));
        if (!scaling.LastMessage().isEmpty())
            state.SkipWithError(qPrintable(scaling.LastMessage()));
    }
    ServiceSlot<EngineFactory>::Set(previous);
    state.counters["operations"] = double(100 * ScalingBenchProject::Operations(project.FinalStep()));
    state.counters["final batch"] = ScalingBenchProject::BatchSize(project.FinalStep());
}

} // namespace

BENCHMARK(BM_ScaleStepByTwo)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ScaleProcessByTwo)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
}
