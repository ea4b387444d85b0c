// The plan run books the plant: on a generated process of three steps in three reactors, each
// charging its own amount of A (100, 150 and 40 kg, so batch sizes differ), the rules are checked
// on the written schedule whatever the rows' order and overlap: a vessel holds one batch at a
// time, a batch starts once its upstream has made its feed, and without overlap the campaign runs
// one batch after another. A step campaign buys its feed; a step that cannot be booked gets one
// remark and the others run.

#include "EngineFixture.h"
#include "SeriesTransitions.h"
#include "foundation/db/SharedDatabases.h"

#include <QMap>
#include <algorithm>

namespace {

constexpr long BOOKING_PLAN = 3;
constexpr long BOOKING_PROCESS = 1;
constexpr long BOOKED_A = 801;
constexpr long BOOKED_FIRST = 31, BOOKED_SECOND = 32, BOOKED_THIRD = 33, BOOKED_UNEQUIPPED = 34;
constexpr double BOOKED_KG[] = {100, 150, 40}; // charged and made per batch, by step
constexpr long BOOKED_VESSELS[] = {511, 512, 513};

struct Batch {
    long step = 0;
    double start = 1e35, end = 0;
    QMap<long, QPair<double, double>> vessels; // equipment: first start, last end
};

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
        spec.steps = {ChargingStep(BOOKED_FIRST, BOOKED_KG[0], BOOKED_VESSELS[0], 60),
                      ChargingStep(BOOKED_SECOND, BOOKED_KG[1], BOOKED_VESSELS[1], 45),
                      ChargingStep(BOOKED_THIRD, BOOKED_KG[2], BOOKED_VESSELS[2], 20),
                      ChargingStep(BOOKED_UNEQUIPPED, 10, -1, 10)};
        spec.materials = {{BOOKED_A, "A", "Liquid", 50, {}}};
        spec.equipment = {{BOOKED_VESSELS[0], "R-1", 1, "Reactor", 5000},
                          {BOOKED_VESSELS[1], "R-2", 1, "Reactor", 5000},
                          {BOOKED_VESSELS[2], "R-3", 1, "Reactor", 5000}};
        spec.processes = {{BOOKING_PROCESS,
                           "Chain",
                           "1",
                           {},
                           BOOKED_A,
                           BOOKED_A,
                           {BOOKED_FIRST, BOOKED_SECOND, BOOKED_THIRD}}};
        spec.plans = {{BOOKING_PLAN, "Booking", 46000.0}};
        Open(spec, true);
        ASSERT_FALSE(HasFatalFailure());
        for (long step : {BOOKED_FIRST, BOOKED_SECOND, BOOKED_THIRD, BOOKED_UNEQUIPPED})
            WriteSeriesTransitions(*GetStepDatabase(step), step);
        WriteStepTransitions(BOOKING_PROCESS, {{"Series", 1, BOOKED_FIRST, "S1"},
                                               {"Series", BOOKED_FIRST, BOOKED_SECOND, "S2"},
                                               {"Series", BOOKED_SECOND, BOOKED_THIRD, "S3"}});
        CDaoDatabase& project = *app.fileSet().projectDatabase;
        project.Execute(
            "INSERT INTO PlanRequirements (RequirementID, PlanID, StepOrProcessID, StepOrProcess) "
            "VALUES (1, ?, ?, 'process'), (2, ?, ?, 'step')",
            {qlonglong(BOOKING_PLAN), qlonglong(BOOKING_PROCESS), qlonglong(BOOKING_PLAN),
             qlonglong(BOOKED_SECOND)});
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
    QList<Batch> Run()
    {
        EngineEntry engine;
        EXPECT_EQ(engine.simulatePlan(nullptr, BOOKING_PLAN, false), SIMULATION_COMPLETED);
        CResultsDatabase results;
        EXPECT_TRUE(results.Open(ResultsFilePath(folder, PlanResultsFileName(BOOKING_PLAN))));
        QMap<long, Batch> batches;
        for (const ResultsScheduleRow& row : results.PlanSchedule()) {
            Batch& batch = batches[row.batchNumber];
            batch.step = row.stepID;
            batch.start = std::min(batch.start, row.start);
            batch.end = std::max(batch.end, row.end);
            auto use = batch.vessels.value(row.equipmentID, {row.start, row.end});
            batch.vessels.insert(row.equipmentID,
                                 {std::min(use.first, row.start), std::max(use.second, row.end)});
        }
        return batches.values();
    }
    QList<ResultsRemark> Remarks()
    {
        CResultsDatabase results;
        EXPECT_TRUE(results.Open(ResultsFilePath(folder, PlanResultsFileName(BOOKING_PLAN))));
        return results.AllRemarks();
    }
};

// kg of the step's key output made by batches that ended by `time`.
double MadeBy(const QList<Batch>& batches, long step, double time)
{
    double kg = 0;
    for (const Batch& batch : batches)
        kg += batch.step == step && batch.end <= time + 1e-6 ? BOOKED_KG[step - BOOKED_FIRST] : 0;
    return kg;
}

void ExpectOneBatchPerVessel(const QList<Batch>& batches)
{
    for (qsizetype i = 0; i < batches.size(); ++i) {
        for (qsizetype j = i + 1; j < batches.size(); ++j) {
            for (auto use = batches[i].vessels.cbegin(); use != batches[i].vessels.cend(); ++use) {
                if (!batches[j].vessels.contains(use.key()))
                    continue;
                const auto other = batches[j].vessels.value(use.key());
                EXPECT_TRUE(use->second <= other.first + 1e-6 || other.second <= use->first + 1e-6)
                    << "batches " << i + 1 << " and " << j + 1 << " share vessel " << use.key();
            }
        }
    }
}

// Batch k of a step, by start, starts when its upstream has made k times its charge.
void ExpectFeedMadeFirst(const QList<Batch>& batches, long step, long upstream)
{
    QList<double> starts;
    for (const Batch& batch : batches) {
        if (batch.step == step)
            starts.append(batch.start);
    }
    std::sort(starts.begin(), starts.end());
    for (qsizetype k = 0; k < starts.size(); ++k)
        EXPECT_GE(MadeBy(batches, upstream, starts.at(k)) + 1e-6, (k + 1) * BOOKED_KG[step - BOOKED_FIRST])
            << "batch " << k + 1 << " of step " << step;
}

double Makespan(const QList<Batch>& batches)
{
    double end = 0;
    for (const Batch& batch : batches)
        end = std::max(end, batch.end);
    return end;
}

struct BookingCase {
    const char* name;
    QList<long> rows; // steps in plan order
    bool overlap;
};

class PlanBookingRulesTest : public PlanBookingTest, public ::testing::WithParamInterface<BookingCase> {};

// 3 x 100 kg feed 2 x 150 kg, which feed 7 x 40 kg.
const QList<long> BOOKED_ONE_PASS = {BOOKED_FIRST,  BOOKED_FIRST, BOOKED_FIRST, BOOKED_SECOND,
                                     BOOKED_SECOND, BOOKED_THIRD, BOOKED_THIRD, BOOKED_THIRD,
                                     BOOKED_THIRD,  BOOKED_THIRD, BOOKED_THIRD, BOOKED_THIRD};
const QList<long> BOOKED_CYCLES = {BOOKED_FIRST, BOOKED_SECOND, BOOKED_THIRD, BOOKED_THIRD,
                                   BOOKED_THIRD, BOOKED_FIRST,  BOOKED_FIRST, BOOKED_SECOND,
                                   BOOKED_THIRD, BOOKED_THIRD,  BOOKED_THIRD, BOOKED_THIRD};

} // namespace

TEST_P(PlanBookingRulesTest, VesselsFeedAndOverlapHold)
{
    WriteRows(GetParam().rows, GetParam().overlap);
    const QList<Batch> batches = Run();
    ASSERT_EQ(batches.size(), GetParam().rows.size());
    ExpectOneBatchPerVessel(batches);
    ExpectFeedMadeFirst(batches, BOOKED_SECOND, BOOKED_FIRST);
    ExpectFeedMadeFirst(batches, BOOKED_THIRD, BOOKED_SECOND);
    QList<Batch> byStart = batches;
    std::sort(byStart.begin(), byStart.end(),
              [](const Batch& a, const Batch& b) { return a.start < b.start; });
    for (qsizetype i = 1; !GetParam().overlap && i < byStart.size(); ++i)
        EXPECT_GE(byStart.at(i).start + 1e-6, byStart.at(i - 1).end) << "batch by start " << i + 1;
    EXPECT_DOUBLE_EQ(byStart.first().start, 0);
}

INSTANTIATE_TEST_SUITE_P(Plans, PlanBookingRulesTest,
                         ::testing::Values(BookingCase{"OnePassOverlapping", BOOKED_ONE_PASS, true},
                                           BookingCase{"OnePassOneAfterAnother", BOOKED_ONE_PASS, false},
                                           BookingCase{"CyclesOverlapping", BOOKED_CYCLES, true},
                                           BookingCase{"CyclesOneAfterAnother", BOOKED_CYCLES, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// Overlap lets the reactors work at once: the plan ends sooner than one batch after another.
TEST_F(PlanBookingTest, OverlapShortensThePlanWithinTheRules)
{
    WriteRows(BOOKED_CYCLES, false);
    const double serial = Makespan(Run());
    app.fileSet().projectDatabase->Execute("UPDATE ProductionPlanDetail SET Overlap = 1");
    const QList<Batch> overlapping = Run();
    EXPECT_LT(Makespan(overlapping), serial);
    // The second step's first batch waits for two of the first's (150 kg from 100 kg batches).
    EXPECT_DOUBLE_EQ(overlapping.at(1).start, overlapping.at(5).end);
}

// A step campaign buys its feed: its first batch starts with the plan, only its vessel limits it.
TEST_F(PlanBookingTest, AStepCampaignBuysItsFeed)
{
    WriteRows({BOOKED_SECOND, BOOKED_SECOND}, true, 2);
    const QList<Batch> batches = Run();
    ASSERT_EQ(batches.size(), 2);
    EXPECT_DOUBLE_EQ(batches.at(0).start, 0);
    EXPECT_DOUBLE_EQ(batches.at(1).start, batches.at(0).end);
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
    WriteRows({BOOKED_THIRD}, true);
    WriteRows({GetParam().step}, true, 1, GetParam().plantID);
    const QList<Batch> batches = Run();
    ASSERT_EQ(batches.size(), 1);
    EXPECT_EQ(batches.first().step, BOOKED_THIRD);
    QStringList texts;
    for (const ResultsRemark& remark : Remarks()) {
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
                                           UnbookableCase{"EquipmentOfAnotherFacility", BOOKED_FIRST, 2,
                                                          "equipment R-1 is outside the plan's facility"}),
                         [](const auto& info) { return std::string(info.param.name); });
