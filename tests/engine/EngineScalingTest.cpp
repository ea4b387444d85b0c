#include "ScalingFixture.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/SharedDatabases.h"

#include <QSqlQuery>
#include <cmath>
#include <functional>

namespace {

void ExpectNear(double actual, double expected)
{
    EXPECT_NEAR(actual, expected, std::abs(expected) * 1e-12) << actual << " vs " << expected;
}

void KeepSecondCharge(long operationID)
{
    GetStepDatabase(STEP)->Execute("INSERT INTO ScaleInvariantOperation (Position, OperationID, Text) VALUES (1, ?, 'x')",
                                   {qlonglong(operationID)});
}

} // namespace

TEST_F(ScalingFixture, TwoTimesDoublesValuesAndRangesButTheKeptOperationAndUndoRestores)
{
    OpenScalingStep();
    KeepSecondCharge(Line(3));
    Edit("UPDATE Operation SET RangeText = 'stale' WHERE OperationID = ?", {qlonglong(Line(2))});
    EngineEntry engine;
    ASSERT_EQ(engine.scaleUpToNTimesCurrentBatchSize(&status, STEP, 2), 1);
    ASSERT_EQ(engine.writeScaleUpResults(&status, STEP), 1);
    EXPECT_EQ(engine.getScaledOperations(STEP), (Array<long>{Line(2), Line(5)}));
    EXPECT_DOUBLE_EQ(Stored(2, OperationField::Amount), 200);
    EXPECT_DOUBLE_EQ(Stored(2, OperationField::Volume), 200);
    EXPECT_DOUBLE_EQ(Stored(3, OperationField::Amount), 50); // kept
    EXPECT_DOUBLE_EQ(Stored(5, OperationField::Volume), 160);
    EXPECT_EQ(Range(2), qMakePair(180.0, 220.0));
    QSqlQuery text = GetStepDatabase(STEP)->Query("SELECT RangeText FROM Operation WHERE OperationID = ?",
                                                  {qlonglong(Line(2))});
    ASSERT_TRUE(text.next());
    EXPECT_EQ(text.value(0).toString(), "Amount 180 kg to 220 kg");
    EXPECT_DOUBLE_EQ(StepColumn("ScaleFactor").toDouble(), 2);
    EXPECT_DOUBLE_EQ(StepColumn("BatchSize").toDouble(), 10); // kmol of the key output
    EXPECT_DOUBLE_EQ(StepColumn("OriginalBatchSize").toDouble(), 5);
    // Until the step runs again the sizes are those the scaling left.
    EngineEntry query;
    EXPECT_DOUBLE_EQ(query.getCurrentBatchSizeInKg(STEP), 500);
    EXPECT_DOUBLE_EQ(query.getCurrentKeyInputBatchSizeInKg(STEP), 200);
    EXPECT_DOUBLE_EQ(query.getOriginalBatchSizeInKg(STEP), 250);

    EngineEntry undo;
    ASSERT_EQ(undo.undoPrevScaling(&status, STEP), 1);
    ASSERT_EQ(undo.writeScaleUpResults(&status, STEP), 1);
    EXPECT_EQ(undo.getScaledOperations(STEP), (Array<long>{Line(2), Line(5)}));
    ExpectNear(Stored(2, OperationField::Amount), 100);
    ExpectNear(Stored(5, OperationField::Volume), 80);
    ExpectNear(Range(2).second, 110);
    EXPECT_DOUBLE_EQ(Stored(3, OperationField::Amount), 50);
    ExpectNear(StepColumn("ScaleFactor").toDouble(), 1);
    ExpectNear(query.getCurrentBatchSizeInKg(STEP), 250);
    EXPECT_EQ(undo.undoPrevScaling(&status, STEP), 0);
    EXPECT_EQ(status.texts.last(), "There is no previous scaling to undo.");
}

TEST_F(ScalingFixture, TwiceTwoWithoutARunIsFourAndARunAnswersItsResults)
{
    OpenScalingStep();
    EngineEntry engine;
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(engine.scaleUpToNTimesCurrentBatchSize(&status, STEP, 2), 1);
        ASSERT_EQ(engine.writeScaleUpResults(&status, STEP), 1);
    }
    EXPECT_DOUBLE_EQ(engine.getCurrentBatchSizeInKg(STEP), 1000);
    EXPECT_DOUBLE_EQ(Stored(3, OperationField::Amount), 200);
    EXPECT_DOUBLE_EQ(StepColumn("ScaleFactor").toDouble(), 4);
    EXPECT_DOUBLE_EQ(StepColumn("OriginalBatchSize").toDouble(), 5);
    EXPECT_DOUBLE_EQ(engine.getOriginalBatchSizeInKg(STEP), 250);
    ASSERT_EQ(engine.simulateBatch(nullptr, STEP), SIMULATION_COMPLETED);
    EXPECT_DOUBLE_EQ(engine.getCurrentBatchSizeInKg(STEP), 1000); // from the results now
    ASSERT_EQ(engine.scaleUpToOriginalScale(&status, STEP), 1);
    ASSERT_EQ(engine.writeScaleUpResults(&status, STEP), 1);
    EXPECT_DOUBLE_EQ(engine.getCurrentBatchSizeInKg(STEP), 250);
}

struct TargetCase {
    const char* name;
    std::function<int(EngineEntry&, ISimStatus*)> scale;
    double expectedKg; // batch size after the scaling
};

class ScalingTargetTest : public ScalingFixture, public ::testing::WithParamInterface<TargetCase> {};

TEST_P(ScalingTargetTest, ScalesTheBatchToTheTarget)
{
    OpenScalingStep();
    GetSharedEquipmentDB()->Execute("UPDATE ActualEquipmentCommon SET MinimumVolume = CASE ActualEquipmentID "
                                    "WHEN ? THEN 0.2 WHEN ? THEN 0.04 END, MinimumVolumeUOM = 'Cubic m'",
                                    {qlonglong(REACTOR), qlonglong(TANK)});
    ASSERT_EQ(EngineEntry().simulateBatch(nullptr, STEP), SIMULATION_COMPLETED); // with the minimum volumes
    EngineEntry engine;
    ASSERT_EQ(GetParam().scale(engine, &status), 1) << status.texts.join("|").toStdString();
    ASSERT_EQ(engine.writeScaleUpResults(&status, STEP), 1);
    EXPECT_NEAR(engine.getCurrentBatchSizeInKg(STEP), GetParam().expectedKg, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ScalingTargetTest,
    ::testing::Values(
        TargetCase{"Original", [](EngineEntry& e, ISimStatus* s) { return e.scaleUpToOriginalScale(s, STEP); }, 250},
        // 100 kg (100 l at 1000 kg/m3) in the 500 l tank limits: x5.
        TargetCase{"Maximum", [](EngineEntry& e, ISimStatus* s) { return e.scaleUpToMaxBatchSize(s, STEP); }, 1250},
        TargetCase{"Reactor", [](EngineEntry& e, ISimStatus* s) { return e.scaleUpToSpecificEquipmentUnit(s, STEP, REACTOR); },
                   2500},
        TargetCase{"KeyOutputKg",
                   [](EngineEntry& e, ISimStatus* s) { return e.scaleUpToSpecifiedBatchSize(s, STEP, 500, "kg"); }, 500},
        // 1 kmole of a product of molecular weight 50 is 50 kg.
        TargetCase{"KeyOutputKmole",
                   [](EngineEntry& e, ISimStatus* s) { return e.scaleUpToSpecifiedBatchSize(s, STEP, 1, "kmole"); }, 50},
        TargetCase{"KeyInput",
                   [](EngineEntry& e, ISimStatus* s) { return e.scaleUpToSpecifiedInputBatchSize(s, STEP, 300, "kg"); },
                   750},
        TargetCase{"Times", [](EngineEntry& e, ISimStatus* s) { return e.scaleUpToNTimesCurrentBatchSize(s, STEP, 3); },
                   750},
        // The reactor's 200 l minimum over the 100 l its first charge fills: x2.
        TargetCase{"Minimum", [](EngineEntry& e, ISimStatus* s) { return e.scaleUpToMinBatchSize(s, STEP); }, 500},
        TargetCase{"TankMinimum",
                   [](EngineEntry& e, ISimStatus* s) { return e.scaleUpToMinBatchSizeInSpecificEquipmentUnit(s, STEP, TANK); },
                   125}),
    [](const ::testing::TestParamInfo<TargetCase>& info) { return std::string(info.param.name); });

struct RefusalCase {
    const char* name;
    std::function<int(EngineEntry&, ISimStatus*)> scale;
    const char* reason;
};

class ScalingRefusalTest : public ScalingFixture, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(ScalingRefusalTest, AnswersZeroWithItsReasonAndWritesNothing)
{
    OpenScalingStep();
    EngineEntry engine;
    EXPECT_EQ(GetParam().scale(engine, &status), 0);
    ASSERT_FALSE(status.texts.isEmpty());
    EXPECT_EQ(status.texts.last(), GetParam().reason);
    EXPECT_EQ(engine.writeScaleUpResults(&status, STEP), 0);
    EXPECT_DOUBLE_EQ(Stored(2, OperationField::Amount), 100);
    EXPECT_TRUE(engine.getScaledOperations(STEP).IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Reasons, ScalingRefusalTest,
    ::testing::Values(
        RefusalCase{"Continuous",
                    [](EngineEntry& e, ISimStatus* s) { return e.scaleUpToSpecificEquipmentUnit(s, STEP, CONTINUOUS); },
                    "Continuous equipment does not limit the batch size."},
        RefusalCase{"Foreign",
                    [](EngineEntry& e, ISimStatus* s) { return e.scaleUpToMinBatchSizeInSpecificEquipmentUnit(s, STEP, FOREIGN); },
                    "The equipment unit is not used by this step."},
        RefusalCase{"UnknownUnit",
                    [](EngineEntry& e, ISimStatus* s) { return e.scaleUpToSpecifiedBatchSize(s, STEP, 5, "stone"); },
                    "Unknown unit of measure: stone"},
        RefusalCase{"Negative", [](EngineEntry& e, ISimStatus* s) { return e.scaleUpToNTimesCurrentBatchSize(s, STEP, -2); },
                    "The scale factor is not a positive number."},
        RefusalCase{"NotANumber",
                    [](EngineEntry& e, ISimStatus* s) { return e.scaleUpToNTimesCurrentBatchSize(s, STEP, std::nan("")); },
                    "The scale factor is not a positive number."},
        RefusalCase{"NoMinimumVolume", [](EngineEntry& e, ISimStatus* s) { return e.scaleUpToMinBatchSize(s, STEP); },
                    "Minimum batch size can not be calculated."},
        RefusalCase{"NothingToUndo", [](EngineEntry& e, ISimStatus* s) { return e.undoPrevScaling(s, STEP); },
                    "There is no previous scaling to undo."}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

TEST_F(ScalingFixture, AStepNeverSimulatedIsNotScaled)
{
    OpenScalingStep(false);
    EngineEntry engine;
    EXPECT_EQ(engine.scaleUpToNTimesCurrentBatchSize(&status, STEP, 2), 0);
    EXPECT_EQ(status.texts.last(), "The step has no batch size. Simulate it first.");
}

TEST_F(ScalingFixture, AFailedWriteRollsBackEverything)
{
    OpenScalingStep();
    FailStepUpdates();
    EngineEntry engine;
    ASSERT_EQ(engine.scaleUpToNTimesCurrentBatchSize(&status, STEP, 2), 1);
    EXPECT_THROW(engine.writeScaleUpResults(&status, STEP), CDaoException);
    EXPECT_DOUBLE_EQ(Stored(2, OperationField::Amount), 100);
    EXPECT_DOUBLE_EQ(engine.getCurrentBatchSizeInKg(STEP), 250);
    EXPECT_TRUE(engine.getScaledOperations(STEP).IsEmpty());
    EXPECT_EQ(engine.undoPrevScaling(&status, STEP), 0); // nothing was recorded
}

TEST_F(ScalingFixture, DatabaseRecordsScaleWithoutTheScaleFactorAndOneWritesNothing)
{
    OpenScalingStep();
    const QVariant scaleFactor = StepColumn("ScaleFactor");
    EngineEntry engine;
    ASSERT_EQ(engine.scaleUpDatabaseRecords(STEP, 2), 1);
    EXPECT_DOUBLE_EQ(Stored(2, OperationField::Amount), 200);
    EXPECT_EQ(StepColumn("ScaleFactor"), scaleFactor);
    EXPECT_DOUBLE_EQ(StepColumn("BatchSize").toDouble(), 10);
    ASSERT_EQ(engine.scaleUpDatabaseRecords(STEP, 1.0), 1);
    EXPECT_EQ(engine.getScaledOperations(STEP).GetSize(), 3);
    EXPECT_DOUBLE_EQ(Stored(2, OperationField::Amount), 200);
    EXPECT_EQ(engine.scaleUpDatabaseRecords(STEP, 0), 0);
    // The undo reverts it like any other scaling.
    ASSERT_EQ(engine.undoPrevScaling(&status, STEP), 1);
    ASSERT_EQ(engine.writeScaleUpResults(&status, STEP), 1);
    ExpectNear(Stored(2, OperationField::Amount), 100);
}
