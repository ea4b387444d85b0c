// The vapour emission sheet's OK after every one of 91 operation types was shown and each of its
// seven equipment kinds given eight ranked models: one transaction rewriting 637 kinds.
// Goal: 200 ms (Release).

#include "RootedAppContext.h"
#include "foundation/common/MessageBox.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "preferences/emissions/PreferAirEmissionDialog.h"
#include "preferences/emissions/VaporEmissionModelPreferenceTab.h"

#include <QApplication>
#include <QComboBox>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int TYPES = 91;
constexpr int KINDS = 7;
constexpr int MODELS = 8;

void FillEmissionLibrary(CDaoDatabase& database)
{
    const QString types =
        QStringLiteral("WITH RECURSIVE t(id) AS (SELECT 1 UNION ALL SELECT id + 1 FROM t WHERE id < %1) ")
            .arg(TYPES);
    database.Execute(types + "INSERT OR IGNORE INTO OperationsLibrary (OperationTypeID, OperationTypeName) "
                             "SELECT id, 'Type ' || id FROM t");
    database.Execute("DELETE FROM ModelLibrary WHERE ModelKind = 1");
    database.Execute("DELETE FROM AirEmissionEquipmentKinds");
    database.Execute("DELETE FROM \"PREFER-AirEmission\"");
    database.Execute(
        types +
        QStringLiteral(", m(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM m WHERE n < %1) "
                       "INSERT INTO ModelLibrary (OperationTypeID, ModelTypeID, ModelName, ModelKind) "
                       "SELECT id, 2000 + n, 'Model ' || n, 1 FROM t, m")
            .arg(MODELS));
    database.Execute(
        types +
        QStringLiteral(", k(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM k WHERE n < %1) "
                       "INSERT INTO AirEmissionEquipmentKinds (OperationTypeID, FieldTypeID, FieldLabel) "
                       "SELECT id, 100700 + n, 'Kind ' || n FROM t, k")
            .arg(KINDS));
}

// Every type shown, every rank of every kind given a model, rotated by the round so that each
// OK has every kind to rewrite.
void ShowAndEditEveryType(CVaporEmissionModelPreferenceTab* page, int round)
{
    QComboBox* combo = page->OperationCombo();
    for (int i = 0; i < combo->count(); ++i) {
        combo->setCurrentIndex(i);
        page->OnSelChangeOperation();
        for (int k = 0; k < KINDS; ++k)
            for (int r = 0; r < MODELS; ++r) {
                const int model = 1 + (r + k + round) % MODELS;
                page->Grid()->SetValueWithItemData(MODELS * k + r + 1, 2,
                                                   QStringLiteral("Model %1").arg(model), 2000 + model);
            }
    }
}

void BM_AirEmissionOkAfterEveryType(benchmark::State& state)
{
    QTemporaryDir root;
    RootedAppContext app(root.path(), root.filePath("instance"));
    const QString folder = root.filePath("project") + "/";
    CProjectGenerator generator;
    if (!generator.Write(CProjectGenerator::DemoProject(), folder)) {
        state.SkipWithError(qPrintable(generator.ErrorText()));
        return;
    }
    CDaoDatabase& database = *(app.fileSet().projectDatabase = std::make_unique<CDaoDatabase>());
    database.Open(folder + "Demo.prj", DatabaseRole::WorkingCopy);
    FillEmissionLibrary(database);
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        CPreferAirEmissionDialog sheet;
        sheet.SetActivePage(0);
        auto* page = static_cast<CVaporEmissionModelPreferenceTab*>(sheet.GetPage(0));
        ShowAndEditEveryType(page, ++round);
        state.ResumeTiming();
        if (!sheet.PressOK() || sheet.result() != IDOK)
            state.SkipWithError("the sheet did not close with OK");
    }
    state.counters["types"] = TYPES;
    state.counters["kinds"] = TYPES * KINDS;
}

} // namespace

BENCHMARK(BM_AirEmissionOkAfterEveryType)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
