// The plan run by the plan's detail rows: when each batch starts (earliest start, interval, the
// previous batch's end unless overlapping, the previous campaign's last batch, shared-exclusive
// equipment), the rows with their batch and step, and the codes of runs that cannot go on.

#include "EngineFixture.h"
#include "foundation/common/SimSequenceRecipe.h"
#include "foundation/common/UserSimSequenceFile.h"
#include "modules/engine/EnginePlanRun.h"

#include <QFile>
#include <QMap>

namespace {

constexpr long PLAN = 5;
constexpr long PLAN_S1 = 21, PLAN_S2 = 22; // parallel-block steps of 125 min on REACTOR, REACTOR_2
constexpr long REACTOR_2 = 502;
constexpr double PLAN_START = 46000.0; // an OLE date
constexpr double NONE = 1e35;

struct DetailRow {
    long stepID;
    long requirementID;
    bool overlap = false;
    double earliestStartMinutes = NONE; // after the plan's start
    double interval = NONE;
    const char* intervalUnit = "";
};

struct PlacementCase {
    const char* name;
    QList<DetailRow> rows;
    bool shareReactor;
    QList<double> startMinutes; // per batch
};

class EnginePlanTest : public EngineFixture {
protected:
    void OpenPlanProject(double planStart = PLAN_START)
    {
        ProjectSpec spec;
        spec.name = "PlanTest";
        spec.plantName = "Plant";
        spec.steps = {ParallelStepSpec(PLAN_S1), ParallelStepSpec(PLAN_S2, REACTOR_2)};
        spec.equipment = {{REACTOR, "R-101", 1, "Reactor", 1000}, {REACTOR_2, "R-102", 1, "Reactor", 1000}};
        spec.plans = {{PLAN, "Weekly", planStart}};
        Open(spec);
        WriteParallelTransitions(PLAN_S1);
        WriteParallelTransitions(PLAN_S2);
    }
    void WriteDetail(const QList<DetailRow>& rows)
    {
        CDaoDatabase& project = *app.fileSet().projectDatabase;
        for (const DetailRow& row : rows) {
            const auto nullable = [](double value) { return value == NONE ? QVariant() : QVariant(value); };
            const double start = row.earliestStartMinutes == NONE ? NONE : PLAN_START + row.earliestStartMinutes / 1440;
            project.Execute("INSERT INTO ProductionPlanDetail (PlanID, StepID, Overlap, EarliestStartTime, "
                            "RequirementID, BatchTimeInterval, BatchTimeIntervalUOM) VALUES (?, ?, ?, ?, ?, ?, ?)",
                            {qlonglong(PLAN), qlonglong(row.stepID), row.overlap ? 1 : 0, nullable(start),
                             qlonglong(row.requirementID), nullable(row.interval), QString(row.intervalUnit)});
        }
    }
    void ShareReactor()
    {
        app.fileSet().projectDatabase->Execute("INSERT INTO SharedExclusiveEquipment (EquipmentID, PlanID) VALUES (?, ?)",
                                               {qlonglong(REACTOR), qlonglong(PLAN)});
    }
    QString PlanResults() const { return ResultsFilePath(folder, PlanResultsFileName(PLAN)); }
    // Each batch's first start in minutes, by batch number.
    QMap<long, double> BatchStarts()
    {
        CResultsDatabase results;
        EXPECT_TRUE(results.Open(PlanResults()));
        QMap<long, double> starts;
        for (const ResultsScheduleRow& row : results.PlanSchedule()) {
            if (!starts.contains(row.batchNumber))
                starts.insert(row.batchNumber, row.start / 60);
        }
        return starts;
    }
};

class EnginePlanPlacementTest : public EnginePlanTest, public ::testing::WithParamInterface<PlacementCase> {};

} // namespace

TEST_P(EnginePlanPlacementTest, BatchesStartByTheirRows)
{
    OpenPlanProject();
    WriteDetail(GetParam().rows);
    if (GetParam().shareReactor)
        ShareReactor();
    EngineEntry engine;
    ASSERT_EQ(engine.simulatePlan(nullptr, PLAN, false), SIMULATION_COMPLETED);
    const QMap<long, double> starts = BatchStarts();
    ASSERT_EQ(starts.size(), GetParam().startMinutes.size());
    for (qsizetype i = 0; i < starts.size(); ++i)
        EXPECT_NEAR(starts.value(long(i) + 1), GetParam().startMinutes.at(i), 1e-6) << "batch " << i + 1;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EnginePlanPlacementTest,
    ::testing::Values(
        PlacementCase{"IntervalsWhileOverlappingWhereTheVesselIsFree",
                      {{PLAN_S1, 1, false, 60}, {PLAN_S2, 1, true, NONE, 30, "min"}, {PLAN_S1, 1, true, NONE, 0.5, "h"}},
                      false,
                      {60, 90, 185}},
        PlacementCase{"WithoutOverlapAfterTheEnd", {{PLAN_S1, 1}, {PLAN_S1, 1, false, NONE, 30, "min"}}, false, {0, 125}},
        PlacementCase{"IntervalLongerThanTheBatch", {{PLAN_S1, 1}, {PLAN_S1, 1, false, NONE, 3, "h"}}, false, {0, 180}},
        PlacementCase{"NextCampaignAfterThePreviousOnesLast",
                      {{PLAN_S1, 1}, {PLAN_S2, 1, true, NONE, 10, "min"}, {PLAN_S1, 2}},
                      false,
                      {0, 10, 135}},
        PlacementCase{"NextCampaignOverlapping", {{PLAN_S1, 1}, {PLAN_S2, 2, true}}, false, {0, 0}},
        PlacementCase{"SharedEquipmentServesOneCampaignAtATime",
                      {{PLAN_S1, 1}, {PLAN_S1, 2, true}, {PLAN_S1, 2, true, NONE, 10, "min"}},
                      true,
                      {0, 125, 250}},
        PlacementCase{"TwoCampaignsShareAVesselOneBatchAtATime",
                      {{PLAN_S1, 1, false, 30}, {PLAN_S1, 2, true}, {PLAN_S2, 2, true}, {PLAN_S1, 1, true}},
                      false,
                      {30, 155, 155, 280}},
        PlacementCase{"EarliestStartBeforeThePlanIsPassedOver", {{PLAN_S1, 1, false, -600}}, false, {0}},
        PlacementCase{"EarliestStartOfALaterCampaign", {{PLAN_S1, 1}, {PLAN_S2, 2, true, 300}}, false, {0, 300}}),
    [](const auto& info) { return std::string(info.param.name); });

// Every operation of every batch is written with its step and batch; breakpoints do not stop a plan.
TEST_F(EnginePlanTest, RowsCarryBatchAndStepAndBreakpointsAreIgnored)
{
    OpenPlanProject();
    Edit("UPDATE TextRecipe SET Breakpoint = 1 WHERE RecipeSequenceNumber = 5", {}, PLAN_S1);
    WriteDetail({{PLAN_S1, 1}, {PLAN_S2, 2}, {PLAN_S1, 3}});
    RecordingStatus status;
    EngineEntry engine;
    ASSERT_EQ(engine.simulatePlan(&status, PLAN, false), SIMULATION_COMPLETED);
    EXPECT_EQ(status.steps, 15);
    EXPECT_NEAR(status.progress, 100.0, 1e-9);
    EXPECT_TRUE(status.texts.first().startsWith("Batch 1: Simulating ")) << status.texts.first().toStdString();
    EXPECT_TRUE(status.texts.last().startsWith("Batch 3: Simulating "));
    CResultsDatabase results;
    ASSERT_TRUE(results.Open(PlanResults()));
    QList<std::pair<long, long>> batchSteps;
    for (const ResultsScheduleRow& row : results.PlanSchedule()) {
        if (batchSteps.isEmpty() || batchSteps.last().first != row.batchNumber)
            batchSteps.append({row.batchNumber, row.stepID});
    }
    EXPECT_EQ(batchSteps, (QList<std::pair<long, long>>{{1, PLAN_S1}, {2, PLAN_S2}, {3, PLAN_S1}}));
    EXPECT_EQ(results.PlanSchedule().size(), 15);
    EXPECT_NEAR(results.Summary().cycleTime / 60, 3 * 125, 1e-6);
    QMap<long, int> remarksPerBatch; // each batch carries its step's remarks
    for (const ResultsRemark& remark : results.AllRemarks())
        ++remarksPerBatch[remark.batchNumber];
    ASSERT_EQ(remarksPerBatch.keys(), (QList<long>{1, 2, 3}));
    EXPECT_GT(remarksPerBatch.value(1), 0);
    EXPECT_EQ(remarksPerBatch.value(1), remarksPerBatch.value(3));
}

// A placement of its own (as a user-defined sequence plugs in) may move single operations: the
// rows keep the times it gave; one that leaves a batch unplaced fails the run.
TEST_F(EnginePlanTest, APlacementOfItsOwnKeepsItsOperationTimes)
{
    OpenPlanProject();
    QList<EnginePlanBatch> batches(2);
    batches[0].stepID = PLAN_S1;
    batches[0].batchNumber = 1;
    batches[1].stepID = PLAN_S2;
    batches[1].batchNumber = 2;
    const EnginePlanPlacement stagger = [](QList<EnginePlanBatch>& placed) {
        for (EnginePlanBatch& batch : placed) {
            for (qsizetype i = 0; i < batch.schedule->operations.size(); ++i) {
                batch.starts.append(1000.0 * batch.batchNumber + 100.0 * double(i));
                batch.ends.append(1000.0 * batch.batchNumber + 100.0 * double(i) + 50);
            }
        }
        return true;
    };
    ASSERT_EQ(RunEnginePlan(nullptr, PLAN, batches, stagger, true), SIMULATION_COMPLETED);
    CResultsDatabase results;
    ASSERT_TRUE(results.Open(PlanResults()));
    const QList<ResultsScheduleRow> rows = results.PlanSchedule();
    ASSERT_EQ(rows.size(), 10);
    EXPECT_DOUBLE_EQ(rows.at(6).start, 2100);
    EXPECT_DOUBLE_EQ(rows.at(6).duration, 50);
    EXPECT_EQ(rows.at(6).stepID, PLAN_S2);
    results.Close();
    const EnginePlanPlacement partial = [](QList<EnginePlanBatch>& placed) {
        PlaceEnginePlanBatch(placed.first(), 0);
        return true;
    };
    EXPECT_EQ(RunEnginePlan(nullptr, PLAN, batches, partial, true), SIMULATION_FAILED);
}

// Without a plan start the times count from the earliest row start.
TEST_F(EnginePlanTest, WithoutAPlanStartTheEarliestRowStartIsTimeZero)
{
    OpenPlanProject(NONE);
    WriteDetail({{PLAN_S1, 1, false, 120}, {PLAN_S2, 2, true, 180}});
    EngineEntry engine;
    ASSERT_EQ(engine.simulatePlan(nullptr, PLAN, false), SIMULATION_COMPLETED);
    const QMap<long, double> starts = BatchStarts();
    EXPECT_NEAR(starts.value(1), 0, 1e-6);
    EXPECT_NEAR(starts.value(2), 60, 1e-6);
}

// A plan without batches, an unknown plan, a cancel, a step that cannot be scheduled and the
// sequence file's run (not built here) all answer a code other than 0; only a plan without batches
// leaves a results file, holding its Error remark.
TEST_F(EnginePlanTest, RunsThatCannotGoOnAnswerTheirCodes)
{
    OpenPlanProject();
    EngineEntry engine;
    EXPECT_EQ(engine.simulatePlan(nullptr, PLAN, false), SIMULATION_FAILED);
    CResultsDatabase results;
    ASSERT_TRUE(results.Open(PlanResults()));
    const QList<ResultsRemark> remarks = results.AllRemarks();
    ASSERT_EQ(remarks.size(), 1);
    EXPECT_EQ(remarks.first().messageID, 1005);
    EXPECT_EQ(remarks.first().type, "Error");
    EXPECT_EQ(remarks.first().text, "The plan has no batches to simulate.");
    results.Close();
    QFile::remove(PlanResults());

    EXPECT_EQ(engine.simulatePlan(nullptr, 99, false), SIMULATION_FAILED);
    WriteDetail({{PLAN_S1, 1}, {PLAN_S2, 1}});
    RecordingStatus status;
    status.stopAtStep = 7;
    EXPECT_EQ(engine.simulatePlan(&status, PLAN, false), SIMULATION_CANCELLED);
    EXPECT_FALSE(QFile::exists(PlanResults()));
}

// A row whose step cannot be scheduled is left out with an Error remark naming the step and why;
// the other rows run as batches 1, 2, ... When no row is left the run fails with those remarks.
TEST_F(EnginePlanTest, RowsOfStepsThatCannotBeScheduledAreLeftOutAndTheRestRuns)
{
    OpenPlanProject();
    Edit("DELETE FROM UnitProcedureTransition", {}, PLAN_S2);
    WriteDetail({{PLAN_S1, 1}, {99, 1}, {PLAN_S2, 1}, {PLAN_S1, 1}});
    EngineEntry engine;
    ASSERT_EQ(engine.simulatePlan(nullptr, PLAN, false), SIMULATION_COMPLETED);
    CResultsDatabase results;
    ASSERT_TRUE(results.Open(PlanResults()));
    QStringList texts;
    for (const ResultsRemark& remark : results.AllRemarks()) {
        if (remark.messageID == 1008)
            texts << QStringLiteral("%1 %2 %3 %4")
                         .arg(remark.stepID)
                         .arg(remark.operationID)
                         .arg(remark.type, remark.text);
    }
    EXPECT_EQ(
        texts,
        (QStringList{"99 0 Error Step 99 () cannot be scheduled: its step database is not open.",
                     "22 0 Error Step Step 22 (1.0) cannot be scheduled: it has no transitions to run."}));
    EXPECT_EQ(BatchStarts().keys(), (QList<long>{1, 2}));
    for (const ResultsScheduleRow& row : results.PlanSchedule())
        EXPECT_EQ(row.stepID, PLAN_S1);
    results.Close();

    app.fileSet().projectDatabase->Execute("DELETE FROM ProductionPlanDetail");
    WriteDetail({{PLAN_S2, 1}});
    EXPECT_EQ(engine.simulatePlan(nullptr, PLAN, false), SIMULATION_FAILED);
    ASSERT_TRUE(results.Open(PlanResults()));
    ASSERT_EQ(results.AllRemarks().size(), 1);
    EXPECT_EQ(results.AllRemarks().first().messageID, 1008);
}

// With the ResultsDatabase option off the run completes and writes nothing.
TEST_F(EnginePlanTest, NoResultsDatabaseWritesNothing)
{
    OpenPlanProject();
    WriteDetail({{PLAN_S1, 1}});
    EngineEntry engine;
    engine.setRunOptions(1, 0, 1, 1);
    EXPECT_EQ(engine.simulatePlan(nullptr, PLAN, false), SIMULATION_COMPLETED);
    EXPECT_FALSE(QFile::exists(PlanResults()));
}

// With the flag the plan's sequence file lays the batches out: its columns, numbered by position,
// a later column's operation after the earlier line's; a missing file answers 1 with remark 1006.
TEST_F(EnginePlanTest, TheSequenceFilesColumnsAreTheBatches)
{
    OpenPlanProject();
    WriteDetail({{PLAN_S1, 1}}); // not read with the flag
    app.fileSet().projectDatabase->Execute(
        "INSERT INTO PlanRequirements (PlanID, StepOrProcessID, StepOrProcess, Quantity, QuantityUOM) "
        "VALUES (?, ?, 'step', 1, 'batches')",
        {qlonglong(PLAN), qlonglong(PLAN_S1)}); // room for the file's columns
    const QString path = UserSimSequenceFilePath(app.fileSet().workingCopyDir, "Weekly", PLAN);
    EngineEntry engine;
    EXPECT_EQ(engine.simulatePlan(nullptr, PLAN, true), SIMULATION_FAILED);
    {
        CResultsDatabase results;
        ASSERT_TRUE(results.Open(PlanResults()));
        ASSERT_EQ(results.AllRemarks().size(), 1);
        EXPECT_EQ(results.AllRemarks().first().messageID, 1006);
    }
    QList<SimSequenceLine> lines;
    int column = 0;
    for (long step : {PLAN_S2, PLAN_S1}) {
        ++column;
        for (const SimSequenceOperation& op : ReadSimSequenceStepRecipe(step).operations)
            lines.append({column, column, step, step, op.unitProcedureID, op.unitProcedureID, op.operationID,
                          QStringLiteral("Batch %1").arg(column), op.text});
    }
    ASSERT_TRUE(WriteSimSequenceFile(path, lines));
    ASSERT_EQ(engine.simulatePlan(nullptr, PLAN, true), SIMULATION_COMPLETED);
    CResultsDatabase results;
    ASSERT_TRUE(results.Open(PlanResults()));
    const QList<ResultsScheduleRow> rows = results.PlanSchedule();
    ASSERT_EQ(rows.size(), 10);
    EXPECT_EQ(rows.first().stepID, PLAN_S2);
    EXPECT_EQ(rows.last().stepID, PLAN_S1);
    EXPECT_EQ(rows.last().batchNumber, 2);
    EXPECT_DOUBLE_EQ(rows.at(5).start / 60, 120); // handed over at the start of column 1's last line
}
