// The batch run's state machine on a scripted engine: contexts, return codes, both cancel paths,
// stepping with and without the kept dialog, stop and reset, and the auto-save timer on each path.

#include "BatchSimulationFixture.h"

#include <QLabel>
#include <QPointer>

namespace {

const QString kMemoryMessage = QStringLiteral(
    "This is not enough memory to create simulation object! Close some running application, and try again.");
const QString kBatchConfirmCancel = QStringLiteral("Are you sure you want to Cancel?");

class BatchStateTest : public BatchSimulationFixture {
protected:
    BatchStateTest()
    {
        OpenDemo();
        frame.engine = &engine;
    }
    // The timer was stopped and is running again.
    void ExpectTimerRearmed() const
    {
        EXPECT_EQ(frame.timerCalls, QStringList({"stop", "arm"}));
        EXPECT_TRUE(frame.timerRunning);
    }

    ScriptedEngine engine;
    CBatchSimulation batch;
};

struct ContextCase {
    const char* name;
    int kind;
    long step;
    int caller;
    bool runs;
};

class BatchContextTest : public BatchStateTest, public ::testing::WithParamInterface<ContextCase> {};

TEST_P(BatchContextTest, OnlyABatchContextRunsForTheUser)
{
    const ContextCase& c = GetParam();
    SetContext(c.kind, c.step);
    batch.SimulateBatch(BATCH_WHOLE, -1, -1, c.caller);
    EXPECT_EQ(engine.calls.contains("batch 1001"), c.runs);
    EXPECT_EQ(frame.timerCalls.isEmpty(), !c.runs);
    EXPECT_EQ(batch.LastEngineCode(), c.runs ? 0 : CBatchSimulation::ENGINE_CODE_NONE);
}

INSTANTIATE_TEST_SUITE_P(
    Contexts, BatchContextTest,
    ::testing::Values(ContextCase{"ProcessExplorer", CONTEXT_PROCESS_EXPLORER, DEMO_COUPLING, 0, true},
                      ContextCase{"HtmlView", CONTEXT_HTML_VIEW, DEMO_COUPLING, 0, true},
                      ContextCase{"QuickResults", CONTEXT_QUICK_RESULTS, DEMO_COUPLING, 0, true},
                      ContextCase{"NoStep", CONTEXT_TEXT_RECIPE, -1, 0, false},
                      ContextCase{"FacilityExplorer", CONTEXT_FACILITY_EXPLORER, DEMO_COUPLING, 0, false},
                      ContextCase{"PlanExplorer", CONTEXT_PLAN_EXPLORER, DEMO_COUPLING, 0, false},
                      ContextCase{"Chemistry", CONTEXT_CHEMISTRY, DEMO_COUPLING, 0, false},
                      ContextCase{"AutomationIsNotChecked", CONTEXT_FACILITY_EXPLORER, DEMO_COUPLING, 3, true}),
    [](const auto& info) { return std::string(info.param.name); });

struct CodeCase {
    const char* name;
    int code;
    long stopped;
    bool dialogKept;
    bool resetAfterRun;
};

class BatchCodeTest : public BatchStateTest, public ::testing::WithParamInterface<CodeCase> {};

TEST_P(BatchCodeTest, CodesOneAndTwoGiveTheRunUpOthersKeepTheDialogHidden)
{
    const CodeCase& c = GetParam();
    engine.answers.push_back({c.code, c.stopped});
    batch.SimulateBatch(BATCH_WHOLE, -1, -1, BATCH_CALLER_USER);
    EXPECT_EQ(batch.LastEngineCode(), c.code);
    QStringList expected = {"reset 1001 ReadAndSimulate", "batch 1001"};
    if (c.resetAfterRun)
        expected << "reset 1001 ReadAndSimulate";
    EXPECT_EQ(engine.calls, expected);
    ASSERT_EQ(batch.ProgressDialog() != nullptr, c.dialogKept);
    if (c.dialogKept) {
        EXPECT_FALSE(batch.ProgressDialog()->isVisible());
        EXPECT_EQ(engine.statuses.value(0), batch.ProgressDialog());
    }
    ExpectTimerRearmed();
}

INSTANTIATE_TEST_SUITE_P(Codes, BatchCodeTest,
                         ::testing::Values(CodeCase{"Completed", SIMULATION_COMPLETED, 0, true, false},
                                           CodeCase{"Failed", SIMULATION_FAILED, 0, false, true},
                                           CodeCase{"Cancelled", SIMULATION_CANCELLED, 0, false, true},
                                           CodeCase{"Paused", SIMULATION_PAUSED, 7, true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(BatchStateTest, TheDialogShowsTheTitleAndSetupTextsDuringTheRun)
{
    QStringList seen;
    engine.duringRun = [&seen](ISimStatus* status) {
        auto* dialog = dynamic_cast<CSimDialog*>(status);
        seen << dialog->windowTitle() << dialog->TitleLabel()->text() << dialog->StatusLabel()->text();
    };
    batch.SimulateBatch(BATCH_WHOLE, -1, -1, BATCH_CALLER_USER);
    EXPECT_EQ(seen, QStringList({"Tamro Plenthover Simulate Batch", "Simulating Batch: Coupling (1.0)",
                                 "Setting up Simulation..."}));
}

TEST_F(BatchStateTest, RangesPassTheirLineIdsAndDoNotResetFirst)
{
    batch.SimulateBatch(BATCH_RANGE, 5, 9, BATCH_CALLER_USER);
    batch.SimulateBatch(BATCH_CURRENT_OPERATION, 6, 6, BATCH_CALLER_USER);
    EXPECT_EQ(engine.calls, QStringList({"range 1001 5 9", "range 1001 6 6"}));
}

TEST_F(BatchStateTest, TheNextRunDeletesTheKeptDialog)
{
    engine.answers = {{SIMULATION_PAUSED, 7}, {SIMULATION_PAUSED, 9}};
    batch.SimulateBatch(BATCH_WHOLE, -1, -1, BATCH_CALLER_USER);
    QPointer<CSimDialog> first = batch.ProgressDialog();
    batch.SimulateBatch(BATCH_WHOLE, -1, -1, BATCH_CALLER_USER);
    EXPECT_TRUE(first.isNull());
    EXPECT_NE(batch.ProgressDialog(), nullptr);
}

// A dialog whose Cancel was pressed before the engine was called.
class CancelledBatch : public CBatchSimulation {
protected:
    std::unique_ptr<CSimDialog> MakeProgressDialog() override
    {
        auto dialog = std::make_unique<CSimDialog>();
        dialog->reject();
        return dialog;
    }
};

TEST_F(BatchStateTest, ACancelConfirmedBeforeTheRunLeavesTheEngineAlone)
{
    CancelledBatch cancelled;
    prompts.expect(IDYES);
    cancelled.SimulateBatch(BATCH_RANGE, 5, 9, BATCH_CALLER_USER);
    EXPECT_EQ(prompts.texts(), QStringList{kBatchConfirmCancel});
    EXPECT_TRUE(engine.calls.isEmpty());
    EXPECT_EQ(cancelled.ProgressDialog(), nullptr);
    EXPECT_EQ(cancelled.LastEngineCode(), CBatchSimulation::ENGINE_CODE_NONE);
    ExpectTimerRearmed();
}

TEST_F(BatchStateTest, ACancelDeniedBeforeTheRunGoesOn)
{
    CancelledBatch cancelled;
    prompts.expect(IDNO);
    cancelled.SimulateBatch(BATCH_RANGE, 5, 9, BATCH_CALLER_USER);
    EXPECT_EQ(engine.calls, QStringList{"range 1001 5 9"});
}

TEST_F(BatchStateTest, ACancelConfirmedDuringTheRunEndsItAsCodeTwo)
{
    engine.duringRun = [](ISimStatus* status) {
        dynamic_cast<CSimDialog*>(status)->reject();
        EXPECT_FALSE(status->Step(0));
    };
    engine.answers.push_back({SIMULATION_CANCELLED, 0});
    prompts.expect(IDYES);
    batch.SimulateBatch(BATCH_WHOLE, -1, -1, BATCH_CALLER_USER);
    EXPECT_EQ(batch.LastEngineCode(), SIMULATION_CANCELLED);
    EXPECT_EQ(engine.calls.last(), "reset 1001 ReadAndSimulate");
    EXPECT_EQ(batch.ProgressDialog(), nullptr);
    ExpectTimerRearmed();
}

TEST_F(BatchStateTest, WithoutAnEngineTheMemoryMessageEndsTheRun)
{
    frame.engine = nullptr;
    prompts.expect(IDOK);
    batch.SimulateBatch(BATCH_WHOLE, -1, -1, BATCH_CALLER_USER);
    EXPECT_EQ(prompts.texts(), QStringList{kMemoryMessage});
    EXPECT_EQ(batch.ProgressDialog(), nullptr);
    EXPECT_EQ(batch.LastEngineCode(), CBatchSimulation::ENGINE_CODE_NONE);
    ExpectTimerRearmed();
}

TEST_F(BatchStateTest, AFailedTransitionBuildShowsNoDialogAndRearmsTheTimer)
{
    // A parallel block that never ends cannot give transitions.
    ExecuteStep("UPDATE TextRecipe SET Type = 'Start Parallel' WHERE RowKey = (SELECT MAX(RowKey) FROM TextRecipe "
                "WHERE Type = 'Operation')");
    prompts.expect(IDOK);
    batch.SimulateBatch(BATCH_WHOLE, -1, -1, BATCH_CALLER_USER);
    EXPECT_EQ(prompts.texts().size(), 1);
    EXPECT_EQ(engine.calls, QStringList{"reset 1001 ReadAndSimulate"});
    EXPECT_EQ(batch.ProgressDialog(), nullptr);
    ExpectTimerRearmed();
}

TEST_F(BatchStateTest, SteppingReshowsTheKeptDialogAndHidesItAgain)
{
    engine.answers = {{SIMULATION_PAUSED, 7}, {SIMULATION_PAUSED, 9}};
    batch.SimulateBatch(BATCH_WHOLE, -1, -1, BATCH_CALLER_USER);
    CSimDialog* kept = batch.ProgressDialog();
    QStringList seen;
    engine.duringRun = [&seen](ISimStatus* status) {
        auto* dialog = dynamic_cast<CSimDialog*>(status);
        seen << (dialog->isVisible() ? "shown" : "hidden") << dialog->StatusLabel()->text();
    };
    batch.SimulateNextOperation();
    EXPECT_EQ(engine.statuses.last(), kept);
    EXPECT_EQ(seen, QStringList({"shown", "Step through Simulation..."}));
    EXPECT_EQ(batch.ProgressDialog(), kept);
    EXPECT_FALSE(kept->isVisible());
    EXPECT_TRUE(CBatchSimulation::IsStepPaused(DEMO_COUPLING));
}

TEST_F(BatchStateTest, SteppingWithoutADialogPassesANullStatus)
{
    engine.answers = {{SIMULATION_PAUSED, 4}, {SIMULATION_COMPLETED, 0}};
    batch.SimulateNextOperation();
    batch.SimulateToNextBreakpoint();
    EXPECT_EQ(engine.calls, QStringList({"next 1001", "continue 1001"}));
    EXPECT_EQ(engine.statuses, QList<ISimStatus*>({nullptr, nullptr}));
    EXPECT_EQ(batch.ProgressDialog(), nullptr);
    EXPECT_TRUE(frame.timerCalls.isEmpty());
}

TEST_F(BatchStateTest, SteppingThatFailsResetsAndDeletesTheDialog)
{
    engine.answers = {{SIMULATION_PAUSED, 7}, {SIMULATION_FAILED, 0}};
    batch.SimulateBatch(BATCH_WHOLE, -1, -1, BATCH_CALLER_USER);
    batch.SimulateToNextBreakpoint();
    EXPECT_EQ(engine.calls.last(), "reset 1001 ReadAndSimulate");
    EXPECT_EQ(batch.ProgressDialog(), nullptr);
}

TEST_F(BatchStateTest, SteppingWithoutAnEngineDoesNothing)
{
    frame.engine = nullptr;
    batch.SimulateNextOperation();
    EXPECT_FALSE(CBatchSimulation::IsStepPaused(DEMO_COUPLING));
    EXPECT_EQ(batch.LastEngineCode(), CBatchSimulation::ENGINE_CODE_NONE);
}

TEST_F(BatchStateTest, StopAndResetClearsThePauseAndTheDialog)
{
    engine.answers = {{SIMULATION_PAUSED, 7}};
    batch.SimulateBatch(BATCH_WHOLE, -1, -1, BATCH_CALLER_USER);
    ASSERT_TRUE(CBatchSimulation::IsStepPaused(DEMO_COUPLING));
    batch.StopAndResetSimulation();
    EXPECT_EQ(engine.calls.last(), "reset 1001 ReadAndSimulate");
    EXPECT_FALSE(CBatchSimulation::IsStepPaused(DEMO_COUPLING));
    EXPECT_EQ(batch.ProgressDialog(), nullptr);
}

TEST_F(BatchStateTest, ResetSimulationPassesItsModeAndDeletesTheDialog)
{
    engine.answers = {{SIMULATION_PAUSED, 7}};
    batch.SimulateBatch(BATCH_WHOLE, -1, -1, BATCH_CALLER_USER);
    batch.ResetSimulation(DEMO_COUPLING, "SimulateOnly");
    batch.ResetSimulation(DEMO_COUPLING, QString());
    EXPECT_EQ(engine.calls.mid(2), QStringList({"reset 1001 SimulateOnly", "reset 1001 ReadAndSimulate"}));
    EXPECT_EQ(batch.ProgressDialog(), nullptr);
}

} // namespace
