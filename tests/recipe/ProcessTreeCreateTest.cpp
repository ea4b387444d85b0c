// New Process and New Step of the Process Explorer, through the process and step dialogs of the
// stand-in module and its writes on the project's working copies.

#include "ProcessTreeCreateFixture.h"

#include "foundation/common/CommandIds.h"
#include "foundation/common/concerns/FacilityExplorer.h"
#include "modules/addnew/AddNewExport.h"
#include "recipe/view/RecipeWindows.h"

#include <QFile>
#include <QProcess>
#include <QTreeWidget>

namespace {
struct NewStepPlacementCase {
    const char* name;
    std::vector<int> selected; // node path; empty: the new empty process
    bool insertAfter;
    const char* rows;          // [Step-To-Process] of process 1 (or 3) afterwards
    int nodeIndex;
};

class NewStepPlacement : public ProcessTreeCreateFixture, public ::testing::WithParamInterface<NewStepPlacementCase> {};

const NewStepPlacementCase kNewStepPlacements[] = {
    {"ProcessAfter", {0}, true, "1:1001:1 1:1002:2 1:1003:3 1:1007:4", 3},
    {"ProcessBefore", {0}, false, "1:1007:1 1:1001:2 1:1002:3 1:1003:4", 0},
    {"StepAfter", {0, 1}, true, "1:1001:1 1:1002:2 1:1007:3 1:1003:4", 2},
    {"StepBefore", {0, 1}, false, "1:1001:1 1:1007:2 1:1002:3 1:1003:4", 1},
    {"OperationAfter", {0, 1, 0, 0}, true, "1:1001:1 1:1002:2 1:1007:3 1:1003:4", 2},
    {"UnitProcedureBefore", {0, 0, 0}, false, "1:1007:1 1:1001:2 1:1002:3 1:1003:4", 0},
    {"EmptyProcessAfter", {}, true, "3:1007:1", 0},
    {"EmptyProcessBefore", {}, false, "3:1007:1", 0},
};
} // namespace

TEST_P(NewStepPlacement, RowsAndNodeFollowTheStepOrder)
{
    const NewStepPlacementCase& c = GetParam();
    OpenProject();
    CRecipeWindows windows;
    windows.ApplyInsertMode(c.insertAfter, !c.insertAfter);
    installed.Install<RecipeViewServices>(&windows);
    if (c.selected.empty()) {
        AnswerProcess("Rework", "A");
        tree.OnCommand(ID_PROCESS_NEW_PROCESS);
    } else {
        QTreeWidgetItem* node = tree.tree()->topLevelItem(c.selected.front());
        for (size_t i = 1; i < c.selected.size(); ++i)
            node = node->child(c.selected[i]);
        tree.SelectTreeItem(node);
    }
    AnswerNewStep("Filtration", "1.0");
    tree.OnCommand(ID_PROCESS_NEW_STEP);
    const long processID = c.selected.empty() ? 3 : 1;
    QString rows = StepRows();
    rows = rows.split(' ').filter(QRegularExpression(QStringLiteral("^%1:").arg(processID))).join(' ');
    EXPECT_EQ(rows.toStdString(), c.rows);
    QTreeWidgetItem* process = tree.tree()->topLevelItem(int(processID) - 1);
    ASSERT_GT(process->childCount(), c.nodeIndex);
    EXPECT_EQ(process->child(c.nodeIndex)->text(0), "Filtration (1.0)");
    EXPECT_EQ(tree.tree()->currentItem(), process->child(c.nodeIndex));
    EXPECT_EQ(process->child(c.nodeIndex)->data(0, NODE_ICON_ROLE).toInt(), ICON_STEP);
}

INSTANTIATE_TEST_SUITE_P(Modes, NewStepPlacement, ::testing::ValuesIn(kNewStepPlacements),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProcessTreeCreateFixture, NewStepWritesAWorkingCopyThatOpensAndIsRegistered)
{
    OpenProject();
    Select({1});
    AnswerNewStep("Filtration", "1.0", CProjectGenerator::FIRST_EXTRA_PLANT_ID);
    tree.OnNewStep();
    ASSERT_EQ(dialogs.stepAsked.size(), 1);
    const StepForm& offered = dialogs.stepAsked.first();
    EXPECT_EQ(offered.processLabel, "Amidol (Hydrochloride)");
    QStringList linkable;
    for (const AddNewChoice& choice : offered.linkable)
        linkable << QString::number(choice.id);
    EXPECT_EQ(linkable.join(' '), "1002 1003") << "steps of other processes, never START";
    EXPECT_EQ(offered.facilities.size(), 2);

    EXPECT_TRUE(app.stepDatabases().contains(1007));
    QProcess sqlite;
    sqlite.start("sqlite3", {StepFilePath(1007), "SELECT StepName, StepVersionName, PlantID FROM Step;"});
    ASSERT_TRUE(sqlite.waitForFinished(10000));
    EXPECT_EQ(sqlite.readAllStandardOutput().trimmed().toStdString(), "Filtration|1.0|100");
    EXPECT_EQ(ProjectLong("SELECT StepCounter FROM Project"), 1007);
    EXPECT_EQ(ProjectLong("SELECT COUNT(*) FROM ProjectStep WHERE StepID = 1007 AND StepName = 'Filtration'"), 1);
    EXPECT_EQ(concerns.calls.join(", ").toStdString(), "reload views, panes, build automation");
    EXPECT_EQ(app.modifiedHistory().last(), true);
    EXPECT_FALSE(IsProjectChangePending());
}

TEST_F(ProcessTreeCreateFixture, LinkingAStepOfOneOtherProcessTurnsBothNodesLinked)
{
    OpenProject();
    Select({0, 2}); // Drying
    AnswerLink(1004);
    tree.OnNewStep();
    EXPECT_EQ(StepRows().toStdString(),
              "1:1001:1 1:1002:2 1:1003:3 1:1004:4 2:1001:1 2:1004:2 2:1005:3 2:1006:4");
    EXPECT_EQ(Steps(), QStringList({"Amidol (Free Base) [424]", "  Coupling (1.0) [169]",
                                    "  Crystallization (1.0) [423]", "  Drying (1.0) [423]",
                                    "  Salt Formation (1.0) [169]", "Amidol (Hydrochloride) [424]",
                                    "  Coupling (1.0) [169]", "  Salt Formation (1.0) [169]", "  Milling (1.0) [423]",
                                    "  Reactor Cleaning (1.0) [423]"}));
    EXPECT_EQ(Node({0, 3})->childCount(), Node({1, 1})->childCount()) << "the link shows the step's recipe";
    EXPECT_FALSE(QFile::exists(StepFilePath(1007)));
    EXPECT_EQ(ProjectLong("SELECT StepCounter FROM Project"), 6) << "a link makes no step";
}

TEST_F(ProcessTreeCreateFixture, NewProcessAppendsItsNodeAndRows)
{
    OpenProject();
    AnswerProcess("Rework", "A", "Second crop");
    tree.OnNewProcess();
    EXPECT_EQ(tree.tree()->topLevelItemCount(), 3);
    EXPECT_EQ(tree.tree()->currentItem()->text(0), "Rework (A)");
    EXPECT_EQ(tree.GetSelectedItemKind(), KIND_EMPTY_PROCESS);
    EXPECT_EQ(ProjectLong("SELECT COUNT(*) FROM Process WHERE ProcessID = 3 AND Description = 'Second crop'"), 1);
    EXPECT_EQ(ProjectLong("SELECT COUNT(*) FROM \"Process-To-Project\" WHERE ProcessID = 3 AND ProjectID = 1 "
                          "AND ProcessName = 'Rework' AND ProcessVersionName = 'A'"),
              1);
    EXPECT_EQ(ProjectLong("SELECT ProcessCounter FROM Project"), 3);
    EXPECT_EQ(concerns.calls.join(", ").toStdString(), "reload views, panes, build automation");
}

TEST_F(ProcessTreeCreateFixture, CancelChangesNothingAndStillCommitsThePendingChange)
{
    OpenProject();
    const QStringList before = Outline(4);
    const QString rows = StepRows();
    SetPendingProjectChange(); // left by an earlier edit
    dialogs.processAnswers << [](ProcessForm&) { return false; };
    tree.OnNewProcess();
    Select({0, 1});
    AnswerCancel();
    tree.OnNewStep();
    EXPECT_EQ(Outline(4), before);
    EXPECT_EQ(StepRows(), rows);
    EXPECT_EQ(ProjectLong("SELECT COUNT(*) FROM Process"), 2);
    EXPECT_EQ(concerns.calls, QStringList({"reload views", "panes"}));
    EXPECT_EQ(QDir(app.fileSet().workingCopyDir).entryList({"*.WC"}, QDir::Files).size(), 6);
}

TEST_F(ProcessTreeCreateFixture, IncompleteAnswersAreAskedAgain)
{
    OpenProject();
    AnswerProcess("Rework", "");
    AnswerProcess("Rework", "B");
    prompts.expect(IDOK);
    tree.OnNewProcess();
    EXPECT_EQ(prompts.lastText(), "Please enter the process name and its version.");
    Select({0});
    AnswerNewStep("start", "1");
    AnswerNewStep("Sieving", "1");
    prompts.expect(IDOK);
    tree.OnNewStep();
    EXPECT_EQ(prompts.lastText(), "START is reserved; please choose another step name.");
    EXPECT_EQ(tree.tree()->topLevelItem(2)->text(0), "Rework (B)");
    EXPECT_EQ(Node({0, 3})->text(0), "Sieving (1)");
}

TEST_F(ProcessTreeCreateFixture, NewStepRefusals)
{
    OpenProject();
    prompts.expect(IDOK);
    tree.OnNewStep();
    EXPECT_EQ(prompts.lastText(), "Please create a Process first!");
    EditProject("DELETE FROM \"Process-To-Project\" WHERE ProcessID = 2");
    Select({1, 2});
    prompts.expect(IDOK);
    tree.OnNewStep();
    EXPECT_EQ(prompts.lastText(), "Could not find this process in Process to Project Table!");
    EditProject("DROP TABLE \"Process-To-Project\"");
    prompts.expect(IDOK); // the engine's description
    prompts.expect(IDOK);
    tree.OnNewStep();
    EXPECT_EQ(prompts.lastText(), "Can't open Process to Project Table to get process info!");
    EXPECT_TRUE(dialogs.stepAsked.isEmpty());
}

TEST_F(ProcessTreeCreateFixture, EnablingFollowsTheProjectAndTheSelection)
{
    OpenProject();
    concerns.projectOpen = false;
    EXPECT_FALSE(tree.IsCommandEnabled(ID_PROCESS_NEW_PROCESS));
    concerns.projectOpen = true;
    EXPECT_TRUE(tree.IsCommandEnabled(ID_PROCESS_NEW_PROCESS));
    EXPECT_FALSE(tree.IsCommandEnabled(ID_PROCESS_NEW_STEP));
    EXPECT_FALSE(tree.IsCommandEnabled(ID_PROCESS_INFORMATION));
    Select({1, 0, 0, 0});
    EXPECT_TRUE(tree.IsCommandEnabled(ID_PROCESS_NEW_STEP));
    EXPECT_TRUE(tree.IsCommandEnabled(ID_PROCESS_INFORMATION));
}

// A failed write of the project rows leaves no working copy, no registered database and no row.
TEST_F(ProcessTreeCreateFixture, AFailedNewStepLeavesNothingBehind)
{
    OpenProject();
    EditProject("CREATE TRIGGER refuse BEFORE INSERT ON \"Step-To-Process\" BEGIN SELECT RAISE(ABORT, 'refused'); END");
    const QStringList before = Outline(4);
    SetPendingProjectChange();
    Select({0});
    AnswerNewStep("Filtration", "1.0");
    prompts.expect(IDOK);
    tree.OnNewStep();
    EXPECT_TRUE(prompts.lastText().contains("refused")) << prompts.lastText().toStdString();
    EXPECT_FALSE(QFile::exists(StepFilePath(1007)));
    EXPECT_FALSE(QFile::exists(StepFilePath(1007) + "-wal"));
    EXPECT_FALSE(app.stepDatabases().contains(1007));
    EXPECT_EQ(ProjectLong("SELECT COUNT(*) FROM ProjectStep WHERE StepID = 1007"), 0);
    EXPECT_EQ(ProjectLong("SELECT StepCounter FROM Project"), 6);
    EXPECT_EQ(Outline(4), before);
    EXPECT_EQ(concerns.calls, QStringList({"reload views", "panes"})) << "the pending change is committed";
}

// After a step was made and taken out again, the next one does not meet its leftovers.
TEST_F(ProcessTreeCreateFixture, ANewStepAfterADeletedOneGetsAFreshID)
{
    OpenProject();
    Select({0});
    AnswerNewStep("Filtration", "1.0");
    tree.OnNewStep();
    UnregisterStepDatabase(1007);
    EditProject("DELETE FROM ProjectStep WHERE StepID = 1007");
    EditProject("DELETE FROM \"Step-To-Process\" WHERE StepID = 1007");
    QFile(app.fileSet().projectDir + "qvstep_1008.mdb").open(QIODevice::WriteOnly); // results of an older one
    AnswerNewStep("Sieving", "1.0");
    tree.OnNewStep();
    EXPECT_TRUE(app.stepDatabases().contains(1009));
    EXPECT_EQ(ProjectLong("SELECT StepID FROM ProjectStep WHERE StepName = 'Sieving'"), 1009);
}
