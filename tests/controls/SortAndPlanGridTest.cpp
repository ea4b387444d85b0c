#include "GridTestSupport.h"
#include "ScriptedPrompts.h"
#include "foundation/controls/ObjectGridWndSort.h"
#include "foundation/controls/QVGridWnd.h"

#include <QHeaderView>
#include <QLocale>
#include <gtest/gtest.h>

namespace {

QStringList Column(const CObjectGridWnd& grid, int col)
{
    QStringList values;
    for (int row = 1; row <= grid.GetRowCount(); ++row)
        values.append(grid.GetValueRowCol(row, col));
    return values;
}

class SortGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid.SetRowCount(4);
        grid.SetColCount(3);
        const char* rows[][3] = {
            {"beta", "10", "1"}, {"Alpha", "9", "2"}, {"gamma", "", "3"}, {"alpha", "-1", "4"}};
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 3; ++c)
                grid.SetValueRowCol(r + 1, c + 1, rows[r][c]);
        grid.SetColWidth(3, 0);
    }
    CObjectGridWndSort grid;
};

TEST_F(SortGridTest, RowsKeepTheirHiddenIdWhenSortedByText)
{
    grid.SortByColumn(1, true);
    EXPECT_EQ(Column(grid, 1), QStringList({"Alpha", "alpha", "beta", "gamma"}));
    EXPECT_EQ(Column(grid, 3), QStringList({"2", "4", "1", "3"}));
    EXPECT_EQ(Column(grid, 2), QStringList({"9", "-1", "10", ""}));
}

TEST_F(SortGridTest, NumbersSortByValueAndASecondDoubleClickReverses)
{
    emit grid.horizontalHeader()->sectionDoubleClicked(1);
    EXPECT_EQ(Column(grid, 2), QStringList({"-1", "9", "10", ""}));
    EXPECT_EQ(Column(grid, 3), QStringList({"4", "2", "1", "3"}));
    emit grid.horizontalHeader()->sectionDoubleClicked(1);
    EXPECT_EQ(Column(grid, 3), QStringList({"3", "1", "2", "4"}));
}

TEST_F(SortGridTest, AnOpenInvalidEditStopsTheSort)
{
    ScriptedPromptService prompts;
    grid.SetStyleRange(CGridRange(1, 2), CGridCellStyle().SetUserAttribute(2002, "Positive"));
    OpenCellEditor(grid, 1, 2)->setText("-3");
    prompts.expect(IDOK);
    grid.SortByColumn(1, true);
    EXPECT_EQ(Column(grid, 3), QStringList({"1", "2", "3", "4"}));
}

struct PlanCase {
    int col;
    const char* text;
    const char* warning;
};

void PrintTo(const PlanCase& c, std::ostream* os)
{
    *os << c.col << " \"" << c.text << '"';
}

class PlanGridRules : public ::testing::TestWithParam<PlanCase> {};

TEST_P(PlanGridRules, ColumnsTwoSixAndSevenAreChecked)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const PlanCase& c = GetParam();
    CQVGridWnd grid;
    grid.PlanGridMode = 1;
    grid.SetRowCount(2);
    grid.SetColCount(9);
    ScriptedPromptService prompts;
    QLineEdit* editor = OpenCellEditor(grid, 1, c.col);
    ASSERT_NE(editor, nullptr);
    editor->setText(c.text);
    if (*c.warning)
        prompts.expect(IDOK);
    EXPECT_EQ(grid.UpdateData(true), !*c.warning);
    EXPECT_EQ(prompts.lastText(), QString(c.warning));
    QLocale::setDefault(previous);
}

const char* const NUMBER = "Please enter a number! ";
const char* const LIKE = "Please enter a number like 1.2 ! ";
const char* const POSITIVE_PROMPT = "Please enter a positive value!";
const char* const DATE = "Please enter a valid date/time such as 4/11/97 12:27:46 PM! ";

INSTANTIATE_TEST_SUITE_P(
    Mode1, PlanGridRules,
    ::testing::Values(PlanCase{2, "12.5", ""}, PlanCase{2, "", ""}, PlanCase{2, "abc", NUMBER},
                      PlanCase{2, "1.2.3", LIKE}, PlanCase{2, "1,2", NUMBER},
                      PlanCase{2, "0", POSITIVE_PROMPT}, PlanCase{2, "-4", POSITIVE_PROMPT},
                      PlanCase{2, "1e300", LIKE}, PlanCase{2, "1e35", LIKE}, PlanCase{7, "inf", NUMBER},
                      PlanCase{7, "3", ""}, PlanCase{7, "x1", NUMBER}, PlanCase{7, "-0.5", POSITIVE_PROMPT},
                      PlanCase{6, "4/11/97 12:27:46 PM", ""}, PlanCase{6, "4/11/97 12:27 PM", ""},
                      PlanCase{6, "4/11/97", ""}, PlanCase{6, "", ""}, PlanCase{6, "13/45/97 1:00 PM", DATE},
                      PlanCase{6, "soon", DATE}, PlanCase{3, "anything", ""}, PlanCase{9, "-1", ""}));

TEST(PlanGrid, DateTimesRoundTripInTheUserFormat)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QDateTime start(QDate(2024, 3, 5), QTime(14, 30));
    EXPECT_EQ(CQVGridWnd::ReadPlanDateTime(CQVGridWnd::FormatPlanDateTime(start)), start);
    EXPECT_EQ(CQVGridWnd::ReadPlanDateTime("4/11/97 12:27:46 PM"),
              QDateTime(QDate(1997, 4, 11), QTime(12, 27, 46)));
    EXPECT_EQ(CQVGridWnd::ReadPlanDateTime("3/5/24 2:30 PM"), start);
    EXPECT_EQ(CQVGridWnd::ReadPlanDateTime("3/5/2024"), QDateTime(QDate(2024, 3, 5), QTime(0, 0)));
    QLocale::setDefault(previous);
}

} // namespace
