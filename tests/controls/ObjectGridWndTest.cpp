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

// A value left as it was read (an unset 1e+35 among them) is not judged; typed, it is refused.
TEST_F(ObjectGridWndTest, AValueLeftAsReadIsKeptAndTheSameTypedIsRefused)
{
    grid.SetValueRowCol(2, 1, "1e+35");
    QLineEdit* editor = OpenCellEditor(grid, 2, 1);
    ASSERT_NE(editor, nullptr);
    PressKey(editor, Qt::Key_Return);
    EXPECT_TRUE(prompts.texts().isEmpty());
    EXPECT_TRUE(grid.UpdateData(true));

    editor = OpenCellEditor(grid, 2, 1);
    ASSERT_NE(editor, nullptr);
    editor->setText("1e35");
    prompts.expect(IDOK);
    PressKey(editor, Qt::Key_Return);
    EXPECT_EQ(prompts.texts(), QStringList{"Please enter a number."});
    EXPECT_EQ(grid.GetValueRowCol(2, 1), "1e+35");
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

// Rows added and removed keep every other row's cells, and numbered row headings follow.
TEST_F(ObjectGridWndTest, RowsAreAppendedAndRemovedWithTheirCells)
{
    for (int r = 1; r <= 3; ++r)
        grid.SetValueRowCol(r, 2, QString("row %1").arg(r));
    grid.SetValueRowCol(3, 0, "3");
    EXPECT_EQ(grid.AppendRow(), 4);
    EXPECT_EQ(grid.GetCellControl(4, 3), GRID_CTRL_EDIT);
    grid.SetValueRowCol(4, 2, "row 4");

    const struct {
        int first, last;
        QStringList left; // column 2 afterwards
    } cases[] = {
        {2, 2, {"row 1", "row 3", "row 4"}},
        {0, 0, {"row 1", "row 3", "row 4"}}, // the headings are never removed
        {3, 9, {"row 1", "row 3"}},          // clamped to the last row
        {2, 1, {"row 1", "row 3"}},          // an empty range
    };
    for (const auto& c : cases) {
        grid.RemoveRows(c.first, c.last);
        QStringList left;
        for (int r = 1; r <= grid.GetRowCount(); ++r)
            left << grid.GetValueRowCol(r, 2);
        EXPECT_EQ(left, c.left) << c.first << ".." << c.last;
    }
    EXPECT_EQ(grid.GetValueRowCol(2, 0), "2");
    EXPECT_EQ(grid.GetValueRowCol(1, 4), "77");
}

TEST_F(ObjectGridWndTest, RemovingTheEditedRowDropsItsEditWithoutAWarning)
{
    QLineEdit* editor = OpenCellEditor(grid, 2, 1);
    ASSERT_NE(editor, nullptr);
    editor->setText("150"); // breaks Percent1, but its row goes away
    grid.RemoveRows(2, 2);
    EXPECT_EQ(grid.CurrentEditor(), nullptr);
    EXPECT_TRUE(grid.UpdateData(true));
    EXPECT_EQ(grid.GetRowCount(), 2);
    EXPECT_EQ(grid.GetValueRowCol(1, 1), "10");
}

TEST_F(ObjectGridWndTest, SelectedRowsFallBackToTheCurrentCellAndNameTheWholeTableWithRowZero)
{
    auto select = [this](std::initializer_list<int> rows) {
        grid.clearSelection();
        for (int r : rows)
            grid.selectionModel()->select(grid.model()->index(r - 1, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    };
    auto selectedRows = [this] {
        std::vector<int> rows{42};
        grid.GetSelectedRows(rows);
        return rows;
    };
    grid.SetCurrentCell(2, 1);
    EXPECT_EQ(selectedRows(), std::vector<int>({2})); // selection off: the current cell's row

    grid.SetRowSelection(true);
    select({3, 1});
    EXPECT_EQ(selectedRows(), std::vector<int>({1, 3}));
    grid.selectAll();
    EXPECT_EQ(selectedRows(), std::vector<int>({0, 1, 2, 3}));
    select({});
    EXPECT_EQ(selectedRows(), std::vector<int>({2}));
    grid.selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    EXPECT_EQ(selectedRows(), std::vector<int>());

    grid.SetRowSelection(false);
    grid.SetCurrentCell(3, 2);
    grid.selectAll(); // refused while only one cell may be selected
    EXPECT_EQ(selectedRows(), std::vector<int>({3}));
}

} // namespace
