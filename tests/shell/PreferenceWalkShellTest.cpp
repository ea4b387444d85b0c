// Tools > Preferences in the running program on Demo, as a user goes through it: the set renamed,
// a model chosen, the Rackett equation, a rounding band applied to the open recipe with
// "&Update Text Recipe"; then saved, closed and reopened. With QV_SHOTS_DIR set, each state is
// kept as h1-<name>.png there (the screen under X, else the window itself).

#include "RecipeShellFixture.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "preferences/hub/OperationModelPreferenceDialog.h"
#include "preferences/hub/Preference.h"
#include "preferences/hub/PhysicalPropertyPreferenceDialog.h"
#include "preferences/hub/ResultsPreferenceDialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {
constexpr long DISTILLATION_TYPE = 17; // two models of one name prefix
const QString NEW_SET_NAME = "Pilot plant preferences";

void PreferenceWalkShot(QWidget* window, const QString& name)
{
    SaveShellShot(window, "h1-" + name + ".png");
}

// Runs fill on the next modal dialog of type Dialog once clicking opens it; answers whether it came.
template <typename Dialog> bool OnModal(QPushButton* opener, const std::function<void(Dialog&)>& fill)
{
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shown = true;
        fill(*dialog);
    });
    opener->click();
    return shown;
}

QString StoredValue(const QString& sql)
{
    QSqlQuery query = GetProjectDatabase()->Query(sql);
    return query.next() ? query.value(0).toString() : QString("no row");
}

QString CouplingLines(CQUORVANTAView& view)
{
    QStringList lines;
    for (int index = 0; index < view.LineCount(); ++index)
        lines << view.Line(index)->text();
    return lines.join('\n');
}
} // namespace

class PreferenceWalkShellTest : public RecipeShellFixture {
protected:
    void SetUp() override
    {
        RecipeShellFixture::SetUp();
        frame->setGeometry(0, 0, 1400, 860);
        GetProjectDatabase()->Execute("DELETE FROM TextRecipeOptions WHERE Options = 'RoundValues'");
        GetProjectDatabase()->Execute("INSERT INTO TextRecipeOptions (Options, Value) VALUES ('RoundValues', 1)");
    }
    void ChooseSecondDistillationModel(COperationModelPreferenceDialog& dialog)
    {
        dialog.operations()->setCurrentIndex(dialog.operations()->findData(qlonglong(DISTILLATION_TYPE)));
        dialog.models()->setCurrentIndex(dialog.models()->findData(qlonglong(2)));
        PreferenceWalkShot(&dialog, "model");
        dialog.findChild<QPushButton*>("1")->click();
    }
    void ChooseRackett(CPhysicalPropertyPreferenceDialog& dialog)
    {
        dialog.radio(1429)->click();
        PreferenceWalkShot(&dialog, "rackett");
        dialog.findChild<QPushButton*>("1")->click();
    }
    // One band of two decimal places up to 100000, the others cleared; the recipe regenerated.
    void RoundToTwoPlaces(CResultsPreferenceDialog& dialog, CQUORVANTAView& view)
    {
        ASSERT_TRUE(dialog.button(3)->isVisible()) << "shown with Round Values on";
        for (int col = 0; col < 4; ++col)
            EXPECT_GT(dialog.grid()->columnWidth(col), 0) << "column " << col + 1;
        for (int row = dialog.grid()->GetRowCount(); row >= 1; --row) {
            for (int col = 2; col <= 4; ++col)
                dialog.grid()->SetValueRowCol(row, col, "");
        }
        dialog.grid()->SetValueRowCol(1, 2, "100000");
        dialog.grid()->SetValueRowCol(1, 3, "Decimal Place");
        dialog.grid()->SetValueRowCol(1, 4, "2");
        PreferenceWalkShot(&dialog, "rounding");
        const QString before = CouplingLines(view);
        dialog.button(3)->click();
        EXPECT_NE(CouplingLines(view), before);
        EXPECT_TRUE(CouplingLines(view).contains("800.00 kg")) << CouplingLines(view).toStdString();
        PreferenceWalkShot(frame, "recipe-rounded"); // the open recipe behind the dialog
        dialog.button(1)->click();
    }
};

TEST_F(PreferenceWalkShellTest, APreferenceWalkIsKeptAcrossSaveAndReopen)
{
    CQUORVANTAView* view = OpenCouplingFromTheExplorer();
    ASSERT_NE(view, nullptr);
    bool walked = false;
    QTimer::singleShot(0, [&] {
        auto* hub = qobject_cast<CPreference*>(QApplication::activeModalWidget());
        ASSERT_NE(hub, nullptr);
        hub->nameEdit()->setText(NEW_SET_NAME);
        PreferenceWalkShot(hub, "renamed");
        EXPECT_TRUE(OnModal<COperationModelPreferenceDialog>(
            hub->button(1047), [&](auto& dialog) { ChooseSecondDistillationModel(dialog); }));
        EXPECT_TRUE(OnModal<CPhysicalPropertyPreferenceDialog>(hub->button(1051),
                                                               [&](auto& dialog) { ChooseRackett(dialog); }));
        EXPECT_TRUE(OnModal<CResultsPreferenceDialog>(hub->button(1380),
                                                      [&](auto& dialog) { RoundToTwoPlaces(dialog, *view); }));
        walked = true;
        hub->findChild<QPushButton*>(QString::number(IDOK))->click(); // "&Close"
    });
    frame->action(ID_TOOLS_PREFERENCES)->trigger();
    ASSERT_TRUE(walked);
    EXPECT_TRUE(CouplingLines(*view).contains("800.00 kg")) << "the closing regeneration keeps the rounding";
    PreferenceWalkShot(frame, "closed");

    ASSERT_TRUE(app->SaveOpenProject());
    ASSERT_TRUE(app->CloseProject(SaveAnswer::Discard));
    ASSERT_TRUE(app->OpenProjectByPath(m_project));
    EXPECT_EQ(StoredValue("SELECT Description FROM Preferences ORDER BY PreferencesID"), NEW_SET_NAME);
    EXPECT_EQ(StoredValue(QString("SELECT SelectedModelTypeID FROM [PREFER-Models] WHERE OperationTypeID = %1")
                              .arg(DISTILLATION_TYPE)),
              "2");
    EXPECT_EQ(StoredValue("SELECT ModelName FROM [PREFER-PhysicalPropertyModels] "
                          "WHERE PhysicalProperty = 'Liquid Mixture Density'"),
              "Rackett");
    EXPECT_EQ(StoredValue("SELECT UpperLimit || ' ' || Type || ' ' || Precision FROM [PREFER-ResultRounding]"),
              "100000.0 Decimal Place 2");
    CQUORVANTAView* reopened = OpenCouplingFromTheExplorer();
    ASSERT_NE(reopened, nullptr);
    EXPECT_TRUE(CouplingLines(*reopened).contains("800.00 kg"));
    PreferenceWalkShot(frame, "reopened");
}
