// Inserting and renumbering 10,000 recipe rows through the database layer: in one transaction
// versus each statement committing on its own.

#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DaoRecordset.h"
#include "foundation/db/DaoTransaction.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <optional>

namespace {

constexpr int ROWS = 10000;

const DaoRecordsetDef& recipeDef()
{
    static const DaoRecordsetDef def{
        "SELECT ID, StepID, RecipeSequenceNumber, Type, Label, UPNumber, OPNumber, Indent, Hide, Breakpoint"
        " FROM TextRecipe WHERE StepID = :ParentStepID ORDER BY RecipeSequenceNumber",
        {{"TextRecipe", {"ID"}}},
        {{"ID", DaoFieldType::Long},
         {"StepID", DaoFieldType::Long},
         {"RecipeSequenceNumber", DaoFieldType::Long},
         {"Type", DaoFieldType::Text},
         {"Label", DaoFieldType::Text},
         {"UPNumber", DaoFieldType::Long},
         {"OPNumber", DaoFieldType::Long},
         {"Indent", DaoFieldType::Short},
         {"Hide", DaoFieldType::Bool},
         {"Breakpoint", DaoFieldType::Bool}}};
    return def;
}

// An empty file with the table; the layer never creates files, so QtSql makes it here.
QString createRecipeFile(const QTemporaryDir& dir)
{
    const QString path = dir.filePath("STEP_1.WC");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "bench_create");
        db.setDatabaseName(path);
        db.open();
        db.exec(
            "CREATE TABLE TextRecipe (ID INTEGER PRIMARY KEY, StepID INTEGER, RecipeSequenceNumber INTEGER,"
            " Type TEXT COLLATE NOCASE, Label TEXT, UPNumber INTEGER, OPNumber INTEGER, Indent INTEGER,"
            " Hide INTEGER, Breakpoint INTEGER)");
        db.close();
    }
    QSqlDatabase::removeDatabase("bench_create");
    return path;
}

void insertRows(CDaoRecordset& set)
{
    for (int i = 0; i < ROWS; ++i) {
        set.AddNew();
        set.SetLong("StepID", 1);
        set.SetLong("RecipeSequenceNumber", i + 1);
        set.SetText("Type", i % 10 == 0 ? "UP" : "OP");
        set.SetText("Label", QStringLiteral("Operation %1").arg(i));
        set.SetLong("UPNumber", i / 10 + 1);
        set.SetLong("OPNumber", i % 10);
        set.SetShort("Indent", short(i % 10 == 0 ? 0 : 1));
        set.SetBool("Hide", false);
        set.SetBool("Breakpoint", false);
        set.Update();
    }
}

void renumberRows(CDaoRecordset& set)
{
    long sequence = 0;
    for (set.MoveFirst(); !set.IsEOF(); set.MoveNext()) {
        set.Edit();
        set.SetLong("RecipeSequenceNumber", (++sequence) * 2);
        set.Update();
    }
}

void insertAndRenumber(benchmark::State& state, bool oneTransaction)
{
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        const QString path = createRecipeFile(dir);
        CDaoDatabase db;
        db.Open(path, DatabaseRole::WorkingCopy);
        CDaoRecordset set(recipeDef(), &db);
        set.SetParameter("ParentStepID", 1);
        set.Open();
        state.ResumeTiming();

        std::optional<CDaoTransaction> transaction;
        if (oneTransaction)
            transaction.emplace(db);
        insertRows(set);
        set.Requery();
        renumberRows(set);
        if (transaction)
            transaction->Commit();
        benchmark::DoNotOptimize(set.GetRecordCount());
    }
    state.SetItemsProcessed(state.iterations() * ROWS * 2);
}

void BM_InsertAndRenumberInOneTransaction(benchmark::State& state)
{
    insertAndRenumber(state, true);
}
void BM_InsertAndRenumberAutocommit(benchmark::State& state)
{
    insertAndRenumber(state, false);
}

BENCHMARK(BM_InsertAndRenumberInOneTransaction)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_InsertAndRenumberAutocommit)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
