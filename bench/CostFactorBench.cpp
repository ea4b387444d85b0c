// The "Product Cost and Fixed Cost" page of the cost factor sheet with 2,000 direct product cost
// factors of three calculated items each: the page made and loaded, then OK writing every row and
// item link again. Reported: "load_ms" and "ok_ms" (medians); goal: each at most 300 ms.

#include "RootedAppContext.h"
#include "foundation/common/MessageBox.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "preferences/costs/CostFactorPreferenceDialog.h"
#include "preferences/costs/CostFactorTab.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

constexpr int COST_FACTOR_ROWS = 2000;
constexpr int LINKS_PER_ROW = 3;
constexpr double COST_FACTOR_GOAL_MS = 300;

void FillDirectProductCosts(CDaoDatabase& database)
{
    database.Execute("DELETE FROM ItemizedCostFactor");
    database.Execute("DELETE FROM CostFactor WHERE CostFactorType = 'Direct Product'");
    database.Execute(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                                    "INSERT INTO CostFactor (CostFactorID, CostFactorType, CostFactorItem, CostFactor, "
                                    "CostFactorUOM, RowOrder) SELECT 100000 + i, 'Direct Product', 'Item ' || i, "
                                    "i / 7.0, CASE WHEN i % 2 THEN 'USD/h' END, i FROM n")
                         .arg(COST_FACTOR_ROWS));
    database.Execute(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                                    "INSERT INTO ItemizedCostFactor (CostFactorID, CalculatedCostFactorID) "
                                    "SELECT 100000 + (i + %2 - 1) / %2, 1 + i % 8 FROM n")
                         .arg(COST_FACTOR_ROWS * LINKS_PER_ROW)
                         .arg(LINKS_PER_ROW));
}

long LinkCount(CDaoDatabase& database)
{
    QSqlQuery query = database.Query("SELECT count(*) FROM ItemizedCostFactor");
    return query.next() ? query.value(0).toLongLong() : -1;
}

double MedianMs(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void BM_ProductCostPageLoadAndOk(benchmark::State& state)
{
    QTemporaryDir root;
    RootedAppContext app(root.path(), root.filePath("instance"));
    const QString folder = root.filePath("project") + "/";
    CProjectGenerator generator;
    if (!generator.Write(CProjectGenerator::DemoProject(), folder))
        return state.SkipWithError(qPrintable(generator.ErrorText()));
    CDaoDatabase& database = *(app.fileSet().projectDatabase = std::make_unique<CDaoDatabase>());
    database.Open(folder + "Demo.prj", DatabaseRole::WorkingCopy);
    FillDirectProductCosts(database);
    std::vector<double> load, ok;
    for (auto _ : state) {
        CCostFactorPreferenceDialog sheet;
        QElapsedTimer timer;
        timer.start();
        sheet.SetActivePage(1);
        load.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (sheet.Tab(1)->grid()->GetRowCount() != COST_FACTOR_ROWS)
            return state.SkipWithError("the page did not load every row");
        timer.restart();
        const bool saved = sheet.SaveAllPages();
        ok.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (!saved || LinkCount(database) != COST_FACTOR_ROWS * LINKS_PER_ROW)
            return state.SkipWithError("OK did not write every row and link");
        state.SetIterationTime((load.back() + ok.back()) / 1000);
    }
    state.counters["load_ms"] = MedianMs(load);
    state.counters["ok_ms"] = MedianMs(ok);
    state.counters["goal_ms"] = COST_FACTOR_GOAL_MS;
    state.counters["rows"] = COST_FACTOR_ROWS;
}

} // namespace

BENCHMARK(BM_ProductCostPageLoadAndOk)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    AutomationPromptService prompts;
    ScopedPromptService scoped(&prompts);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
