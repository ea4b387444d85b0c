// The vapour emission sheet and its model page: titles, help, the kinds and ranks shown, ids kept
// by cell, duplicate refusal, and what OK writes.

#include "AirEmissionSheetTestFixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabBar>

namespace {
constexpr long CHARGE = 4, HEAT = 26, VENT = 31, REACT = 32;
constexpr long EMISSION_VESSEL = 100501, EMISSION_CONDENSER = 100502;
constexpr int MODEL_COL = 2;
const char* const DUPLICATE = "Please select different air emission model for one equipment unit !";
} // namespace

TEST_F(AirEmissionSheetTest, TheSheetHasSixTitledPagesNoApplyAndHelpByPage)
{
    CPreferAirEmissionDialog sheet;
    EXPECT_EQ(sheet.windowTitle(), "Vapor Emission Defaults - Preferences");
    EXPECT_EQ(sheet.ApplyButton(), nullptr);
    const QStringList titles = {"Vapor Emission Models  ", "Model Parameters  ",   "Control Efficiencies  ",
                                "Emission Control Paths",  "Worst Case Emissions", "Non-Condensable Gasses"};
    ASSERT_EQ(sheet.GetPageCount(), 6);
    auto* tabs = sheet.findChild<QTabBar*>();
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(tabs->tabText(i), titles[i]);
    for (int i : {0, 2}) {
        open<CEmissionSheetPage>(sheet, i);
        QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(&sheet, &f1);
    }
    sheet.HelpButton()->click();
    EXPECT_EQ(m_help.shown, (QStringList{"USERMANUAL.CHM 572", "USERMANUAL.CHM 574", "USERMANUAL.CHM 574"}));
}

TEST_F(AirEmissionSheetTest, KindsShowOneBlockOfEightRowsEachAndAtLeastSeven)
{
    m_db.Execute(
        "INSERT INTO AirEmissionEquipmentKinds (OperationTypeID, FieldTypeID, FieldLabel) SELECT 32, "
        "100600 + value, 'Extra ' || value FROM json_each('[1, 2]')");
    const struct {
        long type;
        int rows;
        int kinds;
        const char* secondLabel;
    } cases[] = {{VENT, 56, 0, ""},
                 {CHARGE, 56, 1, ""},
                 {HEAT, 56, 2, "Condenser, Receiver"},
                 {REACT, 72, 9, "Condenser"}};
    CPreferAirEmissionDialog sheet;
    auto* page = modelPage(sheet);
    for (const auto& each : cases) {
        SCOPED_TRACE(each.type);
        pick(page, each.type);
        CObjectGridWnd* grid = page->Grid();
        EXPECT_EQ(grid->GetRowCount(), each.rows);
        EXPECT_EQ(grid->GetValueRowCol(9, 1), each.secondLabel);
        EXPECT_EQ(grid->rowSpan(8 * (each.rows / 8 - 1), 0), 8);
        if (each.kinds > 0) {
            EXPECT_FALSE(grid->IsCellReadOnly(8 * each.kinds, MODEL_COL));
        }
        EXPECT_TRUE(grid->IsCellReadOnly(8 * each.kinds + 1, MODEL_COL));
    }
}

// Two models named "Heating" stay apart: each cell keeps the id it was loaded or picked with.
TEST_F(AirEmissionSheetTest, ModelsOfOneNameKeepTheirIdsThroughOK)
{
    CPreferAirEmissionDialog sheet;
    auto* page = modelPage(sheet);
    pick(page, HEAT);
    CObjectGridWnd* grid = page->Grid();
    EXPECT_EQ(grid->GetValueRowCol(9, MODEL_COL), "Heating");
    EXPECT_EQ(grid->GetStoredItemData(9, MODEL_COL), 1008);
    EXPECT_EQ(grid->GetStoredItemData(1, MODEL_COL), 1002);
    grid->SetValueWithItemData(2, MODEL_COL, "Heating", 1008);
    grid->SetValueWithItemData(11, MODEL_COL, "Heating", 1002); // rank 3, ranks 2 empty: stored as 2
    ASSERT_TRUE(sheet.PressOK());
    EXPECT_EQ(sheet.result(), IDOK);
    EXPECT_EQ(ranks(HEAT, EMISSION_VESSEL), "1:1002,2:1008");
    EXPECT_EQ(ranks(HEAT, EMISSION_CONDENSER), "1:1008,2:1002");
    EXPECT_EQ(ranks(CHARGE, EMISSION_VESSEL), "1:1001,2:1004");
    EXPECT_TRUE(m_app.isProjectModified());
}

TEST_F(AirEmissionSheetTest, OnlyShownTypesAreRewrittenAndRanksOutsideOneToEightStay)
{
    m_db.Execute("INSERT INTO \"PREFER-AirEmission\" (OperationTypeID, EquipmentFieldTypeID, SequenceNumber, "
                 "AirEmissionModelID) VALUES (4, 100501, 9, 1004), (32, 100501, 3, 1001)");
    CPreferAirEmissionDialog sheet;
    auto* page = modelPage(sheet);
    pick(page, CHARGE);
    page->Grid()->SetValueRowCol(1, MODEL_COL, "");
    page->Grid()->SetValueRowCol(2, MODEL_COL, "");
    page->Grid()->SetValueWithItemData(3, MODEL_COL, "Gas Sweep", 1004);
    ASSERT_TRUE(sheet.PressOK());
    EXPECT_EQ(ranks(CHARGE, EMISSION_VESSEL), "1:1004,9:1004");
    EXPECT_EQ(ranks(REACT, EMISSION_VESSEL), "1:1007,2:1002,3:1001");
}

TEST_F(AirEmissionSheetTest, SwitchingBackShowsTheUnsavedEditsAndOKWithoutEditsMarksNothing)
{
    {
        CPreferAirEmissionDialog sheet;
        auto* page = modelPage(sheet);
        pick(page, REACT);
        page->Grid()->SetValueWithItemData(3, MODEL_COL, "Vacuum", 1005);
        pick(page, HEAT);
        pick(page, REACT);
        EXPECT_EQ(page->Grid()->GetStoredItemData(3, MODEL_COL), 1005);
        sheet.PressCancel();
    }
    EXPECT_EQ(ranks(REACT, EMISSION_VESSEL), "1:1007,2:1002");
    CPreferAirEmissionDialog sheet;
    pick(modelPage(sheet), REACT);
    ASSERT_TRUE(sheet.PressOK());
    EXPECT_FALSE(m_app.isProjectModified());
}

// One model for two ranks of one kind is refused on a switch, on leaving the page and on OK;
// for two kinds it is accepted.
TEST_F(AirEmissionSheetTest, AModelTwiceInOneKindKeepsThePageOnTheLaterCell)
{
    CPreferAirEmissionDialog sheet;
    auto* page = modelPage(sheet);
    pick(page, HEAT);
    page->Grid()->SetValueWithItemData(9, MODEL_COL, "Heating", 1002); // kind 2 as kind 1: fine
    page->Grid()->SetValueWithItemData(5, MODEL_COL, "Heating", 1002);
    for (int attempt = 0; attempt < 3; ++attempt) {
        m_prompts.expect(IDOK);
        if (attempt == 0)
            pick(page, CHARGE);
        else if (attempt == 1)
            EXPECT_FALSE(sheet.SetActivePage(2));
        else
            EXPECT_FALSE(sheet.PressOK());
        EXPECT_EQ(m_prompts.lastText(), DUPLICATE);
        EXPECT_EQ(page->ShownOperationTypeID(), HEAT);
        EXPECT_EQ(page->OperationCombo()->currentData().toLongLong(), HEAT);
        int row = 0, col = 0;
        EXPECT_TRUE(page->Grid()->GetCurrentCell(&row, &col));
        EXPECT_EQ(row, 5);
        EXPECT_EQ(sheet.GetActiveIndex(), 0);
    }
    EXPECT_NE(sheet.result(), IDOK);
    EXPECT_EQ(ranks(HEAT, EMISSION_VESSEL), "1:1002");
}

// A type whose stored ranks could not be read writes nothing at OK, whatever its grid shows.
TEST_F(AirEmissionSheetTest, ATypeWhoseRanksFailedToLoadWritesNothing)
{
    m_db.Execute("ALTER TABLE \"PREFER-AirEmission\" RENAME TO Hidden");
    m_prompts.expect(IDOK);
    CPreferAirEmissionDialog sheet;
    auto* page = modelPage(sheet);
    EXPECT_EQ(m_prompts.lastText(), "Can't open PREFER-AirEmission table for initialization");
    m_db.Execute("ALTER TABLE Hidden RENAME TO \"PREFER-AirEmission\"");
    ASSERT_EQ(page->ShownOperationTypeID(), CHARGE);
    page->Grid()->SetValueWithItemData(1, MODEL_COL, "Gas Sweep", 1004);
    ASSERT_TRUE(sheet.PressOK());
    EXPECT_EQ(ranks(CHARGE, EMISSION_VESSEL), "1:1001,2:1004");
    EXPECT_FALSE(m_app.isProjectModified());
}

TEST_F(AirEmissionSheetTest, WithoutEmittingTypesTheComboIsEmptyAndOKWritesNothing)
{
    m_db.Execute("DROP TABLE ModelLibrary");
    m_prompts.expect(IDOK);
    CPreferAirEmissionDialog sheet;
    auto* page = modelPage(sheet);
    EXPECT_EQ(m_prompts.lastText(), "Can't open Operation Library table to populate combo box!");
    EXPECT_EQ(page->OperationCombo()->count(), 0);
    EXPECT_FALSE(page->IsLoaded());
    EXPECT_TRUE(sheet.PressOK());
    EXPECT_EQ(sheet.result(), IDOK);
}
