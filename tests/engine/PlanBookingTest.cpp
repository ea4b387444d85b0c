// The plan run books the plant: on a generated process of three steps in three reactors, each
// charging its own amount of A (100, 150 and 40 kg, so batch sizes differ), the rules are checked
// on the written schedule whatever the rows' order and overlap: a vessel holds one batch at a
// time, a batch starts once its upstream has made its feed, and without overlap the campaign runs
// one batch after another. A step campaign buys its feed; a step that cannot be booked gets one
// remark and the others run.

#include "BookedPlan.h"
#include "EngineFixture.h"
#include "SeriesTransitions.h"

namespace {

constexpr long BOOKING_PLAN = 3;
constexpr long BOOKED_A = 801;
constexpr long BOOKED_1 = 31, BOOKED_2 = 32, BOOKED_3 = 33, BOOKED_UNEQUIPPED = 34;
constexpr double BOOKED_KG[] = {100, 150, 40}; // charged and made per batch, by step

StepSpec ChargingStep(long stepID, double kg, long vessel, double minutes)
{
    StepSpec step;
    step.stepID = stepID;
    step.name = QStringLiteral("Step %1").arg(stepID);
    step.version = "1.0";
    step.keyInputID = step.keyOutputID = BOOKED_A;
    RecipeLineSpec charge = OperationLine(4);
    charge.parameters = {{OperationField::Amount, kg, "kg"}};
    charge.references = {{LibraryReferenceField::Material, BOOKED_A}};
    RecipeLineSpec age = OperationLine(1);
    age.parameters = {{OperationField::Duration, minutes, "min"}};
    step.lines = {UnitLine("Reactor", vessel), charge, age};
    return step;
}

class PlanBookingTest : public EngineFixture {
protected:
    void SetUp() override
    {
        ProjectSpec spec;
        spec.name = "BookingTest";
        spec.plantName = "Plant";
        spec.steps = {
            ChargingStep(BOOKED_1, BOOKED_KG[0], 511, 60), ChargingStep(BOOKED_2, BOOKED_KG[1], 512, 45),
            ChargingStep(BOOKED_3, BOOKED_KG[2], 513, 20), ChargingStep(BOOKED_UNEQUIPPED, 10, -1, 10)};
        spec.materials = {{BOOKED_A, "A", "Liquid", 50, {}}};
        spec.equipment = {{511, "R-1", 1, "Reactor", 5000},
                          {512, "R-2", 1, "Reactor", 5000},
                          {513, "R-3", 1, "Reactor", 5000}};
        spec.processes = {{1, "Chain", "1", {}, BOOKED_A, BOOKED_A, {BOOKED_1, BOOKED_2, BOOKED_3}}};
        spec.plans = {{BOOKING_PLAN, "Booking", 46000.0}};
        Open(spec, true);
        ASSERT_FALSE(HasFatalFailure());
        for (const StepSpec& step : spec.steps)
            WriteSeriesTransitions(*GetStepDatabase(step.stepID), step.stepID);
        WriteStepTransitions(1, {{"Series", 1, BOOKED_1, "S1"},
                                 {"Series", BOOKED_1, BOOKED_2, "S2"},
                                 {"Series", BOOKED_2, BOOKED_3, "S3"}});
        app.fileSet().projectDatabase->Execute(
            "INSERT INTO PlanRequirements (RequirementID, PlanID, StepOrProcessID, StepOrProcess) "
            "VALUES (1, ?, 1, 'process'), (2, ?, ?, 'step')",
            {qlonglong(BOOKING_PLAN), qlonglong(BOOKING_PLAN), qlonglong(BOOKED_2)});
    }
    // plantID 0 writes no facility.
    void WriteRows(const QList<long>& steps, bool overlap, long requirement = 1, long plantID = 0)
    {
        for (long step : steps)
            app.fileSet().projectDatabase->Execute(
                "INSERT INTO ProductionPlanDetail (PlanID, StepID, Overlap, RequirementID, PlantID) "
                "VALUES (?, ?, ?, ?, ?)",
                {qlonglong(BOOKING_PLAN), qlonglong(step), overlap ? 1 : 0, qlonglong(requirement),
                 plantID ? QVariant(qlonglong(plantID)) : QVariant()});
    }
    BookedPlan Run()
    {
        EngineEntry engine;
        EXPECT_EQ(engine.simulatePlan(nullptr, BOOKING_PLAN, false), SIMULATION_COMPLETED);
        EXPECT_TRUE(m_results.Open(ResultsFilePath(folder, PlanResultsFileName(BOOKING_PLAN))));
        return BookedPlan(m_results.PlanSchedule());
    }
    CResultsDatabase m_results;
};

struct BookingCase {
    const char* name;
    QList<long> rows; // steps in plan order
    bool overlap;
};

class PlanBookingRulesTest : public PlanBookingTest, public ::testing::WithParamInterface<BookingCase> {};

// 3 x 100 kg feed 2 x 150 kg, which feed 7 x 40 kg: in one pass, or in cycles whose second step
// waits for a later cycle's first.
const QList<long> ONE_PASS = {BOOKED_1, BOOKED_1, BOOKED_1, BOOKED_2, BOOKED_2, BOOKED_3,
                              BOOKED_3, BOOKED_3, BOOKED_3, BOOKED_3, BOOKED_3, BOOKED_3};
const QList<long> IN_CYCLES = {BOOKED_1, BOOKED_2, BOOKED_3, BOOKED_3, BOOKED_3, BOOKED_1,
                               BOOKED_1, BOOKED_2, BOOKED_3, BOOKED_3, BOOKED_3, BOOKED_3};

} // namespace

TEST_P(PlanBookingRulesTest, VesselsFeedAndOverlapHold)
{
    WriteRows(GetParam().rows, GetParam().overlap);
    const BookedPlan plan = Run();
    ASSERT_EQ(plan.batches.size(), GetParam().rows.size());
    plan.ExpectOneBatchPerVessel();
    plan.ExpectFedBeforeStart(BOOKED_2, BOOKED_KG[1], BOOKED_1, BOOKED_KG[0]);
    plan.ExpectFedBeforeStart(BOOKED_3, BOOKED_KG[2], BOOKED_2, BOOKED_KG[1]);
    QList<BookedBatch> byStart = plan.batches.values();
    std::sort(byStart.begin(), byStart.end(), [](const auto& a, const auto& b) { return a.start < b.start; });
    EXPECT_DOUBLE_EQ(byStart.first().start, 0);
    for (qsizetype i = 1; !GetParam().overlap && i < byStart.size(); ++i)
        EXPECT_GE(byStart.at(i).start + 1e-6, byStart.at(i - 1).end) << "batch by start " << i + 1;
}

INSTANTIATE_TEST_SUITE_P(Plans, PlanBookingRulesTest,
                         ::testing::Values(BookingCase{"OnePassOverlapping", ONE_PASS, true},
                                           BookingCase{"OnePassOneAfterAnother", ONE_PASS, false},
                                           BookingCase{"CyclesOverlapping", IN_CYCLES, true},
                                           BookingCase{"CyclesOneAfterAnother", IN_CYCLES, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// A step campaign buys its feed: its first batch starts with the plan, only its vessel limits it.
TEST_F(PlanBookingTest, AStepCampaignBuysItsFeed)
{
    WriteRows({BOOKED_2, BOOKED_2}, true, 2);
    const BookedPlan plan = Run();
    ASSERT_EQ(plan.batches.size(), 2);
    EXPECT_DOUBLE_EQ(plan.batches.value(1).start, 0);
    EXPECT_DOUBLE_EQ(plan.batches.value(2).start, plan.batches.value(1).end);
}

struct UnbookableCase {
    const char* name;
    long step;
    long plantID;
    const char* reason;
};

class PlanBookingRemarkTest : public PlanBookingTest, public ::testing::WithParamInterface<UnbookableCase> {};

// One remark for the step that cannot be booked, however many rows it has; the rest runs.
TEST_P(PlanBookingRemarkTest, OneRemarkPerStepAndTheRestRuns)
{
    WriteRows({GetParam().step}, true, 1, GetParam().plantID);
    WriteRows({BOOKED_3}, true);
    WriteRows({GetParam().step}, true, 1, GetParam().plantID);
    const BookedPlan plan = Run();
    ASSERT_EQ(plan.batches.size(), 1);
    EXPECT_EQ(plan.batches.first().step, BOOKED_3);
    QStringList texts;
    for (const ResultsRemark& remark : m_results.AllRemarks()) {
        if (remark.messageID == 1008)
            texts << remark.type + " " + remark.text;
    }
    EXPECT_EQ(texts, QStringList(QStringLiteral("Error Step Step %1 (1.0) cannot be scheduled: %2.")
                                     .arg(GetParam().step)
                                     .arg(GetParam().reason)));
}

INSTANTIATE_TEST_SUITE_P(Steps, PlanBookingRemarkTest,
                         ::testing::Values(UnbookableCase{"UnitProcedureWithoutEquipment", BOOKED_UNEQUIPPED,
                                                          0, "unit procedure Reactor has no equipment"},
                                           UnbookableCase{"EquipmentOfAnotherFacility", BOOKED_1, 2,
                                                          "equipment R-1 is outside the plan's facility"}),
                         [](const auto& info) { return std::string(info.param.name); });
