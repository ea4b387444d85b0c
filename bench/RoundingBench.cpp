// Regenerating the recipe text of every step with rounded numbers: a generated project of 50 steps
// of 100 operations, each with four stored quantities, regenerated through the program's own
// regeneration and the managed side's stand-in, once with "RoundValues" off and once on (three
// bands). Each iteration times both, on first; each run follows one of the other mode, so every run
// rewrites every text (an unchanged text is not written again). Reported: "off_ms", "on_ms"
// (medians) and "ratio" (on / off); goal: at most 1.10, the "goal_ratio" counter.

#include "ProjectSession.h"
#include "SessionAppContext.h"
#include "SessionBenchMain.h"

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "recipe/edit/RecipeTextRegenerator.h"
#include "shell/bridge/ManagedProcessOperation.h"
#include "shell/bridge/ManagedSideStandIn.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {
constexpr int STEPS = 50;
constexpr int OPERATIONS = 100;
constexpr long FIRST_STEP = 3001;
constexpr long CHARGE_TYPE = 4;
constexpr double GOAL_RATIO = 1.10;

RecipeLineSpec roundingOperation(int index)
{
    RecipeLineSpec line;
    line.type = QStringLiteral("Operation");
    line.name = QStringLiteral("Charge %1").arg(index);
    line.operationTypeID = CHARGE_TYPE;
    const double spread = 1.0 + index / 7.0;
    line.parameters = {{OperationField::Amount, 1234.56789 * spread, QStringLiteral("kg")},
                       {OperationField::Duration, 0.0123456 * spread, QStringLiteral("min")},
                       {OperationField::Volume, 98.7654321 * spread, QStringLiteral("L")},
                       {OperationField::Temperature, -21.98765 * spread, QStringLiteral("C")}};
    return line;
}

ProjectSpec roundingProject()
{
    ProjectSpec spec;
    spec.name = QStringLiteral("Rounding");
    ProcessSpec process;
    process.processID = 1;
    process.name = QStringLiteral("Route");
    for (int s = 0; s < STEPS; ++s) {
        StepSpec step;
        step.stepID = FIRST_STEP + s;
        step.name = QStringLiteral("Step %1").arg(s + 1);
        RecipeLineSpec unit;
        unit.type = QStringLiteral("Unit Procedure");
        unit.name = QStringLiteral("Vessel");
        step.lines.append(unit);
        for (int i = 0; i < OPERATIONS; ++i)
            step.lines.append(roundingOperation(i));
        process.stepIDs << step.stepID;
        spec.steps.append(step);
    }
    spec.processes = {process};
    return spec;
}

void setRoundValues(bool on)
{
    CDaoDatabase* project = GetProjectDatabase();
    project->Execute(QStringLiteral("DELETE FROM TextRecipeOptions WHERE Options = 'RoundValues'"));
    project->Execute(QStringLiteral("INSERT INTO TextRecipeOptions (Options, Value) VALUES ('RoundValues', ?)"),
                     {on ? 1 : 0});
}

void writeThreeBands()
{
    CDaoDatabase* project = GetProjectDatabase();
    project->Execute(QStringLiteral("DELETE FROM \"PREFER-ResultRounding\""));
    project->Execute(QStringLiteral("INSERT INTO \"PREFER-ResultRounding\" (UpperLimit, Type, Precision) VALUES"
                                    " (1, 'Significant Digits', 3), (1000, 'Decimal Place', 2),"
                                    " (1e35, 'Significant Digits', 4)"));
}

QString firstOperationText()
{
    QSqlQuery query = GetStepDatabase(FIRST_STEP)->Query(
        QStringLiteral("SELECT RecipeText FROM Operation WHERE QuorvantaLabel = 'Charge 0'"));
    return query.next() ? query.value(0).toString() : QString();
}

double regenerateMs(CRecipeTextRegenerator& regenerator, bool roundValues)
{
    setRoundValues(roundValues);
    QElapsedTimer timer;
    timer.start();
    regenerator.UpdateRecipeTextOfAllSteps();
    return double(timer.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void BM_RegenerateWithRounding(benchmark::State& state)
{
    QTemporaryDir root;
    const QString folder = root.filePath("project/");
    CProjectGenerator generator;
    if (!generator.Write(roundingProject(), folder))
        return state.SkipWithError("the project could not be generated");
    CSessionAppContext app(root.filePath("app"), root.filePath("app/instance"));
    CProjectSession session(app.fileSet(), app.stepDatabases());
    if (!session.Open(folder + "Rounding.prj"))
        return state.SkipWithError("the project did not open");
    CManagedSideStandIn managed;
    CManagedProcessOperation processing{nullptr};
    CRecipeTextRegenerator regenerator;
    ServiceInstallations installed;
    installed.Install<IManagedSide>(&managed);
    installed.Install<ProcessOperationService>(&processing);
    installed.Install<RecipeTextRegeneration>(&regenerator);
    writeThreeBands();
    regenerateMs(regenerator, false); // warms the caches and the statements
    const QString plain = firstOperationText();
    std::vector<double> off, on;
    QString rounded;
    for (auto _ : state) {
        on.push_back(regenerateMs(regenerator, true));
        rounded = firstOperationText();
        off.push_back(regenerateMs(regenerator, false));
        state.SetIterationTime((off.back() + on.back()) / 1000);
    }
    if (rounded == plain || plain.isEmpty())
        return state.SkipWithError("the rounding changed no text");
    state.counters["off_ms"] = median(off);
    state.counters["on_ms"] = median(on);
    state.counters["ratio"] = median(on) / median(off);
    state.counters["goal_ratio"] = GOAL_RATIO;
    state.counters["operations"] = STEPS * OPERATIONS;
    std::fprintf(stderr, "off: %s\non:  %s\n", qPrintable(plain), qPrintable(rounded));
    session.Close();
}

BENCHMARK(BM_RegenerateWithRounding)->Iterations(9)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return RunSessionBenchmarks<QApplication>(argc, argv);
}
