// Unit-of-measure sets in the running program on Demo: the hub's button opens the sets dialog on
// the stand-in's unit names, and Tools > Convert Units converts the coupling step to another set.
// With QV_SHOTS_DIR set, each state is kept as u1-sets-program-<name>.png there.

#include "RecipeShellFixture.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "preferences/hub/Preference.h"
#include "preferences/units/ConvertUnitsDialog.h"
#include "preferences/units/UOMPreferencesDialog.h"

#include <QComboBox>
#include <QPushButton>

namespace {

void UnitSetsShot(QWidget* window, const QString& name)
{
    SaveShellShot(window, "u1-sets-program-" + name + ".png");
}

QVariant StepValue(long stepID, const QString& sql)
{
    QSqlQuery query = GetStepDatabase(stepID)->Query(sql);
    return query.next() ? query.value(0) : QVariant();
}

QString StoredUnit(const QString& set, const QString& kind)
{
    QSqlQuery query = GetProjectDatabase()->Query(
        "SELECT d.Unit FROM TblUOMSet s JOIN TblUOMSetDetail d ON d.UOMSetID = s.UOMSetID "
        "WHERE s.UOMSetName = ? AND d.UOMType = ?",
        {set, kind});
    return query.next() ? query.value(0).toString() : QString("no row");
}

// Runs fill on the dialog of type Dialog that the trigger opens modally; answers whether it came.
template <typename Dialog> bool WhenModal(const std::function<void()>& trigger, const std::function<void(Dialog&)>& fill)
{
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shown = true;
        fill(*dialog);
    });
    trigger();
    return shown;
}

} // namespace

class UnitSetsShellTest : public RecipeShellFixture {};

TEST_F(UnitSetsShellTest, ConvertUnitsConvertsTheContextStep)
{
    ASSERT_NE(OpenCouplingFromTheExplorer(), nullptr);
    QAction* convert = frame->action(ID_TOOLS_CONVERT_UNITS);
    emit frame->menu("&Tools")->aboutToShow();
    ASSERT_TRUE(convert->isEnabled());
    EXPECT_EQ(StepValue(SHELL_COUPLING_STEP, "SELECT InputUOMSetID FROM Step").toInt(), 1);
    EXPECT_TRUE(WhenModal<CConvertUnitsDialog>([&] { convert->trigger(); }, [](CConvertUnitsDialog& dialog) {
        EXPECT_EQ(dialog.fromText(), "from Unit of Measure Set SI to:");
        dialog.setCombo()->setCurrentIndex(dialog.setCombo()->findText("English"));
        UnitSetsShot(&dialog, "convert-units");
        dialog.findChild<QPushButton*>("1")->click();
    }));
    EXPECT_EQ(StepValue(SHELL_COUPLING_STEP, "SELECT InputUOMSetID FROM Step").toInt(), 2);
    EXPECT_TRUE(GetAppContext()->isProjectModified());
    UnitSetsShot(frame, "converted");
    prompts.expect(IDNO); // the close does not save
}

TEST_F(UnitSetsShellTest, TheHubOpensTheSetsDialogOnTheStandInsUnitNames)
{
    bool walked = false;
    QTimer::singleShot(0, [&] {
        auto* hub = qobject_cast<CPreference*>(QApplication::activeModalWidget());
        ASSERT_NE(hub, nullptr);
        ASSERT_TRUE(hub->button(1048)->isEnabled());
        EXPECT_TRUE(WhenModal<CUOMPreferencesDialog>([&] { hub->button(1048)->click(); }, [](CUOMPreferencesDialog& dialog) {
            dialog.setCombo()->setCurrentIndex(dialog.setCombo()->findText("SI"));
            dialog.button(CUOMPreferencesDialog::IDC_NEW_SAME_AS)->click();
            dialog.setCombo()->setEditText("Pilot Plant");
            UnitSetsShot(&dialog, "new-same-as-si");
            const auto row = [&dialog](const QString& kind) {
                int row = 1;
                while (row <= dialog.kinds().size() && dialog.kinds().at(row - 1).type != kind)
                    ++row;
                return row;
            };
            EXPECT_EQ(dialog.grid()->GetValueRowCol(row("Volume"), 2), "m\u00b3");
            dialog.grid()->SetValueRowCol(row("Temperature"), 2, "\u00b0F");
            dialog.grid()->scrollToItem(dialog.grid()->item(row("Temperature") - 1, 1));
            UnitSetsShot(&dialog, "temperature-f");
            dialog.inputCombo()->setCurrentIndex(dialog.inputCombo()->findText("SI"));
            dialog.outputCombo()->setCurrentIndex(dialog.outputCombo()->findText("English"));
            UnitSetsShot(&dialog, "defaults");
            dialog.findChild<QPushButton*>("1")->click();
        }));
        walked = true;
        hub->findChild<QPushButton*>(QString::number(IDOK))->click();
    });
    frame->action(ID_TOOLS_PREFERENCES)->trigger();
    ASSERT_TRUE(walked);
    EXPECT_EQ(StoredUnit("Pilot Plant", "Volume"), "Cubic m");
    EXPECT_EQ(StoredUnit("Pilot Plant", "Temperature"), "F");
    UnitSetsShot(frame, "saved");
    prompts.expect(IDNO); // the close does not save
}
