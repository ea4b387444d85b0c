// Import Step of a generated step of 5,000 recipe lines, exported to an exchange file first, into
// the open project through the program's own import (the file copied in, checked, its rows written,
// its working copy made and registered, the step placed, every working copy committed). The timed
// part runs from the file to the commit; what the import calls afterwards is timed apart: the
// step's recipe text regenerated, and the refreshes (Process Explorer, Facility Explorer,
// automation model) on the real panes. Beside it, measured in the same run, the floor: the
// layer's durable copy of the step database the import leaves (a working copy written through a
// temporary file, flushed with its folder). "ratio" is file-to-commit over the floor; goal 3.
// "floor_all_ms" is the durable copies of every file the import writes on its way: the exchange
// file copied into the project folder, the fresh step database its rows are checked into (beside
// that copy) and the working copy; "ratio_all" is file-to-commit over that.

#include "ProjectSession.h"
#include "SessionAppContext.h"
#include "SessionBenchMain.h"
#include "TimedAfterImport.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "library/FacilityTree.h"
#include "projects/ExportStepDialog.h"
#include "projects/ImportStepDialog.h"
#include "projects/StepRegistration.h"
#include "recipe/explorer/ProcessTree.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

namespace {
constexpr int EXCHANGE_LINES = 5000;
constexpr long EXCHANGE_STEP_ID = 2001;
constexpr long EXCHANGE_PROCESS_ID = 1;
constexpr double EXCHANGE_GOAL_RATIO = 3.0;

// The generated project of one long step, open with its panes filled, its step exported.
struct ExchangeBenchProject {
    QTemporaryDir root;
    std::unique_ptr<CSessionAppContext> app;
    std::unique_ptr<CProjectSession> session;
    std::unique_ptr<CStepRegistration> registration;
    ServiceInstallations installed;
    CProcessTree processes;
    CFacilityTree facilities;
    QString exchangeFile;

    QString Open()
    {
        const QString folder = root.filePath(QStringLiteral("project/"));
        CProjectGenerator generator;
        if (!generator.Write(CProjectGenerator::SyntheticProject(1, EXCHANGE_LINES), folder))
            return QStringLiteral("the project could not be generated: ") + generator.ErrorText();
        app = std::make_unique<CSessionAppContext>(root.filePath("app"), root.filePath("app/instance"));
        session = std::make_unique<CProjectSession>(app->fileSet(), app->stepDatabases());
        if (!session->Open(folder + "Synthetic.prj"))
            return QStringLiteral("the project did not open");
        registration = std::make_unique<CStepRegistration>(app->stepDatabases());
        installed.Install<StepDatabaseRegistration>(registration.get());
        processes.RefillTree();
        facilities.InitTree();
        facilities.FillTree();
        return Export();
    }
    QString Export()
    {
        CExportStepDialog dialog(EXCHANGE_STEP_ID);
        dialog.m_path = root.filePath(QStringLiteral("long.exs"));
        dialog.ExportStep();
        exchangeFile = dialog.m_path;
        return QFileInfo::exists(exchangeFile) ? QString() : QStringLiteral("the step was not exported");
    }
    // Each file the import writes, as a durable copy of the exchange file in that file's folder.
    double AllFilesFloorMs() const
    {
        const QString copied = GetProjectDir() + QStringLiteral("FLOOR_IMPORT.TMP");
        return DurableCopyMs(exchangeFile, copied) +
               DurableCopyMs(exchangeFile, copied + QStringLiteral(".new")) +
               DurableCopyMs(exchangeFile, GetWorkingCopyDir() + QStringLiteral("FLOOR.WC"));
    }
    ~ExchangeBenchProject()
    {
        if (session)
            session->Close();
    }
};

void BM_ImportLongStep(benchmark::State& state)
{
    ExchangeBenchProject project;
    if (const QString failure = project.Open(); !failure.isEmpty())
        return state.SkipWithError(qPrintable(failure));
    TimedAfterImport after(project.processes, project.facilities);
    const QString floorTarget = GetWorkingCopyDir() + QStringLiteral("FLOOR.WC");
    double importMs = 0, floorMs = 0, floorAllMs = 0;
    for (auto _ : state) {
        const double afterBefore = after.AfterMs();
        QElapsedTimer timer;
        timer.start();
        CImportStepDialog dialog(EXCHANGE_PROCESS_ID);
        dialog.m_path = project.exchangeFile;
        dialog.ImportStep(2, -1);
        const double fileToCommit = BenchMsSince(timer) - (after.AfterMs() - afterBefore);
        if (dialog.m_newStepID.isEmpty())
            return state.SkipWithError("the step was not imported");
        state.SetIterationTime(fileToCommit / 1e3);
        importMs += fileToCommit;
        floorMs += DurableCopyMs(project.exchangeFile, floorTarget);
        floorAllMs += project.AllFilesFloorMs();
    }
    const double runs = double(state.iterations());
    state.counters["floor_ms"] = floorMs / runs;
    state.counters["ratio"] = importMs / floorMs;
    state.counters["floor_all_ms"] = floorAllMs / runs;
    state.counters["ratio_all"] = importMs / floorAllMs;
    state.counters["goal_ratio"] = EXCHANGE_GOAL_RATIO;
    state.counters["regenerate_ms"] = after.regenerationMs / runs;
    state.counters["refresh_ms"] = after.refreshMs / runs;
    state.counters["exs_kb"] = double(QFileInfo(project.exchangeFile).size()) / 1024;
}

BENCHMARK(BM_ImportLongStep)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return RunSessionBenchmarks<QApplication>(argc, argv);
}
