// The project's Material Data report on a generated project of 200 steps whose operations name 50
// materials each (a pool of 250, so most ids arrive again from later steps): every step's materials
// extracted in its working copy, moved into the material database's id table, the workbook written
// to its default file and the table dropped. Timed from the command to the written file; goal 2 s.

#include "ProjectSession.h"
#include "SessionAppContext.h"
#include "SessionBenchMain.h"

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "foundation/db/connection/SharedDatabases.h"
#include "modules/qvxl/ReportDelivery.h"
#include "projects/StepRegistration.h"
#include "results/DataReportCommands.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
constexpr int REPORT_STEPS = 200;
constexpr int MATERIALS_PER_STEP = 50;
constexpr int MATERIAL_POOL = 250;
constexpr long POOL_FIRST_ID = 5000;
constexpr double REPORT_GOAL_MS = 2000.0;

class ProjectScope : public ReportScopeChooser {
public:
    ProjectScope() : m_previous(SetReportScopeChooser(this)) {}
    ~ProjectScope() override { SetReportScopeChooser(m_previous); }
    std::optional<long> ChooseStepOrProject() override { return -1; }

private:
    ReportScopeChooser* m_previous;
};

// Step s names pool materials s*5 ... s*5+49 (wrapping), one on each of its first 50 operations.
ProjectSpec ReportBenchSpec()
{
    ProjectSpec spec = CProjectGenerator::SyntheticProject(REPORT_STEPS, 60);
    for (int m = 0; m < MATERIAL_POOL; ++m)
        spec.materials.append({POOL_FIRST_ID + m, QStringLiteral("Pool material %1").arg(m), QStringLiteral("Liquid"),
                               80.0 + m, {}});
    for (qsizetype s = 0; s < spec.steps.size(); ++s) {
        int named = 0;
        for (RecipeLineSpec& line : spec.steps[s].lines) {
            if (line.type != QLatin1String("Operation") || named == MATERIALS_PER_STEP)
                continue;
            const long material = POOL_FIRST_ID + (s * 5 + named++) % MATERIAL_POOL;
            line.references = {{LibraryReferenceField::Material, material}};
        }
    }
    return spec;
}

struct ReportBenchProject {
    QTemporaryDir root;
    std::unique_ptr<CSessionAppContext> app;
    std::unique_ptr<CProjectSession> session;
    std::unique_ptr<CStepRegistration> registration;
    ServiceInstallations installed;

    QString Open()
    {
        const QString folder = root.filePath(QStringLiteral("project/"));
        CProjectGenerator generator;
        if (!generator.Write(ReportBenchSpec(), folder))
            return QStringLiteral("the project could not be generated: ") + generator.ErrorText();
        app = std::make_unique<CSessionAppContext>(root.filePath("app"), root.filePath("app/instance"));
        session = std::make_unique<CProjectSession>(app->fileSet(), app->stepDatabases());
        if (!session->Open(folder + "Synthetic.prj"))
            return QStringLiteral("the project did not open");
        app->fileSet().projectID = CProjectGenerator::PROJECT_ID;
        registration = std::make_unique<CStepRegistration>(app->stepDatabases());
        installed.Install<StepDatabaseRegistration>(registration.get());
        return QString();
    }
    ~ReportBenchProject()
    {
        CloseSharedMaterialsDB();
        if (session)
            session->Close();
    }
};

void BM_ProjectMaterialDataReport(benchmark::State& state)
{
    ReportBenchProject project;
    if (const QString failure = project.Open(); !failure.isEmpty())
        return state.SkipWithError(qPrintable(failure));
    const QString file = QDir(GetProjectDir()).filePath(DefaultReportFileName("Material Data", "Project"));
    ProjectScope scope;
    const ScriptedReportScope unasked;
    double totalMs = 0;
    for (auto _ : state) {
        QFile::remove(file);
        QElapsedTimer timer;
        timer.start();
        const bool written = RunMaterialDataReport();
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        if (!written || !QFileInfo::exists(file))
            return state.SkipWithError(qPrintable("no report: " + LastReportFailure()));
        state.SetIterationTime(ms / 1e3);
        totalMs += ms;
    }
    state.counters["report_ms"] = totalMs / double(state.iterations());
    state.counters["goal_ms"] = REPORT_GOAL_MS;
    state.counters["file_kb"] = double(QFileInfo(file).size()) / 1024.0;
}

BENCHMARK(BM_ProjectMaterialDataReport)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return RunSessionBenchmarks<QApplication>(argc, argv);
}
