// A whole-batch run of the engine stand-in on a generated step of 10,000 operations (100 unit
// procedures of 100 series operations, with their transition rows), without a progress dialog:
// read, schedule, the material balance and the results file written (and, for comparison, without
// the file). Each unit procedure has its vessel; its operations charge materials with densities
// every tenth line, react two of them by a reaction data set and end with a transfer to the next
// vessel. Goal: 80 ms with the results file.

#include "RootedAppContext.h"
#include "SeriesTransitions.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/MaterialPropertyIDs.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "foundation/db/connection/SharedDatabases.h"
#include "modules/engine/EngineEntry.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr long BENCH_STEP = 1001;
constexpr int UNITS = 100;
constexpr int OPERATIONS_PER_UNIT = 100;
constexpr long FEED = 11, REAGENT = 12, PRODUCT = 13, SOLVENT = 14;
constexpr long REACTIONS = 21;
constexpr long FIRST_VESSEL = 1000;

RecipeLineSpec BenchOperation(int index)
{
    RecipeLineSpec line;
    line.type = "Operation";
    const auto naming = [&line](long typeID, LibraryReferenceField field, long item) {
        line.operationTypeID = typeID;
        line.references = {{field, item}};
    };
    if (index == 0)
        naming(4, LibraryReferenceField::Material, FEED);
    else if (index == 1)
        naming(4, LibraryReferenceField::Material, REAGENT);
    else if (index == 2)
        naming(32, LibraryReferenceField::Reaction, REACTIONS);
    else if (index == OPERATIONS_PER_UNIT - 1)
        line.operationTypeID = 7; // Transfer
    else if (index % 10 == 0)
        naming(4, LibraryReferenceField::Material, SOLVENT);
    else
        line.operationTypeID = 1 + index % 5;
    if (line.operationTypeID == 4)
        line.parameters = {{OperationField::Amount, 10.0 + index % 7, "kg"}};
    return line;
}

ProjectSpec BenchProject()
{
    StepSpec step;
    step.stepID = BENCH_STEP;
    step.name = "Large";
    step.keyInputID = FEED;
    step.keyOutputID = PRODUCT;
    ProjectSpec spec;
    for (int unit = 0; unit < UNITS; ++unit) {
        RecipeLineSpec unitLine;
        unitLine.type = "Unit Procedure";
        unitLine.name = QStringLiteral("Vessel %1").arg(unit);
        unitLine.equipmentID = FIRST_VESSEL + unit;
        step.lines.append(unitLine);
        for (int operation = 0; operation < OPERATIONS_PER_UNIT; ++operation)
            step.lines.append(BenchOperation(operation));
        spec.equipment.append({FIRST_VESSEL + unit, QStringLiteral("V-%1").arg(unit), 1, "Vessel", 50000.0});
    }
    spec.name = "EngineBench";
    spec.plantName = "Plant";
    spec.steps = {step};
    spec.materials = {{FEED, "Feed", "Liquid", 93.13, {}},
                      {REAGENT, "Reagent", "Liquid", 78.5, {}},
                      {PRODUCT, "Product", "Solid", 135.17, {}},
                      {SOLVENT, "Solvent", "Liquid", 92.14, {}}};
    spec.reactionDataSets = {
        {REACTIONS, "Coupling", {{211, "Feed + Reagent", FEED, {{FEED, -1}, {REAGENT, -1}, {PRODUCT, 1}}}}}};
    return spec;
}

// Densities of the materials and minimum volumes of the vessels, which the generator leaves out.
void AddFigures(const QString& materialsPath, const QString& equipmentPath)
{
    CDaoDatabase materials;
    materials.Open(materialsPath, DatabaseRole::ReadWrite);
    for (long material : {FEED, REAGENT, PRODUCT, SOLVENT})
        materials.Execute(
            "INSERT INTO ActualMaterialProperty (MaterialID, MaterialPropertyID, DoubleValue, ValueUOM) "
            "VALUES (?, ?, ?, ?)",
            {qlonglong(material), qlonglong(MATERIAL_PROPERTY_DENSITY),
             800.0 + 50.0 * double(material - FEED), QString(MATERIAL_DENSITY_UOM)});
    CDaoDatabase equipment;
    equipment.Open(equipmentPath, DatabaseRole::ReadWrite);
    equipment.Execute("UPDATE ActualEquipmentCommon SET MinimumVolume = 10, MinimumVolumeUOM = 'liter'");
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
    app.fileSet().equipmentDBPath = folder + "EngineBench.eqm";
    app.fileSet().materialsDBPath = folder + "EngineBench.mtl";
    AddFigures(app.fileSet().materialsDBPath, app.fileSet().equipmentDBPath);
    app.fileSet().projectDatabase = std::make_unique<CDaoDatabase>();
    app.fileSet().projectDatabase->Open(folder + "EngineBench.prj", DatabaseRole::ReadWrite);
    CloseSharedEquipmentDB();
    CloseSharedMaterialsDB();
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
    state.counters["batch_kg"] =
        engine.getCurrentBatchSizeInKg(BENCH_STEP) == 1e35 ? 0 : engine.getCurrentBatchSizeInKg(BENCH_STEP);
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
