#include "RecipeViewFixture.h"

#include "foundation/common/CommandIds.h"
#include "foundation/common/MessageBox.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "recipe/lines/RecipeLineRecord.h"
#include "recipe/lines/RecipeLineTexts.h"

#include <QSqlQuery>

namespace {
long StepLong(long stepID, const QString& sql)
{
    QSqlQuery query = GetStepDatabase(stepID)->Query(sql);
    return query.next() ? long(query.value(0).toLongLong()) : -1;
}
} // namespace

TEST_F(RecipeViewFixture, CouplingLoadsEveryRowAsANumberedLineInRecipeOrder)
{
    OpenDemo();
    const CQUORVANTAView& view = OpenView(COUPLING_STEP);
    EXPECT_EQ(view.LineCount(), StepLong(COUPLING_STEP, "SELECT COUNT(*) FROM TextRecipe"));
    const QStringList texts = Texts(view);
    EXPECT_EQ(texts.first(), "1.|Reaction in R-101");
    EXPECT_EQ(texts.at(1), "1.1.|Purge R-101 with Nitrogen for 15 min.");
    EXPECT_EQ(texts.at(4), "|Start Parallel");
    EXPECT_EQ(view.Line(0)->m_top, 25) << "a unit procedure has the unit-procedure gap above it";
    EXPECT_EQ(view.Line(2)->m_top, view.Line(1)->m_top + view.Line(1)->m_height + 5);
    EXPECT_EQ(view.GetFirstSelectedIndex(), 0);
    EXPECT_EQ(view.nextBlockNumber(), 2);
}

TEST_F(RecipeViewFixture, AStepWithoutRowsHasNoLineAndNothingSelected)
{
    OpenDemo();
    EditStep(COUPLING_STEP, "DELETE FROM TextRecipe");
    const CQUORVANTAView& view = OpenView(COUPLING_STEP);
    EXPECT_EQ(view.LineCount(), 0);
    EXPECT_EQ(std::tuple(view.vertRange(), view.horzRange()), std::tuple(0, 0));
    EXPECT_EQ(std::tuple(view.GetFirstSelectedIndex(), view.GetSelectedOperationID()), std::tuple(-1, -1L));
    EXPECT_EQ(view.nextBlockNumber(), 1);
}

struct DisplayCase {
    bool comments, addSpace, ranges;
    const char* unitProcedure;
    const char* operation;
};

class RecipeViewDisplayTest : public RecipeViewFixture, public ::testing::WithParamInterface<DisplayCase> {};

TEST_P(RecipeViewDisplayTest, CommentsAndRangesFollowTheOptions)
{
    OpenDemo();
    EditStep(COUPLING_STEP, "UPDATE Operation SET UserComments = 'Check O2.', RangeText = 'NOR Amount'"
                            " WHERE RecipeText LIKE 'Charge 800%'");
    host.options.comments = GetParam().comments;
    host.options.addSpace = GetParam().addSpace;
    host.options.ranges = GetParam().ranges;
    const CQUORVANTAView& view = OpenView(COUPLING_STEP);
    EXPECT_EQ(view.Line(0)->text(), GetParam().unitProcedure);
    const CRecipeButton* charge = view.Line(IndexOf(view, "Charge 800"));
    EXPECT_EQ(charge->text(), GetParam().operation);
    EXPECT_EQ(charge->line().commentText, "Check O2.");
    EXPECT_FALSE(charge->line().rangeText.isEmpty()) << "the range text is kept whatever the option";
}

INSTANTIATE_TEST_SUITE_P(
    Options, RecipeViewDisplayTest,
    ::testing::Values(
        DisplayCase{false, false, false, "Reaction in R-101", "Charge 800 kg of Toluene to R-101.\nRanges: Amount 790 kg to 810 kg."},
        DisplayCase{true, false, false, "Reaction in R-101 Inert the vessel first.",
                    "Charge 800 kg of Toluene to R-101.\nRanges: Amount 790 kg to 810 kg.\nCheck O2."},
        DisplayCase{true, true, false, "Reaction in R-101\nInert the vessel first.",
                    "Charge 800 kg of Toluene to R-101.\nRanges: Amount 790 kg to 810 kg.\n\nCheck O2."},
        DisplayCase{false, false, true, "Reaction in R-101", "Charge 800 kg of Toluene to R-101.\nRanges: Amount 790 kg to 810 kg.\nNOR Amount"},
        DisplayCase{true, true, true, "Reaction in R-101\nInert the vessel first.",
                    "Charge 800 kg of Toluene to R-101.\nRanges: Amount 790 kg to 810 kg.\n\nNOR Amount\n\nCheck O2."}));

TEST_F(RecipeViewFixture, BlankRecipeTextShowsTheLabelAndLowerCaseSeriesIsASeriesLine)
{
    OpenDemo();
    EditStep(COUPLING_STEP, "UPDATE Operation SET RecipeText = '   ' WHERE RecipeText LIKE 'Purge%'");
    EditStep(COUPLING_STEP, "UPDATE TextRecipe SET Type = 'series' WHERE Type = 'Series'");
    const CQUORVANTAView& view = OpenView(COUPLING_STEP);
    const CRecipeButton* purge = view.Line(1);
    EXPECT_EQ(purge->text(), purge->line().operationLabel + " ...");
    for (int index = 0; index < view.LineCount(); ++index) {
        const CRecipeButton* line = view.Line(index);
        if (IsKeywordLine(line->GetItemType())) {
            EXPECT_EQ(line->GetButtonID(), index + 1) << "a keyword line's id is its position";
        }
        if (line->line().typeText.compare("Series", Qt::CaseInsensitive) == 0) {
            EXPECT_EQ(line->GetItemType(), RECIPE_LINE_SERIES);
        }
    }
}

TEST_F(RecipeViewFixture, MissingUnitProcedureStopsTheBuildWithItsMessage)
{
    OpenDemo();
    const long unitProcedure =
        StepLong(COUPLING_STEP, "SELECT ID FROM TextRecipe WHERE Type = 'Unit Procedure' ORDER BY RecipeSequenceNumber");
    EditStep(COUPLING_STEP, QString("DELETE FROM UnitProcedure WHERE UnitProcedureID = %1").arg(unitProcedure));
    prompts.expect(IDOK);
    const CQUORVANTAView& view = OpenView(COUPLING_STEP);
    EXPECT_EQ(prompts.texts(),
              QStringList(QString("Could not find the record with ID: %1 in Unit Procedure Table!").arg(unitProcedure)));
    EXPECT_FALSE(view.linesLoaded());
}

TEST_F(RecipeViewFixture, NarrowClientsKeepFixedWidthsAndScrollSideways)
{
    OpenDemo();
    EditStep(COUPLING_STEP, "UPDATE TextRecipe SET Indent = 2 WHERE Type = 'Series'");
    CQUORVANTAView& view = OpenView(COUPLING_STEP);
    const int series = IndexOf(view, "Series");
    view.RecalcLayout(false, 299, 400);
    EXPECT_EQ(std::tuple(view.Line(0)->m_width, view.Line(series)->m_width), std::tuple(240, 200));
    EXPECT_EQ(view.horzRange(), 300);
    view.OnHScroll(ScrollCode::Bottom);
    EXPECT_GT(view.horzPos(), 0);
    view.RecalcLayout(false, 300, 400);
    EXPECT_EQ(std::tuple(view.Line(0)->m_width, view.Line(series)->m_width), std::tuple(300 - 50 - 40, 300 - 50 - 80));
    EXPECT_EQ(std::tuple(view.horzRange(), view.horzPos()), std::tuple(0, 0));
    EXPECT_EQ(view.Line(series)->m_x, 30 + 2 * 40);
}

TEST_F(RecipeViewFixture, ContentThatFitsResetsTheVerticalScrolling)
{
    OpenDemo();
    CQUORVANTAView& view = OpenView(COUPLING_STEP, QSize(640, 150));
    ASSERT_GT(view.vertRange(), 0);
    view.OnVScroll(ScrollCode::Bottom);
    ASSERT_GT(view.vertPos(), 0);
    view.RecalcLayout(false, 640, view.contentHeight());
    EXPECT_EQ(std::tuple(view.vertRange(), view.vertPos(), view.scrollOffsetY()), std::tuple(0, 0, 0));
}

TEST_F(RecipeViewFixture, DownAndUpKeepTheSelectedLineVisible)
{
    OpenDemo();
    CQUORVANTAView& view = OpenView(COUPLING_STEP, QSize(640, 120));
    const int client = view.viewport()->height();
    auto visible = [&](int index) {
        const CRecipeButton* line = view.Line(index);
        const int top = line->m_top + view.scrollOffsetY();
        return top >= 0 && top + line->m_height <= client;
    };
    for (int index = 1; index < view.LineCount(); ++index) {
        view.OnKeyDown(Qt::Key_Down, Qt::NoModifier);
        ASSERT_EQ(view.GetFirstSelectedIndex(), index);
        EXPECT_TRUE(visible(index)) << "line " << index;
    }
    const int bottom = view.vertPos();
    view.OnKeyDown(Qt::Key_Down, Qt::NoModifier);
    view.OnVScroll(ScrollCode::PageDown);
    EXPECT_EQ(view.vertPos(), bottom) << "nothing moves at the end";
    for (int index = view.LineCount() - 2; index >= 0; --index) {
        view.OnKeyDown(Qt::Key_Up, Qt::NoModifier);
        EXPECT_TRUE(visible(index)) << "line " << index;
    }
    view.OnKeyDown(Qt::Key_Up, Qt::NoModifier);
    EXPECT_EQ(std::tuple(view.GetFirstSelectedIndex(), view.vertPos()), std::tuple(0, 0));
}

TEST_F(RecipeViewFixture, ScrollCodesMoveTheContentWithinItsRange)
{
    OpenDemo();
    CQUORVANTAView& view = OpenView(COUPLING_STEP, QSize(640, 150));
    const int page = view.viewport()->height();
    view.OnVScroll(ScrollCode::LineUp);
    EXPECT_EQ(view.vertPos(), 0);
    view.OnVScroll(ScrollCode::LineDown);
    EXPECT_EQ(view.vertPos(), page / 10);
    view.OnMouseWheel(-120);
    EXPECT_EQ(view.vertPos(), 2 * (page / 10));
    view.OnKeyDown(Qt::Key_End, Qt::ControlModifier);
    const CRecipeButton* last = view.Line(view.LineCount() - 1);
    EXPECT_EQ(last->m_top + last->m_height + 5 + view.scrollOffsetY(), page) << "the last line ends the client";
    EXPECT_EQ(last->geometry().top(), last->m_top + view.scrollOffsetY());
    view.OnKeyDown(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(view.scrollOffsetY(), 0);
}

TEST_F(RecipeViewFixture, SelectionQueriesAnswerForOneOperationOnly)
{
    OpenDemo();
    EditStep(COUPLING_STEP, "UPDATE TextRecipe SET Hide = 1 WHERE Type = 'Operation' AND Label = '1.2.'");
    CQUORVANTAView& view = OpenView(COUPLING_STEP);
    EXPECT_EQ(view.GetSelectedOperationID(), -1) << "a unit procedure";
    view.SelectItem(1);
    EXPECT_EQ(view.GetSelectedOperationID(), view.Line(1)->GetButtonID());
    view.SelectItem(2);
    EXPECT_EQ(view.GetSelectedOperationID(), -1) << "a hidden operation";
    view.OnLineClicked(view.Line(1), true);
    EXPECT_TRUE(view.IsMultiSelect());
    EXPECT_EQ(std::tuple(view.GetSelectedOperationID(), view.GetSelectedItemID()), std::tuple(-1L, -1L));
    view.SelectItem(99);
    EXPECT_TRUE(view.IsMultiSelect()) << "an index out of range changes nothing";
}

TEST_F(RecipeViewFixture, ClickingALineTellsTheExplorerAndTheResultWindows)
{
    OpenDemo();
    CQUORVANTAView& view = OpenView(COUPLING_STEP);
    host.calls.clear();
    view.OnLineClicked(view.Line(1), false);
    view.OnLineClicked(view.Line(4), false); // a keyword line
    const long id = view.Line(1)->GetButtonID();
    EXPECT_EQ(host.calls, QStringList({QString("explorer 1001 %1 2").arg(id), QString("sync 1001 %1 2 1").arg(id)}));
}

TEST_F(RecipeViewFixture, OpenedFromTheExplorerSelectsItsOperation)
{
    OpenDemo();
    const long age = StepLong(COUPLING_STEP, "SELECT OperationID FROM Operation WHERE RecipeText LIKE 'Age%'");
    host.treeSelection.operationID = age;
    auto* view = new CQUORVANTAView;
    view->identity() = {1, 1, "Coupling (1.0)", COUPLING_STEP, 1, true};
    view->resize(640, 120);
    view->show();
    host.views.insert(COUPLING_STEP, view);
    view->LoadRecipeLines();
    EXPECT_EQ(view->GetSelectedOperationID(), age);
    EXPECT_GT(view->vertPos(), 0) << "scrolled to the selected line";
    EXPECT_FALSE(view->identity().openedFromExplorer);
    EXPECT_TRUE(host.calls.isEmpty()) << "the explorer's own selection is not echoed back";
}

TEST_F(RecipeViewFixture, FindSearchesTextsAndCommentsInOneDirection)
{
    OpenDemo();
    host.options.comments = false;
    CQUORVANTAView& view = OpenView(COUPLING_STEP);
    view.FindText("toluene", false, true);
    EXPECT_EQ(view.GetFirstSelectedIndex(), IndexOf(view, "Charge 800"));
    view.SelectItem(3);
    view.FindText("inert", false, false); // the unit procedure's comment, not shown
    EXPECT_EQ(view.GetFirstSelectedIndex(), 0);
    prompts.expect(IDOK);
    view.FindText("Reaction", true, false);
    EXPECT_EQ(prompts.lastText(), "Cannot find 'Reaction'.") << "no wrap-around upward from the first line";
    prompts.expect(IDOK);
    view.FindText("TOLUENE", true, true);
    EXPECT_EQ(prompts.lastText(), "Cannot find 'TOLUENE'.");
}

TEST_F(RecipeViewFixture, BreakpointsToggleOnUnitProceduresAndOperationsAndAreStored)
{
    OpenDemo();
    CQUORVANTAView& view = OpenView(COUPLING_STEP);
    const int series = IndexOf(view, "Series");
    view.SelectItem(12); // a unit procedure whose lines are not those Ctrl takes below
    view.OnLineClicked(view.Line(1), true);
    view.OnLineClicked(view.Line(series), true);
    EXPECT_TRUE(view.IsCommandEnabled(ID_TOGGLE_BREAKPOINT));
    view.OnCommand(ID_TOGGLE_BREAKPOINT);
    EXPECT_EQ(app.modifiedHistory(), QList<bool>({true}));
    CloseView(COUPLING_STEP);
    const CQUORVANTAView& reopened = OpenView(COUPLING_STEP);
    EXPECT_TRUE(reopened.Line(12)->line().breakpoint);
    EXPECT_TRUE(reopened.Line(1)->line().breakpoint);
    EXPECT_FALSE(reopened.Line(series)->line().breakpoint) << "keyword lines carry none";
    EXPECT_EQ(StepLong(COUPLING_STEP, "SELECT COUNT(*) FROM TextRecipe WHERE Breakpoint <> 0"), 2);
}

TEST_F(RecipeViewFixture, FrameServicesReachTheViewsOfTheStep)
{
    OpenDemo();
    CQUORVANTAView& view = OpenView(COUPLING_STEP);
    const long operation = view.Line(1)->GetButtonID();
    const int height = view.Line(1)->m_height;
    SetRecipeItemText(COUPLING_STEP, operation, RECIPE_LINE_OPERATION, "Purge\nfor\nlonger");
    EXPECT_EQ(view.Line(1)->text(), "Purge\nfor\nlonger");
    EXPECT_GT(view.Line(1)->m_height, height);
    EXPECT_EQ(view.Line(2)->m_top, view.Line(1)->m_top + view.Line(1)->m_height + 5) << "the rest shifted";
    SelectRecipeLine(COUPLING_STEP, 3);
    EXPECT_EQ(view.GetFirstSelectedIndex(), 3);
    UpdateRecipeWindowTitle(COUPLING_STEP, "Coupling (2.0)");
    EXPECT_EQ(view.windowTitle(), "Recipe: Coupling (2.0)");
    EXPECT_EQ(GetRecipeViewOfStep(COUPLING_STEP), &view);
    EXPECT_EQ(GetRecipeViewOfStep(1002), nullptr);
    ReloadRecipeViews(COUPLING_STEP);
    EXPECT_EQ(view.Line(1)->text(), "Purge R-101 with Nitrogen for 15 min.") << "reloaded from the rows";
    EXPECT_TRUE(IsRecipeWindowOpen(COUPLING_STEP));
    CloseStepRecipeWindows(1, COUPLING_STEP);
    EXPECT_FALSE(IsRecipeWindowOpen(COUPLING_STEP));
}

TEST_F(RecipeViewFixture, InsertModeIsCopiedOnActivation)
{
    OpenDemo();
    CQUORVANTAView& view = OpenView(COUPLING_STEP);
    EXPECT_TRUE(view.insertAfter());
    CRecipeWindows::Installed()->ApplyInsertMode(false, true);
    EXPECT_FALSE(view.insertAfter());
}

// The texts of several items read in one go: each item once, from its first line in recipe order,
// however the ids asked for are ordered or repeated; an id without a line of that kind is missing.
TEST_F(RecipeViewFixture, SeveralItemsAreReadFromTheirFirstLines)
{
    OpenDemo();
    CDaoDatabase& step = *GetStepDatabase(COUPLING_STEP);
    const auto value = [&step](const QString& sql) {
        QSqlQuery query = step.Query(sql);
        return query.next() ? query.value(0).toString() : QString();
    };
    QList<long> operations;
    QSqlQuery order =
        step.Query("SELECT ID FROM TextRecipe WHERE Type = 'Operation' ORDER BY RecipeSequenceNumber");
    while (order.next())
        operations << long(order.value(0).toLongLong());
    ASSERT_GE(operations.size(), 3);
    const long first = operations.first(), second = operations.at(1), last = operations.last();
    EditStep(COUPLING_STEP, QString("INSERT INTO TextRecipe (ID, Label, RecipeSequenceNumber, StepID, Type)"
                                    " VALUES (%1, 'later.', 100000, %2, 'Operation')")
                                .arg(first)
                                .arg(COUPLING_STEP));
    QHash<long, RecipeLineRecord> records;
    ASSERT_TRUE(
        ReadRecipeLineTexts(COUPLING_STEP, {last, first, last, second}, RECIPE_LINE_OPERATION, records));
    EXPECT_EQ(records.size(), 3);
    for (const long id : {first, second, last}) {
        SCOPED_TRACE(id);
        const QString text =
            value(QString("SELECT RecipeText FROM Operation WHERE OperationID = %1").arg(id));
        ASSERT_FALSE(text.trimmed().isEmpty());
        EXPECT_EQ(records.value(id).recipeText, text);
        EXPECT_EQ(records.value(id).label,
                  value(QString("SELECT Label FROM TextRecipe WHERE ID = %1 AND Type ="
                                " 'Operation' ORDER BY RecipeSequenceNumber LIMIT 1")
                            .arg(id)));
    }
    EXPECT_NE(records.value(first).label, "later.");
    const long unitProcedure =
        value("SELECT ID FROM TextRecipe WHERE Type = 'Unit Procedure' LIMIT 1").toLong();
    EXPECT_FALSE(ReadRecipeLineTexts(COUPLING_STEP, {first, unitProcedure}, RECIPE_LINE_OPERATION, records));
}
