// Writing a step's recipe lines: each line inserted as its own row, then the step renumbered by
// one set-based UPDATE. Three ways in one run, each reporting microseconds a row (us_per_row):
//   RawPreparedLoop   the floor: one prepared QSqlQuery bound and run per line, one transaction
//   Writer            the recordset layer (AddNew, Set..., Update), one transaction
//   WriterAutocommit  the recordset layer, each insert committing on its own
// The writers report "ratio": their time over the floor's, run in the same iterations.
// Every iteration starts from a fresh working copy of the step schema.

#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/recordsets/DaoRecordset.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/schema/SchemaBuilder.h"
#include "foundation/db/step/TextRecipeSet.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <functional>

namespace {

constexpr int ROWS = 2000;
constexpr long STEP_ID = 1;

// Lines numbered with gaps, as they are after edits; the renumbering closes them.
const char* const RENUMBER_SQL =
    "WITH ordered AS (SELECT RowKey, row_number() OVER (ORDER BY RecipeSequenceNumber, RowKey) AS n"
    " FROM TextRecipe WHERE StepID = ?)"
    " UPDATE TextRecipe SET RecipeSequenceNumber = ordered.n FROM ordered"
    " WHERE TextRecipe.RowKey = ordered.RowKey AND TextRecipe.RecipeSequenceNumber <> ordered.n";

const char* const RAW_INSERT_SQL =
    "INSERT INTO TextRecipe (ID, StepID, RecipeSequenceNumber, Type, Label, UPNumber, OPNumber, Indent,"
    " Hide, Breakpoint) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";

struct Line {
    long id, sequence, upNumber, opNumber;
    short indent;
    QString type, label;
};

Line lineAt(int i)
{
    const bool unitProcedure = i % 10 == 0;
    return {i + 1,
            2L * (ROWS - i),
            i / 10 + 1,
            i % 10,
            short(unitProcedure ? 0 : 1),
            unitProcedure ? QStringLiteral("Unit Procedure") : QStringLiteral("Operation"),
            QStringLiteral("Operation %1").arg(i)};
}

const QString& templatePath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString file = dir.filePath("STEP.STP");
        QString error;
        if (!CSchemaBuilder::Build(DatabaseKind::Step, file, &error))
            qFatal("The step template could not be built: %s", qPrintable(error));
        return file;
    }();
    return path;
}

void insertThroughWriter(CDaoRecordset& set)
{
    for (int i = 0; i < ROWS; ++i) {
        const Line line = lineAt(i);
        set.AddNew();
        set.SetLong("ID", line.id);
        set.SetLong("StepID", STEP_ID);
        set.SetLong("RecipeSequenceNumber", line.sequence);
        set.SetText("Type", line.type);
        set.SetText("Label", line.label);
        set.SetLong("UPNumber", line.upNumber);
        set.SetLong("OPNumber", line.opNumber);
        set.SetShort("Indent", line.indent);
        set.SetBool("Hide", false);
        set.SetBool("Breakpoint", false);
        set.Update();
    }
}

void insertRaw(CDaoDatabase& db)
{
    QSqlQuery query(db.Connection().database());
    query.setForwardOnly(true);
    if (!query.prepare(RAW_INSERT_SQL))
        qFatal("%s", qPrintable(query.lastError().text()));
    for (int i = 0; i < ROWS; ++i) {
        const Line line = lineAt(i);
        const QVariantList values{qlonglong(line.id),
                                  qlonglong(STEP_ID),
                                  qlonglong(line.sequence),
                                  line.type,
                                  line.label,
                                  qlonglong(line.upNumber),
                                  qlonglong(line.opNumber),
                                  int(line.indent),
                                  0,
                                  0};
        for (int v = 0; v < values.size(); ++v)
            query.bindValue(v, values.at(v));
        if (!query.exec())
            qFatal("%s", qPrintable(query.lastError().text()));
    }
}

void renumber(CDaoDatabase& db)
{
    db.Execute(RENUMBER_SQL, {qlonglong(STEP_ID)});
    if (db.GetRecordsAffected() != ROWS)
        qFatal("The renumbering changed %ld rows, not %d.", db.GetRecordsAffected(), ROWS);
}

enum class Way { RawPreparedLoop, Writer, WriterAutocommit };

void writeLines(CDaoDatabase& db, CDaoRecordset& set, Way way)
{
    if (way == Way::WriterAutocommit) {
        insertThroughWriter(set);
        renumber(db);
        return;
    }
    CDaoTransaction transaction(db);
    if (way == Way::RawPreparedLoop)
        insertRaw(db);
    else
        insertThroughWriter(set);
    renumber(db);
    transaction.Commit();
}

// Seconds one way takes to write the lines into a fresh working copy.
double TimedWrite(Way way)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("STEP_1.WC");
    QFile::copy(templatePath(), path);
    CDaoDatabase db;
    db.Open(path, DatabaseRole::WorkingCopy);
    CDaoRecordset set(CTextRecipeSet::Definition(), &db);
    set.SetParameter("ParentStepID", qlonglong(STEP_ID));
    set.SetParameter("ItemID", 0);
    set.SetParameter("ItemType", "all");
    set.Open();
    QElapsedTimer timer;
    timer.start();
    writeLines(db, set, way);
    return double(timer.nsecsElapsed()) / 1e9;
}

// The writers' iterations each run the floor beside them, so "ratio" compares the same moments.
void BM_WriteRecipeLines(benchmark::State& state, Way way)
{
    double elapsed = 0, floor = 0;
    for (auto _ : state) {
        const double seconds = TimedWrite(way);
        state.SetIterationTime(seconds);
        elapsed += seconds;
        if (way != Way::RawPreparedLoop)
            floor += TimedWrite(Way::RawPreparedLoop);
    }
    state.counters["us_per_row"] = elapsed * 1e6 / double(state.iterations() * ROWS);
    if (floor > 0)
        state.counters["ratio"] = elapsed / floor;
}

BENCHMARK_CAPTURE(BM_WriteRecipeLines, RawPreparedLoop, Way::RawPreparedLoop)
    ->Iterations(10)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WriteRecipeLines, Writer, Way::Writer)
    ->Iterations(10)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WriteRecipeLines, WriterAutocommit, Way::WriterAutocommit)
    ->Iterations(10)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
