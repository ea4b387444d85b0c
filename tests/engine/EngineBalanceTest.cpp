// The material balance on a generated two-vessel step: a reactor (1000 l, 200 l minimum) feeding a
// receiver (500 l), each rule of the balance against figures worked by hand. Materials: A (50 kg/kmol,
// 800 kg/m3), B (100 kg/kmol, no density: 1000 kg/m3), P (150 kg/kmol, 1250 kg/m3) and W (no
// molecular weight); the reaction A + B -> P with A as its key component.

#include "EngineFixture.h"
#include "SeriesTransitions.h"
#include "foundation/db/content/MaterialPropertyIDs.h"
#include "foundation/db/connection/SharedDatabases.h"

#include <QSqlQuery>

namespace {

constexpr long RECEIVER = 505;
constexpr long MAT_A = 801, MAT_B = 802, MAT_P = 803, MAT_W = 804;
constexpr long REACTIONS = 901;
constexpr double UNSET = 1e35;

RecipeLineSpec Charge(long material, double kg = UNSET)
{
    RecipeLineSpec line = OperationLine(4);
    if (kg != UNSET)
        line.parameters = {{OperationField::Amount, kg, "kg"}};
    line.references = {{LibraryReferenceField::Material, material}};
    return line;
}

RecipeLineSpec ChargeVolume(long material, double litres)
{
    RecipeLineSpec line = OperationLine(4);
    line.parameters = {{OperationField::Volume, litres, "liter"}};
    line.references = {{LibraryReferenceField::Material, material}};
    return line;
}

RecipeLineSpec React(long keyComponent = 0)
{
    RecipeLineSpec line = OperationLine(32);
    line.references = {{LibraryReferenceField::Reaction, REACTIONS}};
    if (keyComponent > 0)
        line.references.append({LibraryReferenceField::KeyComponent, keyComponent});
    return line;
}

RecipeLineSpec Transfer()
{
    return OperationLine(7);
}

RecipeLineSpec Age(double minutes = UNSET)
{
    RecipeLineSpec line = OperationLine(1);
    if (minutes != UNSET)
        line.parameters = {{OperationField::Duration, minutes, "min"}};
    return line;
}

struct BalanceCase {
    const char* name;
    QList<RecipeLineSpec> reactor;
    QList<RecipeLineSpec> receiver;
    double conversion = UNSET; // of the reaction; UNSET: not stored
    long keyOutput = MAT_P;
    double batchKg = 0;
    double keyInputKg = 0;
    double maxKg = UNSET;
    double minKg = UNSET;
    QStringList remarks = {}; // "<recipe line> <message>" of the capacity and negative-value remarks
};

class BalanceFixture : public EngineFixture {
protected:
    void OpenBalanceStep(const BalanceCase& c)
    {
        StepSpec step;
        step.stepID = STEP;
        step.name = "Balance";
        step.version = "1.0";
        step.keyInputID = MAT_A;
        step.keyOutputID = c.keyOutput;
        step.lines << UnitLine("Reactor", REACTOR) << c.reactor << UnitLine("Receiver", RECEIVER)
                   << c.receiver;
        ProjectSpec spec;
        spec.name = "BalanceTest";
        spec.plantName = "Plant";
        spec.steps = {step};
        spec.materials = {{MAT_A, "A", "Liquid", 50, {}},
                          {MAT_B, "B", "Liquid", 100, {}},
                          {MAT_P, "P", "Solid", 150, {}},
                          {MAT_W, "W", "Liquid", UNSET, {}}};
        spec.reactionDataSets = {
            {REACTIONS, "Coupling", {{9011, "A + B", MAT_A, {{MAT_A, -1}, {MAT_B, -1}, {MAT_P, 1}}}}}};
        spec.equipment = {{REACTOR, "R-101", 1, "Reactor", 1000}, {RECEIVER, "V-201", 1, "Receiver", 500}};
        Open(spec, true);
        ASSERT_FALSE(HasFatalFailure());
        CDaoDatabase& materials = *GetSharedMaterialsDB();
        for (const auto& [material, density] : {std::pair{MAT_A, 800.0}, std::pair{MAT_P, 1.25}}) {
            const char* unit = material == MAT_P ? "g/cc" : MATERIAL_DENSITY_UOM; // converted to kg/m3
            materials.Execute(
                "INSERT INTO ActualMaterialProperty (MaterialID, MaterialPropertyID, DoubleValue, "
                "ValueUOM) VALUES (?, ?, ?, ?)",
                {qlonglong(material), qlonglong(MATERIAL_PROPERTY_DENSITY), density, QString(unit)});
        }
        materials.Execute(
            "DELETE FROM ActualMaterialProperty WHERE MaterialID = ? AND MaterialPropertyID = ?",
            {qlonglong(MAT_W), qlonglong(MATERIAL_PROPERTY_MOLECULAR_WEIGHT)});
        if (c.conversion != UNSET)
            materials.Execute("UPDATE ReactionTable SET Conversion = ?", {c.conversion});
        GetSharedEquipmentDB()->Execute(
            "UPDATE ActualEquipmentCommon SET MinimumVolume = 0.2, MinimumVolumeUOM = "
            "'Cubic m' WHERE ActualEquipmentID = ?",
            {qlonglong(REACTOR)});
        const long receiverLine = long(c.reactor.size()) + 2;
        WriteUnitProcedureTransitions(
            STEP, {{"Series", 1, Line(1), "U1"}, {"Series", Line(1), Line(receiverLine), "U2"}});
        WriteChain(1, long(c.reactor.size()));
        WriteChain(receiverLine, long(c.receiver.size()));
        DropAmountsBesideVolumes(c.reactor, 2);
        DropAmountsBesideVolumes(c.receiver, receiverLine + 1);
    }

    // The generator stores the type's default amount beside a given volume: a volume-only charge
    // drops it.
    void DropAmountsBesideVolumes(const QList<RecipeLineSpec>& lines, long firstLine)
    {
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QList<OperationParameterValue>& values = lines.at(i).parameters;
            if (values.size() == 1 && values.first().field == OperationField::Volume)
                Edit("DELETE FROM TblFieldData WHERE FieldTypeID = 100002 AND GroupID IN "
                     "(SELECT GroupID FROM TblGroupData WHERE OperationID = ?)",
                     {qlonglong(Line(firstLine + i))});
        }
    }

    // Its operations one after another.
    void WriteChain(long unitLine, long operations)
    {
        QList<TransitionRow> rows;
        for (long i = 1; i <= operations; ++i)
            rows.append({"Series", i == 1 ? 1 : Line(unitLine + i - 1), Line(unitLine + i),
                         QString("T%1").arg(unitLine)});
        WriteOperationTransitions(STEP, Line(unitLine), rows);
    }

    QStringList CheckRemarks(long lines)
    {
        QStringList found;
        for (long line = 1; line <= lines; ++line) {
            for (const QString& remark : Remarks(Line(line))) {
                if (remark.startsWith("1002") || remark.startsWith("1007"))
                    found << QString("%1 %2").arg(line).arg(remark.left(4));
            }
        }
        return found;
    }
};

class EngineBalanceTest : public BalanceFixture, public ::testing::WithParamInterface<BalanceCase> {};

void ExpectKg(double actual, double expected, const char* what)
{
    if (expected == UNSET)
        EXPECT_EQ(actual, UNSET) << what;
    else
        EXPECT_NEAR(actual, expected, 1e-9 * std::max(1.0, expected)) << what;
}

} // namespace

TEST_P(EngineBalanceTest, SizesFollowTheBalance)
{
    const BalanceCase& c = GetParam();
    OpenBalanceStep(c);
    EngineEntry engine;
    ASSERT_EQ(engine.simulateBatch(nullptr, STEP), SIMULATION_COMPLETED);
    ExpectKg(engine.getCurrentBatchSizeInKg(STEP), c.batchKg, "batch size");
    ExpectKg(engine.getCurrentKeyInputBatchSizeInKg(STEP), c.keyInputKg, "key input");
    ExpectKg(engine.getMaxBatchSizeInKg(STEP), c.maxKg, "maximum");
    ExpectKg(engine.getMinBatchSizeInKg(STEP), c.minKg, "minimum");
    EXPECT_EQ(CheckRemarks(long(c.reactor.size() + c.receiver.size()) + 2), c.remarks);
}

// Reactor volumes are its contents over the densities; the minimum counts the Charge lines of the
// reactor (the only vessel with a minimum volume).
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rules, EngineBalanceTest,
    ::testing::Values(
        // 400 kg of A = 500 l moves on and leaves from the receiver (500 l: full, not over).
        BalanceCase{"ChargeTransferKeep", {Charge(MAT_A, 400), Age(), Transfer()}, {Age()}, UNSET, MAT_P,
                    400, 400, 400 * std::min(1000 / 500.0, 500 / 500.0), 400 * 200 / 500.0},
        // 250 l of A at 800 kg/m3.
        BalanceCase{"ChargeByVolume", {ChargeVolume(MAT_A, 250), Transfer()}, {Age()}, UNSET, MAT_P, 200, 200,
                    200 * std::min(1000 / 250.0, 500 / 250.0), 200 * 200 / 250.0},
        // The Charge type's default 100 kg; no A is charged, so the first charge is the key input.
        BalanceCase{"TypeDefaultAmount", {Charge(MAT_B), Transfer()}, {Age()}, UNSET, MAT_P, 100, 100,
                    100 * std::min(1000 / 100.0, 500 / 100.0), 100 * 200 / 100.0},
        // 2 kmol A + 3 kmol B -> 2 kmol P (300 kg, 240 l) with 1 kmol B (100 l) left: 425 l at most in
        // the reactor, 340 l in the receiver.
        BalanceCase{"CompleteConversion", {Charge(MAT_A, 100), Charge(MAT_B, 300), React(), Transfer()}, {Age()},
                    UNSET, MAT_P, 300, 100, 300 * (500 / 340.0), 300 * 200 / 125.0},
        // 90 % of A: 1.8 kmol P (270 kg, 216 l), 0.2 kmol A (12.5 l), 1.2 kmol B (120 l).
        BalanceCase{"ConversionAsFraction", {Charge(MAT_A, 100), Charge(MAT_B, 300), React(), Transfer()}, {Age()},
                    0.9, MAT_P, 270, 100, 270 * (500 / 348.5), 270 * 200 / 125.0},
        BalanceCase{"ConversionAsPercent", {Charge(MAT_A, 100), Charge(MAT_B, 300), React(), Transfer()}, {Age()},
                    90, MAT_P, 270, 100, 270 * (500 / 348.5), 270 * 200 / 125.0},
        // Half of the key component converts: the operation names B (3 kmol), so 1.5 kmol P (225 kg,
        // 180 l) with 0.5 kmol A (31.25 l) and 1.5 kmol B (150 l); the reaction's own key A would give
        // 1 kmol: so it does when the operation names a material the reaction does not consume.
        BalanceCase{"ConversionOfTheOperationsKey", {Charge(MAT_A, 100), Charge(MAT_B, 300), React(MAT_B), Transfer()},
                    {Age()}, 0.5, MAT_P, 225, 100, 225 * (500 / 361.25), 225 * 200 / 125.0},
        BalanceCase{"ConversionOfTheReactionsKey", {Charge(MAT_A, 100), Charge(MAT_B, 300), React(MAT_W), Transfer()},
                    {Age()}, 0.5, MAT_P, 150, 100, 150 * (500 / 382.5), 150 * 200 / 125.0},
        // 1 kmol of B limits the reaction: 1 kmol P; 1 kmol A (62.5 l) and P (120 l) leave.
        BalanceCase{"ScarceReactantLimits", {Charge(MAT_A, 100), Charge(MAT_B, 100), React(), Transfer()}, {Age()},
                    UNSET, MAT_P, 150, 100, 150 * std::min(1000 / 225.0, 500 / 182.5), 150 * 200 / 125.0},
        // The receiver's transfer sends the 400 kg of A out of the step; the 50 kg of B charged after
        // it leave at the end. The key output A counts alone.
        BalanceCase{"TransferOutOfTheLastVessel", {Charge(MAT_A, 400), Transfer()}, {Transfer(), Charge(MAT_B, 50)},
                    UNSET, MAT_A, 400, 400, 400 * std::min(1000 / 500.0, 500 / 500.0), 400 * 200 / 500.0},
        // Without a transfer the reactor's contents stay: only the receiver's 50 kg leave (no P: all of it).
        BalanceCase{"WhatStaysBehindDoesNotLeave", {Charge(MAT_A, 400)}, {Charge(MAT_B, 50)}, UNSET, MAT_P, 50, 400,
                    50 * std::min(1000 / 500.0, 500 / 50.0), 50 * 200 / 500.0},
        // 1125 l go over the reactor's 1000 l at the charge and over the receiver's 500 l at the transfer.
        BalanceCase{"OverCapacity", {Charge(MAT_A, 900), Transfer()}, {Age()}, UNSET, MAT_P, 900, 900,
                    900 * (500 / 1125.0), 900 * 200 / 1125.0, {"2 1002", "3 1002"}},
        // A negative amount counts as 0 (not the type's default) and is the key input's charge.
        BalanceCase{"NegativeAmountIsZero", {Charge(MAT_A, -50), Charge(MAT_B, 100), Transfer()}, {Age(-5)}, UNSET,
                    MAT_P, 100, 0, 100 * std::min(1000 / 100.0, 500 / 100.0), 100 * 200 / 100.0,
                    {"2 1007", "6 1007"}}),
    [](const ::testing::TestParamInfo<BalanceCase>& info) { return std::string(info.param.name); });
// clang-format on

// The remark names the field, and a negative duration lasts 0 s.
TEST_F(BalanceFixture, NegativeValuesAreNamedInTheirRemarks)
{
    OpenBalanceStep({"", {Charge(MAT_A, -50), ChargeVolume(MAT_B, -10), Age(-5)}, {Age()}});
    EngineEntry engine;
    ASSERT_EQ(engine.simulateBatch(nullptr, STEP), SIMULATION_COMPLETED);
    CResultsDatabase results;
    ASSERT_TRUE(results.Open(ResultsPath()));
    QStringList texts;
    for (long line : {2, 3, 4}) {
        for (const ResultsRemark& remark : results.Remarks(STEP, Line(line))) {
            if (remark.messageID == 1007)
                texts << QString("%1 %2 %3").arg(line).arg(remark.type, remark.text);
        }
    }
    EXPECT_EQ(texts, (QStringList{"2 Error A value of Amount is negative; 0 is used.",
                                  "3 Error A value of Volume is negative; 0 is used.",
                                  "4 Error A value of Duration is negative; 0 is used."}));
    for (const ResultsScheduleRow& row : Schedule()) {
        if (row.operationID == Line(4)) {
            EXPECT_EQ(row.duration, 0);
        }
    }
    EXPECT_EQ(engine.getCurrentBatchSizeInKg(STEP), 0);
}

// OverFlow off: no capacity remark, the maximum stays; UnderFlow off: no minimum. Without any
// vessel figure both are unset.
TEST_F(BalanceFixture, RunOptionsGateTheVesselChecks)
{
    OpenBalanceStep({"", {Charge(MAT_A, 900), Transfer()}, {Age()}});
    EngineEntry engine;
    engine.setRunOptions(1, 1, 0, 0);
    ASSERT_EQ(engine.simulateBatch(nullptr, STEP), SIMULATION_COMPLETED);
    EXPECT_EQ(CheckRemarks(4), QStringList());
    EXPECT_NEAR(engine.getMaxBatchSizeInKg(STEP), 400, 1e-9);
    EXPECT_EQ(engine.getMinBatchSizeInKg(STEP), UNSET);
    GetSharedEquipmentDB()->Execute("UPDATE ActualEquipmentCommon SET Capacity = NULL, MinimumVolume = NULL");
    ASSERT_EQ(EngineEntry().simulateBatch(nullptr, STEP), SIMULATION_COMPLETED);
    EXPECT_EQ(engine.getMaxBatchSizeInKg(STEP), UNSET);
    EXPECT_EQ(engine.getMinBatchSizeInKg(STEP), UNSET);
    EXPECT_EQ(CheckRemarks(4), QStringList());
}

// A completed whole-batch run stores the key output's kmol and molecular weight in the step row and
// marks the project modified when they change; ranged and paused runs leave the row alone.
TEST_F(BalanceFixture, AWholeBatchRunStoresTheBatchSizeInTheStepRow)
{
    OpenBalanceStep({"", {Charge(MAT_A, 100), Charge(MAT_B, 300), React(), Transfer()}, {Age()}});
    Edit("UPDATE Step SET BatchSize = 7, BatchSizeMW = 1, BatchSizeBase = 'Mass'");
    const auto row = [] {
        QSqlQuery query =
            GetStepDatabase(STEP)->Query("SELECT BatchSize, BatchSizeMW, BatchSizeBase FROM Step");
        return query.next() ? QString("%1 %2 %3")
                                  .arg(query.value(0).toDouble())
                                  .arg(query.value(1).toDouble())
                                  .arg(query.value(2).toString())
                            : QString();
    };
    EngineEntry engine;
    ASSERT_EQ(engine.simulateBatch(nullptr, STEP, Line(2), Line(4)), SIMULATION_COMPLETED);
    EXPECT_EQ(row(), "7 1 Mass");
    Edit("UPDATE TextRecipe SET Breakpoint = 1 WHERE ID = ?", {qlonglong(Line(4))});
    ASSERT_EQ(engine.simulateBatch(nullptr, STEP), SIMULATION_PAUSED);
    EXPECT_EQ(row(), "7 1 Mass");
    EXPECT_FALSE(app.modifiedHistory().contains(true));
    ASSERT_EQ(engine.continueBatch(nullptr, STEP), SIMULATION_COMPLETED);
    EXPECT_EQ(row(), "2 150 Mass"); // 300 kg of P at 150 kg/kmol
    EXPECT_EQ(app.modifiedHistory(), QList<bool>{true});
    Edit("UPDATE TextRecipe SET Breakpoint = 0");
    ASSERT_EQ(engine.simulateBatch(nullptr, STEP), SIMULATION_COMPLETED);
    EXPECT_EQ(app.modifiedHistory(), QList<bool>{true}); // unchanged: not marked again
    // A key output without a molecular weight counts 18.02 kg/kmol.
    Edit("UPDATE Step SET KeyOutputIntermediateID = ?", {qlonglong(MAT_W)});
    ASSERT_EQ(engine.simulateBatch(nullptr, STEP), SIMULATION_COMPLETED);
    const double allLeaving = 300 + 100; // no W leaves: the whole mass
    EXPECT_EQ(row(), QString("%1 18.02 Mass").arg(allLeaving / 18.02));
}

// Contents pass through a long chain of vessels, each transfer into a vessel not yet filled.
TEST_F(BalanceFixture, TransfersCarryTheContentsThroughManyVessels)
{
    StepSpec step;
    step.stepID = STEP;
    step.name = "Chain";
    step.version = "1.0";
    step.keyOutputID = MAT_A;
    for (int vessel = 0; vessel < 100; ++vessel) {
        step.lines << UnitLine(QString("Vessel %1").arg(vessel), REACTOR);
        if (vessel == 0)
            step.lines << Charge(MAT_A, 400);
        step.lines << Transfer();
    }
    ProjectSpec spec;
    spec.name = "ChainTest";
    spec.plantName = "Plant";
    spec.steps = {step};
    spec.materials = {{MAT_A, "A", "Liquid", 50, {}}};
    spec.equipment = {{REACTOR, "R-101", 1, "Reactor", 1000}};
    Open(spec, true);
    WriteSeriesTransitions(*GetStepDatabase(STEP), STEP);
    EngineEntry engine;
    ASSERT_EQ(engine.simulateBatch(nullptr, STEP), SIMULATION_COMPLETED);
    EXPECT_NEAR(engine.getCurrentBatchSizeInKg(STEP), 400, 1e-9); // out of the last vessel
    EXPECT_NEAR(engine.getMaxBatchSizeInKg(STEP), 1000, 1e-9);    // 400 l (no density) of 1000 l
}
