// The Plan Explorer: filling and the flag table, command states, what it reports to the frame,
// the context menu, Delete and the hand-over.

#include "PlanExplorerFixture.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "planning/PlanCommandIds.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QToolBar>

namespace {

struct StateCase {
    const char* name;
    bool projectOpen, selected, sequenceDialog;
    QList<int> enabled;
};

const StateCase STATE_CASES[] = {
    {"NoProject", false, false, false, {}},
    {"EmptySelection", true, false, true, {ID_PLAN_NEW, ID_PLAN_SEQUENCE}},
    {"SimulatableWithoutSequenceDialog", true, true, false, {ID_PLAN_NEW, ID_PLAN_SEQUENCE, ID_PLAN_EDIT, ID_PLAN_DELETE}},
    {"SimulatableWithSequenceDialog", true, true, true,
     {ID_PLAN_NEW, ID_PLAN_SEQUENCE, ID_PLAN_EDIT, ID_PLAN_DELETE, ID_PLAN_DEFINE_SEQUENCE}},
};

const int ALL_PLAN_COMMANDS[] = {ID_PLAN_NEW, ID_PLAN_EDIT, ID_PLAN_DELETE, ID_PLAN_DEFINE_SEQUENCE, ID_PLAN_SEQUENCE};

} // namespace

class PlanListTest : public PlanExplorerFixture {};

TEST_F(PlanListTest, FillsInTableOrderSelectsTheFirstAndFlagsPlansWithAnOperation)
{
    AddOperationLine(2002);
    ASSERT_TRUE(pane->RefillPlanList());
    EXPECT_EQ(ListTexts(), QStringList({"Weekly", "Spare", "Batches"}));
    EXPECT_EQ(SelectedText(), "Weekly");
    EXPECT_TRUE(pane->IsPlanSimulatable(PLAN_WEEKLY));   // through the process's second step
    EXPECT_FALSE(pane->IsPlanSimulatable(PLAN_SPARE));   // no requirements
    EXPECT_TRUE(pane->IsPlanSimulatable(PLAN_BATCHES));  // the step itself
    EXPECT_FALSE(pane->IsPlanSimulatable(99));
    EXPECT_TRUE(PlanExplorer::IsPlanSimulatable(PLAN_WEEKLY));

    // Refresh leaves the list alone; Clear empties list and flags.
    ExecuteProject("DELETE FROM \"ProductionPlan-To-Project\" WHERE PlanID = 2");
    EXPECT_TRUE(pane->Refresh());
    EXPECT_EQ(ListTexts().size(), 3);
    pane->ClearPanes();
    EXPECT_TRUE(ListTexts().isEmpty());
    EXPECT_FALSE(pane->IsPlanSimulatable(PLAN_WEEKLY));
    pane->RebuildPanes();
    EXPECT_EQ(ListTexts(), QStringList({"Weekly", "Batches"}));
}

TEST_F(PlanListTest, OnlyStepsOtherThanStartWithAnOperationLineCount)
{
    ExecuteProject("INSERT OR IGNORE INTO ProjectStep (StepID, StepName) VALUES (1, 'START')");
    ExecuteProject("INSERT OR IGNORE INTO \"Step-To-Process\" (StepID, ProcessID, StepOrder) VALUES (1, 1, 0)");
    ASSERT_TRUE(pane->RefillPlanList());
    EXPECT_FALSE(pane->IsPlanSimulatable(PLAN_WEEKLY));
    GetStepDatabase(2001)->Execute("INSERT INTO TextRecipe (ID, RecipeSequenceNumber, StepID, Type) "
                                   "VALUES (5, 3, 2001, 'Unit Procedure')");
    ASSERT_TRUE(pane->RefillPlanList());
    EXPECT_FALSE(pane->IsPlanSimulatable(PLAN_WEEKLY));
    AddOperationLine(2001);
    ASSERT_TRUE(pane->RefillPlanList());
    EXPECT_TRUE(pane->IsPlanSimulatable(PLAN_WEEKLY));
    EXPECT_FALSE(pane->IsPlanSimulatable(PLAN_BATCHES));
}

class PlanCommandStateTest : public PlanExplorerFixture, public ::testing::WithParamInterface<StateCase> {};

TEST_P(PlanCommandStateTest, EnablesEachCommandByItsRule)
{
    const StateCase& c = GetParam();
    AddOperationLine(2002);
    fakes.projectOpen = c.projectOpen;
    if (c.sequenceDialog)
        installed.Install<SimSequenceDialogService>(&fakes);
    ASSERT_TRUE(pane->RefillPlanList());
    if (!c.selected)
        pane->list()->setCurrentRow(-1);
    for (int id : ALL_PLAN_COMMANDS)
        EXPECT_EQ(pane->IsCommandEnabled(id), c.enabled.contains(id)) << id;
    pane->RefreshCommandStates();
    for (QAction* action : pane->toolBar()->actions())
        EXPECT_EQ(action->isEnabled(), c.enabled.contains(action->data().toInt())) << action->data().toInt();
}

INSTANTIATE_TEST_SUITE_P(States, PlanCommandStateTest, ::testing::ValuesIn(STATE_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

// Define Sequence follows the selected plan's own pair of the flag table.
TEST_F(PlanListTest, DefineSequenceFollowsTheSelectedPlansFlagAndRunsTheDialog)
{
    installed.Install<SimSequenceDialogService>(&fakes);
    AddOperationLine(2002);
    ASSERT_TRUE(pane->RefillPlanList());
    Select("Spare");
    EXPECT_FALSE(pane->IsCommandEnabled(ID_PLAN_DEFINE_SEQUENCE));
    Select("Batches");
    EXPECT_TRUE(pane->IsCommandEnabled(ID_PLAN_DEFINE_SEQUENCE));
    pane->OnCommand(ID_PLAN_DEFINE_SEQUENCE);
    EXPECT_EQ(fakes.sequences, QStringList{"3 Batches"});
}

TEST_F(PlanListTest, ReportsItsSelectionAsThePlanExplorersContext)
{
    ASSERT_TRUE(pane->RefillPlanList());
    fakes.reports.clear();
    Select("Batches");
    ASSERT_FALSE(fakes.reports.isEmpty());
    EXPECT_EQ(fakes.reports.last(), "selection 9 3 Batches");
    EXPECT_TRUE(pane->SelectPlan(PLAN_SPARE));
    EXPECT_EQ(SelectedText(), "Spare");
    EXPECT_FALSE(pane->SelectPlan(42));
    EXPECT_EQ(SelectedText(), "Spare");
    long id = -1;
    QString name;
    EXPECT_TRUE(PlanExplorer::GetSelectedPlan(id, name));
    EXPECT_EQ(id, PLAN_SPARE);
}

// Right-clicking below the last item shows nothing and keeps the selection; on an item the item is
// selected first; the menu carries the pane's and the frame's plan commands.
TEST_F(PlanListTest, ContextMenuOnlyOverAnItem)
{
    ASSERT_TRUE(pane->RefillPlanList());
    pane->resize(200, 300);
    pane->show();
    Select("Spare");
    QWidget* viewport = pane->list()->viewport();
    const QPoint belowPoint(5, viewport->height() - 3);
    QContextMenuEvent below(QContextMenuEvent::Mouse, belowPoint, viewport->mapToGlobal(belowPoint));
    QApplication::sendEvent(viewport, &below);
    EXPECT_FALSE(pane->contextMenu()->isVisible());
    EXPECT_EQ(SelectedText(), "Spare");
    const QRect first = pane->list()->visualItemRect(pane->list()->item(0));
    QContextMenuEvent onFirst(QContextMenuEvent::Mouse, first.center(), viewport->mapToGlobal(first.center()));
    QApplication::sendEvent(viewport, &onFirst);
    EXPECT_EQ(SelectedText(), "Weekly");
    EXPECT_TRUE(pane->contextMenu()->isVisible());
    pane->contextMenu()->hide();
    QStringList texts;
    for (QAction* action : pane->contextMenu()->actions())
        texts << (action->isSeparator() ? "-" : action->text());
    EXPECT_EQ(texts, QStringList({"&New Production Plan...", "&Edit...", "&Delete", "-", "Sc&hedule\tCtrl+H",
                                  "3&D Animation\tCtrl+D", "-", "Define &Sequence...", "-", "Simulate Plan",
                                  "Simulate Batches and Plan", "Simulate Sequence"}));
}

// Delete asks first; Yes removes every row of the plan in the six plan tables, the item and its
// flag; No keeps everything.
TEST_F(PlanListTest, DeleteRemovesEveryRowOfThePlanAfterYes)
{
    ExecuteProject("INSERT INTO SharedExclusiveEquipment (EquipmentID, PlanID) VALUES (5, 1), (6, 3)");
    ExecuteProject("INSERT INTO ProductionPlanDetail (PlanID, StepID) VALUES (1, 2001), (3, 2002)");
    ExecuteProject("INSERT INTO PlanSummary (PlanID, StepID, NumberOfBatches) VALUES (1, 2001, 2), (3, 2002, 2)");
    ASSERT_TRUE(pane->RefillPlanList());
    const QStringList otherBefore = PlanRowCounts(PLAN_BATCHES);
    prompts.expect(IDNO);
    pane->OnDeletePlan();
    EXPECT_EQ(PlanRowCounts(PLAN_WEEKLY).filter(":0").size(), 0);
    EXPECT_EQ(prompts.flags().last(), unsigned(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));

    prompts.expect(IDYES);
    pane->OnDeletePlan();
    EXPECT_EQ(prompts.lastText(), "Do you really want to delete this production plan ?");
    EXPECT_EQ(PlanRowCounts(PLAN_WEEKLY).filter(":0").size(), 6) << PlanRowCounts(PLAN_WEEKLY).join(' ').toStdString();
    EXPECT_EQ(PlanRowCounts(PLAN_BATCHES), otherBefore);
    EXPECT_EQ(ListTexts(), QStringList({"Spare", "Batches"}));
    EXPECT_EQ(SelectedText(), "Spare");
    EXPECT_EQ(app.modifiedHistory(), QList<bool>{true});
}

// Delete removes the plan's sequence files beside the working copies, under every name it had; the
// project folder is left to the save, and other plans' files stay.
TEST_F(PlanListTest, DeleteRemovesThePlansSequenceFilesBesideTheWorkingCopies)
{
    const QString working = app.fileSet().workingCopyDir;
    const QStringList gone = {"Weekly_User_Sim_Def_1.txt", "Before a rename_User_Sim_Def_1.txt"};
    const QStringList kept = {"Spare_User_Sim_Def_2.txt", "Weekly_User_Sim_Def_11.txt"};
    for (const QString& name : gone + kept) {
        QFile file(working + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QFile saved(folder + gone.first());
    ASSERT_TRUE(saved.open(QIODevice::WriteOnly));
    ASSERT_TRUE(pane->RefillPlanList());
    prompts.expect(IDYES);
    pane->OnDeletePlan();
    ASSERT_EQ(ListTexts(), QStringList({"Spare", "Batches"}));
    for (const QString& name : gone)
        EXPECT_FALSE(QFile::exists(working + name)) << name.toStdString();
    for (const QString& name : kept)
        EXPECT_TRUE(QFile::exists(working + name)) << name.toStdString();
    EXPECT_TRUE(QFile::exists(folder + gone.first()));
}

// A failing delete of the k-th row rolls every table back: rows as before, the database's message,
// the list unchanged and the project not modified.
TEST_F(PlanListTest, AFailingDeleteKeepsEveryRow)
{
    ExecuteProject("INSERT INTO PlanRequirements (PlanID, StepOrProcessID, StepOrProcess, Quantity) "
                   "VALUES (1, 2001, 'step', 5), (1, 2002, 'step', 7)");
    ExecuteProject("CREATE TRIGGER Injected BEFORE DELETE ON PlanRequirements WHEN OLD.Quantity = 5 "
                   "BEGIN SELECT RAISE(ABORT, 'injected failure'); END");
    ASSERT_TRUE(pane->RefillPlanList());
    const QStringList before = PlanRowCounts(PLAN_WEEKLY);
    prompts.expect(IDYES);
    prompts.expect(IDOK);
    pane->OnDeletePlan();
    EXPECT_TRUE(prompts.lastText().contains("injected failure")) << prompts.lastText().toStdString();
    EXPECT_EQ(PlanRowCounts(PLAN_WEEKLY), before);
    EXPECT_EQ(ListTexts(), QStringList({"Weekly", "Spare", "Batches"}));
    EXPECT_TRUE(app.modifiedHistory().isEmpty());
}
