// The unit-of-measure sets dialog on a generated Demo project: opening, validation in order, new
// sets and renames, saves that fail as a whole, the pending set kept by a failed "save first",
// and what Delete refuses and does.

#include "UOMTestFixture.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "preferences/units/UOMPreferencesDialog.h"

#include <QComboBox>
#include <QPushButton>
#include <functional>

namespace {

const QString UOM_SAVE_FIRST = "Do you want to save the changes first?";
const QString UOM_NAME_EXISTS = "Unit of Measure Set Name exists already! Please give a different name.";
const QString UOM_DELETE_SURE = "Are you sure to delete the selected Unit of Measure Set?";

class UOMPreferencesTest : public UOMTestFixture {
protected:
    std::unique_ptr<CUOMPreferencesDialog> Open()
    {
        auto dialog = std::make_unique<CUOMPreferencesDialog>();
        dialog->OnInitDialog();
        return dialog;
    }
    static int RowOf(const CUOMPreferencesDialog& dialog, const QString& kind)
    {
        for (int i = 0; i < dialog.kinds().size(); ++i)
            if (dialog.kinds().at(i).type == kind)
                return i + 1;
        return -1;
    }
    static QString Unit(const CUOMPreferencesDialog& dialog, const QString& kind)
    {
        return dialog.grid()->GetValueRowCol(RowOf(dialog, kind), 2);
    }
    static void SetUnit(CUOMPreferencesDialog& dialog, const QString& kind, const QString& display)
    {
        dialog.grid()->SetValueRowCol(RowOf(dialog, kind), 2, display);
    }
    // As the user does it: the edit field typed, a list entry picked.
    static void Type(CUOMPreferencesDialog& dialog, const QString& name) { dialog.setCombo()->setEditText(name); }
    static void Pick(QComboBox* combo, const QString& text) { combo->setCurrentIndex(combo->findText(text)); }
    static void ChooseDefaults(CUOMPreferencesDialog& dialog)
    {
        Pick(dialog.inputCombo(), "SI");
        Pick(dialog.outputCombo(), "English");
    }
    QStringList SetNames() { return projectValue("SELECT group_concat(UOMSetName, ',') FROM TblUOMSet").toString().split(','); }
};

TEST_F(UOMPreferencesTest, OpensOnTheFirstSetByNameReadOnlyWithOneRowPerKind)
{
    const auto dialog = Open();
    EXPECT_EQ(dialog->setCombo()->currentText(), "English");
    EXPECT_EQ(dialog->currentSetID(), 2);
    EXPECT_EQ(dialog->kinds().size(), projectValue("SELECT COUNT(*) FROM TblUOMTypes").toInt());
    EXPECT_EQ(dialog->grid()->GetValueRowCol(RowOf(*dialog, "VolumeFlow"), 1), "Volume Flow");
    EXPECT_EQ(Unit(*dialog, "Temperature"), "\u00b0F");
    EXPECT_EQ(Unit(*dialog, "Volume"), "gal");
    EXPECT_FALSE(dialog->button(CUOMPreferencesDialog::IDC_DELETE)->isEnabled());
    EXPECT_FALSE(dialog->button(CUOMPreferencesDialog::IDC_UPDATE)->isEnabled());
    EXPECT_FALSE(dialog->button(CUOMPreferencesDialog::IDC_RESET)->isEnabled());
    EXPECT_EQ(dialog->grid()->GetInterior(1, 2), GRID_READONLY_COLOR);
    EXPECT_FALSE(dialog->grid()->item(0, 1)->flags() & Qt::ItemIsEditable);
    // Stored defaults of -1: nothing chosen.
    EXPECT_EQ(dialog->inputCombo()->currentIndex(), -1);
    EXPECT_EQ(dialog->outputCombo()->currentIndex(), -1);
}

struct ValidationCase {
    const char* name;
    std::function<void(CUOMPreferencesDialog&)> arrange;
    QList<std::pair<QString, int>> prompts; // text ("" = any), answer
    QString nameAfter;                      // the edit field after the refusal
};

TEST_F(UOMPreferencesTest, ValidationRefusesInOrderWithItsTexts)
{
    const long pilot = CopyOfSI("Pilot");
    const QString forbidden =
        "Names cannot contain any of the following\ncharacters:  \\ / : * ? \" < > | '\nPlease enter a new name.";
    const QList<ValidationCase> cases{
        {"empty name", [](auto& d) { d.OnNew(); }, {{"Please enter Unit of Measure Set Name!", IDOK}}, ""},
        {"forbidden character",
         [](auto& d) { d.OnNew(), Type(d, "Lab/Scale"); },
         {{forbidden, IDOK}},
         "LabScale"},
        {"no default input",
         [](auto& d) { d.OnNewSameAs(), Type(d, "Lab"); },
         {{"Please make a selection from the Default Input Unit of Measure Set combo box!", IDOK}},
         "Lab"},
        {"no default output",
         [](auto& d) { d.OnNewSameAs(), Type(d, "Lab"), Pick(d.inputCombo(), "SI"); },
         {{"Please make a selection from the Default Output Unit of Measure Set combo box!", IDOK}},
         "Lab"},
        {"first empty unit",
         [](auto& d) { d.OnNew(), Type(d, "Lab"), ChooseDefaults(d); },
         {{"Unit of Measure for 'Agitation Speed' is empty. Please make a selection from the combo box!", IDOK}},
         "Lab"},
        {"a text the list has no key for",
         [](auto& d) { d.OnNewSameAs(), Type(d, "Lab"), ChooseDefaults(d), SetUnit(d, "Temperature", "Kelvin"); },
         {{"Unit of Measure for 'Temperature' is empty. Please make a selection from the combo box!", IDOK}},
         "Lab"},
        {"rename of a read-only set",
         [](auto& d) { Pick(d.setCombo(), "SI"), Type(d, "SI Units"), ChooseDefaults(d); },
         {{"You can not rename the 'SI'. It is read-only.", IDOK}},
         "SI"},
        {"rename declined",
         [](auto& d) { Pick(d.setCombo(), "Pilot"), Type(d, "Plant"), ChooseDefaults(d); },
         {{"Do you want to rename the Unit of Measure Set?", IDNO}},
         "Pilot"},
        {"rename in letter case only",
         [](auto& d) { Pick(d.setCombo(), "Pilot"), Type(d, "PILOT"), ChooseDefaults(d); },
         {{"Do you want to rename the Unit of Measure Set?", IDYES}, {UOM_NAME_EXISTS, IDOK}},
         "PILOT"},
        {"new name taken ignoring case",
         [](auto& d) { d.OnNewSameAs(), Type(d, "english"), ChooseDefaults(d); },
         {{UOM_NAME_EXISTS, IDOK}},
         "english"},
    };
    for (const ValidationCase& each : cases) {
        SCOPED_TRACE(each.name);
        const auto dialog = Open();
        each.arrange(*dialog);
        for (const auto& [text, answer] : each.prompts)
            m_prompts.expect(answer);
        m_prompts.clear();
        dialog->OnUpdate();
        QStringList expected;
        for (const auto& prompt : each.prompts)
            expected << prompt.first;
        EXPECT_EQ(m_prompts.texts(), expected);
        EXPECT_EQ(dialog->setCombo()->currentText(), each.nameAfter);
    }
    EXPECT_EQ(SetNames(), QStringList({"SI", "English", "Pilot"}));
    EXPECT_EQ(units(pilot), units(1));
    EXPECT_TRUE(m_app.modifiedHistory().isEmpty());
}

TEST_F(UOMPreferencesTest, NewSameAsSortingFirstGetsItsOwnIdAndTheDefaultsAreStored)
{
    const auto dialog = Open();
    Pick(dialog->setCombo(), "SI");
    dialog->OnNewSameAs();
    Type(*dialog, "Aardvark");
    SetUnit(*dialog, "Temperature", "\u00b0F");
    ChooseDefaults(*dialog);
    dialog->OnOK();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    const long id = projectValue("SELECT UOMSetID FROM TblUOMSet WHERE UOMSetName = 'Aardvark'").toInt();
    EXPECT_EQ(id, 3);
    EXPECT_EQ(dialog->currentSetID(), id);
    EXPECT_EQ(dialog->setCombo()->currentData().toLongLong(), id);
    EXPECT_EQ(projectValue("SELECT ReadOnly FROM TblUOMSet WHERE UOMSetID = 3").toInt(), 0);
    EXPECT_EQ(units(id), QString(units(1)).replace("Temperature=C", "Temperature=F"));
    EXPECT_EQ(projectValue("SELECT InputUOMSetID || '/' || OutputUOMSetID FROM \"PREFER-UnitsOfMeasureSet\"").toString(),
              "1/2");
    EXPECT_EQ(dialog->inputCombo()->findData(qlonglong(id)), dialog->inputCombo()->findText("Aardvark"));
    EXPECT_EQ(m_app.modifiedHistory(), QList<bool>{true});
}

TEST_F(UOMPreferencesTest, RenameWritesTheNameAndMarksTheStepsShowingTheSet)
{
    const long pilot = CopyOfSI("Pilot");
    step(1002).Execute("UPDATE Step SET OutputUOMSetID = ?", {qlonglong(pilot)});
    const auto dialog = Open();
    Pick(dialog->setCombo(), "Pilot");
    Type(*dialog, "Plant");
    SetUnit(*dialog, "Pressure", "bar");
    ChooseDefaults(*dialog);
    m_prompts.expect(IDYES);
    dialog->OnUpdate();
    EXPECT_EQ(SetNames(), QStringList({"SI", "English", "Plant"}));
    EXPECT_TRUE(units(pilot).contains("Pressure=bar"));
    for (QComboBox* combo : {dialog->setCombo(), dialog->inputCombo(), dialog->outputCombo()})
        EXPECT_EQ(combo->itemText(combo->findData(qlonglong(pilot))), "Plant");
    EXPECT_EQ(m_concerns.calls, QStringList{"reset 1002 SimulateOnly"});
}

// A set lacking a kind shows it empty, and its next save adds the row.
TEST_F(UOMPreferencesTest, AKindTheSetLacksIsAddedByItsSave)
{
    const long pilot = CopyOfSI("Pilot");
    project().Execute("DELETE FROM TblUOMSetDetail WHERE UOMSetID = ? AND UOMType = 'Area'", {qlonglong(pilot)});
    const auto dialog = Open();
    Pick(dialog->setCombo(), "Pilot");
    EXPECT_EQ(Unit(*dialog, "Area"), "");
    EXPECT_EQ(Unit(*dialog, "Length"), "m");
    ChooseDefaults(*dialog);
    m_prompts.expect(IDOK);
    dialog->OnUpdate();
    EXPECT_EQ(m_prompts.lastText(), "Unit of Measure for 'Area' is empty. Please make a selection from the combo box!");
    SetUnit(*dialog, "Area", "Sq ft");
    dialog->OnUpdate();
    EXPECT_EQ(units(pilot), QString(units(1)).replace("Area=Sq m", "Area=Sq ft"));
}

// The k-th detail row refused: nothing of the save stays, and the dialog stays as it was.
TEST_F(UOMPreferencesTest, ARefusedDetailRowLeavesNothingWritten)
{
    const long pilot = CopyOfSI("Pilot");
    step(1002).Execute("UPDATE Step SET OutputUOMSetID = ?", {qlonglong(pilot)});
    project().Execute("CREATE TRIGGER RefuseInsert BEFORE INSERT ON TblUOMSetDetail WHEN NEW.UOMType = 'Pressure' "
                      "BEGIN SELECT RAISE(ABORT, 'pressure refused'); END");
    project().Execute("CREATE TRIGGER RefuseUpdate BEFORE UPDATE ON TblUOMSetDetail WHEN NEW.UOMType = 'Pressure' "
                      "BEGIN SELECT RAISE(ABORT, 'pressure refused'); END");
    const QString before = units(pilot);
    for (const bool newSet : {true, false}) {
        SCOPED_TRACE(newSet ? "new set" : "rename");
        const auto dialog = Open();
        Pick(dialog->setCombo(), "Pilot");
        if (newSet)
            dialog->OnNewSameAs();
        else
            m_prompts.expect(IDYES);
        Type(*dialog, "Plant");
        SetUnit(*dialog, "Temperature", "\u00b0F");
        ChooseDefaults(*dialog);
        m_prompts.expect(IDOK);
        dialog->OnOK();
        EXPECT_TRUE(m_prompts.lastText().contains("pressure refused")) << m_prompts.lastText().toStdString();
        EXPECT_NE(dialog->result(), QDialog::Accepted);
        EXPECT_EQ(dialog->isNewSetPending(), newSet);
        EXPECT_EQ(dialog->setCombo()->count(), 3);
        EXPECT_EQ(dialog->setCombo()->currentText(), "Plant");
    }
    EXPECT_EQ(SetNames(), QStringList({"SI", "English", "Pilot"}));
    EXPECT_EQ(units(pilot), before);
    EXPECT_EQ(projectValue("SELECT COUNT(*) FROM TblUOMSetDetail WHERE UOMSetID > ?", {qlonglong(pilot)}).toInt(), 0);
    EXPECT_EQ(projectValue("SELECT InputUOMSetID FROM \"PREFER-UnitsOfMeasureSet\"").toInt(), -1);
    EXPECT_TRUE(m_concerns.calls.isEmpty());
    EXPECT_TRUE(m_app.modifiedHistory().isEmpty());
}

// Yes to "save first" that fails keeps the pending set; one that succeeds loads the picked set.
TEST_F(UOMPreferencesTest, SaveFirstKeepsThePendingSetOrLoadsThePickedOne)
{
    const auto dialog = Open();
    dialog->OnNew();
    Type(*dialog, "Pilot");
    m_prompts.expect(IDYES);
    m_prompts.expect(IDOK);
    Pick(dialog->setCombo(), "SI");
    EXPECT_EQ(m_prompts.texts().first(), UOM_SAVE_FIRST);
    EXPECT_TRUE(dialog->isNewSetPending());
    EXPECT_EQ(dialog->setCombo()->currentIndex(), -1);
    EXPECT_EQ(dialog->setCombo()->currentText(), "Pilot");
    EXPECT_EQ(Unit(*dialog, "Mass"), "");

    dialog->OnReset();
    dialog->OnNewSameAs();
    Type(*dialog, "Pilot");
    ChooseDefaults(*dialog);
    m_prompts.expect(IDYES);
    Pick(dialog->setCombo(), "English");
    EXPECT_FALSE(dialog->isNewSetPending());
    EXPECT_EQ(dialog->currentSetID(), 2);
    EXPECT_EQ(dialog->setCombo()->currentText(), "English");
    EXPECT_EQ(Unit(*dialog, "Temperature"), "\u00b0F");
    EXPECT_EQ(units(3), units(2));
    EXPECT_GE(dialog->setCombo()->findText("Pilot"), 0);
}

TEST_F(UOMPreferencesTest, SaveFirstAnsweredNoDropsThePendingSet)
{
    const auto dialog = Open();
    dialog->OnNew();
    Type(*dialog, "Pilot");
    m_prompts.expect(IDNO);
    Pick(dialog->setCombo(), "SI");
    EXPECT_FALSE(dialog->isNewSetPending());
    EXPECT_EQ(dialog->currentSetID(), 1);
    EXPECT_EQ(Unit(*dialog, "Temperature"), "\u00b0C");
    EXPECT_TRUE(dialog->button(CUOMPreferencesDialog::IDC_NEW)->isEnabled());
    EXPECT_EQ(SetNames().size(), 2);
}

struct DeleteCase {
    const char* name;
    std::function<void(UOMTestFixture&, long set)> arrange;
    QString refusal; // empty: deleted
};

TEST_F(UOMPreferencesTest, DeleteRefusesSetsInUseAndDeletesTheOthers)
{
    const QList<DeleteCase> cases{
        {"stored default input",
         [](auto& f, long set) { f.project().Execute("UPDATE \"PREFER-UnitsOfMeasureSet\" SET InputUOMSetID = ?", {qlonglong(set)}); },
         "You can not delete this Unit of Measure Set since it is used as default Input Unit of Measure Set."},
        {"stored default output",
         [](auto& f, long set) { f.project().Execute("UPDATE \"PREFER-UnitsOfMeasureSet\" SET OutputUOMSetID = ?", {qlonglong(set)}); },
         "You can not delete this Unit of Measure Set since it is used as default Output Unit of Measure Set."},
        {"a step of the second step database",
         [](auto& f, long set) { f.step(1002).Execute("UPDATE Step SET InputUOMSetID = ?", {qlonglong(set)}); },
         "You can not delete this Unit of Measure Set since it is used in Step: Crystallization (1.0)."},
        {"a process only", [](auto& f, long set) { f.project().Execute("UPDATE Process SET OutputUOMSetID = ?", {qlonglong(set)}); }, ""},
    };
    for (const DeleteCase& each : cases) {
        SCOPED_TRACE(each.name);
        const long set = CopyOfSI(QString("Pilot %1").arg(each.name));
        each.arrange(*this, set);
        const auto dialog = Open();
        Pick(dialog->setCombo(), QString("Pilot %1").arg(each.name));
        Pick(dialog->inputCombo(), "English"); // the combos do not count
        m_prompts.expect(IDYES);
        if (!each.refusal.isEmpty())
            m_prompts.expect(IDOK);
        dialog->OnDelete();
        EXPECT_EQ(m_prompts.lastText(), each.refusal.isEmpty() ? UOM_DELETE_SURE : each.refusal);
        const bool deleted = each.refusal.isEmpty();
        EXPECT_EQ(projectValue("SELECT COUNT(*) FROM TblUOMSet WHERE UOMSetID = ?", {qlonglong(set)}).toInt(), deleted ? 0 : 1);
        EXPECT_EQ(units(set).isEmpty(), deleted);
        EXPECT_EQ(dialog->inputCombo()->findData(qlonglong(set)) < 0, deleted);
        EXPECT_EQ(dialog->inputCombo()->currentText(), "English");
        EXPECT_EQ(m_app.modifiedHistory(), deleted ? QList<bool>{true} : QList<bool>{});
        if (deleted) {
            EXPECT_EQ(dialog->currentSetID(), 2); // the first entry, "English"
        }
        project().Execute("UPDATE \"PREFER-UnitsOfMeasureSet\" SET InputUOMSetID = -1, OutputUOMSetID = -1");
        step(1002).Execute("UPDATE Step SET InputUOMSetID = 2");
    }
}

TEST_F(UOMPreferencesTest, DeletingTheLastSetLeavesNothingToEdit)
{
    const long pilot = CopyOfSI("Pilot");
    project().Execute("DELETE FROM TblUOMSet WHERE UOMSetID < ?", {qlonglong(pilot)});
    const auto dialog = Open();
    EXPECT_EQ(dialog->currentSetID(), pilot);
    EXPECT_TRUE(dialog->button(CUOMPreferencesDialog::IDC_DELETE)->isEnabled());
    m_prompts.expect(IDYES);
    dialog->OnDelete();
    EXPECT_EQ(dialog->currentSetID(), -1);
    EXPECT_EQ(dialog->setCombo()->count(), 0);
    EXPECT_EQ(Unit(*dialog, "Mass"), "");
    EXPECT_FALSE(dialog->grid()->item(RowOf(*dialog, "Mass") - 1, 1)->flags() & Qt::ItemIsEditable);
    EXPECT_FALSE(dialog->button(CUOMPreferencesDialog::IDC_DELETE)->isEnabled());
    EXPECT_FALSE(dialog->button(CUOMPreferencesDialog::IDC_UPDATE)->isEnabled());
    EXPECT_TRUE(dialog->button(CUOMPreferencesDialog::IDC_NEW)->isEnabled());
    EXPECT_EQ(m_app.modifiedHistory(), QList<bool>{true});
}

} // namespace
