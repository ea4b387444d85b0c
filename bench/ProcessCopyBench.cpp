// Copy of a whole process of another project (20 steps of 250 recipe lines) into the open project
// through the program's own copy: each of the other project's step databases read into a fresh step
// database in the temporary folder with the library items it names held in memory, the process and
// step rows written, the library items matched, every step's working copy made and registered,
// every working copy committed.
// The timed part runs from the other project's files to the commit; what the copy calls
// afterwards (each step's recipe text regenerated, the panes and the automation model refreshed)
// is timed apart. Beside it, measured in the same run, the floor: the layer's durable copy of each
// step database the copy leaves. "ratio" is files-to-commit over the floor; goal 3.
// "floor_all_ms" is the durable copies of every file the copy writes on its way, per step: the
// other project's step file copied to the temporary folder, the fresh step database its export
// checks its rows into (beside that copy), and the working copy; "ratio_all" is files-to-commit
// over that.

#include "ProjectSession.h"
#include "SessionAppContext.h"
#include "SessionBenchMain.h"
#include "TimedAfterImport.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/ProjectGenerator.h"
#include "projects/OtherProjectCopy.h"
#include "projects/StepRegistration.h"

#include "foundation/common/PathHelpers.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
constexpr int COPIED_STEPS = 20;
constexpr int COPIED_LINES = 250;
constexpr long COPIED_PROCESS_ID = 1;
constexpr double COPY_GOAL_RATIO = 3.0;

// The open project (one short step) and the other project whose process is copied.
struct ProcessCopyBenchProject {
    QTemporaryDir root;
    std::unique_ptr<CSessionAppContext> app;
    std::unique_ptr<CProjectSession> session;
    std::unique_ptr<CStepRegistration> registration;
    ServiceInstallations installed;
    CProcessTree processes;
    CFacilityTree facilities;
    QString otherProject;
    QStringList otherSteps;

    QString Open()
    {
        if (const QString failure = WriteOther(); !failure.isEmpty())
            return failure;
        const QString folder = root.filePath(QStringLiteral("project/"));
        CProjectGenerator generator;
        if (!generator.Write(CProjectGenerator::SyntheticProject(1, 10), folder))
            return QStringLiteral("the project could not be generated: ") + generator.ErrorText();
        app = std::make_unique<CSessionAppContext>(root.filePath("app"), root.filePath("app/instance"));
        session = std::make_unique<CProjectSession>(app->fileSet(), app->stepDatabases());
        if (!session->Open(folder + "Synthetic.prj"))
            return QStringLiteral("the project did not open");
        app->fileSet().projectID = CProjectGenerator::PROJECT_ID;
        registration = std::make_unique<CStepRegistration>(app->stepDatabases());
        installed.Install<StepDatabaseRegistration>(registration.get());
        processes.RefillTree();
        facilities.InitTree();
        facilities.FillTree();
        return QString();
    }
    QString WriteOther()
    {
        const QString folder = root.filePath(QStringLiteral("other/"));
        ProjectSpec spec = CProjectGenerator::SyntheticProject(COPIED_STEPS, COPIED_LINES);
        spec.name = QStringLiteral("Other");
        CProjectGenerator generator;
        if (!generator.Write(spec, folder))
            return QStringLiteral("the other project could not be generated: ") + generator.ErrorText();
        otherProject = folder + QStringLiteral("Other.prj");
        for (const StepSpec& step : spec.steps)
            otherSteps << folder + CProjectGenerator::StepFileName(step.stepID);
        return QString();
    }
    ~ProcessCopyBenchProject()
    {
        if (session)
            session->Close();
    }
};

// Each file the copy writes for one step, as a durable copy of the step file in that file's folder.
double StepFilesFloorMs(const QString& otherStep)
{
    const QString copied = WithSlash(GetQuorvantaTempDir()) + QStringLiteral("FLOOR_EXPORT.TMP");
    const QString fresh = copied + QStringLiteral(".new");
    return DurableCopyMs(otherStep, copied) + DurableCopyMs(otherStep, fresh) +
           DurableCopyMs(otherStep, GetWorkingCopyDir() + QStringLiteral("FLOOR.WC"));
}

void BM_CopyOtherProcess(benchmark::State& state)
{
    ProcessCopyBenchProject project;
    if (const QString failure = project.Open(); !failure.isEmpty())
        return state.SkipWithError(qPrintable(failure));
    TimedAfterImport after(project.processes, project.facilities);
    const QString floorTarget = GetWorkingCopyDir() + QStringLiteral("FLOOR.WC");
    double copyMs = 0, floorMs = 0, floorAllMs = 0;
    for (auto _ : state) {
        const double afterBefore = after.AfterMs();
        QElapsedTimer timer;
        timer.start();
        const long processID = CopyOtherProcess(project.otherProject, COPIED_PROCESS_ID, -1);
        const double filesToCommit = BenchMsSince(timer) - (after.AfterMs() - afterBefore);
        if (processID == 0)
            return state.SkipWithError("the process was not copied");
        state.SetIterationTime(filesToCommit / 1e3);
        copyMs += filesToCommit;
        for (const QString& step : project.otherSteps) {
            floorMs += DurableCopyMs(step, floorTarget);
            floorAllMs += StepFilesFloorMs(step);
        }
    }
    const double runs = double(state.iterations());
    state.counters["floor_ms"] = floorMs / runs;
    state.counters["ratio"] = copyMs / floorMs;
    state.counters["floor_all_ms"] = floorAllMs / runs;
    state.counters["ratio_all"] = copyMs / floorAllMs;
    state.counters["goal_ratio"] = COPY_GOAL_RATIO;
    state.counters["regenerate_ms"] = after.regenerationMs / runs;
    state.counters["refresh_ms"] = after.refreshMs / runs;
}

BENCHMARK(BM_CopyOtherProcess)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return RunSessionBenchmarks<QApplication>(argc, argv);
}
