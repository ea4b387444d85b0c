// Copy of a whole process of another project (20 steps of 250 recipe lines) into the open project
// through the program's own copy: each of the other project's step databases read into a fresh step
// database in the temporary folder with the library items it names held in memory, the process and
// step rows written, the library items matched, every step's working copy made and registered,
// every working copy committed.
// The timed part runs from the other project's files to the commit; what the copy calls
// afterwards (each step's recipe text regenerated, the panes and the automation model refreshed)
// is timed apart. Beside it, measured in the same run, the floor: the layer's durable copy of each
// step database the copy leaves. "ratio" is files-to-commit over the floor; goal 3.
// "floor_all_ms" is every file the copy writes on its way, per step, written as a byte copy the
// way the copy writes it: the fresh step database its export checks the rows into, a scratch file
// in the temporary folder (not flushed), and the working copy (durable). The other project's step
// files are read where they are (they are in rollback form and no journal lies beside them), so
// no copy of them is counted. "ratio_all" is files-to-commit over that.
// "floor_rows_ms" is the barest copy of the rows themselves, per step: the empty step template
// copied, the other project's step file attached and each table its rows by one DELETE and one
// INSERT ... SELECT in one transaction, nothing checked, then that file made a working copy
// (durable). "ratio_rows" is files-to-commit over that.

#include "ProjectSession.h"
#include "SessionAppContext.h"
#include "SessionBenchMain.h"
#include "TimedAfterImport.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "modules/steputils/EmptyStepTemplate.h"
#include "projects/OtherProjectCopy.h"
#include "projects/StepRegistration.h"

#include "foundation/common/PathHelpers.h"

#include <QApplication>
#include <QFileInfo>
#include <QSqlQuery>
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

// Each file the copy writes for one step, as a copy of the step file in that file's folder.
double StepFilesFloorMs(const QString& otherStep)
{
    return ScratchCopyMs(otherStep, WithSlash(GetQuorvantaTempDir()) + QStringLiteral("FLOOR_EXPORT.TMP")) +
           DurableCopyMs(otherStep, GetWorkingCopyDir() + QStringLiteral("FLOOR.WC"));
}

// The rows of a step file into a fresh file of the step schema by set-based SQL; false on failure.
bool CopyRowsBare(const QString& otherStep, const QString& fresh)
{
    QString error;
    const QString empty = EmptyStepTemplate(&error, false);
    if (empty.isEmpty() || !CopyScratchDatabaseFile(empty, fresh, &error))
        return false;
    CDaoDatabase database;
    database.Open(fresh, DatabaseRole::ReadWrite);
    database.Execute(QStringLiteral("PRAGMA synchronous = OFF"));
    database.Execute(QStringLiteral("ATTACH DATABASE ? AS other"), {otherStep});
    QSqlQuery tables(database.Connection().database());
    tables.exec(QStringLiteral("SELECT name FROM other.sqlite_master WHERE type = 'table' AND name IN (SELECT name "
                               "FROM main.sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%')"));
    QStringList names;
    while (tables.next())
        names << tables.value(0).toString();
    tables.finish();
    database.BeginTrans();
    for (const QString& name : std::as_const(names)) { // the template's seed rows give way
        database.Execute(QStringLiteral("DELETE FROM main.\"%1\"").arg(name));
        database.Execute(QStringLiteral("INSERT INTO main.\"%1\" SELECT * FROM other.\"%1\"").arg(name));
    }
    database.CommitTrans();
    database.Execute(QStringLiteral("DETACH DATABASE other"));
    database.Close();
    return !names.isEmpty();
}

double BareRowCopyMs(const QString& otherStep)
{
    const QString fresh = WithSlash(GetQuorvantaTempDir()) + QStringLiteral("FLOOR_ROWS.TMP");
    QElapsedTimer timer;
    timer.start();
    const bool copied = CopyRowsBare(otherStep, fresh);
    const double rowsMs = BenchMsSince(timer);
    const QString workingCopy = GetWorkingCopyDir() + QStringLiteral("FLOOR.WC");
    const double workingCopyMs = copied ? DurableCopyMs(fresh, workingCopy) : -1;
    DeleteDatabaseFile(fresh);
    return copied && workingCopyMs >= 0 ? rowsMs + workingCopyMs : -1;
}

void BM_CopyOtherProcess(benchmark::State& state)
{
    ProcessCopyBenchProject project;
    if (const QString failure = project.Open(); !failure.isEmpty())
        return state.SkipWithError(qPrintable(failure));
    TimedAfterImport after(project.processes, project.facilities);
    const QString floorTarget = GetWorkingCopyDir() + QStringLiteral("FLOOR.WC");
    double copyMs = 0, floorMs = 0, floorAllMs = 0, floorRowsMs = 0;
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
            const double rowsMs = BareRowCopyMs(step);
            if (rowsMs < 0)
                return state.SkipWithError("the bare row copy failed");
            floorRowsMs += rowsMs;
        }
    }
    const double runs = double(state.iterations());
    state.counters["floor_ms"] = floorMs / runs;
    state.counters["ratio"] = copyMs / floorMs;
    state.counters["floor_all_ms"] = floorAllMs / runs;
    state.counters["ratio_all"] = copyMs / floorAllMs;
    state.counters["floor_rows_ms"] = floorRowsMs / runs;
    state.counters["ratio_rows"] = copyMs / floorRowsMs;
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
