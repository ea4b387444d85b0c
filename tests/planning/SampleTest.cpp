// The installed sample as a user meets it: its Weekly plan saves unchanged from the Production Plan
// dialog, its steps come with the transitions their runs build, and the batch sizes and product
// factors it stores are the ones its charges and conversions give.

#include "SampleFixture.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "planning/ProductionPlanDialog.h"
#include "recipe/transitions/TransitionBuilder.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace {

QStringList Rows(CDaoDatabase* database, const QString& sql)
{
    QStringList rows;
    QSqlQuery query = database->Query(sql);
    while (query.next()) {
        QStringList cells;
        for (int i = 0; i < query.record().count(); ++i)
            cells << query.value(i).toString();
        rows << cells.join(':');
    }
    return rows;
}

const QString REQUIREMENTS_SQL =
    "SELECT StepOrProcess, StepOrProcessID, Quantity, QuantityUOM, FirstBatchOverlap, "
    "IntraCampaignBatchOverlap FROM PlanRequirements WHERE PlanID = 1 ORDER BY RequirementID";
const QString UNIT_TRANSITIONS_SQL = "SELECT FromUnitProcedureID, ToUnitProcedureID, TransitionType FROM "
                                     "UnitProcedureTransition ORDER BY RowKey";
const QString OPERATION_TRANSITIONS_SQL = "SELECT FromOperationID, ToOperationID, UnitProcedureID, "
                                          "TransitionType FROM OperationTransition ORDER BY RowKey";

// A converting step of the sample: the key input it charges and the reaction data set it names.
struct SampleStepCase {
    const char* name;
    long stepID;
};

const SampleStepCase CONVERTING_STEPS[] = {{"Coupling", SAMPLE_COUPLING},
                                           {"Crystallization", SAMPLE_CRYSTALLIZATION},
                                           {"Drying", SAMPLE_DRYING},
                                           {"SaltFormation", SAMPLE_SALT_FORMATION},
                                           {"Milling", SAMPLE_MILLING}};

} // namespace

class SampleTest : public SampleFixture {};

TEST_F(SampleTest, TheWeeklyPlanSavesUnchangedFromTheDialog)
{
    const QStringList before = Rows(app.fileSet().projectDatabase.get(), REQUIREMENTS_SQL);
    EXPECT_EQ(before, QStringList({"process:1:500:kg:0:1", "step:1005:150:kg:0:1"}));
    CProductionPlanDialog dialog(SAMPLE_WEEKLY_PLAN);
    dialog.OnInitDialog();
    ASSERT_TRUE(dialog.IsLoadComplete());
    dialog.OnOK();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(prompts.texts().isEmpty()) << prompts.texts().join('\n').toStdString();
    EXPECT_EQ(Rows(app.fileSet().projectDatabase.get(), REQUIREMENTS_SQL), before);
}

// Every step and both processes have their transitions, and building them again changes none.
TEST_F(SampleTest, TransitionsAreThoseTheRunsBuild)
{
    for (long stepID : {1001L, 1002L, 1003L, 1004L, 1005L, 1006L}) {
        CDaoDatabase* step = GetStepDatabase(stepID);
        ASSERT_NE(step, nullptr);
        const QStringList units = Rows(step, UNIT_TRANSITIONS_SQL);
        const QStringList operations = Rows(step, OPERATION_TRANSITIONS_SQL);
        EXPECT_FALSE(units.isEmpty()) << stepID;
        EXPECT_FALSE(operations.isEmpty()) << stepID;
        Array<TransitionRecord> unitRecords, operationRecords;
        ASSERT_TRUE(CTransitionBuilder::BuildStepTransitions(stepID, unitRecords, operationRecords));
        EXPECT_EQ(Rows(step, UNIT_TRANSITIONS_SQL), units) << stepID;
        EXPECT_EQ(Rows(step, OPERATION_TRANSITIONS_SQL), operations) << stepID;
    }
    EXPECT_EQ(
        Rows(app.fileSet().projectDatabase.get(),
             "SELECT ProcessID, FromStepID, ToStepID FROM StepTransition ORDER BY ProcessID, FromStepID"),
        QStringList({"1:1:1001", "1:1001:1002", "1:1002:1003", "2:1:1001", "2:1001:1004", "2:1004:1005",
                     "2:1005:1006"}));
}

class SampleStepTest : public SampleTest, public ::testing::WithParamInterface<SampleStepCase> {};

// BatchSize (kmol of key output) = conversion x kmol of key input charged; the product factor is
// the molar ratio of key input to key output; BatchSizeMW is the key output's molecular weight.
TEST_P(SampleStepTest, StoredSizesAndFactorsFollowItsChargeAndConversion)
{
    const long stepID = GetParam().stepID;
    const long input = StepValue(stepID, "SELECT KeyInputIntermediateID FROM Step").toLongLong();
    const long output = StepValue(stepID, "SELECT KeyOutputIntermediateID FROM Step").toLongLong();
    const double chargedKg =
        StepValue(stepID,
                  "SELECT sum(f.DoubleValue) FROM TblFieldData f JOIN TblGroupData g ON "
                  "g.GroupID = f.GroupID WHERE f.FieldTypeID = 100002 AND g.OperationID IN "
                  "(SELECT g2.OperationID FROM TblFieldData m JOIN TblGroupData g2 ON "
                  "g2.GroupID = m.GroupID JOIN Operation o ON o.OperationID = g2.OperationID "
                  "WHERE o.OperationTypeID = 4 AND m.FieldTypeID = 100005 AND m.LongValue = ?)",
                  {qlonglong(input)})
            .toDouble();
    const long dataSet =
        StepValue(stepID, "SELECT LongValue FROM TblFieldData WHERE FieldTypeID = 100006").toLongLong();
    const double conversion =
        MaterialValue(
            "SELECT Conversion FROM ReactionTable WHERE ReactionDataSetID = ? AND KeyComponentID = ?",
            {qlonglong(dataSet), qlonglong(input)})
            .toDouble();
    const auto mw = [this](long material) {
        return MaterialValue("SELECT DoubleValue FROM ActualMaterialProperty WHERE MaterialID = ? AND "
                             "MaterialPropertyID = 1",
                             {qlonglong(material)})
            .toDouble();
    };
    ASSERT_GT(chargedKg, 0);
    ASSERT_GT(conversion, 0);
    EXPECT_NEAR(StepValue(stepID, "SELECT BatchSize FROM Step").toDouble(),
                conversion * chargedKg / mw(input), 1e-9);
    EXPECT_DOUBLE_EQ(StepValue(stepID, "SELECT BatchSizeMW FROM Step").toDouble(), mw(output));
    EXPECT_NEAR(StepValue(stepID, "SELECT ProductFactor FROM Step").toDouble(), 1.0 / conversion, 1e-12);
    // Every material of the sample has a density.
    EXPECT_GT(MaterialValue("SELECT DoubleValue FROM ActualMaterialProperty WHERE MaterialID = ? AND "
                            "MaterialPropertyID = 2",
                            {qlonglong(output)})
                  .toDouble(),
              0);
}

INSTANTIATE_TEST_SUITE_P(Steps, SampleStepTest, ::testing::ValuesIn(CONVERTING_STEPS),
                         [](const auto& info) { return std::string(info.param.name); });
