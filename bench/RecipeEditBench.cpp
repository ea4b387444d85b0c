// Move Down and Delete of the first operation of a generated step of 5,000 recipe lines, each in
// the database (one transaction of the rows that changed) and in the view (numbers, layout).
// Goals: Move Down 16 ms ("goal_ms") and within 1.3 times "baseline_ms": the two rows that change
// places written by a bare prepared loop, one durable commit; Delete, which rewrites every later
// row, within 1.3 times "baseline_ms": the same row writes in one transaction without a view. Each
// floor is the mean of as many runs as the edit ran: one flush to disk varies more than the edit.
// The step's first edit also switches its working copy to the journal it keeps for writes (new
// files, each made durable with its folder): done once per step and open, it is timed apart
// ("first_edit_ms") and the iterations time the edits after it. "ratio": the edits' mean over the
// floor's, the figure the goal is read from.

#include "ProjectSession.h"
#include "SessionAppContext.h"
#include "SessionBenchMain.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "recipe/view/QuorvantaView.h"
#include "recipe/view/RecipeButton.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <array>
#include <functional>
#include <memory>

namespace {
constexpr int EDIT_BENCH_LINES = 5000;
constexpr double MOVE_GOAL_MS = 16;
constexpr double MOVE_BASELINE_FACTOR = 1.3;
constexpr double DELETE_BASELINE_FACTOR = 1.3;

class AnswerYes : public PromptService {
public:
    int prompt(const QString&, unsigned, const QString&) override { return IDYES; }
};

// The Delete's writes without a view: the row goes, every later row moves up (keyword rows also
// take their new id), the later operations of its unit procedure take their new numbers.
// Kept out of line, so a profiler counts its instructions apart.
[[gnu::noinline]] double DeleteBaselineMs(long stepID)
{
    CDaoDatabase& step = *GetStepDatabase(stepID);
    QElapsedTimer timer;
    timer.start();
    CDaoTransaction transaction(step);
    step.Execute(QStringLiteral("DELETE FROM TextRecipe WHERE RecipeSequenceNumber = 2"));
    step.Execute(QStringLiteral("UPDATE TextRecipe SET OPNumber = OPNumber - 1, Label = '1.' || (OPNumber - 1) || '.'"
                                " WHERE UPNumber = 1 AND Type = 'Operation'"));
    step.Execute(QStringLiteral("UPDATE TextRecipe SET RecipeSequenceNumber = RecipeSequenceNumber - 1, ID = CASE"
                                " WHEN Type IN ('Unit Procedure', 'Operation') THEN ID ELSE ID - 1 END"
                                " WHERE RecipeSequenceNumber > 2"));
    transaction.Commit();
    return double(timer.nsecsElapsed()) / 1e6;
}

// The Move Down's writes without a view: the operations at positions 2 and 3 change places, each
// row by key through one prepared statement.
// Kept out of line, so a profiler counts its instructions apart.
[[gnu::noinline]] double MoveBaselineMs(long stepID)
{
    CDaoDatabase& step = *GetStepDatabase(stepID);
    QSqlQuery rows =
        step.Query(QStringLiteral("SELECT RowKey, RecipeSequenceNumber, OPNumber FROM TextRecipe"
                                  " WHERE RecipeSequenceNumber IN (2, 3) ORDER BY RecipeSequenceNumber"));
    QList<std::array<qlonglong, 3>> swapped;
    while (rows.next())
        swapped.append({rows.value(0).toLongLong(), rows.value(1).toLongLong(), rows.value(2).toLongLong()});
    if (swapped.size() != 2)
        return 0;
    QElapsedTimer timer;
    timer.start();
    CDaoTransaction transaction(step);
    QSqlQuery update(step.Connection().database());
    update.prepare(QStringLiteral(
        "UPDATE TextRecipe SET RecipeSequenceNumber = ?, OPNumber = ?, Label = ? WHERE RowKey = ?"));
    for (int i = 0; i < 2; ++i) {
        const std::array<qlonglong, 3>& other = swapped.at(1 - i);
        update.addBindValue(other[1]);
        update.addBindValue(other[2]);
        update.addBindValue(QStringLiteral("1.%1.").arg(other[2]));
        update.addBindValue(swapped.at(i)[0]);
        update.exec();
    }
    transaction.Commit();
    return double(timer.nsecsElapsed()) / 1e6;
}

// The generated step open in a shown view; the edit runs on its first operation each iteration.
void RunEditBench(benchmark::State& state, const std::function<bool(CQUORVANTAView&)>& edit, bool baseline)
{
    QTemporaryDir root;
    const QString folder = root.filePath("project/");
    const ProjectSpec spec = CProjectGenerator::SyntheticProject(1, EDIT_BENCH_LINES);
    if (!CProjectGenerator().Write(spec, folder))
        return state.SkipWithError("the project could not be generated");
    CSessionAppContext app(root.filePath("app"), root.filePath("app/instance"));
    CProjectSession session(app.fileSet(), app.stepDatabases());
    if (!session.Open(folder + "Synthetic.prj"))
        return state.SkipWithError("the project did not open");
    AnswerYes prompts;
    ServiceInstallations installed;
    installed.Install<PromptService>(&prompts);
    const long stepID = spec.steps.first().stepID;
    auto view = std::make_unique<CQUORVANTAView>();
    view->identity().stepID = stepID;
    view->resize(800, 600);
    view->show();
    view->LoadRecipeLines();
    QElapsedTimer first;
    first.start();
    view->SelectItem(1);
    if (!edit(*view))
        return state.SkipWithError("the edit did not run");
    state.counters["first_edit_ms"] = double(first.nsecsElapsed()) / 1e6;
    int edits = 0;
    QElapsedTimer editing;
    qint64 editNs = 0;
    for (auto _ : state) {
        editing.start();
        view->SelectItem(1);
        if (!edit(*view))
            return state.SkipWithError("the edit did not run");
        editNs += editing.nsecsElapsed();
        ++edits;
    }
    state.counters["lines"] = view->LineCount();
    view.reset();
    double floorMs = 0;
    for (int n = 0; n < edits; ++n)
        floorMs += baseline ? DeleteBaselineMs(stepID) : MoveBaselineMs(stepID);
    state.counters["baseline_ms"] = floorMs / qMax(edits, 1);
    state.counters["ratio"] = floorMs > 0 ? double(editNs) / 1e6 / floorMs : 0;
    session.Close();
}

void BM_MoveDownFirstOperation(benchmark::State& state)
{
    state.counters["goal_ms"] = MOVE_GOAL_MS;
    state.counters["baseline_factor"] = MOVE_BASELINE_FACTOR;
    RunEditBench(state, [](CQUORVANTAView& view) { return view.MoveDown(); }, false);
}

void BM_DeleteFirstOperation(benchmark::State& state)
{
    state.counters["baseline_factor"] = DELETE_BASELINE_FACTOR;
    RunEditBench(state, [](CQUORVANTAView& view) { return view.DeleteSelectedItems(QStringLiteral("Delete")); }, true);
}

BENCHMARK(BM_MoveDownFirstOperation)->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteFirstOperation)->Iterations(6)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return RunSessionBenchmarks<QApplication>(argc, argv);
}
