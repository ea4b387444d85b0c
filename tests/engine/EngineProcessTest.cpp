// Process runs, the step order of a process and the module-wide utility list.

#include "EngineFixture.h"

#include "foundation/db/schema/SchemaBuilder.h"

#include <QFile>

namespace {

constexpr long PROCESS = 7;
constexpr long S1 = 21, S2 = 22, S3 = 23, S4 = 24;

} // namespace

class EngineProcessTest : public EngineFixture {
protected:
    // Four parallel-block steps; S1 branches into S3 and S2 (S3's transition listed first), both end in S4.
    void OpenBranchedProcess()
    {
        ProjectSpec spec;
        spec.name = "Branched";
        spec.plantName = "Plant";
        spec.processes = {{PROCESS, "Process", "1.0", {}, -1, -1, {S1, S2, S3, S4}}};
        for (long step : {S1, S2, S3, S4})
            spec.steps.append(ParallelStepSpec(step));
        spec.equipment = {{REACTOR, "R-101", 1, "Reactor", 1000}};
        Open(spec);
        for (long step : {S1, S2, S3, S4})
            WriteParallelTransitions(step);
        SetDuration(Line(10, S3), 65, S3); // S3 lasts 3 h, S2 2 h 5 min
        WriteStepTransitions(PROCESS, {{"Series", 1, S1, "P1"},
                                       {"Start Parallel", S1, S3, "P2"},
                                       {"Start Parallel", S1, S2, "P2"},
                                       {"End Parallel", S3, S4, "P3"},
                                       {"End Parallel", S2, S4, "P3"}});
    }
};

TEST_F(EngineProcessTest, StepOrderFollowsTheStepTransitions)
{
    OpenBranchedProcess();
    EngineEntry engine;
    Array<long> steps;
    EXPECT_TRUE(engine.getStepIdList(false, PROCESS, steps));
    EXPECT_EQ(steps, (Array<long>{S1, S3, S2, S4}));
    EXPECT_FALSE(engine.getStepIdList(false, 99, steps)); // no transitions
    EXPECT_TRUE(steps.IsEmpty());
    EXPECT_FALSE(engine.getStepIdList(true, PROCESS, steps)); // no user sequence yet

    WriteStepTransitions(PROCESS, {{"Series", 1, S1, "Q1"}, {"Series", S1, S2, "Q2"}, {"Series", S2, S1, "Q3"}});
    EXPECT_FALSE(engine.getStepIdList(false, PROCESS, steps)); // a cycle
}

TEST_F(EngineProcessTest, ProcessRunOffsetsStepsByTheirTransitions)
{
    OpenBranchedProcess();
    EngineEntry batch;
    Edit("UPDATE TextRecipe SET Breakpoint = 1 WHERE RecipeSequenceNumber = 8", {}, S2);
    ASSERT_EQ(batch.simulateBatch(nullptr, S2), SIMULATION_PAUSED);

    RecordingStatus status;
    EngineEntry engine;
    EXPECT_EQ(engine.simulateProcess(&status, PROCESS, &batch), SIMULATION_COMPLETED);
    EXPECT_EQ(batch.getSimulationStoppedRecipeSequenceNumber(S2), 0);
    EXPECT_EQ(status.steps, 20);
    EXPECT_DOUBLE_EQ(status.progress, 100.0);

    CResultsDatabase results;
    ASSERT_TRUE(results.Open(ResultsFilePath(folder, ProcessResultsFileName(PROCESS))));
    const auto firstStart = [&](long step) { return results.Schedule(step).first().start / 60; };
    EXPECT_DOUBLE_EQ(firstStart(S1), 0);
    EXPECT_DOUBLE_EQ(firstStart(S2), 125); // beside S3
    EXPECT_DOUBLE_EQ(firstStart(S3), 125);
    EXPECT_DOUBLE_EQ(firstStart(S4), 125 + 185); // after the longer S3
    EXPECT_DOUBLE_EQ(results.Summary().cycleTime / 60, 125 + 185 + 125);
    EXPECT_TRUE(QFile::exists(ResultsPath(S4))); // each step's own results as well
}

TEST_F(EngineProcessTest, ProcessRunStopsOnCancelOrBadStep)
{
    OpenBranchedProcess();
    RecordingStatus status;
    status.stopAtStep = 7;
    EngineEntry engine;
    EXPECT_EQ(engine.simulateProcess(&status, PROCESS, nullptr), SIMULATION_CANCELLED);
    EXPECT_FALSE(QFile::exists(ResultsFilePath(folder, ProcessResultsFileName(PROCESS))));
    EXPECT_EQ(engine.simulateProcess(nullptr, 99, nullptr), SIMULATION_FAILED);
}

TEST_F(EngineProcessTest, UtilityListIsModuleState)
{
    OpenBranchedProcess();
    CDaoDatabase materials;
    materials.Open(app.fileSet().materialsDBPath, DatabaseRole::ReadWrite);
    materials.Execute("INSERT INTO ActualMaterialProperty (MaterialID, MaterialPropertyID, DoubleValue) "
                      "VALUES (31, 469, 1), (30, 469, 1), (32, 12, 1)");
    materials.Close();

    EngineEntry engine;
    EXPECT_TRUE(engine.PopulateListOfAvailableUtilities());
    engine.utilityAdded(40);
    engine.utilityAdded(30);
    engine.utilityDeleted(31);
    engine.PassZRQ("/tmp/wc/");
    EXPECT_EQ(EngineEntry::AvailableUtilities(), (Array<long>{30, 40}));
    EXPECT_EQ(EngineEntry::KeptWorkingCopyDir(), "/tmp/wc/");
    EngineEntry().cleanUpUtilityArray();
    EXPECT_TRUE(EngineEntry::AvailableUtilities().IsEmpty());
    EXPECT_TRUE(EngineEntry::KeptWorkingCopyDir().isEmpty());
}

// A process without step transitions answers 1 and leaves only the run's Error remark.
TEST_F(EngineProcessTest, ProcessWithoutStepTransitionsLeavesAnErrorRemark)
{
    OpenBranchedProcess();
    WriteStepTransitions(PROCESS, {});
    EngineEntry engine;
    EXPECT_EQ(engine.simulateProcess(nullptr, PROCESS, nullptr), SIMULATION_FAILED);
    CResultsDatabase results;
    ASSERT_TRUE(results.Open(ResultsFilePath(folder, ProcessResultsFileName(PROCESS))));
    const QList<ResultsRemark> remarks = results.AllRemarks();
    ASSERT_EQ(remarks.size(), 1);
    EXPECT_EQ(remarks.first().messageID, 1004);
    EXPECT_EQ(remarks.first().type, "Error");
    EXPECT_TRUE(results.PlanSchedule().isEmpty());
}
