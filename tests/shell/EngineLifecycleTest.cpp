#include "ScriptedPrompts.h"
#include "SeriesTransitions.h"
#include "ShellTestSupport.h"
#include "foundation/common/CommandIds.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "foundation/db/schema/ResultsDatabase.h"
#include "modules/engine/EngineEntry.h"
#include "projects/ProjectManager.h"
#include "shell/MainFrame.h"
#include "shell/QuorvantaApp.h"

#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
// The real application with its real engine module: the open project's engine entry lives from
// the hand-over to the close, and the module's utility list goes only with a close that happens.
class EngineLifecycleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetShellProfile();
        CProjectGenerator generator;
        ASSERT_TRUE(generator.Write(CProjectGenerator::DemoProject(), m_root.path() + "/Demo/"));
        app = std::make_unique<CQuorvantaApp>();
        ASSERT_TRUE(app->InitInstance({"quorvanta", m_root.path() + "/Demo/Demo.prj"}));
        frame = app->mainFrame();
        ASSERT_TRUE(frame->IsProjectOpen());
    }
    void TearDown() override
    {
        app->ExitInstance();
        app.reset();
        EXPECT_TRUE(prompts.allAnswersUsed());
    }

    // Demo's first step with series transitions and a breakpoint on its second operation line;
    // answers that line's sequence number and item id.
    std::pair<long, long> PrepareBreakpoint()
    {
        CDaoDatabase& step = *GetStepDatabase(STEP);
        WriteSeriesTransitions(step, STEP);
        QSqlQuery line = step.Query("SELECT RecipeSequenceNumber, ID FROM TextRecipe WHERE Type = 'Operation' "
                                    "ORDER BY RecipeSequenceNumber LIMIT 1 OFFSET 1");
        line.next();
        const long sequence = long(line.value(0).toLongLong());
        step.Execute("UPDATE TextRecipe SET Breakpoint = 1 WHERE RecipeSequenceNumber = ?", {qlonglong(sequence)});
        return {sequence, long(line.value(1).toLongLong())};
    }
    long Paused() { return GetEngineEntry()->getSimulationStoppedRecipeSequenceNumber(STEP); }

    static constexpr long STEP = 1001;
    QTemporaryDir m_root;
    ScriptedPromptService prompts;
    std::unique_ptr<CQuorvantaApp> app;
    CMainFrame* frame = nullptr;
};

TEST_F(EngineLifecycleTest, TheEntryLivesWhileTheProjectIsOpenAndTheUtilityListGoesWithACloseThatHappens)
{
    EngineEntry* entry = GetEngineEntry();
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(frame->HasEngine());
    EXPECT_EQ(EngineEntry::KeptWorkingCopyDir(), GetWorkingCopyDir());
    EXPECT_EQ(EngineEntry::KeptApplication(), GetAppContext());
    app->SetEngine(entry); // lent for a run
    const auto projectUtilities = EngineEntry::AvailableUtilities().GetSize(); // the Demo's own
    entry->utilityAdded(4711);

    app->setProjectModified(true);
    prompts.expect(IDCANCEL);
    frame->ExecuteCommand(ID_FILE_CLOSE);
    EXPECT_EQ(GetEngineEntry(), entry);
    EXPECT_EQ(EngineEntry::AvailableUtilities().GetSize(), projectUtilities + 1);

    prompts.expect(IDNO);
    frame->ExecuteCommand(ID_FILE_CLOSE);
    EXPECT_EQ(GetEngineEntry(), nullptr);
    EXPECT_FALSE(frame->HasEngine());
    EXPECT_EQ(app->projects().GetEngine(), nullptr);
    EXPECT_EQ(EngineEntry::AvailableUtilities().GetSize(), 0);
    frame->NotifyStepModified(1001); // without an engine these do nothing
    app->OperationModified(1001, 1, true);
    frame->ResetSimulation(1001, QString());
}
// The frame's and the application's notices reach the frame's engine entry: each change drops the
// step's paused run; a reset for a re-run keeps the stop but the run cannot go on.
TEST_F(EngineLifecycleTest, NoticesAndResetsReachTheFramesEntry)
{
    const auto [sequence, operationID] = PrepareBreakpoint();
    EngineEntry& engine = *GetEngineEntry();
    ASSERT_EQ(engine.simulateBatch(nullptr, STEP), SIMULATION_PAUSED);
    EXPECT_EQ(Paused(), sequence);
    frame->NotifyStepModified(STEP);
    EXPECT_EQ(Paused(), 0);

    ASSERT_EQ(engine.simulateBatch(nullptr, STEP), SIMULATION_PAUSED);
    app->OperationModified(STEP, operationID, true);
    EXPECT_EQ(Paused(), 0);

    ASSERT_EQ(engine.simulateBatch(nullptr, STEP), SIMULATION_PAUSED);
    frame->ResetSimulation(STEP, "SimulateOnly");
    EXPECT_EQ(Paused(), sequence);
    EXPECT_EQ(engine.continueBatch(nullptr, STEP), SIMULATION_FAILED);

    ASSERT_EQ(engine.simulateBatch(nullptr, STEP), SIMULATION_PAUSED);
    frame->ResetSimulation(STEP, QString()); // an empty mode reads the step again
    EXPECT_EQ(Paused(), 0);

    ASSERT_EQ(engine.simulateBatch(nullptr, STEP), SIMULATION_PAUSED);
    EXPECT_EQ(engine.continueBatch(nullptr, STEP), SIMULATION_COMPLETED);
    EXPECT_TRUE(QFileInfo::exists(m_root.path() + "/Demo/" + StepResultsFileName(STEP)));
    EXPECT_NE(EngineEntry().getCycleTime(STEP), 1e35); // a second entry reads the saved run
}
} // namespace
