// A plan over a generated chain of 200 steps (1 to 4 batches each): a process requirement plus
// ten step requirements calculated, the plan's rows replaced in one transaction, then the
// product-factor report and the plan sequence file written. Each phase alone, and the three in a
// row; goal: the three under 150 ms.

#include "RootedAppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "planning/PlanReportSources.h"
#include "planning/PlanRowsWriter.h"
#include "simulation/PlanRequirementCalculator.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr int STEPS = 200;
constexpr double ASKED = 100.0; // internal amount of the final product

// The chain's project open as working copies, the steps linked from START in order.
class PlanBenchProject {
public:
    PlanBenchProject() : m_app(m_root.path(), m_root.filePath("instance")) {}

    bool Open(QString* error)
    {
        ProjectSpec spec = CProjectGenerator::SyntheticProject(STEPS, 1);
        for (int s = 0; s < STEPS; ++s)
            spec.steps[s].batchSize = ASKED / (1 + s % 4);
        const QString folder = m_root.filePath("project") + "/";
        CProjectGenerator generator;
        if (!generator.Write(spec, folder)) {
            *error = generator.ErrorText();
            return false;
        }
        m_app.fileSet().projectDir = folder;
        m_app.fileSet().equipmentDBPath = folder + spec.name + ".eqm";
        m_app.fileSet().materialsDBPath = folder + spec.name + ".mtl";
        m_app.fileSet().projectDatabase = std::make_unique<CDaoDatabase>();
        m_app.fileSet().projectDatabase->Open(folder + spec.name + ".prj", DatabaseRole::ReadWrite);
        for (const StepSpec& step : spec.steps) {
            const QString path = folder + CProjectGenerator::StepFileName(step.stepID);
            auto database = std::make_unique<CDaoDatabase>();
            database->Open(path, DatabaseRole::ReadWrite);
            m_app.stepDatabases().add(step.stepID, std::move(database), path);
            m_stepIDs.push_back(step.stepID);
        }
        LinkSteps();
        return true;
    }

    const std::vector<long>& StepIDs() const { return m_stepIDs; }

private:
    void LinkSteps()
    {
        CDaoDatabase& project = *m_app.fileSet().projectDatabase;
        project.BeginTrans();
        long from = 1;
        for (long step : m_stepIDs) {
            project.Execute("INSERT INTO StepTransition (StepTransitionID, FromStepID, ToStepID, ProcessID, "
                            "TransitionType) VALUES (printf('%08X', ?), ?, ?, 1, 'Series')",
                            {qlonglong(step), qlonglong(from), qlonglong(step)});
            from = step;
        }
        project.CommitTrans();
    }

    QTemporaryDir m_root;
    RootedAppContext m_app;
    std::vector<long> m_stepIDs;
};

using Calculators = std::vector<std::unique_ptr<PlanRequirementCalculator>>;

Calculators Calculate(const std::vector<long>& stepIDs)
{
    Calculators calculators;
    calculators.push_back(std::make_unique<PlanRequirementCalculator>(1, 1, "Production Plan"));
    calculators.back()->CalculateForProcess(1, ASKED, "");
    for (int i = 0; i < 10; ++i) {
        calculators.push_back(std::make_unique<PlanRequirementCalculator>(1, 2 + i, "Production Plan"));
        calculators.back()->CalculateForStep(stepIDs[size_t(i * 20)], 3.0, "batches");
    }
    return calculators;
}

QList<PlanRequirementCalculator*> Pointers(const Calculators& calculators)
{
    QList<PlanRequirementCalculator*> list;
    for (const auto& calculator : calculators)
        list.append(calculator.get());
    return list;
}

void BM_PlanCalculate(benchmark::State& state)
{
    PlanBenchProject project;
    QString error;
    if (!project.Open(&error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    long batches = 0;
    for (auto _ : state) {
        const Calculators calculators = Calculate(project.StepIDs());
        batches = 0;
        for (const auto& calculator : calculators)
            batches += calculator->GetTotalBatches();
    }
    state.counters["batches"] = double(batches);
}

void BM_PlanWriteTail(benchmark::State& state)
{
    PlanBenchProject project;
    QString error;
    if (!project.Open(&error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        const Calculators calculators = Calculate(project.StepIDs());
        state.ResumeTiming();
        if (!WritePlanCalculationRows(1, Pointers(calculators)))
            state.SkipWithError("the rows were not written");
    }
}

void BM_PlanReportFiles(benchmark::State& state)
{
    PlanBenchProject project;
    QString error;
    if (!project.Open(&error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        const Calculators calculators = Calculate(project.StepIDs());
        const bool written = WritePlanCalculationRows(1, Pointers(calculators));
        state.ResumeTiming();
        if (!written || !WritePlanReportFilesOf(1, Pointers(calculators)))
            state.SkipWithError("the report files were not written");
    }
}

// Calculate, write tail and both files, as a plan run does them.
void BM_PlanCalculateWriteFiles(benchmark::State& state)
{
    PlanBenchProject project;
    QString error;
    if (!project.Open(&error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    for (auto _ : state) {
        const Calculators calculators = Calculate(project.StepIDs());
        const QList<PlanRequirementCalculator*> pointers = Pointers(calculators);
        if (!WritePlanCalculationRows(1, pointers, [&pointers] { return WritePlanReportFilesOf(1, pointers); }))
            state.SkipWithError("the plan was not written");
    }
}

} // namespace

BENCHMARK(BM_PlanCalculate)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_PlanWriteTail)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_PlanReportFiles)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_PlanCalculateWriteFiles)->Unit(benchmark::kMillisecond)->Iterations(10);

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
}
