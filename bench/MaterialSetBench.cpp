// Property reads through the material property singleton: 10,000 ReadDoubleValue calls over a
// material database of 50,000 property rows (10,000 materials, five properties each), against the
// same keyed reads by one prepared QSqlQuery on a plain connection ("raw_ms", measured once).
// Goal: at most 1.5 times the raw reads (Release); "goal_ratio" states it, "ratio" is the outcome.

#include "RootedAppContext.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "foundation/db/material/MaterialPropertySet.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
constexpr int MATERIALS = 10000;
constexpr int PROPERTIES = 5;
constexpr int READS = 10000;
constexpr double GOAL_RATIO = 1.5;

ProjectSpec MaterialBenchProject()
{
    ProjectSpec spec;
    spec.name = "MaterialBench";
    spec.plantName = "Bench Plant";
    for (int i = 0; i < MATERIALS; ++i)
        spec.materials.append(
            {1 + i, QStringLiteral("Material %1").arg(i), QStringLiteral("Liquid"), 50.0 + i, {}});
    return spec;
}

// Properties 2 to 5 of every material beside the molecular weight the generator wrote.
bool AddProperties(const QString& path)
{
    bool done = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench_fill"));
        db.setDatabaseName(path);
        QSqlQuery query(db);
        done = db.open() &&
               query.exec(
                   QStringLiteral(
                       "WITH RECURSIVE p(id) AS (SELECT 2 UNION ALL SELECT id + 1 FROM p WHERE id < %1)"
                       " INSERT INTO ActualMaterialProperty (MaterialID, MaterialPropertyID, DoubleValue, "
                       "ValueUOM)"
                       " SELECT MaterialID, p.id, MaterialID * 0.5 + p.id, 'kg' FROM ActualMaterialCommon, p")
                       .arg(PROPERTIES));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench_fill"));
    return done;
}

long MaterialOf(int read)
{
    return 1 + long(read) * 7919 % MATERIALS;
}
long PropertyOf(int read)
{
    return 1 + read % PROPERTIES;
}

double RawReadsMs(const QString& path)
{
    double elapsed = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench_raw"));
        db.setDatabaseName(path);
        db.open();
        QSqlQuery query(db);
        query.setForwardOnly(true);
        query.prepare(QStringLiteral("SELECT DoubleValue FROM ActualMaterialProperty"
                                     " WHERE MaterialID = ? AND MaterialPropertyID = ?"));
        QElapsedTimer timer;
        timer.start();
        double sum = 0;
        for (int read = 0; read < READS; ++read) {
            query.bindValue(0, qlonglong(MaterialOf(read)));
            query.bindValue(1, qlonglong(PropertyOf(read)));
            query.exec();
            if (query.next())
                sum += query.value(0).toDouble();
        }
        benchmark::DoNotOptimize(sum);
        elapsed = double(timer.nsecsElapsed()) / 1e6;
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench_raw"));
    return elapsed;
}

void BM_ReadDoubleValue(benchmark::State& state)
{
    QTemporaryDir root;
    RootedAppContext app(root.path(), root.filePath("instance"));
    const QString folder = root.filePath("project") + "/";
    CProjectGenerator generator;
    if (!generator.Write(MaterialBenchProject(), folder))
        return state.SkipWithError(qPrintable(generator.ErrorText()));
    app.fileSet().materialsDBPath = folder + "MaterialBench.mtl";
    if (!AddProperties(app.fileSet().materialsDBPath))
        return state.SkipWithError("the property rows were not written");
    CMaterialPropertySet* set = CMaterialPropertySet::Instance();
    double sum = 0;
    QElapsedTimer timer;
    timer.start();
    for (auto _ : state) {
        for (int read = 0; read < READS; ++read)
            sum += set->ReadDoubleValue(MaterialOf(read), PropertyOf(read));
    }
    const double setMs = double(timer.nsecsElapsed()) / 1e6 / double(state.iterations());
    benchmark::DoNotOptimize(sum);
    if (sum >= 1e35)
        state.SkipWithError("a read found no row");
    const double rawMs = RawReadsMs(app.fileSet().materialsDBPath);
    CMaterialPropertySet::Destroy();
    state.counters["raw_ms"] = rawMs;
    state.counters["goal_ratio"] = GOAL_RATIO;
    state.counters["ratio"] = setMs / rawMs;
}
BENCHMARK(BM_ReadDoubleValue)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
