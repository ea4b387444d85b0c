// The cost factor sheet on a generated Demo project: what each page shows, what OK stores in one
// transaction, the factor checks and totals, the fixed cost, help.

#include "CostFactorTestFixture.h"
#include "foundation/controls/MyComboBox.h"
#include "preferences/costs/DirectProductCostTab.h"
#include "preferences/costs/ProcessingCostTab.h"
#include "preferences/costs/TotalledCostFactorTab.h"
#include "preferences/shared/PreferenceHub.h"

#include <QKeyEvent>
#include <QPushButton>

TEST_F(CostFactorTest, PagesShowTheStoredRowsInOrderWithHiddenIds)
{
    CCostFactorPreferenceDialog sheet;
    EXPECT_EQ(sheet.windowTitle(), "Cost Factors - Preferences");
    EXPECT_EQ(sheet.ApplyButton(), nullptr);
    const struct {
        int page;
        int cols;
        const char* items;
        const char* factors;
        const char* ids;
    } cases[] = {
        {CAPITAL, 3, "Installation|Instrumentation|Piping|Electrical", "0.47|0.36|0.68|0.11", "101|102|103|104"},
        {DIRECT, 6, "Raw Materials|Utilities|Maintenance|Supervision", "1|1|0.06|120", "201|202|203|204"},
        {INDIRECT, 3, "Overhead|Local Taxes|Insurance", "0.6|0.02|0.01", "301|302|303"},
        {PROCESSING, 4, "Operator Wage|Number of Operators|Supervision Factor|Laboratory FACTOR|Factor Rent per Area",
         "35|2|0.15|0.1|12", "401|402|403|404|405"},
    };
    for (const auto& c : cases) {
        CObjectGridWnd* grid = show(sheet, c.page)->grid();
        ASSERT_EQ(grid->GetColCount(), c.cols);
        EXPECT_EQ(column(grid, 1), c.items);
        EXPECT_EQ(column(grid, 2), c.factors);
        EXPECT_EQ(column(grid, c.cols), c.ids);
        EXPECT_TRUE(grid->isColumnHidden(c.cols - 1));
        EXPECT_TRUE(grid->IsCellReadOnly(1, c.cols));
        EXPECT_EQ(grid->GetInterior(1, c.cols), GRID_READONLY_COLOR);
    }
    auto* capital = static_cast<CTotalledCostFactorTab*>(sheet.Tab(CAPITAL));
    EXPECT_EQ(capital->TotalText(), "1.62");
    EXPECT_EQ(static_cast<CTotalledCostFactorTab*>(sheet.Tab(INDIRECT))->TotalText(), "0.63");
    EXPECT_EQ(sheet.Tab(PROCESSING)->button(1398), nullptr);
    EXPECT_NE(sheet.Tab(DIRECT)->button(1398), nullptr);
    EXPECT_NE(capital->button(1400), nullptr);
}

// A page never shown writes nothing: its rows keep their bytes and ids; two OKs keep every id.
TEST_F(CostFactorTest, OkAfterTheFirstPageOnlyRewritesCapitalRowsAndKeepsIds)
{
    const QString others = stored("Capital");
    const QString before = stored();
    const QString itemLinks = links();
    for (int pass = 0; pass < 2; ++pass) {
        CCostFactorPreferenceDialog sheet;
        show(sheet, CAPITAL);
        EXPECT_TRUE(sheet.PressOK());
        EXPECT_EQ(sheet.result(), IDOK);
    }
    EXPECT_EQ(stored("Capital"), others);
    EXPECT_EQ(stored(), before);
    EXPECT_EQ(links(), itemLinks);
    EXPECT_EQ(m_app.modifiedHistory(), (QList<bool>{true, true}));

    CCostFactorPreferenceDialog all;
    for (int page : {CAPITAL, DIRECT, INDIRECT, PROCESSING})
        show(all, page);
    EXPECT_TRUE(all.PressOK());
    EXPECT_EQ(stored(), before);
    EXPECT_EQ(links(), itemLinks);
}

TEST_F(CostFactorTest, CancelAfterEditsLeavesEverythingAndTheProjectUnmarked)
{
    const QString before = stored();
    CCostFactorPreferenceDialog sheet;
    for (int page : {CAPITAL, DIRECT, INDIRECT, PROCESSING})
        ASSERT_TRUE(type(show(sheet, page)->grid(), 1, 2, "9"));
    sheet.PressCancel();
    EXPECT_EQ(stored(), before);
    EXPECT_TRUE(m_app.modifiedHistory().isEmpty());
}

TEST_F(CostFactorTest, FactorChecksPerPage)
{
    const char* const positive = "Please enter a possitive number!";
    const char* const number = "Please enter a number.";
    const struct {
        int page;
        const char* text;
        const char* warning; // nullptr: accepted
    } cases[] = {
        {CAPITAL, "-1", positive}, {CAPITAL, " -2", positive}, {CAPITAL, "abc", number},
        {CAPITAL, "", nullptr},    {DIRECT, "-1", positive},   {DIRECT, "x1", number},
        {INDIRECT, "abc", number}, {INDIRECT, "-1", nullptr},  {PROCESSING, "abc", nullptr},
        {CAPITAL, "0.5", nullptr},
    };
    CCostFactorPreferenceDialog sheet;
    for (const auto& c : cases) {
        CObjectGridWnd* grid = show(sheet, c.page)->grid();
        m_prompts.clear();
        if (c.warning)
            m_prompts.expect(IDOK);
        EXPECT_EQ(type(grid, 1, 2, c.text), c.warning == nullptr) << c.page << c.text;
        EXPECT_EQ(m_prompts.lastText(), c.warning ? QString(c.warning) : QString()) << c.text;
        if (c.warning)
            static_cast<QLineEdit*>(grid->CurrentEditor())->setText("1"), grid->UpdateData(true);
    }
    EXPECT_EQ(static_cast<CTotalledCostFactorTab*>(sheet.Tab(INDIRECT))->TotalText(), "-0.97");
    EXPECT_TRUE(sheet.PressOK());
    EXPECT_EQ(value("SELECT CostFactor FROM CostFactor WHERE CostFactorID = 401").toDouble(), 0.0);
    EXPECT_EQ(value("SELECT CostFactor FROM CostFactor WHERE CostFactorID = 301").toDouble(), -1.0);
}

TEST_F(CostFactorTest, TotalsFollowEditsInsertsAndDeletes)
{
    CCostFactorPreferenceDialog sheet;
    auto* capital = static_cast<CTotalledCostFactorTab*>(show(sheet, CAPITAL));
    CObjectGridWnd* grid = capital->grid();
    grid->RemoveRows(2, 4);
    ASSERT_TRUE(type(grid, 1, 2, "1.23456789"));
    EXPECT_EQ(capital->TotalText(), "1.234568");
    capital->OnInsert();
    ASSERT_EQ(grid->GetRowCount(), 2);
    ASSERT_TRUE(type(grid, 2, 2, "2"));
    EXPECT_EQ(capital->TotalText(), "3.234568");
    grid->selectRow(1);
    capital->OnDelete();
    EXPECT_EQ(column(grid, 2), "1.23456789");
    EXPECT_EQ(capital->TotalText(), "1.234568");
    grid->selectAll();
    capital->OnDelete();
    EXPECT_EQ(grid->GetRowCount(), 0);
    EXPECT_EQ(capital->TotalText(), "0");
}

// Rows without an item or a factor are dropped; new rows get ids no row holds.
TEST_F(CostFactorTest, IncompleteRowsAreDroppedAndNewRowsKeepTheirIds)
{
    CCostFactorPreferenceDialog sheet;
    CCostFactorTab* capital = show(sheet, CAPITAL);
    CObjectGridWnd* grid = capital->grid();
    ASSERT_TRUE(type(grid, 1, 1, ""));
    for (int i = 0; i < 3; ++i)
        capital->OnInsert();
    ASSERT_TRUE(type(grid, 5, 1, "Item only"));
    ASSERT_TRUE(type(grid, 6, 2, "0.5"));
    ASSERT_TRUE(type(grid, 7, 1, "Contingency"));
    ASSERT_TRUE(type(grid, 7, 2, "0.25"));
    const QString newID = grid->GetValueRowCol(7, 3);
    EXPECT_FALSE(newID.isEmpty());
    EXPECT_NE(newID.toLong(), 0);
    EXPECT_TRUE(sheet.PressOK());
    EXPECT_EQ(value("SELECT group_concat(CostFactorItem, '|') FROM (SELECT * FROM CostFactor WHERE "
                    "CostFactorType = 'Capital' ORDER BY RowOrder)")
                  .toString(),
              "Instrumentation|Piping|Electrical|Contingency");
    EXPECT_EQ(value("SELECT CostFactorID FROM CostFactor WHERE CostFactorItem = 'Contingency'").toString(), newID);
}

TEST_F(CostFactorTest, ProcessingUnitsAreDisabledForFactorsAndOperatorCounts)
{
    CCostFactorPreferenceDialog sheet;
    CObjectGridWnd* grid = show(sheet, PROCESSING)->grid();
    const bool enabled[] = {true, false, false, false, true};
    for (int row = 1; row <= 5; ++row)
        EXPECT_EQ(grid->model()->index(row - 1, 2).data(Qt::BackgroundRole).value<QBrush>().color() == Qt::white,
                  enabled[row - 1])
            << row;
    for (const char* item : {"Supervision Factor", "x fACTOR", "NUMBER OF OPERATORS", "Factor"})
        EXPECT_TRUE(CProcessingCostTab::ItemHasNoUnit(item)) << item;
    for (const char* item : {"Factor Rent", "Factors", "Number of Operators 2", ""})
        EXPECT_FALSE(CProcessingCostTab::ItemHasNoUnit(item)) << item;
    EXPECT_EQ(grid->GetValueRowCol(1, 3), "USD/h");
    EXPECT_TRUE(grid->GetChoiceList(1, 3).contains("EUR/kWh"));
}

TEST_F(CostFactorTest, FixedCostShowsStoredAmountAndCurrency)
{
    const struct {
        const char* storedUnit;
        const char* typed;
        const char* selected;
        const char* message; // nullptr: OK closes
        const char* after;   // stored amount and unit; "" when removed
    } cases[] = {
        {"USD", "250000", "USD", nullptr, "250000.0|USD"},
        {"eur", "12.5", "EUR", nullptr, "12.5|EUR"},
        {"XYZ", "7", "XYZ", nullptr, "7.0|XYZ"},
        {"USD", "", "USD", nullptr, ""},
        {"", "5", "", "Please make a selection from the combo box for \"Fixed Cost\"!", "250000.0|"},
        {"USD", "ten", "USD", "Please enter a number.", "250000.0|USD"},
    };
    for (const auto& c : cases) {
        m_db.Execute("UPDATE CostFactor SET CostFactor = 250000, CostFactorUOM = ? WHERE CostFactorID = 0",
                     {QString(c.storedUnit)});
        CCostFactorPreferenceDialog sheet;
        auto* direct = static_cast<CDirectProductCostTab*>(show(sheet, DIRECT));
        EXPECT_EQ(direct->amountEdit()->text(), "250000");
        EXPECT_EQ(direct->currencyCombo()->currentText(), c.selected) << c.storedUnit;
        direct->amountEdit()->setText(c.typed);
        m_prompts.clear();
        if (c.message)
            m_prompts.expect(IDOK);
        sheet.PressOK();
        EXPECT_EQ(sheet.isVisible(), c.message != nullptr) << c.typed;
        EXPECT_EQ(m_prompts.lastText(), c.message ? QString(c.message) : QString());
        EXPECT_EQ(value("SELECT ifnull(group_concat(quote(CostFactor) || '|' || CostFactorUOM), '') FROM CostFactor "
                        "WHERE CostFactorType = 'Fixed Cost'")
                      .toString(),
                  c.after)
            << c.storedUnit << " " << c.typed;
        m_db.Execute("INSERT OR IGNORE INTO CostFactor (CostFactorID, CostFactorType, CostFactorItem, RowOrder) "
                     "VALUES (0, 'Fixed Cost', 'Fixed Cost', 1)");
        sheet.PressCancel();
    }
}

// A failing write rolls every page back after its message; the sheet stays open with the edits.
TEST_F(CostFactorTest, AFailedWriteRollsEveryPageBackAndKeepsTheSheetOpen)
{
    m_db.Execute("CREATE TABLE WriteCount (n INTEGER)");
    m_db.Execute("INSERT INTO WriteCount VALUES (0)");
    m_db.Execute("CREATE TRIGGER FailKth BEFORE INSERT ON CostFactor WHEN NEW.CostFactorType = 'Indirect Product' "
                 "BEGIN UPDATE WriteCount SET n = n + 1; "
                 "SELECT RAISE(ABORT, 'refused row') WHERE (SELECT n FROM WriteCount) = 2; END");
    const QString before = stored();
    const QString itemLinks = links();
    CCostFactorPreferenceDialog sheet;
    for (int page : {CAPITAL, DIRECT, INDIRECT})
        ASSERT_TRUE(type(show(sheet, page)->grid(), 1, 2, "4"));
    m_prompts.expect(IDOK);
    sheet.PressOK();
    EXPECT_TRUE(m_prompts.lastText().contains("refused row")) << m_prompts.lastText().toStdString();
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(stored(), before);
    EXPECT_EQ(links(), itemLinks);
    EXPECT_TRUE(m_app.modifiedHistory().isEmpty());
    EXPECT_EQ(sheet.Tab(INDIRECT)->grid()->GetValueRowCol(1, 2), "4");

    m_db.Execute("DROP TRIGGER FailKth");
    EXPECT_TRUE(sheet.PressOK());
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(value("SELECT group_concat(CostFactor) FROM CostFactor WHERE RowOrder = 1 AND CostFactorType IN "
                    "('Capital', 'Direct Product', 'Indirect Product')")
                  .toString(),
              "4.0,4.0,4.0");
    EXPECT_EQ(m_app.modifiedHistory(), QList<bool>{true});
}

TEST_F(CostFactorTest, WithoutTheProjectDatabasePagesStayEmptyAndOkStaysOpen)
{
    m_app.fileSet().projectDatabase->Close();
    m_prompts.expect(IDOK);
    m_prompts.expect(IDOK);
    CCostFactorPreferenceDialog sheet;
    CCostFactorTab* capital = show(sheet, CAPITAL);
    EXPECT_EQ(m_prompts.texts(), (QStringList{"Can't open Cost Factor Preference table for update!",
                                              "Can't open Cost Factor Preference table for initialization!"}));
    EXPECT_FALSE(capital->IsLoaded());
    m_prompts.clear();
    m_prompts.expect(IDOK);
    sheet.PressOK();
    EXPECT_EQ(m_prompts.texts(), QStringList{"Can't open Cost Factor Preference table for update!"});
    EXPECT_TRUE(sheet.isVisible());
}

TEST_F(CostFactorTest, HelpAndF1OpenTopic436AndTheHubEntryIsFilled)
{
    CCostFactorPreferenceDialog sheet;
    CCostFactorTab* capital = show(sheet, CAPITAL);
    sheet.HelpButton()->click();
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(capital->grid(), &f1);
    ASSERT_EQ(m_help.shown.size(), 2);
    EXPECT_TRUE(m_help.shown.at(0).endsWith(" 436"));
    EXPECT_EQ(m_help.shown.at(1), m_help.shown.at(0));
    EXPECT_EQ(sheet.HelpButton()->objectName(), "9");

    InstallCostFactorPreferences();
    EXPECT_TRUE(PreferenceHub::hasEntry(1049));
    PreferenceHub::setEntry(1049, {});
}
