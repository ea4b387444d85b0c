// The design dialog and the Fix Equipment dialog on the generated Demo: the engine's values, the
// stored targets read back, OK's checks and its one-transaction save, the equipment lists.

#include "DesignFixture.h"

#include "foundation/controls/GridCtrl.h"
#include "simulation/DesignDlg.h"
#include "simulation/FixEquipmentDlg.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {

class DesignDialogTest : public DesignFixture {
protected:
    void SetUp() override { OpenDemo(); }

    std::unique_ptr<CDesignDlg> Dialog(double batch = 1200, double rate = 600, double max = 3000)
    {
        return std::make_unique<CDesignDlg>(DESIGN_STEP, DESIGN_PROCESS, batch, rate, max, &engine);
    }

    template <typename T> static T* Child(QWidget& dialog, const char* id)
    {
        T* child = dialog.findChild<T*>(QString::fromLatin1(id));
        EXPECT_NE(child, nullptr) << id;
        return child;
    }
    static QString Text(QWidget& dialog, const char* id) { return Child<QLabel>(dialog, id)->text(); }
    static void Choose(QWidget& dialog, const char* id, const QString& text)
    {
        QComboBox* combo = Child<QComboBox>(dialog, id);
        combo->setCurrentIndex(combo->findText(text));
    }
    // Amount, horizon, their units and the Demo's facility.
    static void Fill(CDesignDlg& dialog, const QString& amount, const QString& horizon = "30")
    {
        Child<QLineEdit>(dialog, "1003")->setText(amount);
        Choose(dialog, "1005", "kg");
        Child<QLineEdit>(dialog, "1004")->setText(horizon);
        Choose(dialog, "1006", "day");
        Choose(dialog, "1179", "Ridgemont Pilot Plant");
    }
    int Rows() { return StepValue("SELECT count(*) FROM DesignSpecifications").toInt(); }

    DesignEngine engine;
};

// Double-clicks the current cell set to (row, col) as the grid reports it.
void DoubleClick(CFixEquipmentDlg& dialog, int row, int col)
{
    dialog.Grid()->SetRow(row);
    dialog.Grid()->SetCol(col);
    dialog.OnDblClickGrid();
}

QStringList Column(CGridCtrl& grid, int col)
{
    QStringList texts;
    for (int row = 0; row < grid.GetRows(); ++row) {
        grid.SetRow(row);
        grid.SetCol(col);
        texts << grid.GetText();
    }
    return texts;
}

// Runs a script on the Fix Equipment dialog instead of showing it.
class ScriptedDesignDlg : public CDesignDlg {
public:
    using CDesignDlg::CDesignDlg;
    std::function<int(CFixEquipmentDlg&)> onFix;

protected:
    int ExecFixEquipment(CFixEquipmentDlg& dialog) override { return onFix(dialog); }
};

} // namespace

TEST_F(DesignDialogTest, EngineValuesShowWholeNumbersWithoutDecimals)
{
    const struct {
        double batch, rate, max;
        const char *batchText, *rateText, *maxText;
    } cases[] = {
        {1200, 600, 3000, "1200 kg", "600 kg/h", "3000 kg"},
        {1200.5, 600.25, 2999.999, "1200.50 kg", "600.25 kg/h", "3000.00 kg"},
        {3e9, 1.5e9, 4294967296.0, "3000000000 kg", "1500000000 kg/h", "4294967296 kg"},
    };
    for (const auto& c : cases) {
        const auto dialog = Dialog(c.batch, c.rate, c.max);
        EXPECT_EQ(Text(*dialog, "1175"), c.batchText);
        EXPECT_EQ(Text(*dialog, "1176"), c.rateText);
        EXPECT_EQ(Text(*dialog, "1177"), c.maxText);
    }
    const auto dialog = Dialog();
    EXPECT_EQ(Text(*dialog, "1172"), "Coupling");
    EXPECT_EQ(Text(*dialog, "1173"), "1.0");
    EXPECT_FALSE(Text(*dialog, "1174").isEmpty());
}

TEST_F(DesignDialogTest, OkChecksTheEntriesInOrderAndKeepsTheDialogOpen)
{
    const auto dialog = Dialog();
    EXPECT_EQ(Child<QComboBox>(*dialog, "1005")->currentIndex(), -1);
    QComboBox* facility = Child<QComboBox>(*dialog, "1179");
    const int catalog = facility->findData(qlonglong(0)); // inserted first, then sorted with the facilities
    EXPECT_EQ(facility->itemText(catalog), "Tamro Plenthover Equipment Catalog");
    EXPECT_EQ(facility->currentIndex(), -1);
    const std::function<void()> steps[] = {
        [&] { Choose(*dialog, "1005", "kg"); }, // an empty amount with a unit chosen
        [&] {
            Child<QLineEdit>(*dialog, "1003")->setText("5000");
            Child<QComboBox>(*dialog, "1005")->setCurrentIndex(-1);
        },
        [&] { Choose(*dialog, "1005", "kg"); },
        [&] { Child<QLineEdit>(*dialog, "1004")->setText("30"); },
        [&] { Choose(*dialog, "1006", "day"); },
    };
    const QStringList messages = {
        "Please enter Design Amount!", "Please select Unit Of Measure for Design Amount!",
        "Please enter Time Horizon!", "Please select Unit Of Measure for Time Horizon!",
        "Please select a Facility from the Facility combo box!"};
    for (int i = 0; i < 5; ++i) {
        steps[i]();
        prompts.expect(IDOK);
        dialog->accept();
        EXPECT_EQ(prompts.lastText(), messages[i]);
        EXPECT_NE(dialog->result(), QDialog::Accepted);
    }
    EXPECT_EQ(Rows(), 0);
    facility->setCurrentIndex(catalog);
    dialog->accept();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(
        StepValue("SELECT FacilityID || ' ' || FacilityName || ' ' || Heuristic FROM DesignSpecifications"),
        "0 Tamro Plenthover Equipment Catalog Largest vessels first");
    EXPECT_EQ(app.modifiedHistory(), QList<bool>{true});
}

TEST_F(DesignDialogTest, ANumberThatDoesNotReadShowsTheNumberPrompt)
{
    const auto dialog = Dialog();
    Fill(*dialog, "12..5");
    prompts.expect(IDOK);
    dialog->accept();
    EXPECT_EQ(prompts.texts().size(), 1);
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(Rows(), 0);
}

// The limits hold once a figure is converted to internal units (kg, s): 1e34 min is 6e35 s and
// -2e33 min is -1.2e35 s; the number prompt keeps the dialog open and writes nothing.
TEST_F(DesignDialogTest, AFigureBeyondTheLimitsInInternalUnitsIsRefused)
{
    const struct {
        const char *amount, *amountUnit, *horizon, *horizonUnit;
        bool refused;
    } cases[] = {
        {"5000", "kg", "1e34", "min", true},     {"5000", "kg", "-2e33", "min", true},
        {"1e33", "tonne", "30", "day", true},    {"5000", "kg", "1e33", "min", false},
        {"1e31", "tonne", "30", "day", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.amount) + " " + c.amountUnit + ", " + c.horizon + " " + c.horizonUnit);
        const auto dialog = Dialog();
        Fill(*dialog, c.amount, c.horizon);
        Choose(*dialog, "1005", c.amountUnit);
        Choose(*dialog, "1006", c.horizonUnit);
        ASSERT_EQ(Child<QComboBox>(*dialog, "1005")->currentText(), c.amountUnit);
        ASSERT_EQ(Child<QComboBox>(*dialog, "1006")->currentText(), c.horizonUnit);
        if (c.refused)
            prompts.expect(IDOK);
        dialog->accept();
        EXPECT_EQ(dialog->result() == QDialog::Accepted, !c.refused);
        EXPECT_EQ(prompts.texts().isEmpty() ? QString() : prompts.lastText(),
                  c.refused ? "Please enter a number." : "");
        prompts.clear();
    }
    EXPECT_EQ(Rows(), 1) << "only the accepted figures were written";
}

TEST_F(DesignDialogTest, TheStoredTargetsAreShownAgain)
{
    {
        const auto dialog = Dialog();
        Fill(*dialog, "1200.5");
        Child<QRadioButton>(*dialog, "1484")->setChecked(true);
        dialog->accept();
        ASSERT_EQ(dialog->result(), QDialog::Accepted);
    }
    const auto dialog = Dialog();
    EXPECT_EQ(Child<QLineEdit>(*dialog, "1003")->text(), "1200.5");
    EXPECT_EQ(Child<QLineEdit>(*dialog, "1004")->text(), "30");
    EXPECT_EQ(Child<QComboBox>(*dialog, "1005")->currentText(), "kg");
    EXPECT_EQ(Child<QComboBox>(*dialog, "1006")->currentText(), "day");
    EXPECT_EQ(Child<QComboBox>(*dialog, "1179")->currentText(), "Ridgemont Pilot Plant");
    EXPECT_TRUE(Child<QRadioButton>(*dialog, "1484")->isChecked());

    const struct {
        const char* heuristic;
        const char* unit;
        const char* radio;
        const char* shownUnit;
    } stored[] = {{"cLOSEST vessels FIRST", "DA", "1485", "day"},
                  {"Fastest vessels first", "parsec", "1483", ""}};
    for (const auto& s : stored) {
        ExecuteStep("UPDATE DesignSpecifications SET Heuristic = ?, TimeHorizonUOM = ?",
                    {s.heuristic, s.unit});
        const auto again = Dialog();
        EXPECT_TRUE(Child<QRadioButton>(*again, s.radio)->isChecked()) << s.heuristic;
        EXPECT_EQ(Child<QComboBox>(*again, "1006")->currentText(), s.shownUnit);
    }
}

TEST_F(DesignDialogTest, OkWritesOneRowAndMarksTheProjectModifiedOnlyWhenAValueChanged)
{
    for (const char* amount : {"1234567.89", "1234567.89", "1234567.9"}) {
        const auto dialog = Dialog();
        if (Child<QLineEdit>(*dialog, "1003")->text().isEmpty())
            Fill(*dialog, amount);
        else
            Child<QLineEdit>(*dialog, "1003")->setText(amount);
        dialog->accept();
        ASSERT_EQ(dialog->result(), QDialog::Accepted);
    }
    EXPECT_EQ(Rows(), 1);
    EXPECT_DOUBLE_EQ(StepValue("SELECT Amount FROM DesignSpecifications").toDouble(), 1234567.9);
    EXPECT_EQ(app.modifiedHistory(),
              (QList<bool>{true, true})); // added, then changed; the same values: untouched
}

TEST_F(DesignDialogTest, AFailedSaveRollsBackShowsItsReasonAndKeepsTheDialogOpen)
{
    ExecuteStep("INSERT INTO DesignSpecifications (StepID, Amount, AmountUOM) VALUES (1001, 10, 'kg')");
    ExecuteStep("CREATE TRIGGER KeepDesign BEFORE UPDATE ON DesignSpecifications "
                "BEGIN SELECT RAISE(ABORT, 'design rows are kept'); END");
    const auto dialog = Dialog();
    Fill(*dialog, "5000");
    prompts.expect(IDOK);
    dialog->accept();
    EXPECT_TRUE(prompts.lastText().contains("design rows are kept")) << prompts.lastText().toStdString();
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(
        StepValue(
            "SELECT Amount || ' ' || AmountUOM || ' ' || ifnull(TimeHorizon, '-') FROM DesignSpecifications"),
        "10.0 kg -");
    EXPECT_TRUE(app.modifiedHistory().isEmpty());
}

TEST_F(DesignDialogTest, AStepTableThatDoesNotOpenLeavesTheDialogWithoutValues)
{
    ExecuteStep("ALTER TABLE Step RENAME TO StepGone");
    prompts.expect(IDOK);
    const auto dialog = Dialog();
    EXPECT_EQ(prompts.lastText(), "Can't open Step table for intialization!");
    EXPECT_EQ(Child<QComboBox>(*dialog, "1179")->count(), 0);
    EXPECT_EQ(dialog->equipmentIDs.GetSize(), 0);
}

TEST_F(DesignDialogTest, EquipmentListsStayParallelForAnItemWithoutItsRow)
{
    engine.equipment = {101, 999, 102};
    const auto dialog = Dialog();
    EXPECT_EQ(dialog->equipmentTags.GetSize(), 3);
    EXPECT_EQ(dialog->equipmentTags[1], "999");
    EXPECT_EQ(dialog->equipmentTags[2], "R-102");
    EXPECT_EQ(dialog->equipmentClasses[0], "Reactor");
    EXPECT_EQ(dialog->equipmentClasses[1], "");
    EXPECT_EQ(dialog->fixedFlags.GetSize(), 3);
    EXPECT_GE(sorts, 3); // the three combo boxes, after the fillers' own sorts
}

TEST_F(DesignDialogTest, FixEquipmentTogglesItsFlagsAndCancelKeepsTheDialogs)
{
    engine.equipment = {101, 102};
    ScriptedDesignDlg dialog(DESIGN_STEP, DESIGN_PROCESS, 1200, 600, 3000, &engine);
    dialog.onFix = [](CFixEquipmentDlg& fix) {
        EXPECT_EQ(Column(*fix.Grid(), 0), (QStringList{"Equipment Tag", "R-101", "R-102"}));
        EXPECT_EQ(Column(*fix.Grid(), 1), (QStringList{"Equipment Class", "Reactor", "Reactor"}));
        DoubleClick(fix, 0, 2);
        DoubleClick(fix, 1, 0);
        DoubleClick(fix, 2, 1);
        EXPECT_EQ(Column(*fix.Grid(), 2), (QStringList{"Fix Equipment", "NO", "NO"}));
        DoubleClick(fix, 2, 2);
        DoubleClick(fix, 1, 2);
        DoubleClick(fix, 1, 2);
        EXPECT_EQ(Column(*fix.Grid(), 2), (QStringList{"Fix Equipment", "NO", "YES"}));
        return int(QDialog::Accepted);
    };
    dialog.OnFixEquipment();
    EXPECT_EQ(dialog.fixedFlags[0], 0);
    EXPECT_EQ(dialog.fixedFlags[1], 1);
    dialog.onFix = [](CFixEquipmentDlg& fix) {
        EXPECT_EQ(Column(*fix.Grid(), 2), (QStringList{"Fix Equipment", "NO", "YES"}));
        DoubleClick(fix, 1, 2);
        return int(QDialog::Rejected);
    };
    dialog.OnFixEquipment();
    EXPECT_EQ(dialog.fixedFlags[0], 0);
    EXPECT_EQ(dialog.fixedFlags[1], 1);
}

TEST_F(DesignDialogTest, WithoutEquipmentOnlyTheTitleRowShows)
{
    CFixEquipmentDlg fix({}, {}, {});
    EXPECT_EQ(fix.Grid()->GetRows(), 1);
    EXPECT_EQ(fix.Grid()->GetCols(), 3);
    EXPECT_EQ(Column(*fix.Grid(), 2), QStringList{"Fix Equipment"});
    fix.OnDblClickGrid();
    EXPECT_EQ(fix.FixedFlags().GetSize(), 0);
}

TEST_F(DesignDialogTest, F1ShowsTopic207InBothDialogs)
{
    const auto dialog = Dialog();
    CFixEquipmentDlg fix({"R-101"}, {"Reactor"}, {0});
    for (QWidget* window : {static_cast<QWidget*>(dialog.get()), static_cast<QWidget*>(&fix)}) {
        QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &f1);
    }
    EXPECT_EQ(help, (QStringList{GetHelpFileName() + " 207", GetHelpFileName() + " 207"}));
}
