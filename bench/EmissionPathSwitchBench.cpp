// A facility switch on the emission control path page: two facilities of 2,000 equipment items
// and 20 paths each, 100 default paths stored for each. Each timed iteration is one switch (the
// page alternates between the two): the equipment and path lists read again and the facility's
// rows shown. Goal: 100 ms per switch (Release); "goal_ms" states it.

#include "RootedAppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "preferences/emissions/EmissionControlPathTab.h"

#include <QApplication>
#include <QComboBox>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
constexpr int ITEMS = 2000;
constexpr int PATHS = 20;
constexpr double GOAL_MS = 100;

ProjectSpec SwitchBenchProject()
{
    ProjectSpec spec;
    spec.name = "PathBench";
    spec.plantName = "Bench Plant";
    for (int i = 0; i < ITEMS; ++i) {
        EquipmentSpec item{100001 + i, QStringLiteral("V-%1").arg(i, 4, 10, QLatin1Char('0')), 1,
                           QStringLiteral("Vessel"), 100.0};
        item.pool = i % 50 == 0;
        spec.equipment << item;
    }
    return spec;
}

// The second facility copies the first one's items; both get paths and 100 default rows.
void AddSecondFacility(CDaoDatabase& equipment, CDaoDatabase& project)
{
    equipment.Execute("INSERT INTO Plant (PlantID, PlantName) VALUES (2, 'Second Plant')");
    equipment.Execute("INSERT INTO ActualEquipmentCommon (ActualEquipmentID, QVTag, EquipmentClassID, PlantID, Pool) "
                      "SELECT ActualEquipmentID + 100000, QVTag || 'B', EquipmentClassID, 2, Pool "
                      "FROM ActualEquipmentCommon WHERE PlantID = 1");
    const QString numbers = "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 99) ";
    project.Execute(numbers + "INSERT INTO TblEmissionControlPath (EmissionControlPathID, PlantID, "
                              "EmissionControlPathName) SELECT 100 + i, 1 + i % 2, 'Path ' || i FROM n WHERE i < ?",
                    {2 * PATHS});
    project.Execute(numbers + "INSERT INTO \"PREFER-DefaultECP\" (PlantID, EquipmentID, EmissionControlPathID) "
                              "SELECT p, 100002 + i * 7 + (p - 1) * 100000, 100 + (i % ?) * 2 + p - 1 "
                              "FROM n, (SELECT 1 AS p UNION ALL SELECT 2)",
                    {PATHS});
}

void BM_SwitchFacility(benchmark::State& state)
{
    QTemporaryDir root;
    RootedAppContext app(root.path(), root.filePath("instance"));
    const QString folder = root.filePath("project") + "/";
    CProjectGenerator generator;
    if (!generator.Write(SwitchBenchProject(), folder))
        return state.SkipWithError(qPrintable(generator.ErrorText()));
    app.fileSet().equipmentDBPath = folder + "PathBench.eqm";
    app.fileSet().projectDBPath = folder + "PathBench.prj";
    app.fileSet().projectDatabase = std::make_unique<CDaoDatabase>();
    app.fileSet().projectDatabase->Open(app.fileSet().projectDBPath, DatabaseRole::WorkingCopy);
    CDaoDatabase equipment;
    equipment.Open(app.fileSet().equipmentDBPath, DatabaseRole::ReadWrite);
    AddSecondFacility(equipment, *app.fileSet().projectDatabase);
    CEmissionControlPathTab tab;
    long next = 2;
    for (auto _ : state) {
        tab.facilityCombo()->setCurrentIndex(tab.facilityCombo()->findData(qlonglong(next)));
        tab.OnSelEndOkFacility();
        next = 3 - next;
    }
    if (tab.grid()->GetValueRowCol(100, 1).isEmpty())
        state.SkipWithError("the facility's rows are not shown");
    state.counters["goal_ms"] = GOAL_MS;
}

BENCHMARK(BM_SwitchFacility)->Iterations(20)->Unit(benchmark::kMillisecond);

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
