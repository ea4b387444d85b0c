// The plan sequence dialog over 30 batches of one step of 200 operations (5,971 rows): opening it
// (goal 150 ms), Push Down of column 1 (goal 16 ms) and OK writing the file (goal 50 ms).

#include "RootedAppContext.h"
#include "SessionBenchMain.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "simulation/DefSimSequenceDlg.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace {
constexpr int OPERATIONS = 200;
constexpr int BATCHES = 30;
constexpr long BENCH_STEP = 2001;
constexpr long BENCH_PLAN = 1;

class SequenceBenchProject {
public:
    SequenceBenchProject() : m_app(m_root.path(), m_root.filePath("instance")) {}

    bool Open()
    {
        ProjectSpec spec;
        spec.name = QStringLiteral("Sequences");
        spec.plantName = QStringLiteral("Plant");
        StepSpec step;
        step.stepID = BENCH_STEP;
        step.name = QStringLiteral("Long Step");
        step.version = QStringLiteral("1.0");
        step.plantID = CProjectGenerator::PLANT_ID;
        RecipeLineSpec unit;
        unit.type = QStringLiteral("Unit Procedure");
        unit.name = QStringLiteral("Reactor");
        step.lines.append(unit);
        for (int i = 0; i < OPERATIONS; ++i) {
            RecipeLineSpec line;
            line.type = QStringLiteral("Operation");
            line.operationTypeID = 1 + i % 5;
            step.lines.append(line);
        }
        spec.steps = {step};
        spec.plans = {{BENCH_PLAN, QStringLiteral("Bench"), 1e35, 1,
                       {{QStringLiteral("step"), BENCH_STEP, double(BATCHES), QStringLiteral("batches")}}}};
        const QString folder = m_root.filePath("project") + "/";
        if (!CProjectGenerator().Write(spec, folder))
            return false;
        m_app.fileSet().projectDir = folder;
        m_app.fileSet().projectDatabase = std::make_unique<CDaoDatabase>();
        m_app.fileSet().projectDatabase->Open(folder + spec.name + ".prj", DatabaseRole::ReadWrite);
        const QString path = folder + CProjectGenerator::StepFileName(BENCH_STEP);
        auto database = std::make_unique<CDaoDatabase>();
        database->Open(path, DatabaseRole::ReadWrite);
        m_app.stepDatabases().add(BENCH_STEP, std::move(database), path);
        return true;
    }

private:
    QTemporaryDir m_root;
    RootedAppContext m_app;
};

std::unique_ptr<CDefSimSequenceDlg> OpenDialog()
{
    auto dialog = std::make_unique<CDefSimSequenceDlg>(BENCH_PLAN, QStringLiteral("Bench"));
    dialog->show();
    QApplication::processEvents();
    return dialog;
}

void BM_SequenceDialogOpen(benchmark::State& state)
{
    SequenceBenchProject project;
    if (!project.Open())
        return state.SkipWithError("the project could not be generated");
    int rows = 0;
    for (auto _ : state)
        rows = OpenDialog()->Layout().RowCount();
    state.counters["rows"] = rows;
    state.counters["goal_ms"] = 150;
}

void BM_SequencePushDownColumn1(benchmark::State& state)
{
    SequenceBenchProject project;
    if (!project.Open())
        return state.SkipWithError("the project could not be generated");
    std::unique_ptr<CDefSimSequenceDlg> dialog = OpenDialog();
    for (auto _ : state) {
        dialog->Grid()->clearSelection();
        dialog->Grid()->SetCurrentCell(1, 1);
        if (!dialog->OnMove(SimSequenceMove::PushDown))
            return state.SkipWithError("the push was refused");
        state.PauseTiming();
        dialog->Grid()->clearSelection();
        dialog->Grid()->SetCurrentCell(2, 1);
        dialog->OnMove(SimSequenceMove::PushUp);
        state.ResumeTiming();
    }
    state.counters["goal_ms"] = 16;
}

void BM_SequenceOk(benchmark::State& state)
{
    SequenceBenchProject project;
    if (!project.Open())
        return state.SkipWithError("the project could not be generated");
    std::unique_ptr<CDefSimSequenceDlg> dialog = OpenDialog();
    for (auto _ : state)
        dialog->accept();
    if (dialog->result() != QDialog::Accepted)
        state.SkipWithError("the file was not written");
    state.counters["goal_ms"] = 50;
}

BENCHMARK(BM_SequenceDialogOpen)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SequencePushDownColumn1)->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SequenceOk)->Iterations(10)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    return RunSessionBenchmarks<QApplication>(argc, argv);
}
