// "Display end-of-simulation message": with the option on, a completed batch run ends with one
// information message of its results (cycle time, batch size in kg, remarks by severity); a paused
// run shows none and the continuation that completes it shows one; with the option off none shows.
// Whatever the option, every run ends with its outcome in the status bar.

#include "BatchSimulationFixture.h"

#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/schema/ResultsDatabase.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/db/schema/SchemaBuilder.h"
#include "simulation/RunOutcome.h"
#include "simulation/SimulationSummary.h"

namespace {

struct OutcomeRecorder : ProgressServices {
    void ShowRunOutcome(const QString& text) override { outcomes << text; }
    QStringList outcomes;
};

class SimulationSummaryTest : public BatchSimulationFixture {
protected:
    SimulationSummaryTest()
    {
        OpenDemo();
        frame.engine = &engine;
        SetSummaryOption(1);
        installed.Install<ProgressServices>(&status);
    }
    void SetSummaryOption(int on)
    {
        app.fileSet().projectDatabase->Execute(
            "UPDATE SimulationOptions SET SimulationSummaryMessage = ? WHERE OptionType = 'BATCH'", {on});
    }
    // The message as the results of the step's last run give it.
    QString Expected()
    {
        EngineEntry query;
        CResultsDatabase results;
        EXPECT_TRUE(results.Open(ResultsFilePath(folder, StepResultsFileName(DEMO_COUPLING))));
        int errors = 0;
        int warnings = 0;
        for (const ResultsRemark& remark : results.AllRemarks())
            ++(remark.type == "Error" ? errors : warnings);
        return QString::asprintf("Simulation of step Coupling (1.0) completed.\nCycle time: %.2f h\n"
                                 "Batch size: %.2f kg\nErrors: %d\nWarnings: %d",
                                 query.getCycleTime(DEMO_COUPLING) / 3600.0,
                                 query.getCurrentBatchSizeInKg(DEMO_COUPLING), errors, warnings);
    }

    // The status line of the step's last completed run.
    QString ExpectedOutcome()
    {
        const QStringList lines = Expected().split('\n');
        EngineEntry query;
        return QString("Simulate Batch: step Coupling (1.0) completed; batch size %1, cycle time %2 h:min; %3 "
                       "errors, %4 warnings.")
            .arg(lines[2].mid(12), HoursAndMinutes(query.getCycleTime(DEMO_COUPLING)), lines[3].mid(8),
                 lines[4].mid(10));
    }

    EngineEntry engine;
    CBatchSimulation batch;
    OutcomeRecorder status;
};

} // namespace

TEST_F(SimulationSummaryTest, ACompletedRunEndsWithOneInformationMessage)
{
    prompts.expect(IDOK);
    batch.SimulateBatch(BATCH_WHOLE, -1, -1, BATCH_CALLER_USER);
    ASSERT_EQ(batch.LastEngineCode(), SIMULATION_COMPLETED);
    ASSERT_EQ(prompts.texts().size(), 1);
    EXPECT_EQ(prompts.lastText(), Expected());
    EXPECT_EQ(prompts.flags().last(), unsigned(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(status.outcomes, QStringList{ExpectedOutcome()});
}

TEST_F(SimulationSummaryTest, APausedRunShowsNoneAndItsCompletionOne)
{
    const QList<std::pair<long, long>> lines = OperationLines();
    ExecuteStep("UPDATE TextRecipe SET Breakpoint = 1 WHERE RecipeSequenceNumber = ?",
                {qlonglong(lines.at(2).second)});
    batch.SimulateBatch(BATCH_WHOLE, -1, -1, BATCH_CALLER_USER);
    ASSERT_EQ(batch.LastEngineCode(), SIMULATION_PAUSED);
    EXPECT_TRUE(prompts.texts().isEmpty());
    EXPECT_EQ(status.outcomes, QStringList{"Simulate Batch: step Coupling (1.0) paused."});
    prompts.expect(IDOK);
    batch.SimulateToNextBreakpoint();
    ASSERT_EQ(batch.LastEngineCode(), SIMULATION_COMPLETED);
    ASSERT_EQ(prompts.texts().size(), 1);
    EXPECT_EQ(prompts.lastText(), Expected());
    EXPECT_EQ(status.outcomes.last(), ExpectedOutcome());
}

TEST_F(SimulationSummaryTest, OffShowsNothing)
{
    SetSummaryOption(0);
    batch.SimulateBatch(BATCH_WHOLE, -1, -1, BATCH_CALLER_USER);
    EXPECT_EQ(batch.LastEngineCode(), SIMULATION_COMPLETED);
    EXPECT_TRUE(prompts.texts().isEmpty());
    EXPECT_EQ(status.outcomes, QStringList{ExpectedOutcome()}) << "the status line whatever the option";
    app.fileSet().projectDatabase->Execute("DELETE FROM SimulationOptions WHERE OptionType = 'BATCH'");
    EXPECT_FALSE(SimulationSummaryWanted());
}

// A scaling and a design end with their own message; an item without results says so.
TEST_F(SimulationSummaryTest, ScaleUpAndDesignTexts)
{
    EXPECT_EQ(ScaleUpSummaryText(DEMO_COUPLING, 512.5, 372),
              "Recipe scaling of step Coupling (1.0) completed.\nBatch size: 512.50 kg\nKey input batch "
              "size: 372.00 kg");
    EXPECT_EQ(DesignSummaryText(DEMO_COUPLING), "Design of step Coupling (1.0) completed.");
    EXPECT_EQ(
        RunSummaryText(SummaryKind::Plan, 77),
        "Simulation of plan 77 completed.\nCycle time: not available\nBatch size: not available\nErrors: 0\n"
        "Warnings: 0");
}

// A plan's status line counts its batches (step and batch number) and spans its schedule from the
// first start to the last end, in hours and minutes; a run that did not complete says how it ended.
TEST_F(SimulationSummaryTest, PlanOutcomesCountBatchesAndTheirSpan)
{
    const QString file = ResultsFilePath(folder, PlanResultsFileName(77));
    ASSERT_TRUE(WriteResultsAtomically(file, [](CSchemaBuilder& builder) {
        return WriteScheduleRows(builder, {{1001, 1, 600, 4200, 3600, 101, 1},
                                           {1001, 2, 4200, 9000, 4800, 101, 1},
                                           {1001, 1, 4200, 7800, 3600, 101, 2},
                                           {1002, 3, 9000, 9600, 600, 102, 1}}) &&
               WriteMessageRemarks(builder, {{1002, 3, 1008, "Error", "", 1}});
    }));
    EXPECT_EQ(RunOutcomeText("Simulate Plan", SummaryKind::Plan, 77, SIMULATION_COMPLETED).toStdString(),
              "Simulate Plan: plan 77 completed; 3 batches, makespan 2:30 h:min; 1 error, 0 warnings.");
    app.fileSet().projectDatabase->Execute(
        "INSERT INTO ProductionPlanDetail (PlanID, StepID) VALUES (77, 1001), (77, 1001), (77, 1002)");
    EXPECT_EQ(PlanSequenceOutcomeText(77, true), "Plan Sequence: plan 77 completed; 3 batches of 2 steps.");
    EXPECT_EQ(RunOutcomeText("Simulate Plan", SummaryKind::Plan, 77, SIMULATION_CANCELLED),
              "Simulate Plan: plan 77 cancelled.");
    EXPECT_EQ(RunOutcomeText("Simulate Process", SummaryKind::Process, 5, SIMULATION_FAILED),
              "Simulate Process: process 5 ended without results.");
    const struct {
        double seconds;
        const char* text;
    } times[] = {{0, "0:00"}, {29, "0:00"}, {30, "0:01"}, {13800, "3:50"}, {362400, "100:40"}, {1e35, "not available"}};
    for (const auto& t : times)
        EXPECT_EQ(HoursAndMinutes(t.seconds), t.text) << t.seconds;
}

// A plan with a cleaning batch: Plan Sequence (by the plan's rows) and Simulate Plan (by the
// schedule) count the same batches and name the cleaning ones.
TEST_F(SimulationSummaryTest, PlanSequenceAndSimulatePlanCountCleaningBatchesAlike)
{
    constexpr long CLEANING = 1006; // Reactor Cleaning
    app.fileSet().projectDatabase->Execute(
        "INSERT INTO ProductionPlanDetail (PlanID, StepID) VALUES (77, 1001), "
        "(77, 1001), (77, 1001), (77, 1006)");
    const QString file = ResultsFilePath(folder, PlanResultsFileName(77));
    ASSERT_TRUE(WriteResultsAtomically(file, [](CSchemaBuilder& builder) {
        return WriteScheduleRows(builder, {{1001, 1, 0, 3600, 3600, 101, 1},
                                           {1001, 1, 0, 3600, 3600, 101, 2},
                                           {1001, 1, 3600, 7200, 3600, 101, 3},
                                           {CLEANING, 2, 7200, 9000, 1800, 101, 4}});
    }));
    EXPECT_EQ(PlanSequenceOutcomeText(77, true),
              "Plan Sequence: plan 77 completed; 4 batches, 1 of them cleaning, of 2 steps.");
    EXPECT_EQ(
        RunOutcomeText("Simulate Plan", SummaryKind::Plan, 77, SIMULATION_COMPLETED),
        "Simulate Plan: plan 77 completed; 4 batches, 1 of them cleaning, makespan 2:30 h:min; 0 errors, "
        "0 warnings.");
}
