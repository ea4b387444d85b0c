// What the Process Explorer answers about its selection, and how it keeps and passes it on.

#include "ProcessTreeFixture.h"

#include "foundation/common/concerns/SelectionContext.h"

#include <QApplication>
#include <QTreeWidget>

namespace {
long idOf(const QTreeWidgetItem* node)
{
    return long(node->data(0, NODE_ID_ROLE).toLongLong());
}

struct PlacementCase {
    std::vector<int> path;
    bool insertAfter;
    int placement;
    long stepID;
};
} // namespace

TEST_F(ProcessTreeFixture, PlacementOfANewStepFollowsTheSelectionAndInsertAfter)
{
    OpenDemo();
    tree.RefillTree();
    int placement = 99;
    long stepID = 99;
    EXPECT_FALSE(tree.GetSelectedProcessOrStep(&placement, &stepID, true));
    EXPECT_EQ(placement, 99);
    const PlacementCase cases[] = {{{0}, true, 2, -1},         {{0}, false, 1, -1},
                                   {{0, 1}, true, 4, 1002},    {{0, 1}, false, 3, 1002},
                                   {{1, 0, 1}, true, 4, 1001}, {{1, 0, 1, 0}, false, 3, 1001}};
    for (const PlacementCase& c : cases) {
        QTreeWidgetItem* node = tree.tree()->topLevelItem(c.path[0]);
        for (size_t i = 1; i < c.path.size(); ++i)
            node = node->child(c.path[i]);
        tree.SelectTreeItem(node);
        ASSERT_TRUE(tree.GetSelectedProcessOrStep(&placement, &stepID, c.insertAfter))
            << node->text(0).toStdString();
        EXPECT_EQ(placement, c.placement) << node->text(0).toStdString();
        EXPECT_EQ(stepID, c.stepID) << node->text(0).toStdString();
    }
}

TEST_F(ProcessTreeFixture, TreeSelectionAtEachLevelWritesOnlyWhatItReaches)
{
    OpenDemo();
    tree.RefillTree();
    const auto selectionAt = [&](std::initializer_list<int> path) {
        Select(path);
        ProcessTreeSelection s;
        s.unitProcedureID = s.operationID = 77;
        tree.GetTreeSelection(s);
        return s;
    };
    ProcessTreeSelection s = selectionAt({0});
    EXPECT_EQ(std::tuple(s.processLabel, s.processID, s.stepID, s.processSelected, s.stepSelected),
              std::tuple(QString("Amidol (Free Base)"), 1L, -1L, true, false));
    s = selectionAt({1, 2});
    EXPECT_EQ(
        std::tuple(s.processID, s.stepLabel, s.stepID, s.unitProcedureID, s.operationID, s.stepSelected),
        std::tuple(2L, QString("Milling (1.0)"), 1005L, 77L, 77L, true));
    s = selectionAt({1, 0, 1});
    EXPECT_EQ(std::tuple(s.stepID, s.unitProcedureID, s.operationID),
              std::tuple(COUPLING, idOf(Node({1, 0, 1})), 77L));
    s = selectionAt({1, 0, 1, 2});
    EXPECT_EQ(std::tuple(s.processID, s.unitProcedureID, s.operationID, s.processSelected),
              std::tuple(2L, idOf(Node({1, 0, 1})), idOf(Node({1, 0, 1, 2})), false));
}

TEST_F(ProcessTreeFixture, RebuildsKeepOrGiveTheSelection)
{
    OpenDemo();
    tree.RefillTree();
    Select({1, 0, 1, 2}); // an operation of the linked step's second occurrence
    const long operationID = idOf(Node({1, 0, 1, 2}));
    EditStep(COUPLING, "UPDATE TextRecipe SET UnitProcedureName = 'Work-up' WHERE Type = 'Unit Procedure' "
                       "AND UPNumber = 2");
    tree.RefreshKeepSelection();
    EXPECT_EQ(tree.tree()->currentItem(), Node({1, 0, 1, 2}));
    EXPECT_EQ(idOf(tree.tree()->currentItem()), operationID);
    EXPECT_EQ(Node({0, 0, 1})->text(0), "2. Work-up");

    tree.RebuildAndSelect(ExplorerLevel::Step, 1004, 2, -1);
    EXPECT_EQ(tree.tree()->currentItem(), Node({1, 1}));
}

TEST_F(ProcessTreeFixture, StepRefreshAndRenameReachEveryOccurrence)
{
    OpenDemo();
    tree.RefillTree();
    const long unitProcedureID = idOf(Node({0, 0, 0}));
    EditStep(COUPLING, "DELETE FROM TextRecipe WHERE Type = 'Operation' AND UPNumber = 2");
    tree.RefreshStep(COUPLING);
    for (int process : {0, 1})
        EXPECT_EQ(Node({process, 0, 1})->childCount(), 0);
    EXPECT_EQ(Node({0, 1, 0})->childCount(), 4) << "other steps keep their nodes";
    tree.SetUnitProcedureText(COUPLING, unitProcedureID, "1. Inerting");
    for (int process : {0, 1})
        EXPECT_EQ(Node({process, 0, 0})->text(0), "1. Inerting");
}

TEST_F(ProcessTreeFixture, SelectionReachesTheFrameAndTheLinkedWindowsUnlessEchoed)
{
    OpenDemo();
    tree.RefillTree();
    EXPECT_EQ(GetCurrentContextKind(), CONTEXT_NONE);
    tree.show();
    QApplication::setActiveWindow(&tree);
    tree.tree()->setFocus(); // the focus makes the pane the active one
    EXPECT_EQ(GetCurrentContextKind(), CONTEXT_PROCESS_EXPLORER);
    Select({1, 0, 1});
    EXPECT_EQ(GetCurrentContextKind(), CONTEXT_PROCESS_EXPLORER);
    EXPECT_EQ(std::tuple(host.context.stepID, host.context.processID, host.context.stepLabel,
                         host.context.processNodeSelected),
              std::tuple(COUPLING, 2L, QString("Coupling (1.0)"), false));
    EXPECT_EQ(host.calls.last(), QString("sync 1001 %1 1 2").arg(idOf(Node({1, 0, 1}))));

    host.calls.clear();
    tree.SelectProcessTreeItem(COUPLING, idOf(Node({0, 0, 1, 0})), 2);
    EXPECT_EQ(tree.tree()->currentItem(), Node({0, 0, 1, 0})) << "the step's first occurrence";
    {
        SelectionSyncOff hold;
        Select({0, 1});
    }
    EXPECT_TRUE(host.calls.isEmpty()) << host.calls.join(", ").toStdString();
    Select({0, 0});
    EXPECT_EQ(host.calls, QStringList({QString("sync 1001 %1 1 2").arg(idOf(Node({0, 0, 0})))}));
}

TEST_F(ProcessTreeFixture, LookupsWalkTheNodesInTreeOrder)
{
    OpenDemo();
    EditStep(COUPLING, "UPDATE TextRecipe SET Hide = 1 WHERE Type = 'Operation' AND UPNumber = 1 "
                       "AND OPNumber >= 2");
    tree.RefillTree();
    EXPECT_EQ(tree.FindStepItem(COUPLING), Node({0, 0}));
    EXPECT_EQ(tree.FindNextStepOccurrence(COUPLING, Node({0}), Node({0})), Node({1, 0}));
    EXPECT_EQ(tree.FindNextStepOccurrence(COUPLING, Node({0}), Node({1})), nullptr);
    EXPECT_EQ(tree.GetProcessIDOfStep(1004), 2);
    EXPECT_EQ(tree.GetProcessIDOfStep(4711), -1);
    QTreeWidgetItem* lastOfFirst = Node({0, 0, 0, 0});
    long operationID = 0;
    EXPECT_EQ(tree.FindNextVisibleOperation(COUPLING, &operationID, nullptr), lastOfFirst);
    EXPECT_EQ(tree.FindNextVisibleOperation(COUPLING, &operationID, lastOfFirst), Node({0, 0, 1, 0}))
        << "hidden operations are passed over into the next unit procedure";
    EXPECT_EQ(operationID, idOf(Node({0, 0, 1, 0})));
    EXPECT_TRUE(tree.IsHiddenOperationItem(Node({0, 0, 0, 1})));
    EXPECT_EQ(tree.FindOperationItem(COUPLING, idOf(Node({1, 0, 0, 1}))), Node({0, 0, 0, 1}));
    tree.SetOperationHiddenIcon(COUPLING, idOf(Node({0, 0, 0, 1})), false);
    EXPECT_FALSE(tree.IsHiddenOperationItem(Node({0, 0, 0, 1})));
    EXPECT_TRUE(tree.IsHiddenOperationItem(Node({1, 0, 0, 1}))) << "only the first occurrence";
}
