// "Simulate Batches and Process" and "Simulate Process" from the real main frame on Demo with the
// engine stand-in: each step's results and the process's are written, and with the BATCH option
// ResultsDatabase off the process run writes none. With QV_SHOTS_DIR set, the batch and process
// progress dialogs and the frame as pl3-<stage>.png there.

#include "ScriptedPrompts.h"
#include "ShellTestSupport.h"
#include "foundation/common/CommandIds.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "foundation/db/schema/ResultsDatabase.h"
#include "modules/engine/EngineEntry.h"
#include "shell/MainFrame.h"
#include "shell/QuorvantaApp.h"
#include "simulation/ProcessPlanSimulation.h"
#include "simulation/SimDialog.h"

#include <QApplication>
#include <QScreen>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void RunShot(QWidget* widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("QV_SHOTS_DIR");
    if (widget && !folder.isEmpty() && QDir().mkpath(folder))
        widget->grab().save(QDir(folder).filePath("pl3-" + name + ".png"));
}

// The whole screen: the disabled frame with the progress dialog over it.
void ScreenShot(const QString& name)
{
    const QString folder = qEnvironmentVariable("QV_SHOTS_DIR");
    if (!folder.isEmpty() && QDir().mkpath(folder) && QGuiApplication::primaryScreen())
        QGuiApplication::primaryScreen()->grabWindow(0).save(QDir(folder).filePath("pl3-" + name + ".png"));
}

// The engine stand-in, its progress dialog pictured once a run has gone through.
class PicturedEngine : public EngineEntry {
public:
    int simulateBatch(ISimStatus* status, long stepID) override
    {
        const int code = EngineEntry::simulateBatch(status, stepID);
        if (stepID == 1002) {
            RunShot(dynamic_cast<CSimDialog*>(status), "batch-dialog");
            ScreenShot("screen-during-batch");
        }
        return code;
    }
    int simulateProcess(ISimStatus* status, long processID, EngineEntry* batchEngine) override
    {
        const int code = EngineEntry::simulateProcess(status, processID, batchEngine);
        RunShot(dynamic_cast<CSimDialog*>(status), "process-dialog");
        ScreenShot("screen-during-process");
        return code;
    }
};

struct PicturedEngines : EngineHost, EngineFactory {
    bool CreateProjectEngine() override
    {
        engine = std::make_unique<PicturedEngine>();
        engine->PassZRQ(GetWorkingCopyDir());
        engine->PassTamro(GetAppContext());
        return true;
    }
    void DeleteProjectEngine() override { engine.reset(); }
    EngineEntry* GetEngineEntry() const override { return engine.get(); }
    EngineEntry* CreateEngineEntry() override { return new PicturedEngine; }
    std::unique_ptr<PicturedEngine> engine;
};

class ProcessRunDemoShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetShellProfile();
        ASSERT_TRUE(CProjectGenerator().Write(CProjectGenerator::DemoProject(), m_root.path() + "/Demo/"));
        m_installed.Install<EngineHost>(&engines);
        m_installed.Install<EngineFactory>(&engines);
        app = std::make_unique<CQuorvantaApp>();
        ASSERT_TRUE(app->InitInstance({"quorvanta", m_root.path() + "/Demo/Demo.prj"}));
        frame = app->mainFrame();
        frame->resize(1100, 720);
        frame->show();
        QApplication::setActiveWindow(frame);
        ContextRecord& context = frame->context();
        context.kind = CONTEXT_PROCESS_EXPLORER;
        context.processID = 1;
        context.processName = "Amidol (Free Base)";
        context.processNodeSelected = true;
    }
    void TearDown() override
    {
        app->ExitInstance();
        app.reset();
        EXPECT_TRUE(prompts.allAnswersUsed());
        EXPECT_TRUE(prompts.texts().isEmpty()) << prompts.texts().join('\n').toStdString();
    }
    static bool Written(const QString& fileName)
    {
        return QFile::exists(ResultsFilePath(GetProjectDir(), fileName));
    }

    QTemporaryDir m_root;
    PicturedEngines engines;
    ServiceInstallations m_installed;
    ScriptedPromptService prompts;
    std::unique_ptr<CQuorvantaApp> app;
    CMainFrame* frame = nullptr;
};

} // namespace

TEST_F(ProcessRunDemoShellTest, BatchesAndProcessWriteEachStepsResultsAndTheProcesss)
{
    frame->ExecuteCommand(ID_SIMULATE_BATCHES_AND_PROCESS);
    EXPECT_EQ(frame->processPlanSimulation().LastOutcome(), SIMULATION_COMPLETED);
    for (long step : {1001, 1002, 1003})
        EXPECT_TRUE(Written(StepResultsFileName(step))) << step;
    EXPECT_TRUE(Written(ProcessResultsFileName(1)));
    CResultsDatabase results;
    ASSERT_TRUE(results.Open(ResultsFilePath(GetProjectDir(), ProcessResultsFileName(1))));
    for (long step : {1001, 1002, 1003})
        EXPECT_FALSE(results.Schedule(step).isEmpty()) << step;
    EXPECT_TRUE(frame->isEnabled());
    RunShot(frame, "frame-after-run");
}

TEST_F(ProcessRunDemoShellTest, WithoutResultsDatabaseTheProcessRunWritesNone)
{
    GetProjectDatabase()->Execute("UPDATE SimulationOptions SET ResultsDatabase = 0 WHERE OptionType = 'BATCH'");
    frame->ExecuteCommand(ID_SIMULATE_PROCESS);
    EXPECT_EQ(frame->processPlanSimulation().LastOutcome(), SIMULATION_COMPLETED);
    EXPECT_FALSE(Written(ProcessResultsFileName(1)));
    for (long step : {1001, 1002, 1003})
        EXPECT_FALSE(Written(StepResultsFileName(step))) << step;
}
