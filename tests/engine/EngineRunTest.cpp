// Batch runs of the engine stand-in: schedule of a parallel block, pauses, stepping, cancel,
// ranges, alternative blocks and stale pauses.

#include "EngineFixture.h"
#include "KeptResources.h"

#include "foundation/common/BusyGuard.h"

#include <QFile>
#include <QFileInfo>

namespace {

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// operation id -> start, end in minutes
QMap<long, QPair<double, double>> Minutes(const QList<ResultsScheduleRow>& rows)
{
    QMap<long, QPair<double, double>> times;
    for (const ResultsScheduleRow& row : rows)
        times.insert(row.operationID, {row.start / 60, row.end / 60});
    return times;
}

class BusyProbe : public RecordingStatus {
public:
    bool Step(double unused) override
    {
        busy = busy && IsBusy();
        return RecordingStatus::Step(unused);
    }
    bool busy = true;
};

} // namespace

TEST_F(EngineFixture, ParallelBlockTakesItsLongestBranch)
{
    OpenParallelStep();
    BusyProbe status;
    EngineEntry engine;
    EXPECT_EQ(engine.simulateBatch(&status, STEP), SIMULATION_COMPLETED);
    // Charge 15, then Age 60 + Clean 45 beside QC-Test 30, then Line-Blow 5.
    EXPECT_DOUBLE_EQ(engine.getCycleTime(STEP), (15 + 105 + 5) * 60.0);
    const auto times = Minutes(Schedule());
    EXPECT_EQ(times.value(Line(8)), qMakePair(15.0, 45.0));
    EXPECT_EQ(times.value(Line(6)), qMakePair(75.0, 120.0));
    EXPECT_EQ(times.value(Line(10)), qMakePair(120.0, 125.0));
    // Progress: phase times once, one status text before each operation, the bar ends at 100.
    EXPECT_EQ(status.calls, (QStringList{"A", "B"}));
    EXPECT_EQ(status.texts.size(), 5);
    EXPECT_EQ(status.texts.first(), "Simulating 1.1. Charge");
    EXPECT_DOUBLE_EQ(status.progress, 100.0);
    EXPECT_TRUE(status.busy);
    EXPECT_FALSE(IsBusy());
}

TEST_F(EngineFixture, BreakpointPausesBeforeItsLineAndContinueFinishes)
{
    OpenParallelStep();
    Edit("UPDATE TextRecipe SET Breakpoint = 1 WHERE RecipeSequenceNumber = 6");
    RecordingStatus status;
    EngineEntry engine;
    EXPECT_EQ(engine.simulateBatch(&status, STEP), SIMULATION_PAUSED);
    EXPECT_EQ(engine.getSimulationStoppedRecipeSequenceNumber(STEP), 6);
    EXPECT_EQ(status.steps, 2); // Charge and Age ran
    EXPECT_FALSE(QFile::exists(ResultsPath()));

    EXPECT_EQ(engine.continueBatch(&status, STEP), SIMULATION_COMPLETED);
    EXPECT_EQ(engine.getSimulationStoppedRecipeSequenceNumber(STEP), 0);
    EXPECT_EQ(status.steps, 5);
    EXPECT_EQ(Schedule().size(), 5);
}

TEST_F(EngineFixture, BreakpointOnTheUnitProcedureLinePausesBeforeItsFirstOperation)
{
    OpenParallelStep();
    Edit("UPDATE TextRecipe SET Breakpoint = 1 WHERE RecipeSequenceNumber = 1");
    EngineEntry engine;
    EXPECT_EQ(engine.simulateBatch(nullptr, STEP), SIMULATION_PAUSED);
    EXPECT_EQ(engine.getSimulationStoppedRecipeSequenceNumber(STEP), 1);
    EXPECT_EQ(engine.continueBatch(nullptr, STEP), SIMULATION_COMPLETED);
}

TEST_F(EngineFixture, NextOperationWithoutStatusWalksOperationByOperation)
{
    OpenParallelStep();
    EngineEntry engine;
    QList<long> stops;
    int code = SIMULATION_PAUSED;
    while (code == SIMULATION_PAUSED && stops.size() < 10) {
        code = engine.simulateNextOperation(nullptr, STEP);
        stops << engine.getSimulationStoppedRecipeSequenceNumber(STEP);
    }
    EXPECT_EQ(code, SIMULATION_COMPLETED);
    EXPECT_EQ(stops, (QList<long>{5, 6, 8, 10, 0}));
    EXPECT_EQ(Schedule().size(), 5);
}

TEST_F(EngineFixture, CancelKeepsThePreviousResults)
{
    OpenParallelStep();
    EngineEntry engine;
    ASSERT_EQ(engine.simulateBatch(nullptr, STEP), SIMULATION_COMPLETED);
    const QByteArray before = FileBytes(ResultsPath());
    ASSERT_FALSE(before.isEmpty());
    Edit("UPDATE TextRecipe SET Breakpoint = 0");
    SetDuration(Line(5), 600); // a changed run that must not reach the file

    struct Case {
        int stopAtStep, stopAtText;
    };
    for (const Case& stop : {Case{3, -1}, Case{-1, 1}}) {
        RecordingStatus status;
        status.stopAtStep = stop.stopAtStep;
        status.stopAtText = stop.stopAtText;
        EXPECT_EQ(engine.simulateBatch(&status, STEP), SIMULATION_CANCELLED);
        EXPECT_EQ(engine.getSimulationStoppedRecipeSequenceNumber(STEP), 0);
        EXPECT_EQ(FileBytes(ResultsPath()), before);
    }
}

TEST_F(EngineFixture, RangeRunsItsOperationsAfterTheStateBeforeThem)
{
    OpenParallelStep();
    struct Case {
        long from, to;
        int steps, rows;
    };
    for (const Case& range : {Case{5, 6, 2, 3}, Case{8, 8, 1, 4}, Case{6, 5, 2, 3}}) {
        RecordingStatus status;
        EngineEntry engine;
        EXPECT_EQ(engine.simulateBatch(&status, STEP, Line(range.from), Line(range.to)), SIMULATION_COMPLETED);
        EXPECT_EQ(status.steps, range.steps) << range.from;
        EXPECT_DOUBLE_EQ(status.progress, 100.0);
        EXPECT_EQ(Schedule().size(), range.rows) << range.from;
    }
    EngineEntry engine;
    EXPECT_EQ(engine.simulateBatch(nullptr, STEP, 424242, Line(6)), SIMULATION_FAILED);
}

TEST_F(EngineFixture, OrBlockRunsItsFirstBranchOnly)
{
    OpenParallelStep();
    Edit("UPDATE TextRecipe SET Type = 'Start Or' WHERE RecipeSequenceNumber = 3");
    Edit("UPDATE TextRecipe SET Type = 'End Or' WHERE RecipeSequenceNumber = 9");
    const long unit = Line(1);
    WriteOperationTransitions(STEP, unit,
                              {{"Series", 1, Line(2), "C0000001"},
                               {"Start Or", Line(2), Line(8), "C0000002"},
                               {"Start Or", Line(2), Line(5), "C0000003"},
                               {"Series", Line(5), Line(6), "C0000004"},
                               {"End Or", Line(6), Line(10), "C0000005"},
                               {"End Or", Line(8), Line(10), "C0000006"}});
    EngineEntry engine;
    ASSERT_EQ(engine.simulateBatch(nullptr, STEP), SIMULATION_COMPLETED);
    const auto times = Minutes(Schedule());
    EXPECT_EQ(times.keys(), (QList<long>{Line(2), Line(5), Line(6), Line(10)}));
    EXPECT_EQ(times.value(Line(10)), qMakePair(120.0, 125.0));
}

TEST_F(EngineFixture, PauseOfChangedTransitionsIsStale)
{
    OpenParallelStep();
    Edit("UPDATE TextRecipe SET Breakpoint = 1 WHERE RecipeSequenceNumber = 8");
    EngineEntry engine;

    // A rebuild of the same recipe renews the ids only: the pause goes on.
    ASSERT_EQ(engine.simulateBatch(nullptr, STEP), SIMULATION_PAUSED);
    Edit("UPDATE OperationTransition SET OperationTransitionID = 'F' || OperationTransitionID");
    EXPECT_EQ(engine.continueBatch(nullptr, STEP), SIMULATION_COMPLETED);

    // Line 8 no longer follows Charge: stale.
    ASSERT_EQ(engine.simulateBatch(nullptr, STEP), SIMULATION_PAUSED);
    Edit("DELETE FROM OperationTransition WHERE ToOperationID = ? AND TransitionType = 'Start Parallel'",
         {qlonglong(Line(8))});
    EXPECT_EQ(engine.simulateNextOperation(nullptr, STEP), SIMULATION_FAILED);
    EXPECT_EQ(engine.getSimulationStoppedRecipeSequenceNumber(STEP), 0);
}

TEST_F(EngineFixture, ResetModesAndModificationNotices)
{
    OpenParallelStep();
    Edit("UPDATE TextRecipe SET Breakpoint = 1 WHERE RecipeSequenceNumber = 8");
    EngineEntry engine;
    ASSERT_EQ(engine.simulateBatch(nullptr, STEP), SIMULATION_PAUSED);
    engine.resetSimulation(STEP, "SimulateOnly");
    EXPECT_EQ(engine.getSimulationStoppedRecipeSequenceNumber(STEP), 8);
    EXPECT_EQ(engine.continueBatch(nullptr, STEP), SIMULATION_FAILED);

    const std::function<void()> drops[] = {[&] { engine.resetSimulation(STEP, "ReadAndSimulate"); },
                                           [&] { engine.operationModified(STEP, Line(8), 1); },
                                           [&] { engine.stepModified(STEP); }};
    for (const auto& drop : drops) {
        ASSERT_EQ(engine.simulateBatch(nullptr, STEP), SIMULATION_PAUSED);
        drop();
        EXPECT_EQ(engine.getSimulationStoppedRecipeSequenceNumber(STEP), 0);
    }
}

TEST_F(EngineFixture, CycleInTheTransitionsCannotRun)
{
    OpenParallelStep();
    WriteOperationTransitions(STEP, Line(1),
                              {{"Series", 1, Line(2), "D0000001"},
                               {"Series", Line(2), Line(5), "D0000002"},
                               {"Series", Line(5), Line(2), "D0000003"}});
    EngineEntry engine;
    EXPECT_EQ(engine.simulateBatch(nullptr, STEP), SIMULATION_FAILED);
    EXPECT_EQ(engine.simulateBatch(nullptr, 999), SIMULATION_FAILED); // no such step
}

// A run whose results cannot be written (an operation's duration past the largest number of seconds
// makes the times after it infinite, and their differences no number) fails as a run that wrote
// nothing: the previous results stay as they were, and neither a partial file nor the failed file's
// memory is kept.
TEST_F(EngineFixture, ARunWhoseResultsCannotBeWrittenFailsAndKeepsNothing)
{
    OpenParallelStep();
    EngineEntry engine;
    ASSERT_EQ(engine.simulateBatch(nullptr, STEP), SIMULATION_COMPLETED);
    const QByteArray before = FileBytes(ResultsPath());
    Edit("UPDATE TextRecipe SET Breakpoint = 0");
    SetDuration(Line(2), 1e307); // minutes
    // The first failed run fills what the engine keeps of the step; the second must add nothing.
    ASSERT_EQ(engine.simulateBatch(nullptr, STEP), SIMULATION_FAILED);
    const long long heapBefore = HeapBytesInUse();
    const qsizetype filesBefore = OpenFileCount();
    EXPECT_EQ(engine.simulateBatch(nullptr, STEP), SIMULATION_FAILED);
    EXPECT_LT(HeapBytesInUse() - heapBefore, 16 * 1024) << "bytes kept";
    EXPECT_EQ(OpenFileCount(), filesBefore) << "files kept open";
    EXPECT_EQ(FileBytes(ResultsPath()), before);
    EXPECT_FALSE(QFileInfo::exists(ResultsPath() + ".writing"));
}
