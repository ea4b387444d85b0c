#include "GridTestSupport.h"
#include "ScriptedPrompts.h"
#include "foundation/controls/GridCellRules.h"
#include "foundation/controls/MyGXComboBox.h"

#include <QComboBox>
#include <gtest/gtest.h>

namespace {

const char* const PERCENT1 = "Please enter a value between 0 and 100 (not including 0 and 100)!";

class ObjectGridWndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid.Initialize();
        grid.SetRowCount(3);
        grid.SetColCount(4);
        grid.SetStyleRange(CGridRange(0, 1, 0, 4), CGridCellStyle().SetInterior(GRID_HEADING_COLOR));
        grid.SetValueRowCol(0, 1, "Item");
        grid.SetColWidth(4, 0); // the hidden id column
        grid.SetStyleRange(CGridRange(1, 1, 3, 1),
                           CGridCellStyle().SetUserAttribute(UA_PERCENT1, "Percent1"));
        grid.SetValueRowCol(1, 1, "10");
        grid.SetValueRowCol(1, 4, "77");
        grid.resize(400, 200);
        grid.show();
        grid.activateWindow();
        QApplication::processEvents();
    }

    CObjectGridWnd grid;
    ScriptedPromptService prompts;
};

TEST_F(ObjectGridWndTest, AnInvalidCellCannotBeLeft)
{
    QLineEdit* editor = OpenCellEditor(grid, 1, 1);
    ASSERT_NE(editor, nullptr);
    editor->setText("150");

    for (int i = 0; i < 4; ++i)
        prompts.expect(IDOK);
    grid.SetCurrentCell(2, 1); // click elsewhere
    PressKey(editor, Qt::Key_Tab);
    PressKey(editor, Qt::Key_Return);
    EXPECT_FALSE(grid.UpdateData(true));

    EXPECT_EQ(prompts.texts(), QStringList(4, PERCENT1));
    for (unsigned flags : prompts.flags())
        EXPECT_EQ(flags & MB_ICONMASK, unsigned(MB_ICONSTOP));
    int row = 0, col = 0;
    ASSERT_TRUE(grid.GetCurrentCell(&row, &col));
    EXPECT_EQ(std::pair(row, col), std::pair(1, 1));
    EXPECT_EQ(grid.CurrentEditor(), editor);
    EXPECT_EQ(editor->text(), "150");
    EXPECT_EQ(grid.GetValueRowCol(1, 1), "10");
    if (grid.isActiveWindow()) {
        EXPECT_TRUE(editor->hasFocus());
    }
}

TEST_F(ObjectGridWndTest, ReadOnlyAndDisabledCellsRefuseEdits)
{
    grid.SetStyleRange(CGridRange(2, 2),
                       CGridCellStyle().SetValue("fixed").SetReadOnly(true).SetInterior(GRID_READONLY_COLOR));
    grid.SetStyleRange(CGridRange(3, 2), CGridCellStyle().SetValue("off").SetEnabled(false));
    grid.SetStyleRange(CGridRange(2, 3), CGridCellStyle().SetControl(GRID_CTRL_CHECKBOX).SetValue("1"));
    grid.SetStyleRange(CGridRange(3, 3),
                       CGridCellStyle().SetControl(GRID_CTRL_CHECKBOX).SetValue("0").SetReadOnly(true));

    for (auto [row, col] : {std::pair{2, 2}, std::pair{3, 2}}) {
        EXPECT_EQ(OpenCellEditor(grid, row, col), nullptr);
        PressKey(&grid, Qt::Key_X);
        EXPECT_EQ(grid.CurrentEditor(), nullptr);
        PressKey(&grid, Qt::Key_Delete);
    }
    EXPECT_EQ(grid.GetValueRowCol(2, 2), "fixed");
    EXPECT_EQ(grid.GetValueRowCol(3, 2), "off");
    EXPECT_EQ(grid.GetInterior(2, 2), GRID_READONLY_COLOR);

    for (int row : {2, 3}) { // a checked box unticks, a read-only one stays
        grid.SetCurrentCell(row, 3);
        PressKey(&grid, Qt::Key_Space);
        EXPECT_EQ(grid.GetValueRowCol(row, 3), "0") << row;
    }
}

TEST_F(ObjectGridWndTest, DeleteClearsAnEditCellOnlyWhenItsRulesAllowEmpty)
{
    grid.SetCurrentCell(1, 1);
    prompts.expect(IDOK);
    PressKey(&grid, Qt::Key_Delete); // empty reads as 1e35: not a percentage
    EXPECT_EQ(prompts.lastText(), PERCENT1);
    EXPECT_EQ(grid.GetValueRowCol(1, 1), "10");
    grid.SetValueRowCol(1, 2, "abc");
    grid.SetCurrentCell(1, 2);
    PressKey(&grid, Qt::Key_Delete);
    EXPECT_EQ(grid.GetValueRowCol(1, 2), "");
}

TEST_F(ObjectGridWndTest, ChoiceCellsStoreTheChosenEntryAndItsItemData)
{
    auto* campaigns = new CMyGXComboBox;
    campaigns->SetItemData(campaigns->AddString("R1(V2)"), 7);
    campaigns->SetItemData(campaigns->AddString("P(A)"), 3);
    grid.RegisterControl(2012, campaigns);
    grid.SetStyleRange(CGridRange(1, 2, 3, 2), CGridCellStyle().SetControl(2012));

    for (int row : {1, 3}) {
        auto* combo = OpenCellEditor<QComboBox>(grid, row, 2);
        ASSERT_NE(combo, nullptr);
        ASSERT_EQ(combo->count(), 2);
        EXPECT_EQ(combo->itemData(0).toLongLong(), 7);
        combo->setCurrentIndex(1);
        EXPECT_TRUE(grid.UpdateData(true));
        EXPECT_EQ(grid.GetValueRowCol(row, 2), "P(A)");
        EXPECT_EQ(grid.GetCellItemData(row, 2), 3);
    }
    EXPECT_EQ(grid.GetCellItemData(2, 2), -1);

    // A cell's own choice list keeps its empty entry, which can be chosen.
    grid.SetStyleRange(
        CGridRange(2, 3),
        CGridCellStyle().SetControl(GRID_CTRL_DROPDOWNLIST).SetChoiceList("\nYES\nNO").SetValue("NO"));
    EXPECT_EQ(grid.GetChoiceList(2, 3), QStringList({"", "YES", "NO"}));
    auto* combo = OpenCellEditor<QComboBox>(grid, 2, 3);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->currentText(), "NO");
    combo->setCurrentIndex(0);
    EXPECT_TRUE(grid.UpdateData(true));
    EXPECT_EQ(grid.GetValueRowCol(2, 3), "");
}

TEST_F(ObjectGridWndTest, TemperatureReadsTheUnitOfTheCellToItsRight)
{
    grid.SetStyleRange(CGridRange(2, 2), CGridCellStyle().SetUserAttribute(UA_TEMPERATURE, "Temperature"));
    grid.SetValueRowCol(2, 3, "C");
    OpenCellEditor(grid, 2, 2)->setText("-300");
    prompts.expect(IDOK);
    EXPECT_FALSE(grid.UpdateData(true));
    EXPECT_EQ(prompts.lastText(), "Temperature has to be greater than -273.15 degree C!");
    static_cast<QLineEdit*>(grid.CurrentEditor())->setText("-20");
    EXPECT_TRUE(grid.UpdateData(true));
    EXPECT_EQ(grid.GetValueRowCol(2, 2), "-20");
}

} // namespace
