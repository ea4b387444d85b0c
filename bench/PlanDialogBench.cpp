// The production plan dialog on a plan of 100 campaigns over a generated process of 500 steps
// (every tenth campaign the process, the others single steps, each with a start and an interval):
// the dialog loaded, and OK writing the header, requirement and shared-equipment rows. Goal: each
// under 200 ms.

#include "RootedAppContext.h"
#include "SessionBenchMain.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "foundation/db/connection/SharedDatabases.h"
#include "planning/ProductionPlanDialog.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int STEPS = 500;
constexpr int CAMPAIGNS = 100;

class PlanDialogBenchProject {
public:
    PlanDialogBenchProject() : m_app(m_root.path(), m_root.filePath("instance")) {}
    ~PlanDialogBenchProject() { CloseSharedEquipmentDB(); }

    bool Open(QString* error)
    {
        const ProjectSpec spec = CProjectGenerator::SyntheticProject(STEPS, 1);
        const QString folder = m_root.filePath("project") + "/";
        CProjectGenerator generator;
        if (!generator.Write(spec, folder)) {
            *error = generator.ErrorText();
            return false;
        }
        ProjectFileSet& files = m_app.fileSet();
        files.projectDir = folder;
        files.equipmentDBPath = folder + spec.name + ".eqm";
        files.materialsDBPath = folder + spec.name + ".mtl";
        files.projectDatabase = std::make_unique<CDaoDatabase>();
        files.projectDatabase->Open(folder + spec.name + ".prj", DatabaseRole::ReadWrite);
        for (const StepSpec& step : spec.steps) {
            const QString path = folder + CProjectGenerator::StepFileName(step.stepID);
            auto database = std::make_unique<CDaoDatabase>();
            database->Open(path, DatabaseRole::ReadWrite);
            m_app.stepDatabases().add(step.stepID, std::move(database), path);
        }
        CDaoDatabase equipment;
        equipment.Open(files.equipmentDBPath, DatabaseRole::ReadWrite);
        equipment.Execute("UPDATE ActualEquipmentCommon SET EquipmentType = 'Batch'");
        WritePlan(*files.projectDatabase);
        return true;
    }

private:
    static void WritePlan(CDaoDatabase& project)
    {
        project.BeginTrans();
        project.Execute("INSERT INTO ProductionPlan (PlanID, PlanName, StartDateTime, OutputUOMSetID) "
                        "VALUES (1, 'Bench plan', 45000.0, 1)");
        project.Execute("INSERT INTO \"ProductionPlan-To-Project\" (PlanID, ProjectID, PlanName) "
                        "VALUES (1, 1, 'Bench plan')");
        for (int i = 0; i < CAMPAIGNS; ++i) {
            const bool process = i % 10 == 0;
            project.Execute("INSERT INTO PlanRequirements (PlanID, StepOrProcessID, StepOrProcess, Quantity, "
                            "QuantityUOM, BatchTimeInterval, EarliestStartTime, BatchTimeIntervalUOM) "
                            "VALUES (1, ?, ?, ?, 'kg', 2, ?, 'h')",
                            {qlonglong(process ? 1 : 2001 + i * 5), process ? "process" : "step", 10.0 + i,
                             45000.0 + i});
        }
        project.Execute("INSERT INTO SharedExclusiveEquipment (EquipmentID, PlanID) VALUES (101, 1)");
        project.CommitTrans();
    }

    QTemporaryDir m_root;
    RootedAppContext m_app;
};

void BM_PlanDialogOpen(benchmark::State& state)
{
    PlanDialogBenchProject project;
    QString error;
    if (!project.Open(&error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    for (auto _ : state) {
        CProductionPlanDialog dialog(1);
        if (!dialog.OnInitDialog())
            state.SkipWithError("the dialog did not load");
    }
}

void BM_PlanDialogOK(benchmark::State& state)
{
    PlanDialogBenchProject project;
    QString error;
    if (!project.Open(&error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto dialog = std::make_unique<CProductionPlanDialog>(1);
        dialog->OnInitDialog();
        state.ResumeTiming();
        dialog->OnOK();
        if (dialog->result() != QDialog::Accepted)
            state.SkipWithError("the plan was not saved");
        state.PauseTiming();
        dialog.reset();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_PlanDialogOpen)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlanDialogOK)->Iterations(5)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return RunSessionBenchmarks<QApplication>(argc, argv);
}
