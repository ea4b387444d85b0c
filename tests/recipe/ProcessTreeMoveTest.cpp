// Move Up and Move Down in the Process Explorer: within a process, across its neighbours, the
// refusals, the enabling, START links left alone, and refused writes.

#include "ProcessTreeEditFixture.h"

#include "foundation/common/CommandIds.h"
#include "foundation/db/connection/DaoDatabase.h"

#include <QTreeWidget>

namespace {
// Process 3 "Rework" without steps after the Demo's two.
ProjectSpec DemoWithEmptyProcess()
{
    ProjectSpec spec = CProjectGenerator::DemoProject();
    spec.processes.append({3, "Rework", "A", {}, -1, -1, {}});
    return spec;
}

long SelectedID(const CProcessTree& tree)
{
    return tree.tree()->currentItem()->data(0, NODE_ID_ROLE).toInt();
}
} // namespace

TEST_F(ProcessTreeEditFixture, MovesWithinAProcessSwapNeighboursAndKeepTheStepSelected)
{
    OpenDemo();
    tree.RefillTree();
    Select({1, 1}); // Salt Formation, second in process 2
    tree.OnCommand(ID_PROCESS_MOVE_UP);
    EXPECT_EQ(Links(), "1:1001@1 1:1002@2 1:1003@3 2:1004@1 2:1001@2 2:1005@3 2:1006@4");
    EXPECT_EQ(tree.tree()->currentItem(), Node({1, 0}));
    tree.OnCommand(ID_PROCESS_MOVE_DOWN);
    tree.OnCommand(ID_PROCESS_MOVE_DOWN);
    EXPECT_EQ(Links(), "1:1001@1 1:1002@2 1:1003@3 2:1001@1 2:1005@2 2:1004@3 2:1006@4");
    EXPECT_EQ(SelectedID(tree), SALT_FORMATION);
    EXPECT_EQ(Outline(2), FreshOutline(2));
    EXPECT_EQ(recorder.calls.count("panes"), 3);
    EXPECT_EQ(app.modifiedHistory(), QList<bool>(3, true));
    EXPECT_TRUE(prompts.texts().isEmpty());
}

TEST_F(ProcessTreeEditFixture, MovesAcrossProcessesWriteOnlyTheLink)
{
    Open(DemoWithEmptyProcess());
    tree.RefillTree();
    const std::string processes =
        ProjectText("SELECT group_concat(ProcessID || ProcessName || ProcessVersionName) FROM Process") +
        ProjectText("SELECT group_concat(ProcessID || ProcessName || ProcessVersionName) FROM "
                    "\"Process-To-Project\"");
    Select({1, 3}); // Reactor Cleaning, last in process 2, into the empty process 3
    tree.OnMoveDown();
    EXPECT_EQ(Links(), "1:1001@1 1:1002@2 1:1003@3 2:1001@1 2:1004@2 2:1005@3 3:1006@1");
    EXPECT_EQ(tree.tree()->currentItem(), Node({2, 0}));
    tree.OnMoveUp(); // back, as the last of process 2
    EXPECT_EQ(Links(), "1:1001@1 1:1002@2 1:1003@3 2:1001@1 2:1004@2 2:1005@3 2:1006@4");
    Select({0, 2}); // Drying, last in process 1, first in process 2
    tree.OnMoveDown();
    EXPECT_EQ(Links(), "1:1001@1 1:1002@2 2:1003@1 2:1001@2 2:1004@3 2:1005@4 2:1006@5");
    tree.OnMoveUp(); // the first step of process 2 goes last into process 1; the rest move up
    EXPECT_EQ(Links(), "1:1001@1 1:1002@2 1:1003@3 2:1001@1 2:1004@2 2:1005@3 2:1006@4");
    EXPECT_EQ(ProjectText("SELECT group_concat(ProcessID || ProcessName || ProcessVersionName) FROM Process") +
                  ProjectText("SELECT group_concat(ProcessID || ProcessName || ProcessVersionName) FROM "
                              "\"Process-To-Project\""),
              processes);
    EXPECT_EQ(SelectedID(tree), DRYING);
    EXPECT_EQ(Outline(2), FreshOutline(2));
}

TEST_F(ProcessTreeEditFixture, RefusedMovesChangeNothing)
{
    OpenDemo();
    EditProject("INSERT INTO \"Step-To-Process\" (StepID, ProcessID, StepOrder) VALUES (1003, 2, 5)");
    tree.RefillTree();
    const QString project = Dump(Project());
    struct PathCase { // an aggregate: its initializer_list keeps its array, a pair's would not
        std::initializer_list<int> path;
        bool down;
    };
    const PathCase cases[] = {
        {{0, 0}, false}, // the first step of the first process
        {{1, 0}, false}, // Coupling is in the previous process already
        {{0, 2}, true},  // Drying is in the next process already
        {{1, 4}, true},  // the last step of the last process
    };
    for (const auto& [path, down] : cases) {
        Select(path);
        prompts.expect(IDOK);
        down ? tree.OnMoveDown() : tree.OnMoveUp();
    }
    EXPECT_EQ(prompts.texts(),
              QStringList({"Can't move up this step since no previous process exists!",
                           "Can't move up this step since there already is a same step in the previous process!",
                           "Can't move down this step since there already is a same step in the next process!",
                           "Can't move down this step since no next process exists!"}));
    EXPECT_EQ(Dump(Project()), project);
    Select({0});
    prompts.expect(IDOK);
    tree.OnMoveDown();
    EXPECT_EQ(prompts.lastText(), "Please select a step first!");
    EXPECT_TRUE(app.modifiedHistory().isEmpty());
}

// The steps of a process are counted without its START link: the second-last step moves down, and
// a step that is not the last moves down even in the last process.
TEST_F(ProcessTreeEditFixture, EnablingFollowsTheStepsPlaceAndTheNeighbouringProcesses)
{
    OpenDemo();
    tree.RefillTree();
    const struct {
        std::initializer_list<int> node;
        long order;
        bool up, down;
    } cases[] = {{{0, 0}, 1, false, true}, {{0, 1}, 2, true, true},  {{0, 2}, 3, true, true},
                 {{1, 0}, 1, true, true},  {{1, 2}, 3, true, true},  {{1, 3}, 4, true, false}};
    for (const auto& c : cases) {
        Select(c.node);
        EXPECT_EQ(tree.GetSelectedStepOrder(), c.order);
        EXPECT_EQ(tree.IsCommandEnabled(ID_PROCESS_MOVE_UP), c.up) << c.order;
        EXPECT_EQ(tree.IsCommandEnabled(ID_PROCESS_MOVE_DOWN), c.down) << c.order;
    }
    for (std::initializer_list<int> notAStep : {std::initializer_list<int>{0}, {0, 0, 0}}) {
        Select(notAStep);
        EXPECT_EQ(tree.GetSelectedStepOrder(), -1);
        EXPECT_FALSE(tree.IsCommandEnabled(ID_PROCESS_MOVE_UP));
        EXPECT_FALSE(tree.IsCommandEnabled(ID_PROCESS_MOVE_DOWN));
    }
}

TEST_F(ProcessTreeEditFixture, AStartLinkIsNeitherMovedNorRenumberedNorCounted)
{
    Open(DemoWithEmptyProcess());
    for (int process : {1, 2, 3})
        EditProject(QString("INSERT INTO \"Step-To-Process\" (StepID, ProcessID, StepOrder) VALUES (1, %1, 0)")
                        .arg(process));
    tree.RefillTree();
    Select({0, 1}); // Crystallization, second-last of three
    EXPECT_EQ(tree.GetSelectedStepOrder(), 2);
    EXPECT_TRUE(tree.IsCommandEnabled(ID_PROCESS_MOVE_DOWN));
    Select({0, 2});
    tree.OnMoveDown(); // Drying to the start of process 2
    EXPECT_EQ(Links(), "1:1@0 1:1001@1 1:1002@2 2:1@0 2:1003@1 2:1001@2 2:1004@3 2:1005@4 2:1006@5 3:1@0");
    tree.OnMoveUp();
    EXPECT_EQ(Links(), "1:1@0 1:1001@1 1:1002@2 1:1003@3 2:1@0 2:1001@1 2:1004@2 2:1005@3 2:1006@4 3:1@0");
    Select({1, 3});
    tree.OnMoveDown(); // into process 3, which holds only its START link
    EXPECT_EQ(Links(), "1:1@0 1:1001@1 1:1002@2 1:1003@3 2:1@0 2:1001@1 2:1004@2 2:1005@3 3:1@0 3:1006@1");
    EXPECT_EQ(Outline(2), FreshOutline(2));
}

TEST_F(ProcessTreeEditFixture, ARefusedWriteOfAMoveLeavesTheLinksAsTheyWere)
{
    const struct {
        std::initializer_list<int> node;
        bool down;
        const char* when;
        const char* message;
    } cases[] = {
        {{0, 2}, true, "NEW.ProcessID = OLD.ProcessID", "Can't open StepToProcess table!"},
        {{0, 2}, true, "NEW.ProcessID <> OLD.ProcessID", "Can't open Query QryStepByStepAndProcessID!"},
        {{1, 1}, false, "1", "Can't open Query QryStepToProcessForProcessID!"},
        {{0, 0}, true, "1", "Can't open Query QryStepToProcessForProcessID!"},
    };
    OpenDemo();
    EditProject("DELETE FROM \"Step-To-Process\" WHERE ProcessID = 2 AND StepID = 1001");
    EditProject("UPDATE \"Step-To-Process\" SET StepOrder = StepOrder - 1 WHERE ProcessID = 2");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.when);
        EditProject(QString("CREATE TRIGGER refuse BEFORE UPDATE ON \"Step-To-Process\" WHEN %1"
                            " BEGIN SELECT RAISE(ABORT, 'refused'); END")
                        .arg(c.when));
        tree.RefillTree();
        const QString project = Dump(Project());
        Select(c.node);
        prompts.clear();
        prompts.expect(IDOK);
        c.down ? tree.OnMoveDown() : tree.OnMoveUp();
        EXPECT_EQ(prompts.texts(), QStringList{c.message});
        EXPECT_EQ(Dump(Project()), project);
        EXPECT_EQ(Outline(2), FreshOutline(2));
        EditProject("DROP TRIGGER refuse");
    }
    // Up from the top of process 2: the link moves, then the steps it left move up.
    EditProject("CREATE TRIGGER refuse BEFORE UPDATE ON \"Step-To-Process\" WHEN NEW.StepOrder < OLD.StepOrder"
                " AND NEW.ProcessID = OLD.ProcessID BEGIN SELECT RAISE(ABORT, 'refused'); END");
    tree.RefillTree();
    const QString project = Dump(Project());
    Select({1, 0});
    prompts.clear();
    prompts.expect(IDOK);
    tree.OnMoveUp();
    EXPECT_EQ(prompts.texts(), QStringList{"Can't open Query QryStepToProcessForProcessID!"});
    EXPECT_EQ(Dump(Project()), project);
}
