// "Display end-of-simulation message": with the option on, a completed batch run ends with one
// information message of its results (cycle time, batch size in kg, remarks by severity); a paused
// run shows none and the continuation that completes it shows one; with the option off none shows.

#include "BatchSimulationFixture.h"

#include "foundation/db/DaoDatabase.h"
#include "foundation/db/ResultsDatabase.h"
#include "simulation/SimulationSummary.h"

namespace {

class SimulationSummaryTest : public BatchSimulationFixture {
protected:
    SimulationSummaryTest()
    {
        OpenDemo();
        frame.engine = &engine;
        SetSummaryOption(1);
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

    EngineEntry engine;
    CBatchSimulation batch;
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
}

TEST_F(SimulationSummaryTest, APausedRunShowsNoneAndItsCompletionOne)
{
    const QList<std::pair<long, long>> lines = OperationLines();
    ExecuteStep("UPDATE TextRecipe SET Breakpoint = 1 WHERE RecipeSequenceNumber = ?",
                {qlonglong(lines.at(2).second)});
    batch.SimulateBatch(BATCH_WHOLE, -1, -1, BATCH_CALLER_USER);
    ASSERT_EQ(batch.LastEngineCode(), SIMULATION_PAUSED);
    EXPECT_TRUE(prompts.texts().isEmpty());
    prompts.expect(IDOK);
    batch.SimulateToNextBreakpoint();
    ASSERT_EQ(batch.LastEngineCode(), SIMULATION_COMPLETED);
    ASSERT_EQ(prompts.texts().size(), 1);
    EXPECT_EQ(prompts.lastText(), Expected());
}

TEST_F(SimulationSummaryTest, OffShowsNothing)
{
    SetSummaryOption(0);
    batch.SimulateBatch(BATCH_WHOLE, -1, -1, BATCH_CALLER_USER);
    EXPECT_EQ(batch.LastEngineCode(), SIMULATION_COMPLETED);
    EXPECT_TRUE(prompts.texts().isEmpty());
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
