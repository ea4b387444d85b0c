// Scheduling constraints, durations, remarks and run options of the engine stand-in.

#include "EngineFixture.h"

#include <QFile>
#include <QProcess>

namespace {

struct ConstraintCase {
    const char* name;
    const char* logic;
    long current;   // recipe line, or an id when negative
    long parameter; // recipe line, or an id when negative
    double delayMinutes;
    double qcStart; // minutes
    double cycle;   // minutes
};

} // namespace

TEST_F(EngineFixture, SchedulingConstraints)
{
    // QC-Test (line 8) normally runs 15-45 beside Age 15-75 and Clean 75-120.
    const ConstraintCase cases[] = {
        {"starts after Clean + 10 min", "Starts-After", 8, 6, 10, 130, 165},
        {"starts after Clean, no delay", "starts-after", 8, 6, 0, 120, 155},
        {"starts after a deleted operation", "Starts-After", 8, -99999, 10, 15, 125},
        {"deleted current operation", "Starts-After", -99999, 6, 10, 15, 125},
        {"parallel to the block + 5 min", "Parallel-To", 5, 8, 5, 20, 125},
        {"parallel to, deleted item", "Parallel-To", -99999, 8, 5, 15, 125},
    };
    OpenParallelStep();
    for (const ConstraintCase& test : cases) {
        Edit("DELETE FROM OperationConditionalLogicParameter");
        const auto id = [this](long lineOrID) { return lineOrID < 0 ? -lineOrID : Line(lineOrID); };
        Edit("INSERT INTO OperationConditionalLogicParameter (CurrentOperationID, ConditionalLogic, "
             "OperationParameterID, Delay, DelayUOM) VALUES (?, ?, ?, ?, 'min')",
             {qlonglong(id(test.current)), test.logic, qlonglong(id(test.parameter)), test.delayMinutes});
        EngineEntry engine;
        ASSERT_EQ(engine.simulateBatch(nullptr, STEP), SIMULATION_COMPLETED) << test.name;
        double qcStart = -1;
        for (const ResultsScheduleRow& row : Schedule())
            qcStart = row.operationID == Line(8) ? row.start / 60 : qcStart;
        EXPECT_DOUBLE_EQ(qcStart, test.qcStart) << test.name;
        EXPECT_DOUBLE_EQ(engine.getCycleTime(STEP) / 60, test.cycle) << test.name;
    }
}

TEST_F(EngineFixture, UnitProcedureStartsAfterAnother)
{
    StepSpec step;
    step.stepID = STEP;
    step.name = "Two vessels";
    step.lines = {UnitLine("Reactor", REACTOR), OperationLine(1), UnitLine("Filter", REACTOR), OperationLine(3)};
    Open({"Units", {}, "Plant", {}, {step}, {}, {{REACTOR, "R-101", 1, "Reactor", 1000}}});
    // Both unit procedures leave START side by side; the filter waits for the reactor + 30 min.
    WriteUnitProcedureTransitions(STEP, {{"Start Parallel", 1, Line(1), "E1"}, {"Start Parallel", 1, Line(3), "E1"}});
    WriteOperationTransitions(STEP, Line(1), {{"Series", 1, Line(2), "E2"}});
    WriteOperationTransitions(STEP, Line(3), {{"Series", 1, Line(4), "E3"}});
    Edit("INSERT INTO UnitProcedureConditionalLogicParameter (CurrentUnitProcedureID, ConditionalLogic, "
         "UnitProcedureParameterID, Delay, DelayUOM) VALUES (?, 'Starts-After', ?, 0.5, 'h')",
         {qlonglong(Line(3)), qlonglong(Line(1))});
    EngineEntry engine;
    ASSERT_EQ(engine.simulateBatch(nullptr, STEP), SIMULATION_COMPLETED);
    EXPECT_DOUBLE_EQ(engine.getCycleTime(STEP) / 60, 60 + 30 + 30);
}

TEST_F(EngineFixture, RemarksOfEquipmentVolumeAndDuration)
{
    StepSpec step = ParallelStepSpec(STEP);
    step.lines.append({UnitLine("Bare"), OperationLine(999, "Mystery")}); // lines 11, 12
    Open({"Remarks", {}, "Plant", {}, {step}, {}, {{REACTOR, "R-101", 1, "Reactor", 50}}});
    WriteParallelTransitions(STEP);
    WriteUnitProcedureTransitions(STEP, {{"Series", 1, Line(1), "G1"}, {"Series", Line(1), Line(11), "G2"}});
    WriteOperationTransitions(STEP, Line(11), {{"Series", 1, Line(12), "G3"}});
    SetDuration(Line(5), 10);
    EngineEntry engine;
    ASSERT_EQ(engine.simulateBatch(nullptr, STEP), SIMULATION_COMPLETED);
    EXPECT_EQ(Remarks(Line(2)), (QStringList{"1002 Error", "1003 Warning"})); // 100 l into 50 l
    EXPECT_EQ(Remarks(Line(5)), QStringList());                                // its own duration
    EXPECT_EQ(Remarks(Line(6)), QStringList{"1003 Warning"});
    EXPECT_EQ(Remarks(Line(12)), (QStringList{"1001 Warning", "1003 Warning"}));
    // A type without a default lasts 0 s; the bare unit procedure follows the reactor.
    const QList<ResultsScheduleRow> rows = Schedule();
    ASSERT_EQ(rows.size(), 6);
    EXPECT_EQ(rows.last().operationID, Line(12));
    EXPECT_DOUBLE_EQ(rows.last().duration, 0);
    EXPECT_DOUBLE_EQ(rows.last().start / 60, 15 + 55 + 5);
    EXPECT_EQ(rows.last().equipmentID, 0);
}

TEST_F(EngineFixture, BatchSizesFromAmountsAndVessels)
{
    OpenParallelStep(400);
    CDaoDatabase equipment;
    equipment.Open(app.fileSet().equipmentDBPath, DatabaseRole::ReadWrite);
    equipment.Execute("UPDATE ActualEquipmentCommon SET MinimumVolume = 0.02, MinimumVolumeUOM = 'Cubic m'");
    equipment.Close();
    EngineEntry engine;
    ASSERT_EQ(engine.simulateBatch(nullptr, STEP), SIMULATION_COMPLETED);
    EngineEntry query;
    EXPECT_DOUBLE_EQ(query.getCurrentBatchSizeInKg(STEP), 100);  // the Charge's default amount
    EXPECT_DOUBLE_EQ(query.getOriginalBatchSizeInKg(STEP), 100);
    EXPECT_DOUBLE_EQ(query.getCurrentKeyInputBatchSizeInKg(STEP), 100);
    EXPECT_DOUBLE_EQ(query.getMaxBatchSizeInKg(STEP), 400);      // 100 l in a 400 l vessel
    EXPECT_DOUBLE_EQ(query.getMinBatchSizeInKg(STEP), 20);       // 20 l minimum
    EXPECT_EQ(query.getEquipmentIDS(STEP), (Array<long>{REACTOR}));
    // A step never simulated answers nothing.
    EXPECT_EQ(query.getCurrentBatchSizeInKg(4711), 1e35);
    EXPECT_EQ(query.getCycleTime(4711), 1e35);
    EXPECT_TRUE(query.getEquipmentIDS(4711).IsEmpty());
}

TEST_F(EngineFixture, RunOptionWithoutResultsDatabaseWritesNoFile)
{
    OpenParallelStep();
    EngineEntry engine;
    engine.setRunOptions(1, 0, 1, 1);
    EXPECT_EQ(engine.simulateBatch(nullptr, STEP), SIMULATION_COMPLETED);
    EXPECT_FALSE(QFile::exists(ResultsPath()));
    EXPECT_EQ(engine.getCycleTime(STEP), 1e35);
}

TEST_F(EngineFixture, ResultsOpenInTheDatabaseShell)
{
    OpenParallelStep();
    EngineEntry engine;
    ASSERT_EQ(engine.simulateBatch(nullptr, STEP), SIMULATION_COMPLETED);
    QProcess shell;
    shell.start("sqlite3", {ResultsPath(), "SELECT count(*) FROM OperationSchedule"});
    ASSERT_TRUE(shell.waitForFinished(10000));
    EXPECT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().toStdString();
    EXPECT_EQ(shell.readAllStandardOutput().trimmed(), "5");
}

TEST_F(EngineFixture, OperationsNotBuiltYetAnswerFailure)
{
    OpenParallelStep();
    EngineEntry engine;
    EXPECT_EQ(engine.simulatePlan(nullptr, 1, false), SIMULATION_FAILED);
    EXPECT_EQ(engine.designStep(nullptr, STEP, 1, "kg", 1, "h", {}), 0);
    EXPECT_EQ(engine.scaleUpToNTimesCurrentBatchSize(nullptr, STEP, 2), 0);
    EXPECT_EQ(engine.scaleUpToMaxBatchSize(nullptr, STEP), 0);
    EXPECT_EQ(engine.undoPrevScaling(nullptr, STEP), 0);
    EXPECT_TRUE(engine.getScaledOperations(STEP).IsEmpty());
    EXPECT_TRUE(EngineModuleReady());
}
