// Filling the Facility Explorer for a generated facility of 5,000 equipment items in 60 classes,
// each item with both properties the tree shows (capacity and material of construction). The
// timed rows are refills (the tree emptied and filled again, as at every refresh); "floor_ms" is a
// plain read of the same rows without a tree. Goal: 100 ms per fill (Release); "goal_ms" states it.

#include "RootedAppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "library/FacilityTree.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

namespace {
constexpr int ITEMS = 5000;
constexpr int CLASSES = 60;
constexpr double GOAL_MS = 100;

ProjectSpec BenchProject()
{
    ProjectSpec spec;
    spec.name = "FacilityBench";
    spec.plantName = "Bench Plant";
    for (int i = 0; i < ITEMS; ++i) {
        EquipmentSpec item;
        item.equipmentID = 100001 + i;
        item.tag = QStringLiteral("V-%1").arg(i, 4, 10, QLatin1Char('0'));
        item.classID = 1 + i % CLASSES;
        item.className = QStringLiteral("Class %1").arg(item.classID);
        item.volume = 100.0 + i;
        item.material = QStringLiteral("Stainless Steel");
        spec.equipment << item;
    }
    return spec;
}

double plainReadMs(CDaoDatabase& equipment)
{
    QElapsedTimer timer;
    timer.start();
    long rows = 0;
    QSqlQuery tree = equipment.Query(QStringLiteral("SELECT PlantName, ClassName, QVTag FROM QryPlantTree"));
    while (tree.next())
        rows += tree.value(2).toString().size();
    QSqlQuery properties = equipment.Query(QStringLiteral(
        "SELECT ActualEquipmentID, DoubleValue, TextValue FROM ActualEquipmentProperty "
        "WHERE PropertyName IN ('Capacity', 'Material OF Construction')"));
    while (properties.next())
        rows += properties.value(0).toInt();
    benchmark::DoNotOptimize(rows);
    return double(timer.nsecsElapsed()) / 1e6;
}

void BM_FillFacilityTree(benchmark::State& state)
{
    QTemporaryDir root;
    RootedAppContext app(root.path(), root.filePath("instance"));
    const QString folder = root.filePath("project") + "/";
    CProjectGenerator generator;
    if (!generator.Write(BenchProject(), folder))
        return state.SkipWithError(qPrintable(generator.ErrorText()));
    app.fileSet().equipmentDBPath = folder + "FacilityBench.eqm";
    CDaoDatabase equipment;
    equipment.Open(app.fileSet().equipmentDBPath, DatabaseRole::ReadWrite);
    CFacilityTree tree;
    tree.InitTree();
    for (auto _ : state) {
        tree.ClearTree();
        tree.FillTree();
    }
    const QTreeWidgetItem* plant = tree.tree()->topLevelItem(0);
    if (!plant || plant->childCount() != CLASSES)
        state.SkipWithError("the tree does not show every class");
    state.counters["goal_ms"] = GOAL_MS;
    state.counters["floor_ms"] = plainReadMs(equipment);
}

BENCHMARK(BM_FillFacilityTree)->Iterations(10)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
