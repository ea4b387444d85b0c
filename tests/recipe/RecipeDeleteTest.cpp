#include "RecipeEditFixture.h"

#include "foundation/common/CommandIds.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/CommandDispatcher.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace {
QStringList LabelsOf(const CQUORVANTAView& view)
{
    QStringList labels;
    for (int index = 0; index < view.LineCount(); ++index)
        labels << view.Line(index)->line().label + (IsKeywordLine(view.Line(index)->GetItemType()) ? view.Line(index)->text() : QString());
    return labels;
}

// Runs a dispatched command on its target, as the frame's dispatcher does.
struct DirectDispatcher : CommandDispatcher {
    bool DispatchCommand(const CommandRequest& request) override
    {
        request.target->OnCommand(request.commandID);
        return true;
    }
};
} // namespace

TEST_F(RecipeEditFixture, DeletingAnOperationRenumbersItsUnitProcedureInOneWrite)
{
    CQUORVANTAView& view = OpenCoupling("Charge 800");
    prompts.expect(IDYES);
    ASSERT_TRUE(view.DeleteSelectedItems("Delete"));
    EXPECT_EQ(prompts.texts(), QStringList{"Do you really want to delete this operation ?"});
    EXPECT_EQ(prompts.flags().value(0), unsigned(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
    EXPECT_EQ(LabelsOf(view), (QStringList{"1.", "1.1.", "1.2.", "Start Parallel", "Series", "1.3.", "Series", "1.4.",
                                           "End Parallel", "1.5.", "1.6.", "2.", "2.1.", "2.2.", "2.3."}));
    EXPECT_TRUE(view.Line(2)->IsSelected());
    EXPECT_TRUE(view.Line(2)->text().startsWith("Charge 186"));
    ExpectMatchesFreshLoad(view);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Operation WHERE RecipeText LIKE 'Charge 800%'"), 1) << "the item stays";
    EXPECT_TRUE(services.calls.contains("refresh step 1001"));
    EXPECT_EQ(services.calls.last(), "stream update 1001");
}

TEST_F(RecipeEditFixture, DeletingAUnitProcedureTakesItsLinesAndRenumbersTheNext)
{
    CQUORVANTAView& view = OpenCoupling("Reaction");
    prompts.expect(IDYES);
    ASSERT_TRUE(view.DeleteSelectedItems("Cut"));
    EXPECT_EQ(prompts.lastText(), "This will cut all Operations that belong to this Unit Procedure. Do you really "
                                  "want to cut it ?");
    EXPECT_EQ(LabelsOf(view), (QStringList{"1.", "1.1.", "1.2.", "1.3."}));
    EXPECT_TRUE(view.Line(0)->IsSelected());
    ExpectMatchesFreshLoad(view);
}

TEST_F(RecipeEditFixture, DeletingAKeywordGivesEveryKeywordItsPosition)
{
    CQUORVANTAView& view = OpenCoupling("Start Parallel");
    prompts.expect(IDYES);
    ASSERT_TRUE(view.DeleteSelectedItems("Delete"));
    EXPECT_EQ(prompts.lastText(), "Do you really want to delete this keyword ?");
    EXPECT_EQ(view.Line(4)->line().itemID, 5);
    ExpectMatchesFreshLoad(view);
    EXPECT_FALSE(services.calls.contains("refresh step 1001")) << "no item left the step";
}

TEST_F(RecipeEditFixture, AnsweringNoToAnyQuestionChangesNothing)
{
    struct Case {
        const char* line;
        const char* mode;
        const char* question;
    };
    const Case cases[] = {
        {"Reaction", "Delete", "This will delete all Operations that belong to this Unit Procedure. Do you really want to delete it ?"},
        {"Purge", "Cut", "Do you really want to cut this operation ?"},
        {"Series", "Cut", "Do you really want to cut this keyword ?"},
    };
    CQUORVANTAView& view = OpenCoupling();
    const QStringList rows = Rows(COUPLING_STEP);
    const QStringList state = State(view);
    for (const Case& c : cases) {
        view.SelectItem(IndexOf(view, c.line));
        prompts.expect(IDNO);
        EXPECT_FALSE(view.DeleteSelectedItems(c.mode)) << c.line;
        EXPECT_EQ(prompts.lastText(), c.question);
        EXPECT_TRUE(prompts.flags().last() & MB_DEFBUTTON2);
    }
    EXPECT_EQ(Rows(COUPLING_STEP), rows);
    EXPECT_EQ(State(view), state);
    EXPECT_FALSE(services.calls.contains("refresh step 1001"));
}

TEST_F(RecipeEditFixture, AnOperationWhoseStreamIsUsedIsRefusedUnlessMoved)
{
    services.streams = {{"Toluene", {"Distill", "Age"}}, {"Vent", {"Cool"}}};
    CQUORVANTAView& view = OpenCoupling("Charge 800");
    const QStringList rows = Rows(COUPLING_STEP);
    prompts.expect(IDOK);
    EXPECT_FALSE(view.DeleteSelectedItems("Delete"));
    EXPECT_EQ(prompts.lastText(), "Tamro Plenthover cannot delete this operation as following stream are used in "
                                  "other operation: \n\rToluene is ued in Distill, Age\n\rVent is ued in Cool");
    EXPECT_EQ(Rows(COUPLING_STEP), rows);
    ASSERT_TRUE(view.DeleteSelectedItems("Operation")); // a move's delete asks nothing
    EXPECT_EQ(view.LineCount(), 15);
    ExpectMatchesFreshLoad(view);
    EXPECT_FALSE(services.calls.contains("refresh step 1001"));
}

TEST_F(RecipeEditFixture, UnitProcedureModeRemovesOnlyTheHeader)
{
    CQUORVANTAView& view = OpenCoupling("Work-up");
    ASSERT_TRUE(view.DeleteSelectedItems("Unit Procedure"));
    EXPECT_EQ(LabelsOf(view).mid(10), (QStringList{"1.6.", "1.7.", "1.8.", "1.9.", "1.10."}));
    ExpectMatchesFreshLoad(view);
}

TEST_F(RecipeEditFixture, DeletingTheLastLinesSelectsTheNewLastAndEmptiesTheView)
{
    CQUORVANTAView& view = OpenCoupling("Age");
    prompts.expect(IDYES);
    ASSERT_TRUE(view.DeleteSelectedItems("Delete"));
    EXPECT_TRUE(view.Line(view.LineCount() - 1)->IsSelected());
    for (const char* line : {"Work-up", "Reaction"}) {
        view.SelectItem(IndexOf(view, line));
        prompts.expect(IDYES);
        ASSERT_TRUE(view.DeleteSelectedItems("Delete"));
    }
    EXPECT_EQ(view.LineCount(), 0);
    EXPECT_EQ(Rows(COUPLING_STEP), QStringList());
}

TEST_F(RecipeEditFixture, ADragCutKeepsTheSeriesBeforeTheNextUnitProcedure)
{
    CQUORVANTAView& view = OpenCoupling("Transfer"); // the last operation of unit procedure 1
    view.InsertKeywordBlock(2, "Series", RECIPE_LINE_SERIES, -1, 0);
    view.SelectItem(0);
    ASSERT_TRUE(view.DeleteSelectedItems("DragCut"));
    EXPECT_EQ(LabelsOf(view), (QStringList{"Series", "1.", "1.1.", "1.2.", "1.3."}));
    ExpectMatchesFreshLoad(view);
    EXPECT_FALSE(services.calls.contains("stream update 1001")) << "only Delete and Cut tell the managed side";
}

TEST_F(RecipeEditFixture, AMultipleSelectionGoesInOneTransactionWithOneRefresh)
{
    CQUORVANTAView& view = OpenCoupling("Purge");
    view.OnLineClicked(view.Line(IndexOf(view, "Work-up")), true);
    view.OnLineClicked(view.Line(IndexOf(view, "Start Parallel")), true);
    prompts.expect(IDYES);
    ASSERT_TRUE(view.DeleteSelectedLinesOneByOne("Delete"));
    EXPECT_EQ(prompts.lastText(), "This will delete all selected items. Do you really want to delete them ?");
    EXPECT_EQ(LabelsOf(view).first(3), (QStringList{"1.", "1.1.", "1.2."}));
    EXPECT_EQ(view.LineCount(), 10);
    EXPECT_EQ(services.calls.count("refresh step 1001"), 1);
    ExpectMatchesFreshLoad(view);
    EXPECT_FALSE(view.IsMultiSelect());
}

TEST_F(RecipeEditFixture, AFailedRowWriteLeavesRowsAndLinesAsTheyWere)
{
    struct Case {
        const char* name;
        int failAt;
        std::function<void(CQUORVANTAView&)> edit;
    };
    const Case cases[] = {
        {"delete", 3, [&](CQUORVANTAView& v) { v.SelectItem(1); v.DeleteSelectedItems("Delete"); }},
        {"delete unit procedure", 1, [&](CQUORVANTAView& v) { v.SelectItem(0); v.DeleteSelectedItems("Delete"); }},
        {"multi-delete", 4, [&](CQUORVANTAView& v) {
             v.SelectItem(1);
             v.OnLineClicked(v.Line(13), true);
             v.DeleteSelectedLinesOneByOne("Delete");
         }},
        {"move", 2, [](CQUORVANTAView& v) { v.SelectItem(13); v.MoveUp(); }},
        {"hide", 5, [](CQUORVANTAView& v) { v.SelectItem(0); v.ToggleHide(); }},
        {"indent", 1, [](CQUORVANTAView& v) { v.SelectItem(2); v.IndentSelectedLines(2); }},
    };
    CQUORVANTAView& view = OpenCoupling();
    const QStringList rows = Rows(COUPLING_STEP);
    const QStringList state = State(view);
    for (const Case& c : cases) {
        FailRowWritesFrom(c.failAt);
        services.calls.clear();
        automation.calls.clear();
        if (QString(c.name).startsWith("delete") || QString(c.name) == "multi-delete")
            prompts.expect(IDYES);
        prompts.expect(IDOK); // the error
        c.edit(view);
        EXPECT_TRUE(prompts.lastText().contains("row write refused")) << c.name;
        EXPECT_EQ(Rows(COUPLING_STEP), rows) << c.name;
        EXPECT_EQ(State(view), state) << c.name;
        EXPECT_FALSE(services.calls.contains("refresh step 1001")) << c.name;
        EXPECT_TRUE(automation.calls.isEmpty()) << c.name;
        EXPECT_TRUE(engine.calls.isEmpty()) << c.name;
    }
}

TEST_F(RecipeEditFixture, KeysIndentAndDeleteTheFocusedLine)
{
    DirectDispatcher dispatcher;
    installed.Install<CommandDispatcher>(&dispatcher);
    CQUORVANTAView& view = OpenCoupling("Purge");
    view.setFocus();
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &tab);
    EXPECT_EQ(view.Line(1)->line().indent, 3);
    QKeyEvent backtab(QEvent::KeyPress, Qt::Key_Backtab, Qt::ShiftModifier);
    for (int n = 0; n < 3; ++n) // the third, at 1, changes nothing
        QCoreApplication::sendEvent(&view, &backtab);
    EXPECT_EQ(view.Line(1)->line().indent, 1);
    prompts.expect(IDYES);
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QCoreApplication::sendEvent(view.Line(1), &del);
    EXPECT_EQ(view.LineCount(), 15);
    ExpectMatchesFreshLoad(view);
}
