// Paste of 514 recipe lines (unit procedures holding 400 operations with their parameter rows)
// copied from another step at the top of a generated 5,000-line recipe, the recipe-text generator
// installed as the program installs it. Three figures side by side: "baseline_ms", the same row
// writes in one transaction without a view (each written table takes as many rows again; the
// 5,000 rows below the block take their new sequence and unit-procedure numbers and labels in one
// statement, the keyword rows among them their new positions in one more); "paste_rows_ms", the
// paste from the command to its commit (rows only, no view refresh); "paste_to_layout_ms", from the
// command to the new layout, the recipe windows' services installed as the frame installs them (the
// lines of regenerated texts read again). Goal: "paste_to_layout_ms" within 1.5 times "baseline_ms"
// ("ratio_to_baseline" <= 1.5). The paste places, numbers and writes its lines through the view's
// line windows, so its data side has no run of its own without a view to time here. The target
// step's first edit switches its working copy to the journal it keeps for writes (new files, each
// made durable with its folder), once per step and open: as in the edit bench, it is timed apart
// ("first_edit_ms", a write that changes no value) and the floor, run after the paste, never pays it.

#include "ProjectSession.h"
#include "SessionAppContext.h"
#include "SessionBenchMain.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/DocumentHost.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "recipe/view/QuorvantaView.h"
#include "recipe/view/RecipeButton.h"
#include "recipe/view/RecipeClipboard.h"
#include "recipe/view/RecipeWindows.h"
#include "shell/bridge/ManagedProcessOperation.h"

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

// The frame's tab list, holding the two recipe windows.
class BenchDocuments : public DocumentHost {
public:
    QList<HostedDocument> windows;
    QList<HostedDocument> ListDocuments(DocumentKind kind) const override
    {
        return kind == DocumentKind::ProjectRecipe ? windows : QList<HostedDocument>();
    }
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

// The rows below the pasted block: sequence numbers move by ?1, unit procedures and operations
// count on ?2 unit procedures later, labels follow. ?3: the last row key before the copies; ?4: the step.
const char* const BASELINE_MOVE_ROWS =
    "UPDATE TextRecipe SET RecipeSequenceNumber = RecipeSequenceNumber + ?1,"
    " UPNumber = CASE WHEN Type IN ('Unit Procedure', 'Operation') THEN UPNumber + ?2 ELSE UPNumber END,"
    " Label = CASE WHEN Type = 'Unit Procedure' THEN (UPNumber + ?2) || '.'"
    "   WHEN Type = 'Operation' THEN (UPNumber + ?2) || '.' || OPNumber || '.' ELSE Label END"
    " WHERE StepID = ?4 AND RecipeSequenceNumber > ?1 AND RowKey <= ?3";

// Their keyword rows take their new positions: ?1 to ?3 as above without ?2.
const char* const BASELINE_KEYWORD_POSITIONS =
    "UPDATE TextRecipe SET ID = ID + ?1 WHERE StepID = ?3 AND RecipeSequenceNumber > ?1 AND RowKey <= ?2"
    " AND Type NOT IN ('Unit Procedure', 'Operation')";

// What the paste added: rows per table, and its lines and unit procedures.
struct PastedAmounts {
    QHash<QString, long> rows;
    long lines = 0;
    long unitProcedures = 0;
};

long ChangedRows(CDaoDatabase& step, const char* sql, const QVariantList& values)
{
    const QString text = QString::fromLatin1(sql);
    const StatementKey key{
        StatementKind::Update, QStringLiteral("TextRecipe"), {text}, {"paste baseline"}, {}};
    long changed = 0;
    step.Connection().execKept(
        key, [&text] { return text; }, values,
        [&changed](KeptResult& result) { changed = long(result.rowsAffected()); });
    return changed;
}

// The same number of rows per table written set-based; then the rows below the block take the
// columns the paste gives them. Answers the time and the rows moved.
std::pair<double, long> PasteBaselineMs(CDaoDatabase& step, long stepID, const PastedAmounts& pasted)
{
    QSqlQuery last = step.Query(QStringLiteral("SELECT MAX(RowKey) FROM TextRecipe"));
    const qlonglong lastKey = last.next() ? last.value(0).toLongLong() : 0;
    QElapsedTimer timer;
    timer.start();
    CDaoTransaction transaction(step);
    for (const char* name : PASTE_TABLES) {
        const QString table = QString::fromLatin1(name);
        const QString columns = CopiedColumns(step, table);
        step.Execute(QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %1 LIMIT %3")
                         .arg(table, columns)
                         .arg(pasted.rows.value(table)));
    }
    const qlonglong lines = pasted.lines, target = stepID;
    const long moved =
        ChangedRows(step, BASELINE_MOVE_ROWS, {lines, qlonglong(pasted.unitProcedures), lastKey, target});
    ChangedRows(step, BASELINE_KEYWORD_POSITIONS, {lines, lastKey, target});
    transaction.Commit();
    return {double(timer.nsecsElapsed()) / 1e6, moved};
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
    CManagedProcessOperation processing{nullptr}; // no frame with pending writes to flush
    CRecipeWindows recipeWindows;
    BenchDocuments documents;
    ServiceInstallations installed;
    installed.Install<PromptService>(&prompts);
    installed.Install<RecipeClipboard>(&clipboard);
    installed.Install<ProcessOperationService>(&processing);
    installed.Install<RecipeViewServices>(&recipeWindows);
    installed.Install<DocumentHost>(&documents);
    const long targetID = spec.steps.first().stepID, sourceID = spec.steps.at(1).stepID;
    auto source = std::make_unique<CQUORVANTAView>();
    auto target = std::make_unique<CQUORVANTAView>();
    source->identity().stepID = sourceID;
    target->identity().stepID = targetID;
    documents.windows = {{sourceID, source.get()}, {targetID, target.get()}};
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
    QElapsedTimer firstEdit;
    firstEdit.start();
    {
        CDaoTransaction transaction(step);
        step.Execute(QStringLiteral("UPDATE TextRecipe SET Hide = Hide WHERE RowKey = (SELECT MIN(RowKey) FROM TextRecipe)"));
        transaction.Commit();
    }
    state.counters["first_edit_ms"] = double(firstEdit.nsecsElapsed()) / 1e6;
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
    PastedAmounts pasted;
    pasted.lines = target->LineCount() - lines;
    for (int j = 0; j < pasted.lines; ++j)
        pasted.unitProcedures += target->Line(j)->GetItemType() == RECIPE_LINE_UNIT_PROCEDURE ? 1 : 0;
    state.counters["pasted_lines"] = pasted.lines;
    state.counters["source_operations"] = PASTE_SOURCE_OPERATIONS;
    for (const char* table : PASTE_TABLES)
        pasted.rows.insert(QString::fromLatin1(table),
                           RowCount(step, QString::fromLatin1(table)) - before.value(table));
    documents.windows.clear();
    source.reset();
    target.reset();
    const auto [baselineMs, moved] = PasteBaselineMs(step, targetID, pasted);
    state.counters["baseline_ms"] = baselineMs;
    state.counters["baseline_moved_rows"] = moved;
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
