// The sample checked as a user would, through the real engine and planning code: its batches fit
// their vessels, a batch is no more than its charges, the Weekly plan's batch counts are the ones
// worked by hand below, more product needs no fewer batches, scaling doubles, a conversion of 0.9
// makes 90 % of the product, and every screen shows a step's batch size as the same figure.

#include "BookedPlan.h"
#include "SampleFixture.h"

#include "foundation/common/Array.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "foundation/db/schema/ResultsDatabase.h"
#include "modules/engine/EngineEntry.h"
#include "planning/PlanReportFiles.h"
#include "planning/PlanRequirementRun.h"
#include "simulation/EngineEntryFactory.h"
#include "simulation/PlanRequirementCalculator.h"
#include "simulation/RunOutcome.h"
#include "simulation/ScaleUpDialog.h"

#include <QFile>
#include <QLabel>
#include <QMap>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QtEndian>
#include <cmath>

namespace {

constexpr long CAPACITY_REMARK = 1002;

const QList<long> SAMPLE_STEPS = {SAMPLE_COUPLING, SAMPLE_CRYSTALLIZATION, SAMPLE_DRYING,
                                  SAMPLE_SALT_FORMATION, SAMPLE_MILLING};

// The sample's recipe, by hand: what each step charges of its key input (kg), its conversion and
// the molecular weights.
constexpr double ANILINE_KG = 186, AMIDE_FOR_CRYSTALLIZATION_KG = 100, CRUDE_FOR_DRYING_KG = 90,
                 SALT_FOR_MILLING_KG = 100;
constexpr double ACYLATION = 0.95, CRYSTALLIZATION = 0.9, DRYING = 0.97, MILLING = 0.99;
constexpr double MW_ANILINE = 93.13, MW_AMIDE = 135.17;

QString ReportText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    QString text;
    for (qsizetype i = 2; i + 1 < bytes.size(); i += 2)
        text.append(QChar(qFromLittleEndian<quint16>(bytes.constData() + i)));
    return text;
}

} // namespace

class SamplePlausibilityTest : public SampleFixture {
protected:
    void SetUp() override
    {
        SampleFixture::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        installed.Install<EngineFactory>(&factory);
    }
    void RunBatch(long stepID)
    {
        EngineEntry engine;
        ASSERT_TRUE(SimulateRequiredBatch(engine, stepID)) << stepID;
    }
    double ChargedKg(long stepID) const
    {
        return StepValue(stepID,
                         "SELECT sum(f.DoubleValue) FROM TblFieldData f JOIN TblGroupData g ON g.GroupID = "
                         "f.GroupID JOIN Operation o ON o.OperationID = g.OperationID WHERE "
                         "o.OperationTypeID = 4 AND f.FieldTypeID = 100002")
            .toDouble();
    }
    QList<long> Remarks(long stepID) const
    {
        CResultsDatabase results;
        QList<long> ids;
        if (results.Open(ResultsFilePath(folder, StepResultsFileName(stepID))))
            for (const ResultsRemark& remark : results.AllRemarks())
                ids << remark.messageID;
        return ids;
    }
    QStringList SummaryRows() const
    {
        QStringList rows;
        QSqlQuery query = app.fileSet().projectDatabase->Query(
            "SELECT StepID || '=' || NumberOfBatches FROM PlanSummary WHERE PlanID = 1 ORDER BY RowKey");
        while (query.next())
            rows << query.value(0).toString();
        return rows;
    }

    CEngineEntryFactory factory;
    ServiceInstallations installed;
};

// Untouched, every step runs without a capacity remark or a warning, within its vessels and its
// charges, and leaves the batch size the sample ships with.
TEST_F(SamplePlausibilityTest, EachStepFitsItsVesselsAndCharges)
{
    for (long stepID : SAMPLE_STEPS) {
        const double shipped = StepValue(stepID, "SELECT BatchSize FROM Step").toDouble();
        RunBatch(stepID);
        EngineEntry query;
        const double kg = query.getCurrentBatchSizeInKg(stepID);
        EXPECT_FALSE(Remarks(stepID).contains(CAPACITY_REMARK)) << stepID;
        const QString outcome = RunOutcomeText("Simulate Batch", SummaryKind::Step, stepID, SIMULATION_COMPLETED);
        EXPECT_TRUE(outcome.endsWith(", 0 warnings.")) << outcome.toStdString(); // every density is known
        EXPECT_GT(kg, 0) << stepID;
        EXPECT_LE(kg, ChargedKg(stepID)) << stepID;
        EXPECT_GE(query.getMaxBatchSizeInKg(stepID), kg) << stepID;
        EXPECT_LT(query.getMaxBatchSizeInKg(stepID), 1e35) << stepID;
        EXPECT_NEAR(StepValue(stepID, "SELECT BatchSize FROM Step").toDouble(), shipped, 1e-9) << stepID;
        EXPECT_NEAR(kg, shipped * StepValue(stepID, "SELECT BatchSizeMW FROM Step").toDouble(), 1e-6)
            << stepID;
    }
}

// 500 kg of Amidol: drying makes 0.97 x 90 kg a batch; each drying batch takes one crystallisation
// batch (90 kg crude from 100 kg amide); the coupling makes 0.95 x 186 / 93.13 kmol of amide. The
// counts 3, 6, 6 run as 3 cycles of 1, 2, 2 and stay whole in the summary; 150 kg of the milled
// salt at 0.99 x 100 kg is 2.
TEST_F(SamplePlausibilityTest, WeeklyPlanBatchCountsAreTheHandWorkedOnes)
{
    const int drying = int(std::ceil(500 / (DRYING * CRUDE_FOR_DRYING_KG)));
    const double crudeNeeded = drying * (DRYING * CRUDE_FOR_DRYING_KG) / DRYING; // product factor 1 / 0.97
    const int crystallization = int(std::ceil(crudeNeeded / (CRYSTALLIZATION * AMIDE_FOR_CRYSTALLIZATION_KG) -
                                              1e-6)); // the calculation's tolerance
    const double amideNeeded =
        crystallization * (CRYSTALLIZATION * AMIDE_FOR_CRYSTALLIZATION_KG) / CRYSTALLIZATION;
    const int coupling = int(std::ceil(amideNeeded / (ACYLATION * ANILINE_KG / MW_ANILINE * MW_AMIDE)));
    const int milling = int(std::ceil(150 / (MILLING * SALT_FOR_MILLING_KG)));
    ASSERT_EQ(QList<int>({coupling, crystallization, drying, milling}), QList<int>({3, 6, 6, 2}));
    ASSERT_TRUE(RunPlanRequirements(SAMPLE_WEEKLY_PLAN, nullptr, false));
    EXPECT_EQ(SummaryRows(), QStringList({"1001=3", "1002=6", "1003=6", "1005=2"}));
    EXPECT_EQ(ProjectValue("SELECT count(*) FROM ProductionPlanDetail WHERE PlanID = 1").toInt(),
              coupling + crystallization + drying + milling);
    EXPECT_TRUE(prompts.texts().isEmpty()) << prompts.texts().join('\n').toStdString();
}

// The Weekly plan run untouched, as its planner reads it: each vessel holds one batch at a time,
// a crystallisation starts once the coupling has made the amide it charges and a drying once the
// crystallisation has made its crude, and the factor report plans what the run schedules, at least
// the 500 kg asked.
TEST_F(SamplePlausibilityTest, WeeklyPlanRunsAsAPlantCouldAndItsReportAgrees)
{
    ASSERT_TRUE(RunPlanRequirements(SAMPLE_WEEKLY_PLAN, nullptr, false));
    ASSERT_EQ(EngineEntry().simulatePlan(nullptr, SAMPLE_WEEKLY_PLAN, false), SIMULATION_COMPLETED);
    CResultsDatabase results;
    ASSERT_TRUE(results.Open(ResultsFilePath(folder, PlanResultsFileName(SAMPLE_WEEKLY_PLAN))));
    const BookedPlan plan(results.PlanSchedule(), results.VesselHolds());
    plan.ExpectOneBatchPerVessel();
    plan.ExpectFedBeforeStart(SAMPLE_CRYSTALLIZATION, AMIDE_FOR_CRYSTALLIZATION_KG, SAMPLE_COUPLING,
                              ACYLATION * ANILINE_KG / MW_ANILINE * MW_AMIDE);
    plan.ExpectFedBeforeStart(SAMPLE_DRYING, CRUDE_FOR_DRYING_KG, SAMPLE_CRYSTALLIZATION,
                              CRYSTALLIZATION * AMIDE_FOR_CRYSTALLIZATION_KG);

    const QStringList report = ReportText(folder + PlanFactorFileName(SAMPLE_WEEKLY_PLAN)).split("\r\n");
    for (long step : {SAMPLE_COUPLING, SAMPLE_CRYSTALLIZATION, SAMPLE_DRYING, SAMPLE_MILLING}) {
        const QString name =
            ProjectValue("SELECT StepName FROM ProjectStep WHERE StepID = ?", {qlonglong(step)}).toString();
        const qsizetype at = report.indexOf("      Step: " + name);
        ASSERT_GE(at, 0) << step;
        EXPECT_EQ(report.at(at + 2), QStringLiteral("        %1 batches").arg(plan.Count(step))) << step;
    }
    const qsizetype drying = report.indexOf("      Step: Drying");
    const QString dried = report.at(drying + 4).simplified(); // "Key Output: Amidol 1 <kg> kg"
    ASSERT_TRUE(dried.startsWith("Key Output: ")) << dried.toStdString();
    EXPECT_GE(dried.section(' ', -2, -2).toDouble(), 500.0) << dried.toStdString();
}

// Two overlapping batches of Crystallization: the second's transfer from R-102 into R-101 starts
// only once the first has left is the second's from that transfer's start on. The
// hold is kept beside the schedule, whose one row per operation stays.
TEST_F(SamplePlausibilityTest, ATransferWaitsForTheVesselItFillsAndHoldsIt)
{
    constexpr long R101 = 101;
    CDaoDatabase& project = *app.fileSet().projectDatabase;
    project.Execute("DELETE FROM ProductionPlanDetail WHERE PlanID = ?", {qlonglong(SAMPLE_WEEKLY_PLAN)});
    for (int batch = 0; batch < 2; ++batch)
        project.Execute("INSERT INTO ProductionPlanDetail (PlanID, StepID, Overlap, RequirementID) "
                        "VALUES (?, ?, 1, 0)",
                        {qlonglong(SAMPLE_WEEKLY_PLAN), qlonglong(SAMPLE_CRYSTALLIZATION)});
    const long transfer = StepValue(SAMPLE_CRYSTALLIZATION,
                                    "SELECT o.OperationID FROM Operation o JOIN UnitProcedure u ON "
                                    "u.UnitProcedureID = o.UnitProcedureID WHERE o.OperationTypeID = 7 AND "
                                    "u.UnitProcedureName = 'Dissolution in R-102'")
                              .toLongLong();
    ASSERT_GT(transfer, 0);
    ASSERT_EQ(EngineEntry().simulatePlan(nullptr, SAMPLE_WEEKLY_PLAN, false), SIMULATION_COMPLETED);
    CResultsDatabase results;
    ASSERT_TRUE(results.Open(ResultsFilePath(folder, PlanResultsFileName(SAMPLE_WEEKLY_PLAN))));
    const QList<ResultsScheduleRow> rows = results.PlanSchedule();
    double firstLeavesR101 = 0, secondFillsR101 = 1e35;
    for (const ResultsScheduleRow& row : rows) {
        if (row.batchNumber == 1 && row.equipmentID == R101)
            firstLeavesR101 = std::max(firstLeavesR101, row.end);
        if (row.batchNumber == 2 && row.operationID == transfer)
            secondFillsR101 = row.start;
    }
    ASSERT_GT(firstLeavesR101, 0);
    EXPECT_GE(secondFillsR101 + 1e-6, firstLeavesR101);
    EXPECT_EQ(std::count_if(rows.cbegin(), rows.cend(),
                            [&](const auto& row) { return row.operationID == transfer; }),
              2)
        << "one schedule row per transfer";

    const QList<ResultsVesselHold> holds = results.VesselHolds();
    const auto hold = std::find_if(holds.cbegin(), holds.cend(), [&](const ResultsVesselHold& h) {
        return h.batchNumber == 2 && h.operationID == transfer;
    });
    ASSERT_NE(hold, holds.cend());
    EXPECT_EQ(hold->equipmentID, R101);
    EXPECT_DOUBLE_EQ(hold->start, secondFillsR101);
    BookedPlan(rows, holds).ExpectOneBatchPerVessel();
}

// The Coupling's design sizes R-101 by what it holds: 800 kg of toluene (867 kg/m3), 186 kg of
// aniline (1022 kg/m3) and the 165 kg of acetyl chloride (1104 kg/m3) the reaction doses, about
// 1,250 l at the batch run's size (the reaction itself changes the volume by a few per cent); R-102,
// which the transfer fills, needs a volume too.
TEST_F(SamplePlausibilityTest, CouplingDesignNeedsTheVolumeOfItsCharges)
{
    RunBatch(SAMPLE_COUPLING);
    ASSERT_NEAR(ChargedKg(SAMPLE_COUPLING), 800 + ANILINE_KG, 1e-9);
    const double chargedLitres = (800 / 867.0 + ANILINE_KG / 1022.0 + 165 / 1104.0) * 1000;
    GetStepDatabase(SAMPLE_COUPLING)
        ->Execute("INSERT OR REPLACE INTO DesignSpecifications (StepID, FacilityID, Heuristic) VALUES (?, ?, "
                  "'Largest vessels first')",
                  {qlonglong(SAMPLE_COUPLING), qlonglong(CProjectGenerator::PLANT_ID)});
    Array<long> fixed;
    fixed.Add(101);
    fixed.Add(102);
    ASSERT_EQ(EngineEntry().designStep(nullptr, SAMPLE_COUPLING, 20000, "kg", 30, "day", fixed),
              SIMULATION_COMPLETED);
    CDaoDatabase results;
    results.Open(ResultsFilePath(folder, StepResultsFileName(SAMPLE_COUPLING)), DatabaseRole::ReadOnly);
    QSqlQuery summary = results.Query("SELECT ScaleFactor FROM DesignSummary");
    ASSERT_TRUE(summary.next());
    const double factor = summary.value(0).toDouble();
    QSqlQuery needs =
        results.Query("SELECT EquipmentBefore, Need FROM DesignEquipment ORDER BY UnitProcedureID");
    QMap<long, double> need;
    while (needs.next())
        need.insert(long(needs.value(0).toLongLong()), needs.value(1).toDouble());
    EXPECT_NEAR(need.value(101), chargedLitres * factor, 0.05 * chargedLitres * factor);
    EXPECT_GT(need.value(102), 0);
}

// A planner's own plan of the hydrochloride route, which ends with cleaning: Plan Sequence and
// Simulate Plan count the same batches, the cleaning one named in both.
TEST_F(SamplePlausibilityTest, PlanSequenceAndSimulatePlanCountTheSameBatches)
{
    constexpr long SPARE_PLAN = 2, HYDROCHLORIDE = 2;
    app.fileSet().projectDatabase->Execute(
        "INSERT INTO PlanRequirements (PlanID, StepOrProcessID, StepOrProcess, Quantity, QuantityUOM) VALUES "
        "(?, ?, 'process', 150, 'kg')",
        {qlonglong(SPARE_PLAN), qlonglong(HYDROCHLORIDE)});
    ASSERT_TRUE(RunPlanRequirements(SPARE_PLAN, nullptr, false));
    const QString sequence = PlanSequenceOutcomeText(SPARE_PLAN, true);
    ASSERT_EQ(EngineEntry().simulatePlan(nullptr, SPARE_PLAN, false), SIMULATION_COMPLETED);
    const QString simulated =
        RunOutcomeText("Simulate Plan", SummaryKind::Plan, SPARE_PLAN, SIMULATION_COMPLETED);
    const QRegularExpression count("completed; (\\d+ batches, 1 of them cleaning)");
    const QRegularExpressionMatch sequenced = count.match(sequence);
    ASSERT_TRUE(sequenced.hasMatch()) << sequence.toStdString();
    EXPECT_EQ(count.match(simulated).captured(1), sequenced.captured(1)) << simulated.toStdString();
    EXPECT_TRUE(simulated.endsWith(", 0 warnings.")) << simulated.toStdString();
}

TEST_F(SamplePlausibilityTest, MoreProductNeedsNoFewerBatches)
{
    int previous = 0;
    for (double kg : {100.0, 500.0, 1000.0, 5000.0}) {
        PlanRequirementCalculator calculator(SAMPLE_WEEKLY_PLAN, 0, "Production Plan");
        calculator.CalculateForProcess(1, kg, "kg");
        EXPECT_GE(calculator.GetTotalBatches(), previous) << kg;
        EXPECT_GT(calculator.GetTotalBatches(), 0) << kg;
        previous = calculator.GetTotalBatches();
    }
}

TEST_F(SamplePlausibilityTest, ScalingTwiceDoublesBatchAndKeyInput)
{
    RunBatch(SAMPLE_COUPLING);
    EngineEntry before;
    const double batch = before.getCurrentBatchSizeInKg(SAMPLE_COUPLING);
    const double keyInput = before.getCurrentKeyInputBatchSizeInKg(SAMPLE_COUPLING);
    EXPECT_NEAR(keyInput, ANILINE_KG, 1e-9);
    EngineEntry scaling;
    ASSERT_EQ(scaling.scaleUpToNTimesCurrentBatchSize(nullptr, SAMPLE_COUPLING, 2), 1);
    ASSERT_EQ(scaling.writeScaleUpResults(nullptr, SAMPLE_COUPLING), 1);
    RunBatch(SAMPLE_COUPLING);
    EngineEntry after;
    EXPECT_NEAR(after.getCurrentBatchSizeInKg(SAMPLE_COUPLING), 2 * batch, 1e-6);
    EXPECT_NEAR(after.getCurrentKeyInputBatchSizeInKg(SAMPLE_COUPLING), 2 * keyInput, 1e-6);
}

// The coupling charges 186 kg of aniline: the theoretical amide is 186 / 93.13 kmol.
TEST_F(SamplePlausibilityTest, AConversionOfNinetyPercentMakesNinetyPercent)
{
    {
        CDaoDatabase materials;
        materials.Open(app.fileSet().materialsDBPath, DatabaseRole::ReadWrite);
        materials.Execute("UPDATE ReactionTable SET Conversion = 0.9 WHERE ReactionDataSetID = 1");
    }
    RunBatch(SAMPLE_COUPLING);
    EXPECT_NEAR(EngineEntry().getCurrentBatchSizeInKg(SAMPLE_COUPLING),
                0.9 * ANILINE_KG / MW_ANILINE * MW_AMIDE, 1e-6);
    // 90 in percent reads the same.
    {
        CDaoDatabase materials;
        materials.Open(app.fileSet().materialsDBPath, DatabaseRole::ReadWrite);
        materials.Execute("UPDATE ReactionTable SET Conversion = 90 WHERE ReactionDataSetID = 1");
    }
    RunBatch(SAMPLE_COUPLING);
    EXPECT_NEAR(EngineEntry().getCurrentBatchSizeInKg(SAMPLE_COUPLING),
                0.9 * ANILINE_KG / MW_ANILINE * MW_AMIDE, 1e-6);
}

// The factor report, the step scaling dialog, the results and the step row give one figure.
TEST_F(SamplePlausibilityTest, EveryScreenShowsTheSameBatchSize)
{
    for (long stepID : SAMPLE_STEPS)
        RunBatch(stepID);
    ASSERT_TRUE(RunPlanRequirements(SAMPLE_WEEKLY_PLAN, nullptr, false));
    const QString report = ReportText(folder + PlanFactorFileName(SAMPLE_WEEKLY_PLAN));
    for (long stepID : {SAMPLE_COUPLING, SAMPLE_CRYSTALLIZATION, SAMPLE_DRYING, SAMPLE_MILLING}) {
        EngineEntry engine;
        const double kg = engine.getCurrentBatchSizeInKg(stepID);
        EXPECT_TRUE(report.contains(QString::asprintf("        Batch Size: %g kg\r\n", kg))) << stepID;
        CResultsDatabase results;
        ASSERT_TRUE(results.Open(ResultsFilePath(folder, StepResultsFileName(stepID))));
        EXPECT_DOUBLE_EQ(results.Summary().batchSize, kg);
        CScaleUpDialog dialog(stepID, -1,
                              {kg, engine.getOriginalBatchSizeInKg(stepID),
                               engine.getMaxBatchSizeInKg(stepID), engine.getMinBatchSizeInKg(stepID),
                               engine.getCurrentKeyInputBatchSizeInKg(stepID)});
        dialog.OnInitDialog();
        EXPECT_EQ(static_cast<QLabel*>(dialog.Control(1175))->text(), CScaleUpDialog::SizeText(kg));
        EXPECT_NEAR(StepValue(stepID, "SELECT BatchSize * BatchSizeMW FROM Step").toDouble(), kg, 1e-6);
    }
}
