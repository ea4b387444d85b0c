// Delete in the Process Explorer: processes, step links, unit procedures and operations, with
// the questions first, one transaction, and the tree and windows following the commit.

#include "ProcessTreeEditFixture.h"

#include "foundation/common/CommandIds.h"
#include "foundation/db/connection/DaoDatabase.h"

#include <QDir>
#include <QSqlQuery>
#include <QTreeWidget>

namespace {
constexpr unsigned QUESTION = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2;

// "sequence:type:label" of a step's rows; keyword rows also show their ID.
std::string RecipeSummary(long stepID)
{
    QSqlQuery rows = GetStepDatabase(stepID)->Query(
        "SELECT RecipeSequenceNumber, Type, Label, ID FROM TextRecipe WHERE StepID = ? ORDER BY "
        "RecipeSequenceNumber",
        {qlonglong(stepID)});
    QStringList lines;
    while (rows.next()) {
        const QString type = rows.value(1).toString();
        const bool item = type == "Unit Procedure" || type == "Operation";
        lines << rows.value(0).toString() + ":" + type.left(2) + ":" +
                     (item ? rows.value(2).toString() : rows.value(3).toString());
    }
    return lines.join(' ').toStdString();
}

long ItemID(long stepID, const QString& type, const QString& label)
{
    QSqlQuery row = GetStepDatabase(stepID)->Query("SELECT ID FROM TextRecipe WHERE Type = ? AND Label = ?",
                                                   {type, label});
    return row.next() ? long(row.value(0).toLongLong()) : -1;
}
} // namespace

TEST_F(ProcessTreeEditFixture, DeletingTheLinkOfAStepInTwoProcessesKeepsTheStepAndItsOtherNode)
{
    OpenDemo();
    tree.RefillTree();
    Select({1, 0}); // Coupling in the second process
    recorder.calls.clear();
    prompts.expect(IDYES);
    tree.OnCommand(ID_PROCESS_DELETE);
    EXPECT_EQ(prompts.texts(), QStringList{"Do you really want to delete the link of this step ?"});
    EXPECT_EQ(prompts.flags(), QList<unsigned>{QUESTION});
    EXPECT_EQ(Links(), "1:1001@1 1:1002@2 1:1003@3 2:1004@1 2:1005@2 2:1006@3");
    EXPECT_EQ(ProjectSteps(), "1001 1002 1003 1004 1005 1006");
    EXPECT_EQ(recorder.calls.join(", "), "current 1004, recipe close 1001, current -1, panes")
        << "the selection moves on; no linked windows close";
    EXPECT_EQ(Node({0, 0})->data(0, NODE_ICON_ROLE).toInt(), ICON_STEP);
    EXPECT_EQ(tree.GetStepLinkCount(COUPLING), 0);
    EXPECT_EQ(Outline(2), FreshOutline(2));
    EXPECT_EQ(app.modifiedHistory(), QList<bool>{true});
}

TEST_F(ProcessTreeEditFixture, DeletingAStepOfOneProcessDeletesItAndMovesTheLaterStepsUp)
{
    OpenDemo();
    tree.RefillTree();
    Select({1, 1}); // Salt Formation
    recorder.calls.clear();
    prompts.expect(IDYES);
    tree.OnDelete();
    EXPECT_EQ(prompts.lastText(), "Do you really want to delete this step ?");
    EXPECT_EQ(Links(), "1:1001@1 1:1002@2 1:1003@3 2:1001@1 2:1005@2 2:1006@3");
    EXPECT_EQ(ProjectSteps(), "1001 1002 1003 1005 1006");
    EXPECT_EQ(recorder.calls.join(", "), "current 1005, recipe close 1004, current -1, linked step 1004, panes");
    EXPECT_EQ(Outline(4), FreshOutline(4));
}

TEST_F(ProcessTreeEditFixture, DeletingAProcessTakesItsOwnStepsAndLeavesTheLinkedOneAndSTART)
{
    OpenDemo();
    EditProject("INSERT INTO \"Step-To-Process\" (StepID, ProcessID, StepOrder) VALUES (1, 1, 0)");
    tree.RefillTree();
    recorder.currentStep = DRYING;
    Select({0});
    recorder.calls.clear();
    prompts.expect(IDYES);
    tree.OnDelete();
    EXPECT_EQ(prompts.texts(), QStringList{"Do you really want to delete this process ?"});
    EXPECT_EQ(Links(), "2:1001@1 2:1004@2 2:1005@3 2:1006@4");
    EXPECT_EQ(ProjectSteps(), "1001 1004 1005 1006");
    EXPECT_EQ(ProjectText("SELECT StepName FROM ProjectStep WHERE StepID = 1"), "START");
    EXPECT_EQ(ProjectText("SELECT count(*) FROM Process WHERE ProcessID = 1"), "0");
    EXPECT_EQ(ProjectText("SELECT count(*) FROM \"Process-To-Project\" WHERE ProcessID = 1"), "0");
    EXPECT_EQ(recorder.calls.join(", "),
              "recipe close 1001, linked step 1001, recipe close 1002, linked step 1002, "
              "recipe close 1003, linked step 1003, current -1, linked process 1, panes");
    EXPECT_EQ(Node({0, 0})->data(0, NODE_ICON_ROLE).toInt(), ICON_STEP) << "Coupling is in one process now";
    EXPECT_EQ(Outline(2), FreshOutline(2));
}

TEST_F(ProcessTreeEditFixture, AnsweringNoChangesNothingAndStillMarksTheProject)
{
    OpenDemo();
    tree.RefillTree();
    const QString project = Dump(Project());
    const QString coupling = Dump(*GetStepDatabase(COUPLING));
    struct PathCase { // an aggregate: its initializer_list keeps its array, a pair's would not
        std::initializer_list<int> path;
        const char* question;
    };
    const PathCase cases[] = {
        {{0}, "Do you really want to delete this process ?"},
        {{0, 1}, "Do you really want to delete this step ?"},
        {{0, 0, 0},
         "This will delete all Operations that belong to this Unit Procedure. Do you really want to delete it ?"},
        {{0, 0, 0, 1}, "Do you really want to delete this operation ?"}};
    for (const auto& [path, question] : cases) {
        Select(path);
        prompts.expect(IDNO);
        tree.OnDelete();
        EXPECT_EQ(prompts.lastText(), question);
    }
    EXPECT_EQ(prompts.flags(), QList<unsigned>(4, QUESTION));
    EXPECT_EQ(Dump(Project()), project);
    EXPECT_EQ(Dump(*GetStepDatabase(COUPLING)), coupling);
    EXPECT_EQ(app.modifiedHistory(), QList<bool>(4, true));

    tree.SelectTreeItem(nullptr);
    EXPECT_FALSE(tree.IsCommandEnabled(ID_PROCESS_DELETE));
    prompts.expect(IDOK);
    tree.OnDelete();
    EXPECT_EQ(prompts.lastText(), "Nothing selected!");
}

TEST_F(ProcessTreeEditFixture, DeletingUnitProceduresWithoutAWindowNumbersTheRestAgain)
{
    OpenDemo();
    tree.RefillTree();
    const std::string before = RecipeSummary(COUPLING);
    Select({0, 0, 1}); // the last unit procedure: the rows after it go, nothing is renumbered
    prompts.expect(IDYES);
    tree.OnDelete();
    const std::string afterLast = RecipeSummary(COUPLING);
    EXPECT_EQ(before.substr(0, afterLast.size() + 1), afterLast + " ");
    EXPECT_EQ(afterLast.find("Un:2."), std::string::npos);

    recorder.calls.clear();
    EXPECT_EQ(RecipeSummary(CRYSTALLIZATION),
              "1:Un:1. 2:Op:1.1. 3:Op:1.2. 4:Op:1.3. 5:Op:1.4. 6:St:6 7:Se:7 8:Un:2. 9:Op:2.1. 10:Op:2.2. 11:Se:11 "
              "12:Un:3. 13:Op:3.1. 14:Op:3.2. 15:En:15 16:Un:4. 17:Op:4.1. 18:Op:4.2.");
    Select({0, 1, 1});
    recorder.calls.clear();
    prompts.expect(IDYES);
    tree.OnDelete();
    EXPECT_EQ(RecipeSummary(CRYSTALLIZATION), "1:Un:1. 2:Op:1.1. 3:Op:1.2. 4:Op:1.3. 5:Op:1.4. 6:St:6 7:Se:7 "
                                              "8:Un:2. 9:Op:2.1. 10:Op:2.2. 11:En:11 12:Un:3. 13:Op:3.1. 14:Op:3.2.");
    EXPECT_EQ(recorder.calls.join(", "), "streams 1002, panes");
    EXPECT_EQ(Outline(4), FreshOutline(4));
}

TEST_F(ProcessTreeEditFixture, DeletingAnOperationRenumbersItsUnitProcedureAndTheRowsAfter)
{
    ProjectSpec spec = CProjectGenerator::DemoProject();
    StepSpec& drying = spec.steps[2];
    ASSERT_EQ(drying.stepID, DRYING);
    drying.lines.clear();
    for (const char* type : {"Unit Procedure", "Operation", "Unit Procedure", "Operation", "Series", "Operation",
                             "Unit Procedure", "Operation"}) {
        RecipeLineSpec line;
        line.type = QString::fromLatin1(type);
        line.name = line.type == "Unit Procedure" ? "UP" : "";
        line.operationTypeID = line.type == "Operation" ? 1 : -1;
        drying.lines << line;
    }
    Open(spec);
    tree.RefillTree();
    EXPECT_EQ(RecipeSummary(DRYING), "1:Un:1. 2:Op:1.1. 3:Un:2. 4:Op:2.1. 5:Se:5 6:Op:2.2. 7:Un:3. 8:Op:3.1.");
    tree.SelectTreeItem(tree.FindOperationItem(DRYING, ItemID(DRYING, "Operation", "2.1.")));
    prompts.expect(IDYES);
    tree.OnDelete();
    EXPECT_EQ(RecipeSummary(DRYING), "1:Un:1. 2:Op:1.1. 3:Un:2. 4:Se:4 5:Op:2.1. 6:Un:3. 7:Op:3.1.");
    EXPECT_EQ(Outline(4), FreshOutline(4));
}

TEST_F(ProcessTreeEditFixture, WithTheRecipeWindowOpenTheWindowDeletesAndNothingIsAskedHere)
{
    OpenDemo();
    tree.RefillTree();
    recorder.openRecipes = {COUPLING};
    const QString rows = Dump(*GetStepDatabase(COUPLING));
    Select({0, 0, 0, 1});
    recorder.calls.clear();
    const long operationID = Node({0, 0, 0, 1})->data(0, NODE_ID_ROLE).toInt();
    const long unitProcedureID = Node({0, 0, 1})->data(0, NODE_ID_ROLE).toInt();
    tree.OnDelete();
    Select({0, 0, 1});
    tree.OnDelete();
    EXPECT_TRUE(prompts.texts().isEmpty());
    EXPECT_EQ(recorder.calls.join(", "), QString("window delete 1001 %1 2, streams 1001, current 1001, window delete 1001 %2 1")
                                             .arg(operationID)
                                             .arg(unitProcedureID));
    EXPECT_EQ(Dump(*GetStepDatabase(COUPLING)), rows) << "the window writes, not the pane";
    EXPECT_EQ(app.modifiedHistory(), QList<bool>(2, true));
}

// A refused k-th write of each delete: the files stay as they were, one message tells, and the
// tree shows the files.
TEST_F(ProcessTreeEditFixture, ARefusedWriteLeavesTheFilesAsTheyWere)
{
    struct Case {
        std::initializer_list<int> node;
        bool stepFile;
        const char* table;
        const char* change;
        const char* message;
    };
    const Case cases[] = {
        {{0}, false, "Process-To-Project", "DELETE", "Can't open process table!"},
        {{0}, false, "ProjectStep", "DELETE", "Can't open step-to-process table!"},
        {{0}, false, "Step-To-Process", "DELETE", "Can't open query: QryStepToProcessForProcessID to get info!"},
        {{0}, false, "Process", "DELETE", "Can't open process table!"},
        {{1, 1}, false, "ProjectStep", "DELETE", "Can't open step-to-process table!"},
        {{1, 1}, false, "Step-To-Process", "DELETE", "Can't open query: QryStepToProcessForProcessID to get info!"},
        {{1, 1}, false, "Step-To-Process", "UPDATE", "Can't open query: QryStepToProcessForProcessID to get info!"},
        {{0, 0, 0}, true, "TextRecipe", "DELETE", "Can't open TextRecipe Table to delete unit procedure!"},
        {{0, 0, 0}, true, "TextRecipe", "UPDATE", "Can't open TextRecipe Table to delete unit procedure!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.table) + " " + c.change);
        OpenDemo();
        tree.RefillTree();
        Refuse(c.stepFile ? *GetStepDatabase(COUPLING) : Project(), c.table, c.change);
        const QString project = Dump(Project());
        const QString coupling = Dump(*GetStepDatabase(COUPLING));
        Select(c.node);
        prompts.clear();
        prompts.expect(IDYES);
        prompts.expect(IDOK);
        tree.OnDelete();
        EXPECT_EQ(prompts.texts().mid(1), QStringList{c.message});
        EXPECT_EQ(Dump(Project()), project);
        EXPECT_EQ(Dump(*GetStepDatabase(COUPLING)), coupling);
        EXPECT_EQ(Outline(4), FreshOutline(4));
        app.stepDatabases().clear();
        app.fileSet().projectDatabase.reset();
        QDir(app.root() + "project/").removeRecursively();
    }
}
