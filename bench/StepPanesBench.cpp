// The fills of the two step panes for a generated step of 5,000 recipe lines with 20 parallel
// blocks and 1,000 scheduling constraints: each table read once, one operating-instructions call
// per statement row. Goals: 40 ms for the constraints, 80 ms for the statements ("goal_ms").

#include "ProjectSession.h"
#include "SessionAppContext.h"
#include "SessionBenchMain.h"

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "modules/qvsop/QVSOPEntry.h"
#include "recipe/panes/ConditionalLogicView.h"
#include "recipe/panes/StandardStatementView.h"

#include <QApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
constexpr long STEP_ID = 1001;
constexpr int UNIT_PROCEDURES = 100;
constexpr int BLOCKS = 20;
constexpr int CONSTRAINTS = 1000;

RecipeLineSpec BenchLine(const char* type, long operationTypeID = -1, const QString& text = {})
{
    RecipeLineSpec line;
    line.type = QString::fromLatin1(type);
    line.operationTypeID = operationTypeID;
    line.name = line.type == QLatin1String("Unit Procedure") ? QStringLiteral("Vessel train") : QString();
    line.recipeText = text;
    return line;
}

// 100 unit procedures of 49 lines; every fifth holds a parallel block of two series.
ProjectSpec PanesBenchProject()
{
    StepSpec step;
    step.stepID = STEP_ID;
    step.name = QStringLiteral("Large");
    step.version = QStringLiteral("1.0");
    step.plantID = CProjectGenerator::PLANT_ID;
    const long types[] = {4, 26, 1, 25, 7};
    for (int up = 0; up < UNIT_PROCEDURES; ++up) {
        step.lines << BenchLine("Unit Procedure");
        const bool block = up % (UNIT_PROCEDURES / BLOCKS) == 0;
        for (int op = 0; op < 48; ++op) {
            if (block && op == 10)
                step.lines << BenchLine("Start Parallel") << BenchLine("Series");
            if (block && op == 14)
                step.lines << BenchLine("Series");
            if (block && op == 18)
                step.lines << BenchLine("End Parallel");
            step.lines << BenchLine(
                "Operation", types[op % 5],
                QStringLiteral("Charge %1 kg of solid to the vessel. Stir well.").arg(op));
        }
    }
    ProjectSpec spec;
    spec.name = QStringLiteral("Panes");
    spec.plantName = QStringLiteral("Plant");
    spec.steps << step;
    spec.processes = {ProcessSpec{1, QStringLiteral("Large"), QStringLiteral("1"), {}, -1, -1, {STEP_ID}}};
    return spec;
}

// Start-After constraints on every fifth operation (one to three rows each) and the blocks'
// Parallel-To delays, in one transaction.
void AddBenchConstraints(CDaoDatabase& step)
{
    QList<long> operations;
    QSqlQuery rows =
        step.Query("SELECT ID FROM TextRecipe WHERE Type = 'Operation' ORDER BY RecipeSequenceNumber");
    while (rows.next())
        operations << long(rows.value(0).toLongLong());
    step.BeginTrans();
    for (int i = 0, added = 0; added < CONSTRAINTS && i < operations.size(); i += 5) {
        for (int k = 1; k <= 1 + i % 3 && added < CONSTRAINTS; ++k, ++added)
            step.Execute(
                "INSERT INTO OperationConditionalLogicParameter (CurrentOperationID, ConditionalLogic, "
                "OperationParameterID, Delay, DelayUOM) VALUES (?, 'Starts-After', ?, ?, 'min')",
                {qlonglong(operations.at(i)), qlonglong(operations.at(std::max(0, i - k))), k - 1});
    }
    step.Execute(
        "INSERT INTO UnitProcedureConditionalLogicParameter (CurrentUnitProcedureID, ConditionalLogic, "
        "UnitProcedureParameterID, Delay, DelayUOM) SELECT ID, 'Starts-After', ID - 49, 5, 'min' "
        "FROM TextRecipe WHERE Type = 'Unit Procedure' AND UPNumber > 1");
    step.CommitTrans();
}

template <typename Pane> void FillPane(benchmark::State& state, double goalMs)
{
    QTemporaryDir root;
    const QString folder = root.filePath("project/");
    CProjectGenerator generator;
    if (!generator.Write(PanesBenchProject(), folder))
        return state.SkipWithError(qPrintable(generator.ErrorText()));
    CSessionAppContext app(root.filePath("app"), root.filePath("app/instance"));
    CProjectSession session(app.fileSet(), app.stepDatabases());
    if (!session.Open(folder + "Panes.prj"))
        return state.SkipWithError("the project did not open");
    AddBenchConstraints(*GetStepDatabase(STEP_ID));
    QVSOPEntry statements;
    ServiceInstallations installed;
    installed.Install<QVSOPEntry>(&statements);
    {
        Pane pane;
        pane.resize(800, 400);
        pane.show();
        pane.SetStep(STEP_ID);
        for (auto _ : state)
            pane.Refresh();
        state.counters["rows"] = pane.list().GetItemCount();
        state.counters["goal_ms"] = goalMs;
    }
    session.Close();
}

void BM_FillSchedulingConstraints(benchmark::State& state)
{
    FillPane<CConditionalLogicView>(state, 40);
}

void BM_FillStandardStatements(benchmark::State& state)
{
    FillPane<CStandardStatementView>(state, 80);
}

BENCHMARK(BM_FillSchedulingConstraints)->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillStandardStatements)->Iterations(10)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return RunSessionBenchmarks<QApplication>(argc, argv);
}
