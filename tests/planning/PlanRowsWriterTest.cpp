// The write tail of a plan: old rows replaced in one transaction, a failing insert leaves this
// plan's and other plans' rows as they were and writes no files; batch sizes from the engine.

#include "PlanFixture.h"
#include "foundation/common/ServiceSlot.h"
#include "simulation/PlanRequirementCalculator.h"
#include "planning/PlanRowsWriter.h"
#include "simulation/EngineEntryFactory.h"
#include "modules/engine/EngineEntry.h"
#include "recipe/transitions/TransitionBuilder.h"

namespace {

struct InjectedFailure {
    const char* table;
    int failingInsert; // 1-based, counted over the plan's new rows of the table
};

const InjectedFailure FAILURES[] = {
    {"ProductionPlanDetail", 1}, {"ProductionPlanDetail", 3}, {"PlanSummary", 1}, {"PlanSummary", 2}};

} // namespace

class PlanRowsWriterTest : public PlanFixture {
protected:
    void SetUp() override
    {
        Open(PlanProject({PlanStep(2001, 500, 501, 50.0), PlanStep(2002, 501, 502, 50.0)},
                         {{1, "Two", "1", {}, 502, 500, {2001, 2002}}}));
        Chain(1, {2001, 2002});
        ExecuteProject("INSERT INTO ProductionPlanDetail (PlanID, StepID) VALUES (1, 2001), (2, 2002), (2, 2002)");
        ExecuteProject("INSERT INTO PlanSummary (PlanID, StepID, NumberOfBatches) VALUES (1, 2001, 1), (2, 2002, 2)");
    }
};

class PlanRowsFailureTest : public PlanRowsWriterTest, public ::testing::WithParamInterface<InjectedFailure> {};

TEST_P(PlanRowsFailureTest, FailingInsertKeepsEveryPlansRows)
{
    const InjectedFailure& failure = GetParam();
    ExecuteProject(QStringLiteral("CREATE TRIGGER Injected BEFORE INSERT ON %1 WHEN (SELECT count(*) FROM %1 "
                                  "WHERE PlanID = 1) >= %2 BEGIN SELECT RAISE(ABORT, 'injected failure'); END")
                       .arg(failure.table)
                       .arg(failure.failingInsert - 1));
    PlanRequirementCalculator calculator(PLAN_A, 7, "Production Plan");
    calculator.CalculateForProcess(1, 150.0, "");
    ASSERT_EQ(calculator.GetTotalBatches(), 6);
    prompts.expect(IDOK);
    bool filesWritten = false;
    EXPECT_FALSE(WritePlanCalculationRows(PLAN_A, {&calculator}, [&] { return filesWritten = true; }));
    EXPECT_TRUE(prompts.lastText().contains("injected failure")) << prompts.lastText().toStdString();
    EXPECT_FALSE(filesWritten);
    EXPECT_EQ(DetailRows(PLAN_A), QStringList({"2001::F"}));
    EXPECT_EQ(DetailRows(PLAN_B), QStringList({"2002::F", "2002::F"}));
    EXPECT_EQ(SummaryRows(PLAN_A), QStringList({"2001=1"}));
    EXPECT_EQ(SummaryRows(PLAN_B), QStringList({"2002=2"}));
}

INSTANTIATE_TEST_SUITE_P(Inserts, PlanRowsFailureTest, ::testing::ValuesIn(FAILURES));

TEST_F(PlanRowsWriterTest, ReplacesOnlyThisPlansRowsThenWritesTheFiles)
{
    PlanRequirementCalculator calculator(PLAN_A, 7, "Production Plan");
    calculator.CalculateForProcess(1, 150.0, "");
    PlanRequirementCalculator empty(PLAN_A, 8, "Production Plan");
    bool filesWritten = false;
    EXPECT_TRUE(WritePlanCalculationRows(PLAN_A, {&calculator, &empty}, [&] {
        filesWritten = DetailRows(PLAN_A).size() == 6;
        return true;
    }));
    EXPECT_TRUE(filesWritten);
    EXPECT_EQ(SummaryRows(PLAN_A), QStringList({"2001=3", "2002=3"})); // three cycles of 1 and 1
    EXPECT_EQ(DetailRows(PLAN_B).size(), 2);
    EXPECT_EQ(ProjectValue("SELECT count(*) FROM PlanSummary WHERE RequirementID = 8").toInt(), 0);
    EXPECT_FALSE(WritePlanCalculationRows(PLAN_A, {&calculator}, [] { return false; }));
}

// The real engine: a step never simulated has no batch size, scaled or not.
TEST_F(PlanRowsWriterTest, EngineBatchSizeOfAStepNeverSimulated)
{
    CEngineEntryFactory factory;
    ServiceInstallations installed;
    installed.Install<EngineFactory>(&factory);
    PlanRequirementCalculator calculator(0, 0, "Process");
    EXPECT_EQ(calculator.GetFinalStepBatchSize(1), 1e35);
    EXPECT_EQ(calculator.GetScaledFinalStepBatchSize(1, 2.0), 1e35);
    EXPECT_EQ(calculator.GetFirstStepKeyInputBatchSize(1), 1e35);
    prompts.expect(IDOK);
    EXPECT_EQ(calculator.GetFinalStepBatchSize(9), 1e35);
    EXPECT_EQ(prompts.lastText(), "Could not fnd process in Database!");
}

// The real engine after a batch run of the Demo's final step: its kilograms, scaled too; the first
// step, never simulated, still has none.
TEST_F(PlanFixture, EngineBatchSizeInKgAfterARun)
{
    Open(CProjectGenerator::DemoProject());
    CEngineEntryFactory factory;
    ServiceInstallations installed;
    installed.Install<EngineFactory>(&factory);
    PlanRequirementCalculator calculator(0, 0, "Process");
    const long finalStep = calculator.FindFinalStep(1);
    ASSERT_GT(finalStep, 0);
    Array<TransitionRecord> units, operations;
    ASSERT_TRUE(CTransitionBuilder::BuildStepTransitions(finalStep, units, operations));
    EXPECT_EQ(EngineEntry().simulateBatch(nullptr, finalStep), SIMULATION_COMPLETED);
    EngineEntry query;
    const double kg = query.getCurrentBatchSizeInKg(finalStep);
    ASSERT_GT(kg, 0.0);
    ASSERT_LT(kg, 1e35);
    EXPECT_DOUBLE_EQ(calculator.GetFinalStepBatchSize(1), kg);
    EXPECT_DOUBLE_EQ(calculator.GetScaledFinalStepBatchSize(1, 2.5), 2.5 * kg);
    EXPECT_DOUBLE_EQ(calculator.GetFinalStepOriginalBatchSize(1), query.getOriginalBatchSizeInKg(finalStep));
    EXPECT_EQ(calculator.GetFirstStepKeyInputBatchSize(1), 1e35);
    EXPECT_TRUE(prompts.texts().isEmpty());
}
