// A plan run that follows the plan's sequence file: the timing of the file's lines, and the files
// it refuses.

#include "EngineFixture.h"
#include "ManyColumnSequence.h"

#include "foundation/common/SimSequenceRecipe.h"
#include "modules/engine/SequencePlanRun.h"

#include <QElapsedTimer>
#include <QFile>

namespace {
constexpr long SEQUENCE_PLAN = 3;

// A step of three operations: 11 [0, 10], 12 [10, 20], 13 [20, 30], and 14 (not in the file) [30, 35].
EngineSchedule ThreeOperations()
{
    EngineSchedule schedule;
    schedule.stepID = STEP;
    for (long id : {11, 12, 13, 14}) {
        EngineScheduledOperation operation;
        operation.operationID = id;
        operation.start = (id - 11) * 10.0;
        operation.end = id == 14 ? 35.0 : operation.start + 10;
        schedule.operations.append(operation);
    }
    return schedule;
}

QList<SimSequenceLine> Lines(const QList<std::pair<int, long>>& columnAndOperation)
{
    QList<SimSequenceLine> lines;
    for (const auto& [column, operation] : columnAndOperation)
        lines.append({column, 1, STEP, STEP, 1, 1, operation, {}, {}});
    return lines;
}

QList<double> BatchStarts(const SequencePlanBatch& batch)
{
    QList<double> starts;
    for (const EngineScheduledOperation& operation : batch.schedule.operations)
        starts << operation.start;
    return starts;
}
} // namespace

TEST(SequencePlanOrderTest, ALineStartsNoEarlierThanTheLineBeforeItOfAnotherColumn)
{
    struct Case {
        const char* name;
        QList<std::pair<int, long>> lines;
        QList<double> second; // the second batch's starts
    };
    const Case cases[] = {
        {"handed over after the first batch's last", {{1, 11}, {1, 12}, {1, 13}, {2, 11}, {2, 12}, {2, 13}},
         {20, 30, 40, 50}},
        {"moved up beside the first batch's second", {{1, 11}, {1, 12}, {2, 11}, {1, 13}, {2, 12}, {2, 13}},
         {10, 20, 30, 40}},
        {"side by side from the start", {{1, 11}, {2, 11}, {1, 12}, {2, 12}, {1, 13}, {2, 13}}, {0, 10, 20, 30}},
        {"a later line pushes only what follows it", {{1, 11}, {2, 11}, {1, 12}, {1, 13}, {2, 12}, {2, 13}},
         {0, 20, 30, 40}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QList<SequencePlanBatch> batches = {{STEP, 1, ThreeOperations()}, {STEP, 2, ThreeOperations()}};
        ApplySequenceOrder(Lines(c.lines), batches);
        EXPECT_EQ(BatchStarts(batches.at(0)), QList<double>({0, 10, 20, 30}));
        EXPECT_EQ(BatchStarts(batches.at(1)), c.second);
        EXPECT_EQ(batches.at(1).schedule.operations.last().end - batches.at(1).schedule.operations.last().start, 5);
    }
}

class SequencePlanRunTest : public EngineFixture {
protected:
    void SetUp() override
    {
        ProjectSpec spec;
        spec.name = "Sequenced";
        spec.plantName = "Plant";
        spec.steps = {ParallelStepSpec(STEP)};
        spec.equipment = {{REACTOR, "R-101", 1, "Reactor", 1000}};
        spec.plans = {{SEQUENCE_PLAN, "Night Shift", 1e35, 1, {{"step", STEP, 2, "batches"}}}};
        Open(spec);
        WriteParallelTransitions(STEP);
    }
    QString SequencePath() const
    {
        return UserSimSequenceFilePath(app.fileSet().workingCopyDir, "Night Shift", SEQUENCE_PLAN);
    }
    // Batches of the step, each handed over after the one before.
    QList<SimSequenceLine> Batches(int count) const
    {
        QList<SimSequenceLine> lines;
        for (int column = 1; column <= count; ++column) {
            for (const SimSequenceOperation& op : ReadSimSequenceStepRecipe(STEP).operations)
                lines.append({column, column, STEP, STEP, op.unitProcedureID, op.unitProcedureID, op.operationID,
                              QStringLiteral("Step 11 (1.0) Batch %1").arg(column), op.text});
        }
        return lines;
    }
    int Run(QList<SequencePlanBatch>& batches, QList<EngineRemark>& remarks)
    {
        return ScheduleSequencePlan(SEQUENCE_PLAN, batches, remarks);
    }
};

TEST_F(SequencePlanRunTest, EachColumnIsABatchOfItsStepFromThePlansStart)
{
    ASSERT_TRUE(WriteSimSequenceFile(SequencePath(), Batches(2)));
    QList<SequencePlanBatch> batches;
    QList<EngineRemark> remarks;
    ASSERT_EQ(Run(batches, remarks), SIMULATION_COMPLETED);
    EXPECT_TRUE(remarks.isEmpty());
    ASSERT_EQ(batches.size(), 2);
    EXPECT_EQ(batches.at(0).schedule.operations.first().start, 0);
    // The second batch's first operation waits for the start of the first batch's last.
    EXPECT_EQ(batches.at(1).schedule.operations.first().start, batches.at(0).schedule.operations.last().start);
}

TEST_F(SequencePlanRunTest, AMissingEmptyOrStaleFileFailsWithAnErrorRemark)
{
    QList<SimSequenceLine> stale = Batches(2);
    stale.removeLast();
    QList<SimSequenceLine> otherOperation = Batches(2);
    otherOperation[1].operationID = 99999;
    const std::optional<QList<SimSequenceLine>> files[] = {std::nullopt, QList<SimSequenceLine>{}, stale, otherOperation};
    for (const auto& file : files) {
        QFile::remove(SequencePath());
        if (file) {
            ASSERT_TRUE(WriteSimSequenceFile(SequencePath(), *file));
        }
        QList<SequencePlanBatch> batches;
        QList<EngineRemark> remarks;
        EXPECT_EQ(Run(batches, remarks), SIMULATION_FAILED);
        ASSERT_EQ(remarks.size(), 1);
        EXPECT_EQ(remarks.first().messageID, REMARK_SEQUENCE_FILE_UNUSABLE);
        EXPECT_TRUE(batches.isEmpty());
    }
}

// A file of more columns than the plan's requirements can have (30 batches of every step each) is
// refused as unusable before its columns are matched or laid out: 3 MB take well under a second.
TEST_F(SequencePlanRunTest, AFileOfMoreColumnsThanThePlanCanHaveIsRefusedAtOnce)
{
    const QList<SimSequenceOperation> operations = ReadSimSequenceStepRecipe(STEP).operations;
    QFile file(SequencePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(ManyColumnSequence(STEP, operations, 3 << 20));
    file.close();
    QElapsedTimer clock;
    clock.start();
    QList<SequencePlanBatch> batches;
    QList<EngineRemark> remarks;
    EXPECT_EQ(Run(batches, remarks), SIMULATION_FAILED);
    EXPECT_LT(clock.elapsed(), 5000);
    ASSERT_EQ(remarks.size(), 1);
    EXPECT_EQ(remarks.first().messageID, REMARK_SEQUENCE_FILE_UNUSABLE);
    // The plan's one requirement of its one step allows 30 columns, not 31.
    for (const int columns : {30, 31}) {
        SCOPED_TRACE(columns);
        ASSERT_TRUE(WriteSimSequenceFile(SequencePath(), Batches(columns)));
        batches.clear();
        remarks.clear();
        EXPECT_EQ(Run(batches, remarks), columns == 30 ? SIMULATION_COMPLETED : SIMULATION_FAILED);
        EXPECT_EQ(batches.size(), columns == 30 ? 30 : 0);
    }
}
