// Batch counts of plan requirements over generated projects: the rounding, the batch-size rules,
// the walk upstream (shared producers, by-products, recycles), the cycle layout of the detail
// rows and the summary.

#include "PlanFixture.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "planning/PlanRowsWriter.h"
#include "simulation/PlanRequirementCalculator.h"

#include <QSqlQuery>

namespace {

const QString PLAN_MODE = QStringLiteral("Production Plan");

struct StepCase {
    const char* name;
    double batchSize;
    double quantity;
    const char* uom;
    bool cleaning;
    int batches;
    double amount;
};

// One step asked directly: internal amounts pass through an empty unit.
const StepCase STEP_CASES[] = {
    {"RoundsUp", 30.0, 100.0, "", false, 4, 100.0},
    {"ToleranceKeepsExactCount", 50.0, 100.0 + 2.5e-5, "", false, 2, 100.0 + 2.5e-5},
    {"BatchesOnSizeZeroCountOne", 0.0, 3.0, "batches", false, 3, 3.0},
    {"BatchesTimesSize", 200.0, 3.0, "Batches", false, 3, 600.0},
    {"CleaningStepRoundsItsQuantity", 1e35, 2.3, "", true, 3, 2.3},
    {"NothingAskedNoBatches", 30.0, 0.0, "", false, 0, 0.0},
    {"NegativeCountsZero", 30.0, -50.0, "", false, 0, -50.0},
    {"UnsetSizeSkipped", 1e35, 100.0, "", false, 0, 0.0},
};

} // namespace

class PlanStepCaseTest : public PlanFixture, public ::testing::WithParamInterface<StepCase> {};

TEST_P(PlanStepCaseTest, CountsAndAmount)
{
    const StepCase& c = GetParam();
    StepSpec step = PlanStep(2001, 501, 502, c.batchSize);
    step.cleaning = c.cleaning;
    Open(PlanProject({step}, {}));
    PlanRequirementCalculator calculator(PLAN_A, 7, PLAN_MODE);
    calculator.CalculateForStep(2001, c.quantity, QString::fromLatin1(c.uom));
    ASSERT_EQ(calculator.GetItemCount(), 1);
    EXPECT_EQ(calculator.GetTotalBatches(), c.batches);
    EXPECT_NEAR(calculator.GetItemAmount(0), c.amount, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Cases, PlanStepCaseTest, ::testing::ValuesIn(STEP_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

// A chain A -> B -> C making 100 of C's output, factor 1 each.
class PlanProcessTest : public PlanFixture {
protected:
    void OpenChain(double a, double b, double c)
    {
        Open(PlanProject({PlanStep(2001, 500, 501, a), PlanStep(2002, 501, 502, b), PlanStep(2003, 502, 503, c)},
                         {{1, "Chain", "1", {}, 503, 500, {2001, 2002, 2003}}}));
        Chain(1, {2001, 2002, 2003});
    }
    bool Write(PlanRequirementCalculator& calculator, long plan = PLAN_A)
    {
        return WritePlanCalculationRows(plan, {&calculator});
    }
};

TEST_F(PlanProcessTest, CyclesOfTheSequenceWithWholeCountsInTheSummary)
{
    OpenChain(25.0, 50.0, 50.0); // 4, 2, 2 batches
    PlanRequirementCalculator calculator(PLAN_A, 7, PLAN_MODE);
    calculator.SetBatchTimeInterval(2.0, "hr");
    calculator.CalculateForProcess(1, 100.0, "");
    ASSERT_EQ(calculator.GetTotalBatches(), 8);
    ASSERT_TRUE(Write(calculator));
    EXPECT_EQ(DetailRows(PLAN_A), QStringList({"2001:1:F", "2001:1:-", "2002:1:-", "2003:1:-", "2001:1:-",
                                               "2001:1:-", "2002:1:-", "2003:1:-"}));
    EXPECT_EQ(SummaryRows(PLAN_A), QStringList({"2001=4", "2002=2", "2003=2"}));
}

// 5 and 2: per cycle 2 and 1, the remainder in the last cycle, so all 7 batches are rows.
TEST_F(PlanProcessTest, RemainderGoesToTheLastCycle)
{
    Open(PlanProject({PlanStep(2001, 500, 501, 20.0), PlanStep(2002, 501, 502, 50.0)},
                     {{1, "Two", "1", {}, 502, 500, {2001, 2002}}}));
    Chain(1, {2001, 2002});
    PlanRequirementCalculator calculator(PLAN_A, 7, PLAN_MODE);
    calculator.CalculateForProcess(1, 100.0, "");
    ASSERT_TRUE(Write(calculator));
    EXPECT_EQ(DetailRows(PLAN_A), QStringList({"2001:1:F", "2001:1:-", "2002:1:-", "2001:1:-", "2001:1:-",
                                               "2001:1:-", "2002:1:-"}));
    EXPECT_EQ(SummaryRows(PLAN_A), QStringList({"2001=5", "2002=2"}));
}

TEST_F(PlanProcessTest, OneSingleBatchStepWritesOnePass)
{
    OpenChain(40.0, 100.0, 50.0); // 3, 1, 2
    PlanRequirementCalculator calculator(PLAN_A, 7, PLAN_MODE);
    calculator.SetFirstBatchOverlap(false);
    calculator.CalculateForProcess(1, 100.0, "");
    ASSERT_TRUE(Write(calculator));
    EXPECT_EQ(DetailRows(PLAN_A), QStringList({"2001:0:F", "2001:1:-", "2001:1:-", "2002:1:-", "2003:1:-",
                                               "2003:1:-"}));
    EXPECT_EQ(SummaryRows(PLAN_A), QStringList({"2001=3", "2002=1", "2003=2"}));
}

// The first walk entry's step has no batch size: the first row written is still the first batch.
TEST_F(PlanProcessTest, FirstRowWrittenIsTheFirstBatch)
{
    OpenChain(1e35, 50.0, 100.0);
    PlanRequirementCalculator calculator(PLAN_A, 7, PLAN_MODE);
    calculator.CalculateForProcess(1, 100.0, "");
    ASSERT_TRUE(Write(calculator));
    EXPECT_EQ(DetailRows(PLAN_A), QStringList({"2002:1:F", "2002:1:-", "2003:1:-"}));
    EXPECT_EQ(SummaryRows(PLAN_A), QStringList({"2002=2", "2003=1"}));
}

// A batch size of 0 divides nothing into batches: the step is left out and walks no further.
TEST_F(PlanProcessTest, BatchSizeZeroCountsAsUnset)
{
    OpenChain(50.0, 0.0, 50.0);
    PlanRequirementCalculator calculator(PLAN_A, 7, PLAN_MODE);
    calculator.CalculateForProcess(1, 100.0, "");
    EXPECT_EQ(calculator.GetTotalBatches(), 2);
    ASSERT_TRUE(Write(calculator));
    EXPECT_EQ(DetailRows(PLAN_A), QStringList({"2003:1:F", "2003:1:-"}));
    EXPECT_EQ(SummaryRows(PLAN_A), QStringList({"2001=0", "2003=2"}));

    PlanRequirementCalculator scaleUp(0, 0, "Process");
    scaleUp.CalculateForProcess(1, 100.0, "");
    EXPECT_DOUBLE_EQ(scaleUp.GetItemAmount(0), 100.0);
    EXPECT_DOUBLE_EQ(scaleUp.GetItemAmount(1), 100.0);
}

TEST_F(PlanProcessTest, TooManyBatchesEndTheRequirementWithoutRows)
{
    OpenChain(1.0, 1.0, 1.0);
    PlanRequirementCalculator calculator(PLAN_A, 7, PLAN_MODE);
    prompts.expect(IDOK);
    calculator.CalculateForProcess(1, 1e9, "");
    EXPECT_EQ(prompts.lastText(), "Step Step 2003 needs 1000000000 batches, more than 32767!");
    EXPECT_EQ(calculator.GetTotalBatches(), 0);
    ASSERT_TRUE(Write(calculator));
    EXPECT_TRUE(DetailRows(PLAN_A).isEmpty());
}

// D joins B (key input) and C (second input), both made from A's output: A gets the rounded
// sum of what both ask.
TEST_F(PlanProcessTest, SharedProducerGetsTheRoundedSum)
{
    StepSpec d = PlanStep(2004, 502, 504, 10.0);
    d.input2ID = 503;
    d.input2Factor = 1.0;
    Open(PlanProject({PlanStep(2001, 500, 501, 30.0), PlanStep(2002, 501, 502, 10.0), PlanStep(2003, 501, 503, 10.0), d},
                     {{1, "Diamond", "1", {}, 504, 500, {2001, 2002, 2003, 2004}}}));
    Chain(1, {2001, 2002, 2004});
    Link(1, 2001, 2003);
    PlanRequirementCalculator calculator(PLAN_A, 7, PLAN_MODE);
    calculator.CalculateForProcess(1, 10.0, "");
    EXPECT_EQ(calculator.GetItemNumberOfBatches(0), 1); // 20 of 30, not 1 + 1
    EXPECT_DOUBLE_EQ(calculator.GetItemAmount(0), 20.0);
    EXPECT_EQ(calculator.GetItemNumberOfBatches(1), 1);
    EXPECT_EQ(calculator.GetItemNumberOfBatches(2), 1);
}

// The process makes a by-product of its step: the amount counts as key output over its factor.
TEST_F(PlanProcessTest, ByProductRequestCountsAsKeyOutput)
{
    StepSpec a = PlanStep(2001, 500, 501, 100.0);
    StepSpec b = PlanStep(2002, 501, 502, 100.0);
    b.output2ID = 505;
    b.output2Factor = 0.5;
    Open(PlanProject({a, b}, {{1, "ByProduct", "1", {}, 505, 500, {2001, 2002}}}));
    Chain(1, {2001, 2002});
    PlanRequirementCalculator calculator(PLAN_A, 7, PLAN_MODE);
    calculator.CalculateForProcess(1, 100.0, "");
    EXPECT_DOUBLE_EQ(calculator.GetItemAmount(1), 200.0);
    EXPECT_EQ(calculator.GetItemNumberOfBatches(1), 2);
    EXPECT_EQ(calculator.GetItemNumberOfBatches(0), 2);
}

// A and B feed each other: the walk ends at the step already on its chain.
TEST_F(PlanProcessTest, RecycleEnds)
{
    StepSpec a = PlanStep(2001, 502, 501, 10.0);
    StepSpec b = PlanStep(2002, 501, 502, 10.0);
    b.output2ID = 503;
    b.output2Factor = 1.0;
    Open(PlanProject({a, b}, {{1, "Recycle", "1", {}, 503, 500, {2001, 2002}}}));
    Chain(1, {2001, 2002});
    PlanRequirementCalculator calculator(PLAN_A, 7, PLAN_MODE);
    calculator.CalculateForProcess(1, 30.0, "");
    EXPECT_EQ(calculator.GetItemNumberOfBatches(1), 3);
    EXPECT_EQ(calculator.GetItemNumberOfBatches(0), 3);
}

TEST_F(PlanProcessTest, StartRowOfTheProcessIsNoStep)
{
    OpenChain(50.0, 50.0, 50.0);
    ExecuteProject("INSERT INTO \"Step-To-Process\" (StepID, ProcessID, StepOrder) VALUES (1, 1, 0)");
    PlanRequirementCalculator calculator(PLAN_A, 7, PLAN_MODE);
    calculator.SetStepOrProcessID(1);
    ASSERT_TRUE(calculator.LoadSteps(-1));
    EXPECT_EQ(calculator.GetItemCount(), 3);
    EXPECT_EQ(calculator.GetItemStepID(0), 2001);
    ASSERT_TRUE(calculator.LoadSteps(2002));
    EXPECT_EQ(calculator.GetItemCount(), 1);
}

TEST_F(PlanProcessTest, NoStartTransitionWritesSummaryAndTellsAfterTheCommit)
{
    Open(PlanProject({PlanStep(2001, 500, 501, 50.0), PlanStep(2002, 501, 502, 50.0)},
                     {{1, "Headless", "1", {}, 502, 500, {2001, 2002}}}));
    Link(1, 2001, 2002);
    PlanRequirementCalculator calculator(PLAN_A, 7, PLAN_MODE);
    calculator.CalculateForProcess(1, 100.0, "");
    prompts.expect(IDOK);
    bool filesWritten = false;
    EXPECT_TRUE(WritePlanCalculationRows(PLAN_A, {&calculator}, [&] {
        filesWritten = true;
        return true;
    }));
    EXPECT_EQ(prompts.lastText(), "Could not find the Start step in process.");
    EXPECT_TRUE(filesWritten);
    EXPECT_TRUE(DetailRows(PLAN_A).isEmpty());
    EXPECT_EQ(SummaryRows(PLAN_A), QStringList({"2001=2", "2002=2"}));
}

TEST_F(PlanProcessTest, MissingMolecularWeightIsWaterInMemoryOnly)
{
    StepSpec a = PlanStep(2001, 500, 501, 10.0);
    a.batchSizeMW = 1e35;
    ProjectSpec spec = PlanProject({a}, {});
    spec.materials[0].molecularWeight = 1e35;
    spec.materials[1].molecularWeight = 1e35;
    Open(spec);
    PlanRequirementCalculator calculator(PLAN_A, 7, PLAN_MODE);
    calculator.CalculateForStep(2001, 180.2, "kg");
    EXPECT_DOUBLE_EQ(calculator.GetMolecularWeight(), 18.02);
    EXPECT_NEAR(calculator.GetRequiredAmount(), 10.0, 1e-9);
    EXPECT_DOUBLE_EQ(calculator.GetItemKeyInputMW(0), 18.02);
    CDaoDatabase materials;
    materials.Open(folder + "Plans.mtl", DatabaseRole::ReadOnly);
    QSqlQuery query = materials.Query("SELECT count(*) FROM ActualMaterialProperty WHERE DoubleValue IS NOT NULL");
    ASSERT_TRUE(query.next());
    EXPECT_EQ(query.value(0).toInt(), 0);
}

// Null columns read as -1 and 1e35, not as the layer's 0.
TEST_F(PlanProcessTest, NullColumnsLoadAsAbsent)
{
    StepSpec a = PlanStep(2001, 500, 501, 1e35);
    a.productFactor = 1e35;
    Open(PlanProject({a}, {}));
    GetStepDatabase(2001)->Execute("UPDATE Step SET InputIntermediate2ID = NULL, KeyInputIntermediateID = 999");
    PlanRequirementCalculator calculator(PLAN_A, 7, PLAN_MODE);
    ASSERT_TRUE(calculator.LoadSteps(2001));
    const PlanFactorItem& item = calculator.Items.front();
    EXPECT_EQ(item.Input2ID, -1);
    EXPECT_EQ(item.KeyInputID, -1);
    EXPECT_EQ(item.Input2Factor, 1e35);
    EXPECT_EQ(item.BatchSize, 1e35);
    EXPECT_EQ(item.KeyInputFactor, 0.0);
    EXPECT_EQ(item.KeyOutputID, 501);
    EXPECT_EQ(item.PlantName, "Plan Works");
    EXPECT_EQ(calculator.FindProducingStep(0, nullptr), -1);
    EXPECT_EQ(calculator.FindProducingStep(-1, nullptr), -1);
}
