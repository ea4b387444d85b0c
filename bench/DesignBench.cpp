// The design run on a generated step of 2,000 operations in 300 unit procedures, each on its own
// vessel of 300 (three classes), after one batch run: the engine's design with 5 iterations
// (closest vessels, so that the passes repeat) and its results written, without a progress
// dialog; and the design dialog opened over the 300 items of the last run. Goal: 100 ms each.

#include "RootedAppContext.h"
#include "SeriesTransitions.h"
#include "foundation/common/Array.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "foundation/db/connection/SharedDatabases.h"
#include "modules/engine/EngineEntry.h"
#include "simulation/DesignDlg.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {

constexpr long DESIGN_BENCH_STEP = 1001;
constexpr int DESIGN_BENCH_VESSELS = 300;
constexpr int DESIGN_BENCH_OPERATIONS = 2000;

ProjectSpec DesignBenchProject()
{
    StepSpec step;
    step.stepID = DESIGN_BENCH_STEP;
    step.name = "Large";
    ProjectSpec spec;
    for (int unit = 0; unit < DESIGN_BENCH_VESSELS; ++unit) {
        const long vessel = 1 + unit;
        const long classID = 1 + unit % 3;
        spec.equipment.append({vessel, QStringLiteral("V-%1").arg(vessel), classID,
                               QStringLiteral("Class %1").arg(classID), 500.0 + 37.0 * unit});
        RecipeLineSpec unitLine;
        unitLine.type = "Unit Procedure";
        unitLine.name = QStringLiteral("Vessel %1").arg(vessel);
        unitLine.equipmentID = vessel;
        step.lines.append(unitLine);
        const int operations = DESIGN_BENCH_OPERATIONS / DESIGN_BENCH_VESSELS +
                               (unit < DESIGN_BENCH_OPERATIONS % DESIGN_BENCH_VESSELS);
        for (int operation = 0; operation < operations; ++operation) {
            RecipeLineSpec operationLine;
            operationLine.type = "Operation";
            operationLine.operationTypeID = 4; // Charge: 100 kg, 100 l
            step.lines.append(operationLine);
        }
    }
    spec.name = "DesignBench";
    spec.plantName = "Plant";
    spec.steps = {step};
    return spec;
}

// The generated project opened, simulated once, with design targets.
class DesignBenchSession {
public:
    DesignBenchSession() : m_app(m_root.path(), m_root.filePath("instance"))
    {
        const QString folder = m_root.filePath("project") + "/";
        CProjectGenerator generator;
        if (!generator.Write(DesignBenchProject(), folder)) {
            error = generator.ErrorText();
            return;
        }
        ProjectFileSet& files = m_app.fileSet();
        files.projectDir = folder;
        files.equipmentDBPath = folder + "DesignBench.eqm";
        files.materialsDBPath = folder + "DesignBench.mtl";
        files.projectDatabase = std::make_unique<CDaoDatabase>();
        files.projectDatabase->Open(folder + "DesignBench.prj", DatabaseRole::ReadWrite);
        const QString path = folder + CProjectGenerator::StepFileName(DESIGN_BENCH_STEP);
        auto database = std::make_unique<CDaoDatabase>();
        database->Open(path, DatabaseRole::ReadWrite);
        WriteSeriesTransitions(*database, DESIGN_BENCH_STEP);
        database->Execute("INSERT INTO DesignSpecifications (StepID, FacilityID, Heuristic) "
                          "VALUES (1001, 1, 'Closest vessels first')");
        m_app.stepDatabases().add(DESIGN_BENCH_STEP, std::move(database), path);
        if (EngineEntry().simulateBatch(nullptr, DESIGN_BENCH_STEP) != SIMULATION_COMPLETED)
            error = "the batch run failed";
    }
    ~DesignBenchSession() { CloseSharedEquipmentDB(); }

    QString error;

private:
    QTemporaryDir m_root;
    RootedAppContext m_app;
};

void BM_DesignLargeStep(benchmark::State& state)
{
    DesignBenchSession project;
    if (!project.error.isEmpty()) {
        state.SkipWithError(qPrintable(project.error));
        return;
    }
    EngineEntry engine;
    engine.setDesignOptions(1, 1, 1, 5);
    const Array<long> fixed{1, 2, 3};
    EngineEntry sizes;
    // Three times the batch in every 100 h (the operations last 15 min each).
    const double amount = 3 * sizes.getCurrentBatchSizeInKg(DESIGN_BENCH_STEP) *
                          std::floor(100 * 3600 / sizes.getCycleTime(DESIGN_BENCH_STEP));
    for (auto _ : state) {
        if (engine.designStep(nullptr, DESIGN_BENCH_STEP, amount, "kg", 100, "h", fixed) !=
            SIMULATION_COMPLETED)
            state.SkipWithError("the design failed");
    }
    state.counters["operations"] = DESIGN_BENCH_OPERATIONS;
    state.counters["vessels"] = DESIGN_BENCH_VESSELS;
}

void BM_OpenDesignDialog(benchmark::State& state)
{
    DesignBenchSession project;
    if (!project.error.isEmpty()) {
        state.SkipWithError(qPrintable(project.error));
        return;
    }
    EngineEntry engine;
    for (auto _ : state) {
        CDesignDlg dialog(DESIGN_BENCH_STEP, 1, 1200, 600, 3000, &engine);
        if (dialog.equipmentIDs.GetSize() != DESIGN_BENCH_VESSELS)
            state.SkipWithError("not every item is listed");
    }
    state.counters["equipment"] = DESIGN_BENCH_VESSELS;
}

} // namespace

BENCHMARK(BM_DesignLargeStep)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_OpenDesignDialog)->Unit(benchmark::kMillisecond)->Iterations(10);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
