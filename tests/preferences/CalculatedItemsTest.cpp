// The calculated items of direct product cost factors: the dialog's groups and stored order, what
// the row shows after it, and the item links written at OK.

#include "CostFactorTestFixture.h"
#include "preferences/costs/MyGXButton.h"

#include <QCheckBox>
#include <QRadioButton>

namespace {
QList<long> itemCodesOf(const Array<long>& items)
{
    QList<long> codes;
    for (long i = 0; i < items.GetSize(); ++i)
        codes << items[i];
    return codes;
}
} // namespace

TEST(CalculatedItemsDialogTest, TheLastCodeSetsTheGroupAndOkStoresTheCheckedOnesAscending)
{
    const struct {
        QList<long> given;
        bool costs;
        QList<long> toggled; // boxes clicked after set-up
        int switchTo;        // 0: none, 1: costs, 2: times
        QList<long> stored;
    } cases[] = {
        {{}, true, {}, 0, {}},
        {{}, true, {7, 2, 5}, 0, {2, 5, 7}},
        {{9}, false, {}, 0, {9}},
        {{3, 10}, false, {}, 0, {10}},
        {{10, 3}, true, {}, 0, {3}},
        {{}, true, {4, 1}, 2, {}},
        {{2}, true, {}, 2, {}},
        {{10}, false, {9}, 0, {9, 10}},
        {{2, 42}, true, {}, 0, {2}},
    };
    for (const auto& c : cases) {
        CCalculatedItemsDialog dialog;
        for (long code : c.given)
            dialog.m_data.AddItem(code);
        dialog.OnInitDialog();
        EXPECT_EQ(dialog.m_bCosts, c.costs);
        EXPECT_EQ(dialog.CostsButton()->isChecked(), c.costs);
        EXPECT_EQ(dialog.CheckBox(1)->isEnabled(), c.costs);
        EXPECT_EQ(dialog.CheckBox(10)->isEnabled(), !c.costs);
        for (long code : c.toggled)
            dialog.CheckBox(code)->setChecked(!dialog.CheckBox(code)->isChecked());
        if (c.switchTo == 1)
            dialog.CostsButton()->click();
        if (c.switchTo == 2)
            dialog.TimesButton()->click();
        dialog.OnOK();
        EXPECT_EQ(itemCodesOf(dialog.m_data.m_items), c.stored) << c.given.size() << " " << c.toggled.size();
    }
}

TEST(CalculatedItemsDialogTest, SwitchingGroupsKeepsTheMarksOfTheOtherGroup)
{
    CCalculatedItemsDialog dialog;
    dialog.OnInitDialog();
    dialog.CheckBox(1)->setChecked(true);
    dialog.CheckBox(8)->setChecked(true);
    dialog.TimesButton()->click();
    EXPECT_TRUE(dialog.m_bTimes);
    EXPECT_FALSE(dialog.CheckBox(1)->isEnabled());
    EXPECT_TRUE(dialog.CheckBox(1)->isChecked());
    dialog.TimesButton()->click(); // already on: stays on
    EXPECT_TRUE(dialog.TimesButton()->isChecked());
    dialog.CostsButton()->click();
    EXPECT_FALSE(dialog.TimesButton()->isChecked());
    dialog.OnOK();
    EXPECT_EQ(itemCodesOf(dialog.m_data.m_items), (QList<long>{1, 8}));
}

TEST_F(CostFactorTest, ChoosingATimeEnablesTheUnitAndShowsTheLibraryName)
{
    CCostFactorPreferenceDialog sheet;
    CCostFactorTab* direct = show(sheet, DIRECT);
    CObjectGridWnd* grid = direct->grid();
    EXPECT_EQ(column(grid, 4), "Material Cost|Utility Cost + Electricity Cost|Equipment Purchase Cost|Average Batch Time");
    EXPECT_EQ(column(grid, 5), "...|...|...|...");
    EXPECT_FALSE(grid->model()->index(0, 2).data(Qt::BackgroundRole).value<QBrush>().color() == Qt::white);
    EXPECT_TRUE(grid->model()->index(3, 2).data(Qt::BackgroundRole).value<QBrush>().color() == Qt::white);

    direct->OnInsert();
    const int row = grid->GetRowCount();
    ASSERT_TRUE(type(grid, row, 1, "Operating Labor"));
    ASSERT_TRUE(type(grid, row, 2, "45"));
    bool startedEmpty = false;
    clickItems(grid, row, [&](CCalculatedItemsDialog& dialog) {
        startedEmpty = dialog.m_bCosts && !dialog.CheckBox(1)->isChecked() && !dialog.CheckBox(10)->isChecked();
        dialog.TimesButton()->click();
        dialog.CheckBox(10)->setChecked(true);
        dialog.OnOK();
    });
    EXPECT_TRUE(startedEmpty);
    EXPECT_EQ(grid->GetValueRowCol(row, 4), "Average Cycle Time");
    EXPECT_TRUE(grid->model()->index(row - 1, 2).data(Qt::BackgroundRole).value<QBrush>().color() == Qt::white);
    grid->SetValueRowCol(row, 3, "USD/h");

    // Costs after times: the unit goes; Cancel changes nothing.
    clickItems(grid, 4, [](CCalculatedItemsDialog& dialog) {
        dialog.CostsButton()->click();
        dialog.CheckBox(6)->setChecked(true);
        dialog.CheckBox(2)->setChecked(true);
        dialog.OnOK();
    });
    EXPECT_EQ(grid->GetValueRowCol(4, 4), "Utility Cost + Packaging Cost");
    EXPECT_EQ(grid->GetValueRowCol(4, 3), "");
    clickItems(grid, 1, [](CCalculatedItemsDialog& dialog) {
        dialog.CheckBox(3)->setChecked(true);
        dialog.reject();
    });
    EXPECT_EQ(grid->GetValueRowCol(1, 4), "Material Cost");

    const QString newID = grid->GetValueRowCol(row, 6);
    EXPECT_TRUE(sheet.PressOK());
    EXPECT_EQ(value("SELECT group_concat(CalculatedCostFactorID) FROM ItemizedCostFactor WHERE CostFactorID = " + newID)
                  .toString(),
              "10");
    EXPECT_EQ(value("SELECT CostFactorUOM FROM CostFactor WHERE CostFactorID = " + newID).toString(), "USD/h");
    EXPECT_EQ(value("SELECT group_concat(CalculatedCostFactorID) FROM (SELECT * FROM ItemizedCostFactor WHERE "
                    "CostFactorID = 204 ORDER BY ItemizedCostFactorID)")
                  .toString(),
              "2,6");

    CCostFactorPreferenceDialog reopened;
    CObjectGridWnd* again = show(reopened, DIRECT)->grid();
    EXPECT_EQ(column(again, 4),
              "Material Cost|Utility Cost + Electricity Cost|Equipment Purchase Cost|Utility Cost + Packaging "
              "Cost|Average Cycle Time");
    EXPECT_EQ(again->GetValueRowCol(5, 3), "USD/h");
    EXPECT_TRUE(again->model()->index(4, 2).data(Qt::BackgroundRole).value<QBrush>().color() == Qt::white);
}

// Items of deleted and dropped rows, and items whose cost factor is gone, do not outlive the save.
TEST_F(CostFactorTest, ItemsOfRowsNoLongerWrittenAreRemoved)
{
    m_db.Execute("INSERT INTO ItemizedCostFactor (CostFactorID, CalculatedCostFactorID) VALUES (777, 4), (101, 1)");
    CCostFactorPreferenceDialog sheet;
    CCostFactorTab* direct = show(sheet, DIRECT);
    CObjectGridWnd* grid = direct->grid();
    grid->selectRow(0);
    direct->OnDelete();
    ASSERT_TRUE(type(grid, 1, 2, "")); // Utilities: no factor, dropped
    EXPECT_TRUE(sheet.PressOK());
    EXPECT_EQ(links(), "101:1,203:8,204:9");
    EXPECT_EQ(value("SELECT count(*) FROM CostFactor WHERE CostFactorType = 'Direct Product'").toInt(), 2);
}

TEST_F(CostFactorTest, ClickMessagesWhenTheRowHasNoIdOrNoRecord)
{
    CCostFactorPreferenceDialog sheet;
    CObjectGridWnd* grid = show(sheet, DIRECT)->grid();
    const struct {
        const char* id;
        const char* message;
    } cases[] = {{"", "Can't retrieve Cost Factor ID."}, {"99", "Can't retrieve Cost Factor data."}};
    for (const auto& c : cases) {
        grid->SetValueRowCol(1, 6, c.id);
        m_prompts.expect(IDOK);
        grid->ClickButton(1, 5);
        EXPECT_EQ(m_prompts.lastText(), c.message);
    }
}
