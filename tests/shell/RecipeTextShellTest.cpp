// The generated recipe texts of the Demo in the running program: regenerated with the stored
// options they stay as the sample was written; a doubled step changes only its scaled numbers; a
// renamed equipment item is renamed in the texts on it. With QV_SHOTS_DIR set, the Coupling recipe
// after the regeneration is kept as q3-recipe-regenerated.png there.

#include "RecipeShellFixture.h"

#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "preferences/options/ToolOptionDialog.h"
#include "simulation/ScaleUpDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRegularExpression>

namespace {
constexpr long DEMO_STEPS[] = {1001, 1002, 1003, 1004, 1005, 1006};
constexpr long R101 = 101;

// "step/operation: text" of every operation line of the Demo's steps, in recipe order.
QStringList StoredTexts()
{
    QStringList texts;
    for (long stepID : DEMO_STEPS) {
        QSqlQuery rows = GetStepDatabase(stepID)->Query(
            "SELECT t.ID, o.RecipeText FROM TextRecipe t JOIN Operation o ON o.OperationID = t.ID"
            " WHERE t.Type = 'Operation' ORDER BY t.RecipeSequenceNumber");
        while (rows.next())
            texts << QStringLiteral("%1/%2: %3")
                         .arg(stepID)
                         .arg(rows.value(0).toString(), rows.value(1).toString());
    }
    return texts;
}

// The texts with every amount and volume doubled, as scaling by 2 leaves them.
QStringList Doubled(const QStringList& texts)
{
    static const QRegularExpression scaled("(\\d+(?:\\.\\d+)?) (kg|liter)\\b");
    QStringList doubled;
    for (const QString& text : texts) {
        QString result;
        qsizetype from = 0;
        for (const QRegularExpressionMatch& match : scaled.globalMatch(text)) {
            result += text.mid(from, match.capturedStart() - from) +
                      QString::number(2 * match.captured(1).toDouble(), 'g', 6) + ' ' + match.captured(2);
            from = match.capturedEnd();
        }
        doubled << result + text.mid(from);
    }
    return doubled;
}

QStringList OfStep(const QStringList& texts, long stepID)
{
    return texts.filter(QRegularExpression(QStringLiteral("^%1/").arg(stepID)));
}
} // namespace

class RecipeTextShellTest : public RecipeShellFixture {
protected:
    void TearDown() override
    {
        prompts.expect(IDNO); // the changed project is not saved at the end
        RecipeShellFixture::TearDown();
    }
};

// Options > Text Recipe with a box ticked and unticked again, OK, and Yes to the question: every
// step is regenerated under the options the sample was written with.
TEST_F(RecipeTextShellTest, RegeneratingTheUntouchedSampleChangesNoText)
{
    frame->setGeometry(0, 0, 1400, 860);
    CQUORVANTAView* view = OpenCouplingFromTheExplorer();
    ASSERT_NE(view, nullptr);
    const QStringList before = StoredTexts();
    ASSERT_EQ(before.size(), 34);
    EXPECT_TRUE(before.contains("1001/" + QString::number(view->Line(2)->line().itemID) +
                                ": Charge 800 kg of Toluene to R-101.\nRanges: Amount 790 kg to 810 kg."));
    bool changed = false;
    QTimer::singleShot(0, [&] {
        auto* sheet = qobject_cast<CToolOptionDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(sheet, nullptr);
        for (int page = 0; page < sheet->GetPageCount() && !sheet->findChild<QCheckBox*>("1091"); ++page)
            sheet->SetActivePage(page);
        auto* utilities = sheet->findChild<QCheckBox*>("1091");
        ASSERT_NE(utilities, nullptr);
        utilities->click();
        utilities->click();
        changed = sheet->m_textRecipe.m_bChanged;
        sheet->PressOK();
    });
    prompts.expect(IDYES);
    frame->action(ID_TOOLS_OPTIONS)->trigger();
    ASSERT_TRUE(changed);
    EXPECT_EQ(prompts.texts(), QStringList({TEXT_RECIPE_QUESTION}));
    prompts.clear();
    EXPECT_EQ(StoredTexts(), before);
    EXPECT_EQ(view->Line(2)->text(), "Charge 800 kg of Toluene to R-101.\nRanges: Amount 790 kg to 810 kg.");
    SaveShellShot(frame, "q3-recipe-regenerated.png");
}

// Coupling doubled, no operation kept: each text differs from before only in its amounts and
// volumes, doubled; the other steps keep theirs.
TEST_F(RecipeTextShellTest, ScalingAStepChangesOnlyItsScaledNumbers)
{
    for (long stepID : DEMO_STEPS)
        frame->AutomationSimulateStep(stepID, QString());
    ASSERT_NE(OpenCouplingFromTheExplorer(), nullptr);
    const QStringList before = StoredTexts();
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CScaleUpDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shown = true;
        dialog->OnSelectCode(6);
        static_cast<QLineEdit*>(dialog->Control(1170))->setText("2");
        dialog->accept();
    });
    frame->UpdateCommandStates();
    frame->ExecuteCommand(ID_RECIPE_SCALING);
    ASSERT_TRUE(shown);
    const QStringList after = StoredTexts();
    EXPECT_TRUE(OfStep(after, 1001)
                    .join('\n')
                    .contains("Charge 1600 kg of Toluene to R-101.\n"
                              "Ranges: Amount 1580 kg to 1620 kg."));
    EXPECT_EQ(OfStep(after, 1001), Doubled(OfStep(before, 1001)));
    for (long stepID : DEMO_STEPS) {
        if (stepID != 1001) {
            EXPECT_EQ(OfStep(after, stepID), OfStep(before, stepID)) << stepID;
        }
    }
}

// R-101 renamed in the equipment database: the texts of operations on R-101, in every step, name
// the new tag; nothing else changes.
TEST_F(RecipeTextShellTest, RenamedEquipmentIsRenamedInTheTextsOnIt)
{
    const QStringList before = StoredTexts();
    CDaoDatabase equipment;
    equipment.Open(GetEquipmentDBPath(), DatabaseRole::WorkingCopy);
    equipment.Execute("UPDATE ActualEquipmentCommon SET QVTag = 'R-111' WHERE ActualEquipmentID = ?",
                      {qlonglong(R101)});
    UpdateRecipeTextsNamingEquipment(R101);
    QStringList expected = before;
    expected.replaceInStrings("R-101", "R-111");
    EXPECT_EQ(StoredTexts(), expected);
    EXPECT_NE(expected, before);
    EXPECT_TRUE(app->isProjectModified());
}
