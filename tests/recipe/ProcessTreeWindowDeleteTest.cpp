// A unit procedure or operation deleted from the Process Explorer: with its step's recipe window
// open the window deletes it; without one the rows end as the window's delete leaves them.

#include "RecipeViewFixture.h"

#include "foundation/db/connection/DaoDatabase.h"
#include "recipe/explorer/ProcessTree.h"

#include <QSqlQuery>
#include <QTreeWidget>

namespace {
constexpr long TWIN_STEP = 1007; // a copy of Coupling, last in process 1

// The step's rows with its item ids as their rank among the ids it had at first.
QStringList ComparableRows(long stepID, const QList<long>& firstIDs)
{
    QSqlQuery rows = GetStepDatabase(stepID)->Query(
        "SELECT RecipeSequenceNumber, Type, Label, ID, Indent, UPNumber, OPNumber, Hide, Breakpoint FROM TextRecipe"
        " WHERE StepID = ? ORDER BY RecipeSequenceNumber",
        {qlonglong(stepID)});
    QStringList lines;
    while (rows.next()) {
        QStringList values;
        for (int i = 0; i < 9; ++i)
            values << rows.value(i).toString();
        if (values[1] == "Unit Procedure" || values[1] == "Operation")
            values[3] = "#" + QString::number(firstIDs.indexOf(long(rows.value(3).toLongLong())));
        lines << values.join('|');
    }
    QSqlQuery items = GetStepDatabase(stepID)->Query("SELECT (SELECT count(*) FROM UnitProcedure) || '/' ||"
                                                     " (SELECT count(*) FROM Operation)");
    lines << (items.next() ? items.value(0).toString() : QString());
    return lines;
}

QList<long> ItemIDs(long stepID)
{
    QSqlQuery rows = GetStepDatabase(stepID)->Query(
        "SELECT ID FROM TextRecipe WHERE Type IN ('Unit Procedure', 'Operation') ORDER BY ID");
    QList<long> ids;
    while (rows.next())
        ids << long(rows.value(0).toLongLong());
    return ids;
}

class ProcessTreeWindowDeleteTest : public RecipeViewFixture {
protected:
    void SetUp() override
    {
        ProjectSpec spec = CProjectGenerator::DemoProject();
        StepSpec twin = spec.steps.first();
        ASSERT_EQ(twin.stepID, COUPLING_STEP);
        twin.stepID = TWIN_STEP;
        twin.name = "Coupling Twin";
        spec.steps.append(twin);
        spec.processes[0].stepIDs.append(TWIN_STEP);
        Open(spec);
        tree.RefillTree();
    }
    QTreeWidgetItem* Node(int step, std::initializer_list<int> path)
    {
        QTreeWidgetItem* node = tree.tree()->topLevelItem(0)->child(step);
        for (int index : path)
            node = node->child(index);
        return node;
    }

    CProcessTree tree;
};
} // namespace

TEST_F(ProcessTreeWindowDeleteTest, WithoutAWindowTheRowsEndAsTheWindowsDeleteLeavesThem)
{
    struct PathCase { // an aggregate: its initializer_list keeps its array, a pair's would not
        std::initializer_list<int> path;
        const char* question;
    };
    const PathCase cases[] = {
        {{0, 3}, "Do you really want to delete this operation ?"}, // in a parallel block
        {{0}, "This will delete all Operations that belong to this Unit Procedure. Do you really want to delete it ?"},
        {{0}, "This will delete all Operations that belong to this Unit Procedure. Do you really want to delete it ?"},
    };
    const QList<long> couplingIDs = ItemIDs(COUPLING_STEP);
    const QList<long> twinIDs = ItemIDs(TWIN_STEP);
    ASSERT_EQ(ComparableRows(COUPLING_STEP, couplingIDs), ComparableRows(TWIN_STEP, twinIDs));
    CQUORVANTAView& view = OpenView(TWIN_STEP);
    for (const auto& [path, question] : cases) {
        tree.SelectTreeItem(Node(3, path));
        prompts.expect(IDYES);
        tree.OnDelete(); // the twin's window does it
        tree.SelectTreeItem(Node(0, path));
        prompts.expect(IDYES);
        tree.OnDelete();
        EXPECT_EQ(prompts.texts(), QStringList({question, question}));
        prompts.clear();
        EXPECT_EQ(ComparableRows(COUPLING_STEP, couplingIDs), ComparableRows(TWIN_STEP, twinIDs));
        tree.RefillTree(); // the window's delete refreshes the pane through the frame
    }
    EXPECT_EQ(view.LineCount(), 0);
    EXPECT_EQ(ItemIDs(COUPLING_STEP).size(), 0);
}
