// Design runs of the engine stand-in on a generated step: the vessel rules, fixed equipment, the
// facility against the whole catalogue, the cases it cannot size, iterations, cancel and options.

#include "EngineFixture.h"
#include "ScriptedPrompts.h"

#include "foundation/common/Array.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/SharedDatabases.h"

#include <QFile>
#include <QSqlQuery>

namespace {

constexpr long SMALL = 502, HUGE_ONE = 503, MIDDLE = 504, ELSEWHERE = 505, CENTRIFUGE = 601;

QByteArray DesignFileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QVariant ResultsValue(const QString& path, const QString& sql)
{
    CDaoDatabase results;
    results.Open(path, DatabaseRole::ReadOnly);
    QSqlQuery query = results.Query(sql);
    return query.next() ? query.value(0) : QVariant();
}

struct DesignSummaryValues {
    long batches;
    double factor;
    int iterations;
    int feasible;
};

class EngineDesignTest : public EngineFixture {
protected:
    // The parallel step (one Charge of 100 kg, 100 l; cycle 7500 s) on R-101 (1000 l) beside
    // vessels of its class in the facility, one in another facility, and a centrifuge.
    void SetUp() override
    {
        ProjectSpec spec;
        spec.name = "DesignTest";
        spec.plantName = "Plant";
        StepSpec step = ParallelStepSpec(STEP);
        step.keyOutputID = 1;
        spec.steps = {step};
        spec.materials = {{1, "Amide", "Solid", 200.0, {}}};
        spec.equipment = {
            {REACTOR, "R-101", 1, "Reactor", 1000},   {SMALL, "R-102", 1, "Reactor", 470},
            {HUGE_ONE, "R-103", 1, "Reactor", 3000},  {MIDDLE, "R-104", 1, "Reactor", 600},
            {ELSEWHERE, "R-105", 1, "Reactor", 5000}, {CENTRIFUGE, "C-201", 2, "Centrifuge", 9000}};
        Open(spec);
        WriteParallelTransitions(STEP);
        EquipmentEdit("UPDATE ActualEquipmentCommon SET PlantID = 100 WHERE ActualEquipmentID = ?",
                      {qlonglong(ELSEWHERE)});
    }

    void EquipmentEdit(const QString& sql, const QVariantList& values)
    {
        CDaoDatabase equipment;
        equipment.Open(app.fileSet().equipmentDBPath, DatabaseRole::ReadWrite);
        equipment.Execute(sql, values);
        equipment.Close();
        CloseSharedEquipmentDB();
    }

    void Simulate()
    {
        EngineEntry engine;
        ASSERT_EQ(engine.simulateBatch(nullptr, STEP), SIMULATION_COMPLETED);
    }

    void Specify(long facilityID, const QString& heuristic)
    {
        Edit("INSERT OR REPLACE INTO DesignSpecifications (StepID, FacilityID, Heuristic) VALUES (?, ?, ?)",
             {qlonglong(STEP), qlonglong(facilityID), heuristic});
    }

    // Amount for factor f at ten batches in 75000 s.
    int Design(double factor, const QList<long>& fixed = {}, int iterations = 5,
               RecordingStatus* status = nullptr, const QString& horizonUnit = "s")
    {
        EngineEntry engine;
        engine.setDesignOptions(1, 1, 1, iterations);
        Array<long> list;
        for (long id : fixed)
            list.Add(id);
        return engine.designStep(status, STEP, 1000.0 * factor, "kg", 75000, horizonUnit, list);
    }

    QVariant Value(const QString& sql) { return ResultsValue(ResultsPath(), sql); }

    DesignSummaryValues Summary()
    {
        return {long(Value("SELECT NumberOfBatches FROM DesignSummary").toLongLong()),
                Value("SELECT ScaleFactor FROM DesignSummary").toDouble(),
                Value("SELECT Iterations FROM DesignSummary").toInt(),
                Value("SELECT Feasible FROM DesignSummary").toInt()};
    }

    long ReactorAfter() { return long(Value("SELECT EquipmentAfter FROM DesignEquipment").toLongLong()); }

    QString DesignRemarks()
    {
        return Value("SELECT group_concat(MessageID || ' ' || Type, ', ') FROM SimulationRemark WHERE "
                     "OperationID = 0")
            .toString();
    }
};

} // namespace

TEST_F(EngineDesignTest, EachRuleChoosesAmongTheVesselsOfTheClass)
{
    Simulate();
    const struct {
        const char* heuristic;
        long chosen;
        double factor;
        int feasible;
    } cases[] = {
        {"Largest vessels first", HUGE_ONE, 5, 1},
        {"smallest VESSELS first", MIDDLE, 5, 1},
        {"Closest vessels first", SMALL, 4.7, 0}, // 470 l is 30 l short of 500 l: the factor is capped
        {"", HUGE_ONE, 5, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.heuristic);
        Specify(CProjectGenerator::PLANT_ID, c.heuristic);
        ASSERT_EQ(Design(5), SIMULATION_COMPLETED);
        EXPECT_EQ(ReactorAfter(), c.chosen);
        const DesignSummaryValues summary = Summary();
        EXPECT_EQ(summary.batches, 10);
        EXPECT_DOUBLE_EQ(summary.factor, c.factor);
        EXPECT_EQ(summary.feasible, c.feasible);
        EXPECT_DOUBLE_EQ(Value("SELECT Need FROM DesignEquipment").toDouble(), 100 * c.factor);
        EXPECT_EQ(Value("SELECT EquipmentBefore || ' ' || Fixed FROM DesignEquipment").toString(), "501 0");
    }
}

TEST_F(EngineDesignTest, FixedEquipmentStaysAndCapsTheFactor)
{
    Simulate();
    Specify(CProjectGenerator::PLANT_ID, "Largest vessels first");
    ASSERT_EQ(Design(15, {REACTOR}), SIMULATION_COMPLETED);
    EXPECT_EQ(ReactorAfter(), REACTOR);
    EXPECT_EQ(Value("SELECT Fixed FROM DesignEquipment").toInt(), 1);
    const DesignSummaryValues summary = Summary();
    EXPECT_DOUBLE_EQ(summary.factor, 10); // 1000 l / 100 l
    EXPECT_EQ(summary.feasible, 0);
    EXPECT_DOUBLE_EQ(Value("SELECT BatchSize FROM DesignSummary").toDouble(), 1000);
}

TEST_F(EngineDesignTest, TheCatalogueOffersEveryFacility)
{
    Simulate();
    for (const auto& [facility, chosen] :
         {std::pair{CProjectGenerator::PLANT_ID, HUGE_ONE}, std::pair{0L, ELSEWHERE}}) {
        Specify(facility, "Largest vessels first");
        ASSERT_EQ(Design(5), SIMULATION_COMPLETED);
        EXPECT_EQ(ReactorAfter(), chosen) << facility;
        EXPECT_EQ(Value("SELECT FacilityID FROM DesignSummary").toLongLong(), facility);
    }
}

TEST_F(EngineDesignTest, StepsItCannotSizeAreInfeasibleWithAnError)
{
    const struct {
        const char* name;
        double amount;
        const char* amountUnit;
        double horizon;
        const char* horizonUnit;
        long keyOutput;
        long remark;
    } cases[] = {
        {"amount 0", 0, "kg", 75000, "s", 1, 1011},
        {"horizon below 0", 5000, "kg", -1, "s", 1, 1011},
        {"shorter than a cycle", 5000, "kg", 2, "h", 1, 1012},
        {"unknown unit", 5000, "parsec", 75000, "s", 1, 1013},
        {"a mass as horizon", 5000, "kg", 75000, "kg", 1, 1013},
        {"molar without weight", 25, "kmol", 75000, "s", -1, 1014},
    };
    Simulate();
    Specify(CProjectGenerator::PLANT_ID, "Largest vessels first");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Edit("UPDATE Step SET KeyOutputIntermediateID = ?", {qlonglong(c.keyOutput)});
        EngineEntry engine;
        Array<long> none;
        ASSERT_EQ(engine.designStep(nullptr, STEP, c.amount, c.amountUnit, c.horizon, c.horizonUnit, none),
                  SIMULATION_COMPLETED);
        EXPECT_EQ(Summary().feasible, 0);
        EXPECT_EQ(DesignRemarks(), QString("%1 Error").arg(c.remark));
        EXPECT_EQ(Value("SELECT count(*) FROM DesignEquipment").toInt(), 0);
    }
}

TEST_F(EngineDesignTest, MolarAmountGoesThroughTheKeyOutputWeight)
{
    Simulate();
    Specify(CProjectGenerator::PLANT_ID, "Largest vessels first");
    EngineEntry engine;
    Array<long> none;
    ASSERT_EQ(engine.designStep(nullptr, STEP, 25, "kmol", 75000, "s", none), SIMULATION_COMPLETED);
    EXPECT_DOUBLE_EQ(Value("SELECT Amount FROM DesignSummary").toDouble(), 5000); // 25 kmol x 200
    EXPECT_DOUBLE_EQ(Summary().factor, 5);
}

TEST_F(EngineDesignTest, AStepNeverSimulatedHasNoBatchResults)
{
    Specify(CProjectGenerator::PLANT_ID, "Largest vessels first");
    ASSERT_EQ(Design(5), SIMULATION_COMPLETED);
    EXPECT_EQ(Summary().feasible, 0);
    EXPECT_EQ(DesignRemarks(), "1015 Error");
}

TEST_F(EngineDesignTest, IterationsRepeatWithTheCappedFactor)
{
    Simulate();
    Specify(CProjectGenerator::PLANT_ID, "Closest vessels first");
    for (const auto& [allowed, done] : {std::pair{1, 1}, std::pair{5, 2}, std::pair{0, 1}}) {
        RecordingStatus status;
        ASSERT_EQ(Design(5, {}, allowed, &status), SIMULATION_COMPLETED);
        EXPECT_EQ(Summary().iterations, done) << allowed;
        EXPECT_DOUBLE_EQ(Summary().factor, 4.7);
        EXPECT_EQ(status.texts.size(), done);
        EXPECT_EQ(status.texts.first(), "Design iteration 1");
    }
}

TEST_F(EngineDesignTest, CancelWritesNothingAndTheBatchRowsStay)
{
    Simulate();
    Specify(CProjectGenerator::PLANT_ID, "Largest vessels first");
    EngineEntry other;
    const double batch = other.getCurrentBatchSizeInKg(STEP);
    const QList<ResultsScheduleRow> schedule = Schedule();
    const QByteArray before = DesignFileBytes(ResultsPath());
    RecordingStatus status;
    status.stopAtText = 1;
    EXPECT_EQ(Design(5, {}, 5, &status), SIMULATION_CANCELLED);
    EXPECT_EQ(DesignFileBytes(ResultsPath()), before);

    ASSERT_EQ(Design(5), SIMULATION_COMPLETED);
    EXPECT_NE(DesignFileBytes(ResultsPath()), before);
    EXPECT_DOUBLE_EQ(other.getCurrentBatchSizeInKg(STEP), batch);
    EXPECT_EQ(Schedule().size(), schedule.size());
    EXPECT_EQ(other.getEquipmentIDS(STEP).GetSize(), 1);
    EXPECT_EQ(Value("SELECT count(*) FROM SimulationRemark WHERE OperationID <> 0").toInt(),
              Value("SELECT count(*) FROM SimulationRemark").toInt()); // no design remark: feasible
    // A later batch run writes the file without the design.
    Simulate();
    EXPECT_EQ(Value("SELECT count(*) FROM DesignSummary").toInt(), 0);
}

TEST_F(EngineDesignTest, OptionsSwitchTheMinimumVolumeCheckAndTheResultsFile)
{
    Simulate();
    Specify(CProjectGenerator::PLANT_ID, "Largest vessels first");
    EquipmentEdit("UPDATE ActualEquipmentCommon SET MinimumVolume = 800, MinimumVolumeUOM = 'liter' "
                  "WHERE ActualEquipmentID = ?",
                  {qlonglong(HUGE_ONE)});
    Array<long> none;
    for (const auto& [underFlow, remarks] : {std::pair{1, "1017 Warning"}, std::pair{0, ""}}) {
        EngineEntry engine;
        engine.setDesignOptions(1, 1, underFlow, 5);
        ASSERT_EQ(engine.designStep(nullptr, STEP, 5000, "kg", 75000, "s", none), SIMULATION_COMPLETED);
        EXPECT_EQ(DesignRemarks(), remarks);
    }
    const QByteArray before = DesignFileBytes(ResultsPath());
    EngineEntry engine;
    engine.setDesignOptions(0, 1, 1, 5);
    EXPECT_EQ(engine.designStep(nullptr, STEP, 9000, "kg", 75000, "s", none), SIMULATION_COMPLETED);
    EXPECT_EQ(DesignFileBytes(ResultsPath()), before);
}

TEST_F(EngineDesignTest, AResultsFileThatDoesNotReadIsLeftAsItIs)
{
    Specify(CProjectGenerator::PLANT_ID, "Largest vessels first");
    {
        QFile file(ResultsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a results database");
    }
    ScriptedPromptService prompts;
    prompts.expect(IDOK);
    EXPECT_EQ(Design(5), SIMULATION_FAILED);
    EXPECT_EQ(DesignFileBytes(ResultsPath()), "not a results database");
    EXPECT_EQ(prompts.texts(), QStringList{"The results of step Step 11 (1.0) cannot be read: the file is not a "
                                           "results database. Run the simulation again."});
}
