// The schedule window of a generated step of 2,000 scheduled operations (a results file written
// for it, a third of them beside another): the results and the recipe's names read, the chart laid
// out, the table filled and the window drawn once at 1200 x 700. Goal: 100 ms per open; the
// "goal_ms" counter states it. "draw_ms" is a paint of the whole chart (every row and bar, squeezed) into
// an image, "layout_ms" the rows and lanes made from the operations.

#include "ProjectSession.h"
#include "SessionAppContext.h"
#include "SessionBenchMain.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "foundation/db/schema/ResultsDatabase.h"
#include "results/SchedulePainter.h"
#include "results/ScheduleWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
constexpr int OPERATIONS = 2000;
constexpr double GOAL_MS = 100;
constexpr long STEP = 2001;

double ElapsedMs(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// Ten minutes each, one after another, every third one beside the one before.
QList<ResultsScheduleRow> ScheduleOf(const QList<long>& operations)
{
    QList<ResultsScheduleRow> rows;
    double start = 0;
    for (int i = 0; i < operations.size(); ++i) {
        if (i % 3 != 2)
            start += 600;
        rows << ResultsScheduleRow{STEP, operations.at(i), start, start + 600, 600, 101, 0};
    }
    return rows;
}

QList<long> StepOperations()
{
    QList<long> operations;
    QSqlQuery rows = GetStepDatabase(STEP)->Query("SELECT OperationID FROM Operation ORDER BY OperationID");
    while (rows.next() && operations.size() < OPERATIONS)
        operations << long(rows.value(0).toLongLong());
    return operations;
}

void BM_OpenScheduleWindow(benchmark::State& state)
{
    QTemporaryDir root;
    const QString folder = root.filePath("project/");
    if (!CProjectGenerator().Write(CProjectGenerator::SyntheticProject(1, OPERATIONS * 3 / 2), folder))
        return state.SkipWithError("the project could not be generated");
    CSessionAppContext app(root.filePath("app"), root.filePath("app/instance"));
    CProjectSession session(app.fileSet(), app.stepDatabases());
    if (!session.Open(folder + "Synthetic.prj"))
        return state.SkipWithError("the project did not open");
    const QList<long> operations = StepOperations();
    if (operations.size() < OPERATIONS)
        return state.SkipWithError("the step has too few operations");
    const QList<ResultsScheduleRow> rows = ScheduleOf(operations);
    if (!WriteResultsAtomically(
            ResultsFilePath(GetProjectDir(), StepResultsFileName(STEP)),
            [&rows](CSchemaBuilder& builder) { return WriteScheduleRows(builder, rows); }))
        return state.SkipWithError("the results could not be written");
    int entries = 0;
    for (auto _ : state) {
        CScheduleWindow window(ScheduleKind::Step, STEP, "Step 1 (1.0)");
        window.Initialize(GetProjectDir(), window.ResultsFileName(), GetInstallDir());
        window.resize(1200, 700);
        window.show();
        window.grab();
        entries = window.EntryCount();
    }
    if (entries != OPERATIONS)
        state.SkipWithError("the window does not show every operation");

    QList<ScheduleEntry> read = ReadScheduleEntries(GetProjectDir(), StepResultsFileName(STEP));
    QElapsedTimer timer;
    timer.start();
    const ScheduleChart chart = LayOutSchedule(ScheduleKind::Step, read);
    state.counters["layout_ms"] = ElapsedMs(timer);
    // Every row and bar, the span fitted to 1600 pixels and the rows squeezed into 2000.
    ScheduleScale scale;
    scale.pixelsPerHour = (1600 - scale.labelWidth - 40) / (chart.span / 3600.0);
    const CSchedulePainter painter(chart, scale);
    const QSize full = painter.FullSize();
    QImage image(1600, 2000, QImage::Format_RGB32);
    image.fill(Qt::white);
    ScheduleSlice whole;
    whole.lastRow = int(chart.rows.size());
    whole.to = chart.span;
    timer.restart();
    QPainter onImage(&image);
    onImage.scale(1.0, std::min(1.0, 2000.0 / full.height()));
    painter.Paint(onImage, whole);
    onImage.end();
    state.counters["draw_ms"] = ElapsedMs(timer);
    state.counters["operations"] = entries;
    state.counters["goal_ms"] = GOAL_MS;
    session.Close();
}

BENCHMARK(BM_OpenScheduleWindow)->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return RunSessionBenchmarks<QApplication>(argc, argv);
}
