// The emission control path page on the Demo: two facilities, the pilot plant's three default
// paths (R-101 and D-301 on "Vent Header", R-102 on "Scrubber Line"), M-401 a pool.

#include "EmissionPageFixture.h"
#include "foundation/controls/MyGXComboBox.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "modules/opdialog/EmissionControlPathDialog.h"
#include "preferences/emissions/EmissionControlPathTab.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <utility>

namespace {

using Tab = CEmissionControlPathTab;
constexpr long PILOT = 1, KILO_LAB = 100, VENT_HEADER = 1, SCRUBBER = 2, R101 = 101, R102 = 102, D301 = 301;

QStringList ListTexts(QComboBox* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->itemText(i);
    texts.sort();
    return texts;
}

void Pick(CObjectGridWnd* grid, int row, const QString& tag, long equipmentID, const QString& path, long pathID)
{
    grid->SetValueWithItemData(row, Tab::COL_EQUIPMENT, tag, equipmentID);
    grid->SetValueWithItemData(row, Tab::COL_PATH, path, pathID);
}

void SwitchTo(Tab& tab, long plantID)
{
    tab.facilityCombo()->setCurrentIndex(tab.facilityCombo()->findData(qlonglong(plantID)));
    tab.OnSelEndOkFacility();
}

// The dialog of ordinal 17 driven by the test: the script acts, then answers OK or Cancel.
class ScriptedPathDialog : public EmissionPathDialogRunner {
public:
    int Run(CEmissionControlPathDialog& dialog) override
    {
        ++runs;
        return script ? script(dialog) : QDialog::Rejected;
    }
    std::function<int(CEmissionControlPathDialog&)> script;
    int runs = 0;
};

} // namespace

class EmissionControlPathTabTest : public EmissionPageTest {
protected:
    void SetUp() override
    {
        EmissionPageTest::SetUp();
        m_installed.Install<EmissionPathDialogRunner>(&m_pathDialog);
    }
    ScriptedPathDialog m_pathDialog;
};

TEST_F(EmissionControlPathTabTest, ShowsTheFirstFacilityWithItsListsAndStoredRowsByID)
{
    Tab tab;
    ASSERT_TRUE(tab.IsLoaded());
    EXPECT_EQ(tab.currentFacility(), PILOT);
    EXPECT_EQ(tab.facilityCombo()->currentText(), "Ridgemont Pilot Plant");
    EXPECT_EQ(tab.grid()->GetRowCount(), Tab::MIN_ROWS);
    auto* equipment = tab.grid()->GetRegisteredControl(Tab::EQUIPMENT_LIST);
    EXPECT_EQ(ListTexts(equipment), QStringList({"C-201", "D-301", "R-101", "R-102"})); // M-401 is a pool
    EXPECT_EQ(ListTexts(tab.grid()->GetRegisteredControl(Tab::PATH_LIST)),
              QStringList({"Scrubber Line", "Vent Header"}));
    struct Shown {
        const char* tag;
        long equipmentID;
        const char* path;
        long pathID;
    };
    const Shown expected[] = {{"R-101", R101, "Vent Header", VENT_HEADER},
                              {"R-102", R102, "Scrubber Line", SCRUBBER},
                              {"D-301", D301, "Vent Header", VENT_HEADER}};
    for (int row = 1; row <= 3; ++row) {
        EXPECT_EQ(tab.grid()->GetValueRowCol(row, 1), expected[row - 1].tag);
        EXPECT_EQ(tab.grid()->GetStoredItemData(row, 1), expected[row - 1].equipmentID);
        EXPECT_EQ(tab.grid()->GetValueRowCol(row, 3), expected[row - 1].path);
        EXPECT_EQ(tab.grid()->GetStoredItemData(row, 3), expected[row - 1].pathID);
    }
    EXPECT_EQ(tab.grid()->GetValueRowCol(4, 1), "");
    const QString before = defaultPaths();
    EXPECT_TRUE(tab.CheckEntries());
    EXPECT_EQ(writeLikeSheet(tab), "unchanged");
    EXPECT_EQ(defaultPaths(), before);
    EXPECT_FALSE(m_app.isProjectModified());
}

// Switching keeps each facility's edits in memory and writes nothing; OK writes every facility
// that changed, and a row without both entries is not stored.
TEST_F(EmissionControlPathTabTest, SwitchingWritesNothingAndOkWritesEveryChangedFacility)
{
    const QString before = defaultPaths();
    Tab tab;
    tab.grid()->SetValueWithItemData(1, Tab::COL_PATH, "Scrubber Line", SCRUBBER);
    tab.grid()->SetValueRowCol(3, Tab::COL_PATH, "");                             // D-301 without a path
    tab.grid()->SetValueWithItemData(5, Tab::COL_EQUIPMENT, "C-201", 201);       // no path
    SwitchTo(tab, KILO_LAB);
    EXPECT_EQ(tab.currentFacility(), KILO_LAB);
    EXPECT_EQ(defaultPaths(), before);
    EXPECT_EQ(tab.grid()->GetValueRowCol(1, 1), "");
    EXPECT_EQ(ListTexts(tab.grid()->GetRegisteredControl(Tab::PATH_LIST)), QStringList{"Kilo Lab Vent"});
    SwitchTo(tab, PILOT);
    EXPECT_EQ(tab.grid()->GetValueRowCol(1, 3), "Scrubber Line");
    EXPECT_EQ(tab.grid()->GetValueRowCol(2, 1), "R-102");
    ASSERT_TRUE(tab.CheckEntries());
    EXPECT_EQ(writeLikeSheet(tab), "wrote");
    EXPECT_EQ(defaultPaths(), "1:101>2 1:102>2");
}

TEST_F(EmissionControlPathTabTest, AnItemInTwoRowsRefusesTheSwitchAndLeavingThePage)
{
    Tab tab;
    Pick(tab.grid(), 4, "R-101", R101, "Scrubber Line", SCRUBBER);
    m_prompts.expect(IDOK);
    SwitchTo(tab, KILO_LAB);
    EXPECT_EQ(m_prompts.lastText(), "Please select only one equipment !");
    EXPECT_EQ(tab.currentFacility(), PILOT);
    EXPECT_EQ(tab.facilityCombo()->currentData().toLongLong(), PILOT);
    int row = 0, col = 0;
    ASSERT_TRUE(tab.grid()->GetCurrentCell(&row, &col));
    EXPECT_EQ(std::pair(row, col), std::pair(4, 1));
    m_prompts.expect(IDOK);
    EXPECT_FALSE(tab.OnKillActive());
    EXPECT_EQ(m_prompts.texts().size(), 2);
    tab.grid()->SetValueRowCol(4, Tab::COL_EQUIPMENT, "");
    EXPECT_TRUE(tab.OnKillActive());
}

// Failed loads: a facility whose rows did not read is never written, the others are.
TEST_F(EmissionControlPathTabTest, AFacilityThatDidNotLoadWritesNothing)
{
    exec("ALTER TABLE \"PREFER-DefaultECP\" RENAME TO Kept");
    m_prompts.expect(IDOK);
    m_prompts.expect(IDOK);
    Tab tab;
    EXPECT_EQ(m_prompts.lastText(), "Can't open QryTblEmissionControlPathForFacilityID to display the data!");
    exec("ALTER TABLE Kept RENAME TO \"PREFER-DefaultECP\"");
    Pick(tab.grid(), 1, "R-101", R101, "Scrubber Line", SCRUBBER);
    SwitchTo(tab, KILO_LAB);
    Pick(tab.grid(), 1, "Kilo Lab Vent", 3, "Kilo Lab Vent", 3);
    EXPECT_EQ(writeLikeSheet(tab), "wrote");
    EXPECT_EQ(defaultPaths(), "1:101>1 1:102>2 1:301>1 100:3>3");
}

// A failing row leaves the page's rows as they were once the sheet rolls its savepoint back.
TEST_F(EmissionControlPathTabTest, AFailingRowLeavesTheTableAsItWas)
{
    const QString before = defaultPaths();
    exec("CREATE TRIGGER Refuse BEFORE INSERT ON \"PREFER-DefaultECP\" WHEN NEW.EquipmentID = 301 "
         "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    Tab tab;
    tab.grid()->SetValueWithItemData(1, Tab::COL_PATH, "Scrubber Line", SCRUBBER);
    EXPECT_TRUE(writeLikeSheet(tab).contains("refused"));
    EXPECT_EQ(defaultPaths(), before);
}

// The path dialog: a path added there is the row's; one deleted there blanks its rows and takes
// its sequence and default rows along; Cancel keeps the row.
TEST_F(EmissionControlPathTabTest, PathDialogAddsDeletesAndCancels)
{
    Tab tab;
    m_pathDialog.script = [](CEmissionControlPathDialog& dialog) {
        EXPECT_EQ(dialog.SelectedPathID(), VENT_HEADER);
        dialog.nameEdit()->setText("Flare");
        dialog.destinationCombo()->setCurrentIndex(dialog.destinationCombo()->findText("M-401"));
        dialog.streamEdit()->setText("Flare Gas");
        EXPECT_TRUE(dialog.AddPath());
        return int(QDialog::Accepted);
    };
    tab.grid()->ClickButton(1, Tab::COL_PATH_MORE);
    const long flare = value("SELECT EmissionControlPathID FROM TblEmissionControlPath WHERE "
                             "EmissionControlPathName = 'Flare'").toLong();
    EXPECT_GT(flare, 3);
    EXPECT_EQ(tab.grid()->GetValueRowCol(1, 3), "Flare");
    EXPECT_EQ(tab.grid()->GetStoredItemData(1, 3), flare);
    EXPECT_TRUE(m_app.isProjectModified());

    m_pathDialog.script = [](CEmissionControlPathDialog& dialog) {
        dialog.SelectPath(VENT_HEADER);
        EXPECT_TRUE(dialog.DeletePath());
        return int(QDialog::Rejected);
    };
    m_prompts.expect(IDYES);
    tab.grid()->ClickButton(2, Tab::COL_PATH_MORE);
    EXPECT_EQ(tab.grid()->GetValueRowCol(1, 3), "Flare");
    EXPECT_EQ(tab.grid()->GetValueRowCol(2, 3), "Scrubber Line");
    EXPECT_EQ(tab.grid()->GetValueRowCol(3, 3), "");
    EXPECT_EQ(value("SELECT COUNT(*) FROM TblECPEquipmentSequence WHERE EmissionControlPathID = 1"), "0");
    EXPECT_EQ(defaultPaths(), "1:102>2");
    ASSERT_TRUE(tab.CheckEntries());
    EXPECT_EQ(writeLikeSheet(tab), "wrote");
    EXPECT_EQ(defaultPaths(), QString("1:101>%1 1:102>2").arg(flare));
}

TEST_F(EmissionControlPathTabTest, PathDialogRefusesADuplicateNameAndRenamesByID)
{
    CEmissionControlPathDialog dialog(SCRUBBER, PILOT);
    ASSERT_TRUE(dialog.IsLoaded());
    EXPECT_EQ(dialog.nameEdit()->text(), "Scrubber Line");
    EXPECT_EQ(dialog.destinationCombo()->currentText(), "C-201");
    dialog.nameEdit()->setText("vent header");
    m_prompts.expect(IDOK);
    EXPECT_FALSE(dialog.RenamePath());
    EXPECT_EQ(m_prompts.lastText(), "The facility has an emission control path of this name already.");
    m_prompts.expect(IDOK);
    EXPECT_FALSE(dialog.AddPath());
    dialog.nameEdit()->setText("Kilo Lab Vent"); // another facility's name is free here
    EXPECT_TRUE(dialog.RenamePath());
    EXPECT_EQ(value("SELECT EmissionControlPathName FROM TblEmissionControlPath WHERE EmissionControlPathID = 2"),
              "Kilo Lab Vent");
    EXPECT_EQ(dialog.SelectedPathID(), SCRUBBER);
    EXPECT_TRUE(m_app.isProjectModified());
}

// The equipment "..." opens the editor for the row's item, then lists every item, pools too, and
// names the rows by id.
TEST_F(EmissionControlPathTabTest, EquipmentButtonEditsThenRefillsWithPools)
{
    m_installed.Install<EquipmentEditorService>(&m_editor);
    m_editor.onEdit = [this] { m_equipment.Execute("UPDATE ActualEquipmentCommon SET QVTag = 'R-101A' WHERE "
                                                   "ActualEquipmentID = 101"); };
    Tab tab;
    tab.grid()->ClickButton(1, Tab::COL_EQUIPMENT_MORE);
    tab.grid()->ClickButton(7, Tab::COL_EQUIPMENT_MORE);
    EXPECT_EQ(m_editor.calls, QStringList({"-1 101", "1 -1"}));
    EXPECT_EQ(tab.grid()->GetValueRowCol(1, 1), "R-101A");
    EXPECT_EQ(ListTexts(tab.grid()->GetRegisteredControl(Tab::EQUIPMENT_LIST)),
              QStringList({"C-201", "D-301", "M-401", "R-101A", "R-102"}));
}
