// The step scaling dialog and the scaling run over the generated scaling step, prompts scripted.

#include "ScalingFixture.h"
#include "ScriptedPrompts.h"

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/controls/MyGXComboBox.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "simulation/EngineEntryFactory.h"
#include "simulation/RecipeScaling.h"
#include "simulation/ScaleUpDialog.h"
#include "simulation/SimDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSqlQuery>
#include <functional>

namespace {

QString StaticText(CScaleUpDialog& dialog, int id)
{
    return static_cast<QLabel*>(dialog.Control(id))->text();
}

QStringList ComboTexts(CScaleUpDialog& dialog, int id)
{
    QStringList texts;
    auto* combo = static_cast<QComboBox*>(dialog.Control(id));
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

void SetEdit(CScaleUpDialog& dialog, int id, const QString& text)
{
    static_cast<QLineEdit*>(dialog.Control(id))->setText(text);
}

// The run with its step dialog answered by a script.
class ScriptedScaling : public CRecipeScaling {
public:
    std::function<void(CScaleUpDialog&)> answer;

protected:
    int RunStepDialog(CScaleUpDialog& dialog) override
    {
        dialog.OnInitDialog();
        if (answer)
            answer(dialog);
        return dialog.result();
    }
};

} // namespace

class ScaleRecipeTest : public ScalingFixture {
protected:
    void SetUp() override
    {
        previousFactory = ServiceSlot<EngineFactory>::Set(&factory);
        OpenScalingStep();
    }
    void TearDown() override { ServiceSlot<EngineFactory>::Set(previousFactory); }

    CScaleUpDialog MakeDialog() { return CScaleUpDialog(STEP, -1, {250, 250, 1562.5, 1e35, 100.5}); }
    QList<long> StoredSet(const QString& table)
    {
        QList<long> ids;
        QSqlQuery rows = GetStepDatabase(STEP)->Query(QStringLiteral("SELECT OperationID FROM %1 ORDER BY Position").arg(table));
        while (rows.next())
            ids << long(rows.value(0).toLongLong());
        return ids;
    }

    // Every stored field's unit, in field order.
    QString StoredUnits()
    {
        QStringList units;
        QSqlQuery rows = GetStepDatabase(STEP)->Query("SELECT UOM FROM TblFieldData ORDER BY FieldID");
        while (rows.next())
            units << rows.value(0).toString();
        return units.join(',');
    }

    CEngineEntryFactory factory;
    EngineFactory* previousFactory = nullptr;
    ScriptedPromptService prompts;
};

TEST_F(ScaleRecipeTest, DialogShowsTheStepAndListsNoContinuousEquipment)
{
    CScaleUpDialog dialog(STEP, -1, {250, 250, 1562.5, 1e35, 100.5});
    EXPECT_TRUE(dialog.OnInitDialog());
    EXPECT_EQ(StaticText(dialog, 1172), "Scaled");
    EXPECT_EQ(StaticText(dialog, 1174), "Product");
    EXPECT_EQ(StaticText(dialog, 1175), "250 kg");
    EXPECT_EQ(StaticText(dialog, 1177), "1562.50 kg");
    EXPECT_EQ(StaticText(dialog, 1179), " kg"); // unset
    EXPECT_EQ(StaticText(dialog, 1183), "100.50 kg");
    EXPECT_EQ(ComboTexts(dialog, 1068), (QStringList{"R-101", "T-201"}));
    EXPECT_FALSE(dialog.Control(3)->isEnabled()); // nothing to undo yet
    EXPECT_FALSE(dialog.Control(1170)->isEnabled());
    EXPECT_EQ(dialog.Code(), 1);
}

// A step that was never simulated has no size: its labels say so rather than print 1e35.
TEST_F(ScaleRecipeTest, DialogShowsNoSizeForAStepWithoutOne)
{
    CScaleUpDialog dialog(STEP, -1, {1e35, 1e35, 1e35, 1e35, 1e35});
    EXPECT_TRUE(dialog.OnInitDialog());
    for (int id : {1175, 1176, 1177, 1179, 1183})
        EXPECT_EQ(StaticText(dialog, id), " kg") << id;
}

TEST_F(ScaleRecipeTest, OkChecksThenStoresTheSetsAndTheStepRecordTogether)
{
    CScaleUpDialog dialog(STEP, -1, {250, 250, 1562.5, 1e35, 100});
    dialog.OnInitDialog();
    dialog.OnSelectCode(6);
    prompts.expect(IDOK);
    dialog.accept();
    EXPECT_EQ(prompts.lastText(), "Please enter number of times of the current batch size!");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    dialog.OnSelectCode(7);
    prompts.expect(IDOK);
    dialog.accept();
    EXPECT_EQ(prompts.lastText(), "Minimum batch size can not be calculated, please select different option.");
    dialog.OnSelectCode(6);
    SetEdit(dialog, 1170, "2");
    CObjectGridWnd* grid = dialog.Grid();
    const QString kept = grid->GetRegisteredControl(2012)->itemText(1);
    grid->SetValueRowCol(1, 1, kept);
    grid->SetValueRowCol(3, 1, kept);
    prompts.expect(IDOK);
    dialog.accept();
    EXPECT_EQ(prompts.lastText(), "Please select a different operation!");
    grid->SetValueRowCol(3, 1, QString());
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(StoredSet("ScaleInvariantOperation"), QList<long>{Line(3)});
    EXPECT_EQ(StoredSet("PrevScaleInvariantOperation"), QList<long>{Line(3)});
    EXPECT_EQ(StepColumn("PrevScalingOption").toInt(), 6);
    EXPECT_DOUBLE_EQ(StepColumn("PrevScaledBatchSize").toDouble(), 5);
    CScaleUpDialog again(STEP, -1, {});
    again.OnInitDialog();
    EXPECT_TRUE(again.Control(3)->isEnabled());
    EXPECT_EQ(again.Grid()->GetValueRowCol(1, 1), kept);
}

TEST_F(ScaleRecipeTest, AFailedStepWriteKeepsTheSetsAndTheDialogOpen)
{
    FailStepUpdates();
    CScaleUpDialog dialog(STEP, -1, {250, 250, 1562.5, 1e35, 100});
    dialog.OnInitDialog();
    dialog.Grid()->SetValueRowCol(1, 1, dialog.Grid()->GetRegisteredControl(2012)->itemText(0));
    prompts.expect(IDOK);
    dialog.accept();
    EXPECT_TRUE(prompts.lastText().contains("step row locked"));
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(StoredSet("ScaleInvariantOperation").isEmpty());
    // An undo whose mark cannot be written is no undo request.
    prompts.expect(IDOK);
    dialog.OnUndoPrevScaling();
    EXPECT_FALSE(dialog.UndoRequested());
}

TEST_F(ScaleRecipeTest, TheLoaderShowsTwentyOfMoreStoredIds)
{
    for (int i = 1; i <= 25; ++i)
        Edit("INSERT INTO ScaleInvariantOperation (Position, OperationID, Text) VALUES (?, ?, '')",
             {i, qlonglong(i == 1 ? Line(2) : 90000 + i)});
    CScaleUpDialog dialog(STEP, -1, {250, 250, 1e35, 1e35, 100});
    EXPECT_TRUE(dialog.OnInitDialog());
    EXPECT_EQ(dialog.RowOperation(1), Line(2));
    EXPECT_EQ(dialog.RowOperation(20), 90020);
    EXPECT_FALSE(dialog.Grid()->GetValueRowCol(1, 1).isEmpty());
}

TEST_F(ScaleRecipeTest, InteractiveRunScalesAndAnUndoPutsItBack)
{
    ScriptedScaling scaling;
    scaling.answer = [](CScaleUpDialog& dialog) {
        dialog.OnSelectCode(6);
        SetEdit(dialog, 1170, "2");
        dialog.accept();
    };
    const ContextRecord context{CONTEXT_TEXT_RECIPE, STEP, -1, -1, "Scaled", {}, {}, false};
    EXPECT_TRUE(scaling.ScaleRecipe(context, {}).scaled);
    EXPECT_DOUBLE_EQ(Stored(2, OperationField::Amount), 200);
    EXPECT_EQ(StepColumn("PrevScalingOption").toInt(), 6);
    // The step has a unit set (SI: times in h); the undo puts the values back in their own units.
    GetStepDatabase(STEP)->Execute("UPDATE Step SET InputUOMSetID = 1");
    const QString unitsBefore = StoredUnits();
    scaling.answer = [](CScaleUpDialog& dialog) { dialog.OnUndoPrevScaling(); };
    EXPECT_TRUE(scaling.ScaleRecipe(context, {}).scaled);
    EXPECT_NEAR(Stored(2, OperationField::Amount), 100, 1e-10);
    EXPECT_EQ(StepColumn("UndoPrevScalingDone").toInt(), 1);
    EXPECT_EQ(StoredUnits(), unitsBefore);
    EXPECT_TRUE(unitsBefore.contains("min")) << unitsBefore.toStdString();
}

TEST_F(ScaleRecipeTest, AnEngineRefusalShowsItsReasonAndPutsBackWhatTheDialogStored)
{
    ScriptedScaling scaling;
    scaling.answer = [](CScaleUpDialog& dialog) {
        dialog.OnSelectCode(4);
        SetEdit(dialog, 1166, "5");
        static_cast<QComboBox*>(dialog.Control(1167))->setEditable(true);
        static_cast<QComboBox*>(dialog.Control(1167))->setEditText("stone");
        dialog.accept();
    };
    prompts.expect(IDOK);
    const ContextRecord context{CONTEXT_PROCESS_EXPLORER, STEP, 7, -1, "Scaled", {}, {}, false};
    const ScaleRecipeOutcome outcome = scaling.ScaleRecipe(context, {});
    EXPECT_FALSE(outcome.scaled);
    EXPECT_EQ(prompts.lastText(), "Unknown unit of measure: stone");
    EXPECT_TRUE(StepColumn("PrevScalingOption").isNull());
    EXPECT_DOUBLE_EQ(Stored(2, OperationField::Amount), 100);
}

TEST_F(ScaleRecipeTest, WrongContextsDoNothing)
{
    ScriptedScaling scaling;
    scaling.answer = [](CScaleUpDialog&) { ADD_FAILURE() << "no dialog expected"; };
    for (int kind : {CONTEXT_NONE, CONTEXT_GANTT, CONTEXT_HTML_VIEW, CONTEXT_3D_VIEW, CONTEXT_CHEMISTRY,
                     CONTEXT_QUICK_RESULTS, CONTEXT_FACILITY_EXPLORER, CONTEXT_PLAN_EXPLORER}) {
        const ContextRecord context{kind, STEP, -1, -1, {}, {}, {}, false};
        EXPECT_FALSE(scaling.ScaleRecipe(context, {}).scaled) << kind;
    }
    EXPECT_FALSE(scaling.ScaleRecipe({CONTEXT_TEXT_RECIPE, -1, 3, -1, {}, {}, {}, false}, {}).scaled);
}

struct AutomationCase {
    int target;
    long equipmentID;
    double value;
    const char* unit;
    double factor;
    bool accepted;
};

TEST_F(ScaleRecipeTest, AutomationChecksItsArgumentsFirst)
{
    const QList<AutomationCase> cases{{6, -1, 5, "", 2, true},   {4, -1, 0, "kg", 0, false}, {4, -1, -1, "kg", 0, false},
                                      {4, -1, 5, "", 0, false},  {3, -1, 0, "", 0, false},   {8, -1, 0, "", 0, false},
                                      {0, -1, 0, "", 0, false},  {9, -1, 0, "", 0, false},   {6, -1, 0, "", 0, false},
                                      {3, REACTOR, 0, "", 0, true}, {5, -1, 2, "kg", 0, true}};
    for (const AutomationCase& c : cases)
        EXPECT_EQ(CRecipeScaling::AcceptsAutomationRequest({SCALE_AUTOMATION, c.target, c.equipmentID, c.value,
                                                            QString::fromLatin1(c.unit), c.factor}),
                  c.accepted)
            << c.target;
}

TEST_F(ScaleRecipeTest, AutomationScalesByTheFactorAndWritesTheStepRecord)
{
    ScriptedScaling scaling;
    const ContextRecord context{CONTEXT_NONE, STEP, -1, -1, {}, {}, {}, false};
    const ScaleRecipeOutcome outcome = scaling.ScaleRecipe(context, {SCALE_AUTOMATION, 6, -1, 99, {}, 2});
    EXPECT_TRUE(outcome.scaled) << outcome.text.toStdString();
    EXPECT_DOUBLE_EQ(Stored(5, OperationField::Volume), 160);
    EXPECT_EQ(StepColumn("PrevScalingOption").toInt(), 6);
    EXPECT_DOUBLE_EQ(StepColumn("PrevScaledBatchSize").toDouble(), 5);
    EXPECT_EQ(StepColumn("UndoPrevScalingDone").toInt(), 0);
    const ScaleRecipeOutcome refused = scaling.ScaleRecipe(context, {SCALE_AUTOMATION, 4, -1, 0, "kg", 0});
    EXPECT_TRUE(refused.refused);
    // A refusal of the engine comes back with its reason.
    const ScaleRecipeOutcome failed = scaling.ScaleRecipe(context, {SCALE_AUTOMATION, 3, CONTINUOUS, 0, {}, 0});
    EXPECT_FALSE(failed.scaled);
    EXPECT_EQ(failed.text, "Continuous equipment does not limit the batch size.");
}

TEST(ScaleRecipeLineTest, ComposesTextRangesAndComments)
{
    // Without display options, ranges and comments stay off.
    EXPECT_EQ(CRecipeScaling::ComposeLineText("  Charge 5 kg ", "1.1.", "Amount 1 kg to 2 kg", "mind it"),
              "Charge 5 kg");
    EXPECT_EQ(CRecipeScaling::ComposeLineText(" ", "1.1.", "", ""), "1.1. ...");
}
