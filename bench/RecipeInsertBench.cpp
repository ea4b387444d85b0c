// Inserting a unit procedure at the top of a generated step of 5,000 recipe lines: every row
// after it moves down and every unit procedure and operation after it takes a new number, in the
// database (one transaction of set-based statements) and in the view (numbers, then the layout).
// Goal: 16 ms per insert ("goal_ms") and within 1.3 times "baseline_ms" ("baseline_factor"), the
// floor of the same rows written: one durable transaction per insert that adds the unit
// procedure's row and its recipe row, moves every recipe row down, gives every unit procedure and
// operation row its new unit-procedure number and label and every keyword row its new position,
// in set-based statements (cheaper than a prepared loop over 5,000 rows), the mean of as many
// inserts as the edit ran. Every commit is flushed to disk, so the project and its working copies
// belong on a disk: they lie in the temporary folder (TMPDIR, else /tmp), which must not be a
// memory file system for the figures to count. "ratio": the inserts' mean over the floor's.

#include "ProjectSession.h"
#include "SessionAppContext.h"
#include "SessionBenchMain.h"

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "modules/opdialog/OperationDialogService.h"
#include "recipe/view/QuorvantaView.h"
#include "recipe/view/RecipeButton.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace {
constexpr int LINES = 5000;
constexpr double GOAL_MS = 16;
constexpr double BASELINE_FACTOR = 1.3;

// Every new unit procedure is named at once.
class NamingDialogs : public OperationDialogService {
public:
    std::optional<NewUnitProcedureInput> AskUnitProcedure(const QString& suggestedName) override
    {
        return NewUnitProcedureInput{suggestedName, QString()};
    }
    std::optional<NewOperationInput> AskOperation(const QString& typeName, const QString&) override
    {
        return NewOperationInput{typeName};
    }
};

// One insert's rows at the top, written as bare statements.
const char* const BASELINE_STATEMENTS[] = {
    "INSERT INTO UnitProcedure (UnitProcedureName, UPSequenceNumber) VALUES ('Unit Procedure', 1)",
    "UPDATE TextRecipe SET RecipeSequenceNumber = RecipeSequenceNumber + 1,"
    " UPNumber = CASE WHEN Type IN ('Unit Procedure', 'Operation') THEN UPNumber + 1 ELSE UPNumber END,"
    " Label = CASE WHEN Type = 'Unit Procedure' THEN (UPNumber + 1) || '.'"
    "   WHEN Type = 'Operation' THEN (UPNumber + 1) || '.' || OPNumber || '.' ELSE Label END"
    " WHERE StepID = ?",
    "UPDATE TextRecipe SET ID = RecipeSequenceNumber WHERE StepID = ? AND RecipeSequenceNumber > 1"
    " AND Type NOT IN ('Unit Procedure', 'Operation')",
    "INSERT INTO TextRecipe (ID, Label, RecipeSequenceNumber, StepID, Type, UnitProcedureName, UPNumber)"
    " VALUES (last_insert_rowid(), '1.', 1, ?, 'Unit Procedure', 'Unit Procedure', 1)"};

// The mean of that many inserts. Kept out of line, so a profiler counts its instructions apart.
[[gnu::noinline]] double BaselineMs(long stepID, int inserts)
{
    CDaoDatabase& step = *GetStepDatabase(stepID);
    QElapsedTimer timer;
    timer.start();
    for (int n = 0; n < inserts; ++n) {
        CDaoTransaction transaction(step);
        for (const char* sql : BASELINE_STATEMENTS) {
            const QString text = QString::fromLatin1(sql);
            step.Execute(text, text.contains(QLatin1Char('?')) ? QVariantList{qlonglong(stepID)} : QVariantList{});
        }
        transaction.Commit();
    }
    return double(timer.nsecsElapsed()) / 1e6 / inserts;
}

void BM_InsertUnitProcedureAtTop(benchmark::State& state)
{
    QTemporaryDir root;
    const QString folder = root.filePath("project/");
    CProjectGenerator generator;
    const ProjectSpec spec = CProjectGenerator::SyntheticProject(1, LINES);
    if (!generator.Write(spec, folder))
        return state.SkipWithError("the project could not be generated");
    CSessionAppContext app(root.filePath("app"), root.filePath("app/instance"));
    CProjectSession session(app.fileSet(), app.stepDatabases());
    if (!session.Open(folder + "Synthetic.prj"))
        return state.SkipWithError("the project did not open");
    NamingDialogs dialogs;
    ServiceInstallations installed;
    installed.Install<OperationDialogService>(&dialogs);
    const long stepID = spec.steps.first().stepID;
    auto view = std::make_unique<CQUORVANTAView>();
    view->identity().stepID = stepID;
    view->resize(800, 600);
    view->show();
    view->LoadRecipeLines();
    int inserts = 0;
    QElapsedTimer inserting;
    qint64 insertNs = 0;
    for (auto _ : state) {
        inserting.start();
        view->SelectItem(0);
        view->InsertUnitProcedure(1, -1, QString(), false, false);
        insertNs += inserting.nsecsElapsed();
        ++inserts;
    }
    if (view->LineCount() < LINES || view->Line(1)->line().label != QLatin1String("2."))
        state.SkipWithError("the insert did not renumber the recipe");
    state.counters["lines"] = view->LineCount();
    state.counters["goal_ms"] = GOAL_MS;
    state.counters["baseline_factor"] = BASELINE_FACTOR;
    view.reset();
    const double baselineMs = BaselineMs(stepID, inserts);
    state.counters["baseline_ms"] = baselineMs;
    state.counters["ratio"] = baselineMs > 0 ? double(insertNs) / 1e6 / qMax(inserts, 1) / baselineMs : 0;
    session.Close();
}

BENCHMARK(BM_InsertUnitProcedureAtTop)->Iterations(20)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return RunSessionBenchmarks<QApplication>(argc, argv);
}
