// Edits of the Coupling recipe beyond the basic deletes and moves: a unit procedure dropped whole
// against its Starts-After constraints, the rows a move writes, the constraint dialogs per
// ordinal, the step panes, the context menu and the frame's delete of one item.

#include "RecipeEditFixture.h"

#include "foundation/common/CommandIds.h"
#include "foundation/common/MessageBox.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "modules/opdialog/ConstraintDialogs.h"
#include "recipe/view/RecipeContextMenu.h"

#include <QMenu>
#include <QSqlQuery>

namespace {
// Answers each dialog with every candidate at a 10 min delay, or cancels.
struct AnsweringConstraintDialogs : ConstraintDialogService {
    std::optional<QList<ConstraintChoice>> AskConstraints(const QString&, const QList<ConstraintChoice>& candidates,
                                                          const QList<ConstraintChoice>&, const QStringList&) override
    {
        if (cancel)
            return std::nullopt;
        QList<ConstraintChoice> chosen = candidates;
        for (ConstraintChoice& choice : chosen)
            std::tie(choice.delay, choice.delayUOM) = std::pair(10.0, QStringLiteral("min"));
        return chosen;
    }
    bool cancel = false;
};

void AddStartsAfter(long stepID, long current, long parameter)
{
    GetStepDatabase(stepID)->Execute(QStringLiteral("INSERT INTO OperationConditionalLogicParameter (CurrentOperationID,"
                                                    " ConditionalLogic, OperationParameterID) VALUES (%1, 'Starts-After', %2)")
                                         .arg(current)
                                         .arg(parameter));
}

// "text|enabled|checked" of every command item of the menu and its submenus.
QStringList MenuItems(const QMenu& menu)
{
    QStringList items;
    for (const QAction* action : menu.actions()) {
        if (action->menu())
            items << MenuItems(*action->menu());
        else if (!action->isSeparator())
            items << QStringLiteral("%1|%2|%3").arg(action->text()).arg(action->isEnabled()).arg(action->isChecked());
    }
    return items;
}
} // namespace

// Work-up (lines 12-15) dropped whole: every one of its operations is judged where the block
// lands, not at the target advanced line by line; its own operations move together.
TEST_F(RecipeEditFixture, AUnitProcedureDroppedWholeIsCheckedWhereItLands)
{
    CQUORVANTAView& view = OpenCoupling();
    const long workUp = view.Line(12)->GetButtonID();
    const long charge = view.Line(2)->GetButtonID(), transfer = view.Line(13)->GetButtonID();
    const long age = view.Line(15)->GetButtonID();
    AddStartsAfter(COUPLING_STEP, age, charge);   // the third starts after 1.2
    AddStartsAfter(COUPLING_STEP, age, transfer); // and after its own first operation
    struct Case {
        const char* name;
        long unitProcedure;
        int target, position, landing;
        bool invalid;
        const char* message;
    };
    const Case cases[] = {
        {"three operations above what the third starts after", workUp, 0, 1, -1, true,
         "Start-After Constrain for operation 1.2.\n"},
        {"before an operation: above the header holding it", workUp, 3, 1, -1, true,
         "Start-After Constrain for operation 1.2.\n"},
        {"after the line it starts after: below that unit procedure", workUp, 2, 2, 11, false, ""},
        {"Reaction after Work-up: 1.2 below what starts after it", view.Line(0)->GetButtonID(), 13, 2, 15, true,
         "Start-After Constrain in operation 2.3.\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(view.UnitProcedureLandingIndex(c.target, c.position), c.landing) << c.name;
        QList<StartAfterLink> links;
        view.CollectUnitProcedureDropLinks(c.unitProcedure, c.target, c.position, links);
        EXPECT_EQ(view.CheckStartAfterConstraints(links, true), c.invalid) << c.name;
        EXPECT_EQ(view.constraintMessage(), c.message) << c.name;
        EXPECT_EQ(view.invalidConstraints().size() + view.keptConstraints().size(), c.unitProcedure == workUp ? 3 : 1)
            << c.name << ": a row between two moving items is seen from both";
    }
    view.ClearConstraintLists();
}

// A move writes only the rows of the two lines that change places; the lines equal a fresh load.
TEST_F(RecipeEditFixture, AMoveWritesOnlyTheRowsOfTheLinesThatChangePlaces)
{
    struct Case {
        const char* line;
        bool down;
        int rows;
    };
    const Case cases[] = {{"Charge 800", false, 2}, {"Purge", true, 2}, {"Series", true, 2}, {"End Parallel", false, 2}};
    CQUORVANTAView& view = OpenCoupling();
    for (const Case& c : cases) {
        FailRowWritesFrom(100000); // counts without failing
        view.SelectItem(IndexOf(view, c.line));
        ASSERT_TRUE(c.down ? view.MoveDown() : view.MoveUp()) << c.line;
        EXPECT_EQ(Count("SELECT n FROM temp.RowWrites"), c.rows) << c.line;
        ExpectMatchesFreshLoad(view);
    }
}

TEST_F(RecipeEditFixture, ConstraintDialogsAnswerPerOrdinalAndTellTheEngineOfWhatChanged)
{
    AnsweringConstraintDialogs dialogs;
    installed.Install<ConstraintDialogService>(&dialogs);
    CQUORVANTAView& view = OpenCoupling();
    const long heat = view.Line(6)->GetButtonID(), sweep = view.Line(8)->GetButtonID();
    const long react = view.Line(10)->GetButtonID(), workUp = view.Line(12)->GetButtonID();
    const long transfer = view.Line(13)->GetButtonID();
    const QString path = GetProjectFilePath();
    dialogs.cancel = true;
    EXPECT_EQ(OPDialogParallelBlockDelay(path, COUPLING_STEP, 5), 0);
    EXPECT_EQ(OPDialogOperationConstraints(path, COUPLING_STEP, react), 0);
    EXPECT_EQ(OPDialogUnitProcedureConstraints(path, COUPLING_STEP, workUp), 0);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM OperationConditionalLogicParameter"), 0);
    struct Case {
        int line;
        int command;
        bool cancel;
        QStringList engine;
        int paneRefreshes;
    };
    const auto told = [](long id) { return QStringLiteral("modified 1001 %1 1").arg(id); };
    const Case cases[] = {
        {4, ID_INSERT_DELAY_IN_PARALLEL, true, {}, 0},
        {4, ID_INSERT_DELAY_IN_PARALLEL, false, {told(heat), told(sweep)}, 1},
        {8, ID_INSERT_DELAY_IN_PARALLEL, false, {}, 0}, // the same rows again: no change
        {10, ID_INSERT_START_AFTER, true, {}, 0},
        {10, ID_INSERT_START_AFTER, false, {told(react)}, 1},
        {12, ID_INSERT_START_AFTER, true, {told(transfer)}, 0}, // a unit procedure's first operation in any case
        {12, ID_INSERT_START_AFTER, false, {told(transfer)}, 1},
    };
    for (const Case& c : cases) {
        dialogs.cancel = c.cancel;
        std::tie(engine.calls, panes.refreshes) = std::pair(QStringList(), 0);
        view.SelectItem(c.line);
        ASSERT_TRUE(view.IsCommandEnabled(c.command)) << c.line;
        view.OnCommand(c.command);
        EXPECT_EQ(engine.calls, c.engine) << c.line << " cancel " << c.cancel;
        EXPECT_EQ(panes.refreshes, c.paneRefreshes) << c.line << " cancel " << c.cancel;
    }
    EXPECT_EQ(Count("SELECT COUNT(*) FROM UnitProcedureConditionalLogicParameter WHERE ConditionalLogic = 'Starts-After'"),
              1);
}

TEST_F(RecipeEditFixture, HidingRefreshesTheStepPanesOnceAndBreakpointsDoNot)
{
    CQUORVANTAView& view = OpenCoupling("Work-up");
    view.ToggleHide();
    EXPECT_EQ(panes.refreshes, 1);
    view.ToggleBreakpoints();
    view.RemoveAllBreakpoints();
    EXPECT_EQ(panes.refreshes, 1);
}

// The frame's delete of one item: the step's open window selects its line, ends a multiple
// selection and deletes it as the Delete command does; without a window or line, nothing.
TEST_F(RecipeEditFixture, DeleteItemInRecipeViewDeletesThatLineOfTheOpenWindow)
{
    CQUORVANTAView& view = OpenCoupling("Purge");
    const long distill = view.Line(14)->GetButtonID();
    view.OnLineClicked(view.Line(2), true);
    ASSERT_TRUE(view.IsMultiSelect());
    EXPECT_FALSE(DeleteItemInRecipeView(COUPLING_STEP, distill, RECIPE_LINE_UNIT_PROCEDURE)) << "kind differs";
    EXPECT_FALSE(DeleteItemInRecipeView(COUPLING_STEP + 1, distill, RECIPE_LINE_OPERATION)) << "no window";
    prompts.expect(IDYES);
    ASSERT_TRUE(DeleteItemInRecipeView(COUPLING_STEP, distill, RECIPE_LINE_OPERATION));
    EXPECT_EQ(prompts.lastText(), "Do you really want to delete this operation ?");
    EXPECT_FALSE(view.IsMultiSelect());
    EXPECT_EQ(view.LineCount(), 15);
    EXPECT_EQ(view.Line(14)->line().label, "2.2.");
    EXPECT_EQ(view.GetFirstSelectedIndex(), 14);
    ExpectMatchesFreshLoad(view);
    EXPECT_TRUE(services.calls.contains("refresh step 1001"));
}

TEST_F(RecipeEditFixture, TheContextMenuOffersTheLineEditsAsTheViewEnablesThem)
{
    CQUORVANTAView& view = OpenCoupling("Heat");
    view.ToggleHide();
    QMenu menu;
    QList<int> run;
    FillRecipeContextMenu(menu, view, [&](int id) { run << id; });
    const QStringList items = MenuItems(menu);
    for (const char* expected :
         {"Cut|1|0", "Copy|1|0", "Delete\tDel|1|0", "Move Up|1|0", "Move Down|1|0", "Move Left\tShift+Tab|1|0",
          "Move Right\tTab|1|0", "Toggle Hide|1|1", "Remove All Breakpoints|0|0", "Start-After Constraints|0|0",
          "Parallel-Block Constraints|1|0"})
        EXPECT_TRUE(items.contains(QString::fromUtf8(expected))) << expected;
    for (QAction* action : menu.actions()) {
        EXPECT_TRUE(action->shortcut().isEmpty()) << action->text().toStdString();
        if (action->text() == "Toggle Hide")
            action->trigger();
    }
    EXPECT_EQ(run, QList<int>{ID_TOGGLE_HIDE});
}
