// Paste of 500 recipe lines (unit procedures holding 400 operations with their parameter rows)
// copied from another step at the top of a generated 5,000-line recipe. Three figures side by side:
// "baseline_ms", the same row writes in one transaction without a view (each written table takes as
// many rows again, every TextRecipe row rewritten); "paste_rows_ms", the paste from the command to
// its commit (rows only, no view refresh); "paste_to_layout_ms", from the command to the new layout.
// Goal: "paste_to_layout_ms" within 1.5 times "baseline_ms" ("ratio_to_baseline" <= 1.5).

#include "ProjectSession.h"
#include "SessionAppContext.h"
#include "SessionBenchMain.h"

#include "foundation/common/AppContext.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DaoTransaction.h"
#include "foundation/db/ProjectGenerator.h"
#include "recipe/QuorvantaView.h"
#include "recipe/RecipeButton.h"
#include "recipe/RecipeClipboard.h"
#include "recipe/RecipeWindows.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <memory>

namespace {
constexpr int PASTE_TARGET_LINES = 5000;
constexpr int PASTE_SOURCE_OPERATIONS = 400;
constexpr double PASTE_BASELINE_FACTOR = 1.5;
const char* const PASTE_TABLES[] = {"UnitProcedure", "Operation", "TblGroupData", "TblFieldData", "TblRangeData",
                                    "TextRecipe"};

class PasteAnswers : public PromptService {
public:
    int prompt(const QString&, unsigned, const QString&) override { return IDYES; }
};

// When the paste's transaction commits on the target step: its rows are written, nothing refreshed.
class CommitClock {
public:
    explicit CommitClock(CDaoDatabase& step)
        : m_engine(*static_cast<sqlite3* const*>(step.Connection().database().driver()->handle().constData()))
    {
        sqlite3_commit_hook(m_engine, &CommitClock::Note, this);
    }
    ~CommitClock() { sqlite3_commit_hook(m_engine, nullptr, nullptr); }
    CommitClock(const CommitClock&) = delete;
    CommitClock& operator=(const CommitClock&) = delete;

    void Start() { m_timer.start(), m_committedNs = -1; }
    double CommittedMs() const { return double(m_committedNs) / 1e6; }

private:
    static int Note(void* clock)
    {
        auto* self = static_cast<CommitClock*>(clock);
        self->m_committedNs = self->m_timer.nsecsElapsed();
        return 0; // the commit goes on
    }

    sqlite3* m_engine;
    QElapsedTimer m_timer;
    qint64 m_committedNs = -1;
};

long RowCount(CDaoDatabase& step, const QString& table)
{
    QSqlQuery count = step.Query(QStringLiteral("SELECT COUNT(*) FROM ") + table);
    return count.next() ? long(count.value(0).toLongLong()) : 0;
}

// The table's columns without its integer primary key.
QString CopiedColumns(CDaoDatabase& step, const QString& table)
{
    QStringList columns;
    QSqlQuery info = step.Query(QStringLiteral("SELECT name, pk FROM pragma_table_info(?)"), {table});
    while (info.next()) {
        if (info.value(1).toInt() == 0)
            columns << QLatin1Char('"') + info.value(0).toString() + QLatin1Char('"');
    }
    return columns.join(QLatin1Char(','));
}

// The same number of rows per table written set-based, and every TextRecipe row rewritten.
double PasteBaselineMs(CDaoDatabase& step, const QHash<QString, long>& added)
{
    QElapsedTimer timer;
    timer.start();
    CDaoTransaction transaction(step);
    for (const char* name : PASTE_TABLES) {
        const QString table = QString::fromLatin1(name);
        const QString columns = CopiedColumns(step, table);
        step.Execute(QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %1 LIMIT %3")
                         .arg(table, columns)
                         .arg(added.value(table)));
    }
    step.Execute(QStringLiteral("UPDATE TextRecipe SET RecipeSequenceNumber = RecipeSequenceNumber + 1"));
    transaction.Commit();
    return double(timer.nsecsElapsed()) / 1e6;
}

// The source step cut down to whole unit procedures holding 400 operations.
void TrimSourceStep(StepSpec& step)
{
    int operations = 0, end = 0;
    for (; end < step.lines.size(); ++end) {
        const bool header = step.lines.at(end).type == QStringLiteral("Unit Procedure");
        if (header && operations >= PASTE_SOURCE_OPERATIONS)
            break;
        operations += step.lines.at(end).type == QStringLiteral("Operation") ? 1 : 0;
    }
    step.lines = step.lines.mid(0, end);
}

void BM_PasteFromAnotherStepAtTheTop(benchmark::State& state)
{
    QTemporaryDir root;
    const QString folder = root.filePath("project/");
    ProjectSpec spec = CProjectGenerator::SyntheticProject(2, PASTE_TARGET_LINES);
    TrimSourceStep(spec.steps[1]);
    if (!CProjectGenerator().Write(spec, folder))
        return state.SkipWithError("the project could not be generated");
    CSessionAppContext app(root.filePath("app"), root.filePath("app/instance"));
    CProjectSession session(app.fileSet(), app.stepDatabases());
    if (!session.Open(folder + "Synthetic.prj"))
        return state.SkipWithError("the project did not open");
    PasteAnswers prompts;
    RecipeClipboard clipboard;
    ServiceInstallations installed;
    installed.Install<PromptService>(&prompts);
    installed.Install<RecipeClipboard>(&clipboard);
    const long targetID = spec.steps.first().stepID, sourceID = spec.steps.at(1).stepID;
    auto source = std::make_unique<CQUORVANTAView>();
    auto target = std::make_unique<CQUORVANTAView>();
    source->identity().stepID = sourceID;
    target->identity().stepID = targetID;
    for (CQUORVANTAView* view : {source.get(), target.get()}) {
        view->resize(800, 600);
        view->show();
        view->LoadRecipeLines();
    }
    bool first = true;
    for (int j = 0; j < source->LineCount(); ++j) {
        if (source->Line(j)->GetItemType() == RECIPE_LINE_UNIT_PROCEDURE)
            source->OnLineClicked(source->Line(j), !std::exchange(first, false));
    }
    if (!source->OnEditCopy())
        return state.SkipWithError("the copy did not run");
    CDaoDatabase& step = *GetStepDatabase(targetID);
    QHash<QString, long> before;
    for (const char* table : PASTE_TABLES)
        before.insert(QString::fromLatin1(table), RowCount(step, QString::fromLatin1(table)));
    const int lines = target->LineCount();
    double rowsMs = 0, layoutMs = 0;
    for (auto _ : state) {
        target->OnActivateView(true);
        target->SelectItem(0);
        CommitClock clock(step);
        clock.Start();
        QElapsedTimer command;
        command.start();
        if (!target->OnEditPaste())
            return state.SkipWithError("the paste did not run");
        layoutMs = double(command.nsecsElapsed()) / 1e6;
        rowsMs = clock.CommittedMs();
    }
    state.counters["paste_rows_ms"] = rowsMs;
    state.counters["paste_to_layout_ms"] = layoutMs;
    state.counters["pasted_lines"] = target->LineCount() - lines;
    state.counters["source_operations"] = PASTE_SOURCE_OPERATIONS;
    QHash<QString, long> added;
    for (const char* table : PASTE_TABLES)
        added.insert(QString::fromLatin1(table), RowCount(step, QString::fromLatin1(table)) - before.value(table));
    source.reset();
    target.reset();
    const double baselineMs = PasteBaselineMs(step, added);
    state.counters["baseline_ms"] = baselineMs;
    state.counters["ratio_to_baseline"] = layoutMs / baselineMs;
    state.counters["within_goal"] = layoutMs <= PASTE_BASELINE_FACTOR * baselineMs ? 1 : 0;
    session.Close();
}

BENCHMARK(BM_PasteFromAnotherStepAtTheTop)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return RunSessionBenchmarks<QApplication>(argc, argv);
}
