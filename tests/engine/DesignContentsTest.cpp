// A design sizes each vessel by what it holds: a generated step whose only figures are its charges
// (no volume stated anywhere) needs, in the vessel it charges, the charges' volume by their
// densities (1000 kg/m3 where a material has none, with one warning for it), and as much in the
// vessel its transfer fills.

#include "EngineFixture.h"
#include "SeriesTransitions.h"

#include "foundation/common/Array.h"
#include "foundation/db/connection/SharedDatabases.h"
#include "simulation/DesignAnswer.h"
#include "simulation/RunOutcome.h"

#include <QSqlQuery>

namespace {

constexpr long CONTENTS_STEP = 41;
constexpr long SOLVENT = 901, SOLID = 902; // 800 kg/m3, no density
constexpr long FIRST_VESSEL = 521, SECOND_VESSEL = 522;
constexpr double SOLVENT_KG = 400, SOLID_KG = 300;

RecipeLineSpec ChargeOf(long materialID, double kg)
{
    RecipeLineSpec charge = OperationLine(4);
    charge.parameters = {{OperationField::Amount, kg, "kg"}};
    charge.references = {{LibraryReferenceField::Material, materialID}};
    return charge;
}

class DesignContentsTest : public EngineFixture {
protected:
    void SetUp() override
    {
        StepSpec step;
        step.stepID = CONTENTS_STEP;
        step.name = "Charges only";
        step.version = "1.0";
        RecipeLineSpec age = OperationLine(1);
        age.parameters = {{OperationField::Duration, 30, "min"}};
        step.lines = {UnitLine("Mixing", FIRST_VESSEL),   ChargeOf(SOLVENT, SOLVENT_KG),
                      ChargeOf(SOLID, SOLID_KG),          OperationLine(7),
                      UnitLine("Holding", SECOND_VESSEL), age};
        ProjectSpec spec;
        spec.name = "ContentsTest";
        spec.plantName = "Plant";
        spec.steps = {step};
        spec.materials = {{SOLVENT, "Solvent", "Liquid", 80.0, {}, false, 800.0},
                          {SOLID, "Solid", "Solid", 150.0, {}}};
        spec.equipment = {{FIRST_VESSEL, "R-1", 1, "Reactor", 5000},
                          {SECOND_VESSEL, "R-2", 1, "Reactor", 5000}};
        Open(spec, true);
        ASSERT_FALSE(HasFatalFailure());
        WriteSeriesTransitions(*GetStepDatabase(CONTENTS_STEP), CONTENTS_STEP);
    }

    // Both vessels fixed, a design of twice the batch from the step's last run.
    void DesignFromTheRun(EngineEntry& engine);

    double Need(long equipmentID)
    {
        CDaoDatabase results;
        results.Open(ResultsPath(CONTENTS_STEP), DatabaseRole::ReadOnly);
        QSqlQuery query = results.Query("SELECT Need FROM DesignEquipment WHERE EquipmentBefore = ?",
                                        {qlonglong(equipmentID)});
        return query.next() ? query.value(0).toDouble() : -1;
    }
};

} // namespace

TEST_F(DesignContentsTest, EachVesselNeedsTheVolumeOfWhatItHolds)
{
    EngineEntry engine;
    ASSERT_EQ(engine.simulateBatch(nullptr, CONTENTS_STEP), SIMULATION_COMPLETED);
    ASSERT_NO_FATAL_FAILURE(DesignFromTheRun(engine));
    const double litres = SOLVENT_KG / 800.0 * 1000 + SOLID_KG / 1000.0 * 1000; // 500 + 300
    EXPECT_NEAR(Need(FIRST_VESSEL), 2 * litres, 1e-6);
    EXPECT_NEAR(Need(SECOND_VESSEL), 2 * litres, 1e-6) << "the transfer fills it";
}

// The solid without a density is warned of once, at its charge, though both vessels hold it: in
// the run's results and outcome line, and in the design's answer; the solvent with one is not.
TEST_F(DesignContentsTest, AMaterialWithoutADensityIsWarnedOfOnceInTheRunAndTheDesignAnswer)
{
    const QString warning = "Solid has no density: 1,000 kg/m3 assumed.";
    EngineEntry engine;
    ASSERT_EQ(engine.simulateBatch(nullptr, CONTENTS_STEP), SIMULATION_COMPLETED);
    QStringList densityRemarks;
    {
        CResultsDatabase results;
        ASSERT_TRUE(results.Open(ResultsPath(CONTENTS_STEP)));
        for (const ResultsRemark& remark : results.AllRemarks())
            if (remark.messageID == 1009)
                densityRemarks << remark.type + ": " + remark.text;
        ASSERT_EQ(densityRemarks, QStringList{"Warning: " + warning});
        EXPECT_EQ(CountRemarks(results).warnings, 1);
    }
    const QString outcome = RunOutcomeText("Simulate Batch", SummaryKind::Step, CONTENTS_STEP, SIMULATION_COMPLETED);
    EXPECT_TRUE(outcome.endsWith("; 0 errors, 1 warning.")) << outcome.toStdString();
    ASSERT_NO_FATAL_FAILURE(DesignFromTheRun(engine));
    const QStringList answer = DesignAnswerText(CONTENTS_STEP).split('\n');
    EXPECT_EQ(answer.filter("Remark: "), QStringList{"Remark: " + warning}) << answer.join('|').toStdString();
}

void DesignContentsTest::DesignFromTheRun(EngineEntry& engine)
{
    Edit("INSERT INTO DesignSpecifications (StepID, FacilityID, Heuristic) VALUES (?, ?, 'Largest vessels "
         "first')",
         {qlonglong(CONTENTS_STEP), qlonglong(CProjectGenerator::PLANT_ID)}, CONTENTS_STEP);
    const double batchKg = engine.getCurrentBatchSizeInKg(CONTENTS_STEP);
    ASSERT_NEAR(batchKg, SOLVENT_KG + SOLID_KG, 1e-6);
    // Ten batches in the horizon at twice the batch: a factor of 2.
    const double horizon = 10.5 * engine.getCycleTime(CONTENTS_STEP);
    Array<long> fixed;
    fixed.Add(FIRST_VESSEL);
    fixed.Add(SECOND_VESSEL);
    ASSERT_EQ(EngineEntry().designStep(nullptr, CONTENTS_STEP, 20 * batchKg, "kg", horizon, "s", fixed),
              SIMULATION_COMPLETED);
}
