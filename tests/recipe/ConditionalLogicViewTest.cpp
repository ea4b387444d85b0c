// The Scheduling Constraints pane over generated steps: captions, order, texts, parallel blocks and
// when it fills.

#include "StepPanesFixture.h"

#include <QAction>
#include <QLocale>

namespace {
class ConditionalLogicViewTest : public StepPanesFixture {
protected:
    void SetUp() override { Open(); }
    long Blend(const char* label) { return IdOf(BLEND_STEP, label); }
    long Split(const char* label) { return IdOf(SPLIT_STEP, label); }
    void StartsAfter(long stepID, long current, long parameter, const QVariant& delay = QVariant(),
                     const QString& uom = "min")
    {
        AddConstraint(stepID, qlonglong(current), "Starts-After", qlonglong(parameter), delay, uom);
    }
};

TEST_F(ConditionalLogicViewTest, StepWithoutConstraintsShowsItsNameAndNoRows)
{
    constraints->SetStep(BLEND_STEP);
    EXPECT_EQ(constraints->Caption(), "Scheduling Constraints for Blend (2.0 )");
    EXPECT_EQ(constraintsDock->windowTitle(), constraints->Caption());
    EXPECT_EQ(constraintsDock->toggleViewAction()->text(), "Scheduling Constraints");
    EXPECT_TRUE(Rows(*constraints).isEmpty());
    EXPECT_EQ(constraints->list().columnCount(), 4);
    EXPECT_EQ(constraints->list().headerItem()->text(3), "Starts Parallel");
}

TEST_F(ConditionalLogicViewTest, TextsOfDelaysJoinsAndVanishedItems)
{
    QLocale::setDefault(QLocale(QLocale::German));              // "%.2f" stays in the C locale
    StartsAfter(BLEND_STEP, Blend("2.2."), Blend("1.1."), 5.0); // interleaved with Age's row
    StartsAfter(BLEND_STEP, Blend("1.3."), Blend("1.1."), 0.0); // a zero delay: no "+"
    StartsAfter(BLEND_STEP, Blend("2.2."), Blend("1.2."));      // no delay
    StartsAfter(BLEND_STEP, Blend("2.2."), 99999, 3.0);         // a vanished parameter item
    AddConstraint(BLEND_STEP, qlonglong(Blend("2.2.")), "Starts-After", QVariant(), 1.0); // no parameter
    StartsAfter(BLEND_STEP, Blend("1.2."), Blend("1.1."), -1.0); // a negative delay: no "+"
    AddConstraint(BLEND_STEP, qlonglong(Blend("2.1.")), "starts-after", qlonglong(Blend("1.3.")), 2.5, "h");
    StartsAfter(BLEND_STEP, 99999, Blend("1.1.")); // a vanished current item
    AddConstraint(BLEND_STEP, qlonglong(Blend("1.1.")), "Parallel-To", qlonglong(Blend("1.2.")), 1.0);
    AddConstraint(BLEND_STEP, qlonglong(Blend("2.")), "Starts-After", qlonglong(Blend("1.")), 10.0, "min",
                  true);
    AddConstraint(BLEND_STEP, qlonglong(Blend("1.")), "Parallel-To", qlonglong(Blend("2.")), 1.0, "min",
                  true);
    constraints->SetStep(BLEND_STEP);
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(Rows(*constraints), QStringList({"|1.2. Heat|1.1. Charge |", "|1.3. Age|1.1. Charge |",
                                               "|2.1. Cool|1.3. Age + 2.50 h |",
                                               "|2.2. Transfer|1.1. Charge + 5.00 min; 1.2. Heat |",
                                               "1. Prep|||", "2. Finish||1. Prep + 10.00 min |"}));
}

TEST_F(ConditionalLogicViewTest, ItemsFollowTheirRecipePositionsNotTheirIds)
{
    for (const char* label : {"1.2.", "1.3.", "2.1."})
        StartsAfter(BLEND_STEP, Blend(label), Blend("1.1."));
    AddConstraint(BLEND_STEP, qlonglong(Blend("1.")), "Starts-After", qlonglong(Blend("2.")), 0.0, "min",
                  true);
    AddConstraint(BLEND_STEP, qlonglong(Blend("2.")), "Starts-After", qlonglong(Blend("1.")), 0.0, "min",
                  true);
    EditStep(BLEND_STEP, "UPDATE TextRecipe SET RecipeSequenceNumber = 100 - RecipeSequenceNumber");
    constraints->SetStep(BLEND_STEP);
    EXPECT_EQ(Rows(*constraints),
              QStringList({"|2.1. Cool|1.1. Charge |", "|1.3. Age|1.1. Charge |", "|1.2. Heat|1.1. Charge |",
                           "2. Finish||1. Prep |", "1. Prep||2. Finish |"}));
}

TEST_F(ConditionalLogicViewTest, UnknownPositionsNeverMove)
{
    struct Case {
        QList<int> positions; // of Heat, Age, Cool (ids ascending)
        QStringList order;
    };
    const QList<Case> cases = {{{5, 0, 3}, {"1.2. Heat", "1.3. Age", "2.1. Cool"}},
                               {{5, 4, 3}, {"2.1. Cool", "1.3. Age", "1.2. Heat"}},
                               {{0, 5, 3}, {"1.2. Heat", "2.1. Cool", "1.3. Age"}},
                               {{3, 5, 0}, {"1.2. Heat", "1.3. Age", "2.1. Cool"}}};
    for (const char* label : {"1.2.", "1.3.", "2.1."})
        StartsAfter(BLEND_STEP, Blend(label), Blend("1.1."));
    const QList<long> items = {Blend("1.2."), Blend("1.3."), Blend("2.1.")};
    constraints->SetStep(BLEND_STEP);
    for (const Case& test : cases) {
        for (int i = 0; i < items.size(); ++i)
            EditStep(BLEND_STEP,
                     "UPDATE TextRecipe SET RecipeSequenceNumber = ? WHERE ID = ? AND Type = 'Operation'",
                     {test.positions.at(i), qlonglong(items.at(i))});
        constraints->Refresh();
        QStringList order;
        for (const QString& row : Rows(*constraints))
            order << row.section('|', 1, 1);
        EXPECT_EQ(order, test.order) << test.positions.at(0) << test.positions.at(1) << test.positions.at(2);
    }
}

TEST_F(ConditionalLogicViewTest, ParallelBlocksListTheirOperationsInRecipeOrder)
{
    StartsAfter(SPLIT_STEP, Split("1.6."), Split("1.1."), 0.0);
    AddConstraint(SPLIT_STEP, qlonglong(Split("1.2.")), "Parallel-To", qlonglong(Split("1.4.")), 1.0);
    AddConstraint(SPLIT_STEP, qlonglong(Split("1.2.")), "Parallel-To", qlonglong(Split("1.4.")), 2.0, "h");
    AddConstraint(SPLIT_STEP, qlonglong(Split("1.2.")), "Parallel-To", qlonglong(Split("1.5.")), 0.0);
    AddConstraint(SPLIT_STEP, qlonglong(Split("1.2.")), "parallel-to", qlonglong(Split("1.5.")), QVariant());
    AddConstraint(SPLIT_STEP, 99999, "Parallel-To", qlonglong(Split("1.4.")), 7.0); // vanished: never wins
    constraints->SetStep(SPLIT_STEP);
    EXPECT_EQ(constraints->Caption(), "Scheduling Constraints for Split (1.0 )");
    EXPECT_EQ(Rows(*constraints),
              QStringList({"|1.3. Age ||", "|1.4. Purge ||1.2. Heat + 2.00 h",
                           "|1.5. Cool ||1.2. Heat + 0.00 min", "|1.6. Transfer |1.1. Charge |"}));
    EditStep(SPLIT_STEP, "UPDATE TextRecipe SET Hide = 1 WHERE ID = ?", {qlonglong(Split("1.3."))});
    EditStep(SPLIT_STEP, "DELETE FROM OperationConditionalLogicParameter WHERE OperationParameterID = ?",
             {qlonglong(Split("1.5."))});
    constraints->Refresh();
    EXPECT_EQ(Rows(*constraints), QStringList({"|1.4. Purge ||1.2. Heat + 2.00 h", "|1.5. Cool ||1.2. Heat",
                                               "|1.6. Transfer |1.1. Charge |"}));
}

TEST_F(ConditionalLogicViewTest, AnUnreadableTableHidesOnlyItsOwnKind)
{
    StartsAfter(BLEND_STEP, Blend("1.2."), Blend("1.1."));
    AddConstraint(BLEND_STEP, qlonglong(Blend("2.")), "Starts-After", qlonglong(Blend("1.")), 0.0, "min",
                  true);
    EditStep(BLEND_STEP, "DROP TABLE OperationConditionalLogicParameter");
    constraints->SetStep(BLEND_STEP);
    EXPECT_EQ(Rows(*constraints), QStringList({"2. Finish||1. Prep |"}));

    StartsAfter(SPLIT_STEP, Split("1.6."), Split("1.1."));
    EditStep(SPLIT_STEP, "DROP TABLE UnitProcedureConditionalLogicParameter");
    constraints->SetStep(SPLIT_STEP);
    EXPECT_EQ(Rows(*constraints), QStringList({"|1.3. Age ||", "|1.4. Purge ||1.2. Heat",
                                               "|1.5. Cool ||1.2. Heat", "|1.6. Transfer |1.1. Charge |"}));
}

TEST_F(ConditionalLogicViewTest, FillsOnlyWhenTheStepChangesOrOnRefreshWhileShown)
{
    constraints->SetStep(BLEND_STEP);
    StartsAfter(BLEND_STEP, Blend("1.2."), Blend("1.1."));
    constraints->SetStep(BLEND_STEP); // the same step: no refill
    EXPECT_TRUE(Rows(*constraints).isEmpty());
    constraints->Refresh();
    EXPECT_EQ(Rows(*constraints).size(), 1);

    Raise(statementsDock); // behind the other pane's tab: hidden, though its widget stays visible
    EXPECT_FALSE(constraints->IsPaneVisible());
    constraints->SetStep(SPLIT_STEP);
    EXPECT_EQ(constraints->stepID(), SPLIT_STEP);
    EXPECT_EQ(constraints->Caption(), "Scheduling Constraints for Blend (2.0 )");
    constraints->Refresh();
    EXPECT_TRUE(Rows(*constraints).isEmpty());
    Raise(constraintsDock); // shown again: it fills for the step it kept
    EXPECT_EQ(constraints->Caption(), "Scheduling Constraints for Split (1.0 )");

    constraints->ClearStep();
    EXPECT_EQ(constraints->stepID(), -1);
    EXPECT_EQ(constraints->Caption(), "Scheduling Constraints");
    EXPECT_EQ(constraintsDock->windowTitle(), "Scheduling Constraints");
    constraints->SetStep(BLEND_STEP); // after a clear the same step fills again
    EXPECT_EQ(Rows(*constraints).size(), 1);
}

TEST_F(ConditionalLogicViewTest, AStepRecordThatCannotBeReadKeepsTheRowsUntilARefresh)
{
    StartsAfter(BLEND_STEP, Blend("1.2."), Blend("1.1."));
    constraints->SetStep(BLEND_STEP);
    EditStep(SPLIT_STEP, "DELETE FROM Step");
    constraints->SetStep(SPLIT_STEP);
    EXPECT_EQ(constraints->Caption(), "Scheduling Constraints for Blend (2.0 )");
    EXPECT_EQ(Rows(*constraints).size(), 1);
    constraints->Refresh();
    EXPECT_TRUE(Rows(*constraints).isEmpty());
    constraints->SetStep(-1);
    EXPECT_EQ(constraints->Caption(), "Scheduling Constraints");
}
} // namespace
