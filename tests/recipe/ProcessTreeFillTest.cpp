// Filling the Process Explorer: structure, labels, icons, link counts and the failures of a fill.

#include "ProcessTreeFixture.h"

#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/StepConnectionUse.h"
#include "recipe/explorer/ProcessTreeIcons.h"
#include "recipe/explorer/ProcessTreeNode.h"
#include "recipe/explorer/ProcessTreeTypes.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QTreeWidget>
#include <sqlite3.h>

namespace {
int cachedPageBytes(long stepID)
{
    const QVariant handle = GetStepDatabase(stepID)->Connection().database().driver()->handle();
    int current = 0, highest = 0;
    sqlite3_db_status(*static_cast<sqlite3* const*>(handle.constData()), SQLITE_DBSTATUS_CACHE_USED, &current,
                      &highest, 0);
    return current;
}
} // namespace

TEST_F(ProcessTreeFixture, DemoShowsProcessesStepsAndTheLinkedStepUnderBoth)
{
    OpenDemo();
    tree.RefillTree();
    EXPECT_EQ(Outline(2), QStringList({"Amidol (Free Base) [424]", "  Coupling (1.0) [169]",
                                       "  Crystallization (1.0) [423]", "  Drying (1.0) [423]",
                                       "Amidol (Hydrochloride) [424]", "  Coupling (1.0) [169]",
                                       "  Salt Formation (1.0) [423]", "  Milling (1.0) [423]",
                                       "  Reactor Cleaning (1.0) [423]"}));
    const QStringList coupling = Outline(4).mid(2, 12); // keyword lines get no node
    EXPECT_EQ(coupling.mid(0, 2), QStringList({"    1. Reaction in R-101 [161]", "      1.1. Purge [163]"}));
    EXPECT_EQ(coupling.mid(4, 5),
              QStringList({"      1.4. Heat [163]", "      1.5. Start-Sweep [163]", "      1.6. React [163]",
                           "      1.7. Transfer [163]", "    2. Work-up in R-102 [161]"}));
    EXPECT_EQ(coupling.last(), "      2.3. Age [163]");
    EXPECT_EQ(tree.GetStepLinkCount(COUPLING), 1);
    EXPECT_EQ(tree.GetStepLinkCount(1004), 0);
}

TEST_F(ProcessTreeFixture, FillLeavesOutStepsThatDoNotOpenAndReportsEmptyStepTables)
{
    ProjectSpec spec = CProjectGenerator::DemoProject();
    StepSpec extra = spec.steps.last();
    extra.stepID = 1007;
    extra.name = "Rework";
    spec.steps.append(extra);
    spec.processes.append({3, "Rework", "A", {}, -1, -1, {1007}});
    Open(spec, {1007});
    EditStep(1005, "DELETE FROM Step");
    EditProject("DELETE FROM Project");
    prompts.expect(IDOK);
    tree.RefillTree();
    EXPECT_EQ(prompts.texts(), QStringList({"Step table (ID = 1005) is empty!"}));
    EXPECT_EQ(Outline(2).mid(4), QStringList({"Amidol (Hydrochloride) [424]", "  Coupling (1.0) [169]",
                                              "  Salt Formation (1.0) [423]",
                                              "  Reactor Cleaning (1.0) [423]", "Rework (A) [424]"}));
    Select({2});
    EXPECT_EQ(tree.GetSelectedItemKind(), KIND_EMPTY_PROCESS);
    EXPECT_EQ(std::pair(tree.projectID(), GetProjectID()), std::pair(1L, 1L)) << "an empty project table";
    tree.ClearTree();
    EXPECT_EQ(tree.tree()->topLevelItemCount(), 0);
    EXPECT_EQ(tree.GetStepLinkCount(COUPLING), 0);
}

// The fill leaves no cached pages with the steps nobody views or edits; a step in use keeps its own.
TEST_F(ProcessTreeFixture, FillHandsBackThePagesOfIdleStepsOnly)
{
    OpenDemo();
    CStepConnectionUse view(GetStepDatabase(COUPLING));
    tree.RefillTree();
    const int kept = cachedPageBytes(COUPLING); // the step read as much as the others
    for (long idle : {1002L, 1003L, 1004L})
        EXPECT_LT(cachedPageBytes(idle), kept / 3) << idle;
}

// A rebuild reads again every step whose file changed since the last fill, whichever handle
// changed it; a new connection on a step is always read.
TEST_F(ProcessTreeFixture, RefillShowsWhatChangedThroughAnyHandle)
{
    OpenDemo();
    const auto purgeLabel = [this] { return Outline(4).at(3); };
    const auto renamePurge = [](const QString& name) {
        return QStringLiteral("UPDATE TextRecipe SET OperationName = '%1' WHERE OperationName IN "
                              "('Purge', 'Vent', 'Sweep') AND StepID = %2")
            .arg(name)
            .arg(COUPLING);
    };
    const auto otherHandle = [](const QString& sql) {
        {
            QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
            other.setDatabaseName(GetStepDatabase(COUPLING)->GetName());
            ASSERT_TRUE(other.open());
            ASSERT_TRUE(QSqlQuery(other).exec(sql));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("other"));
    };
    tree.RefillTree();
    ASSERT_EQ(purgeLabel(), "      1.1. Purge [163]");
    const std::pair<std::function<void()>, QString> changes[] = {
        {[&] { EditStep(COUPLING, renamePurge("Vent")); }, "      1.1. Vent [163]"},
        {[&] { otherHandle(renamePurge("Sweep")); }, "      1.1. Sweep [163]"},
        {[] {}, "      1.1. Sweep [163]"},
    };
    for (const auto& [change, shown] : changes) {
        change();
        tree.RefillTree();
        EXPECT_EQ(purgeLabel(), shown);
    }
    // The label of an outline node is made from its numbers and name; a new text replaces it.
    QTreeWidgetItem* purge = Node({0, 0, 0, 0});
    purge->setText(0, QStringLiteral("1.1. Renamed"));
    EXPECT_EQ(purge->text(0), "1.1. Renamed");
}

// The project's links and step order are read again at every rebuild: a step linked into a second
// process shows the linked icon under both, one linked out of it the plain icon again.
TEST_F(ProcessTreeFixture, RefillShowsTheProjectsLinksAndStepOrderAsTheyAreNow)
{
    OpenDemo();
    tree.RefillTree();
    struct Case {
        const char* change;
        QStringList shown;
        long dryingLinks;
        long couplingLinks;
    };
    const Case cases[] = {
        {"INSERT INTO \"Step-To-Process\" (StepID, ProcessID, StepOrder) VALUES (1003, 2, 9)",
         {"Amidol (Free Base) [424]", "  Coupling (1.0) [169]", "  Crystallization (1.0) [423]",
          "  Drying (1.0) [169]", "Amidol (Hydrochloride) [424]", "  Coupling (1.0) [169]",
          "  Salt Formation (1.0) [423]", "  Milling (1.0) [423]", "  Reactor Cleaning (1.0) [423]",
          "  Drying (1.0) [169]"},
         1,
         1},
        {"UPDATE \"Step-To-Process\" SET StepOrder = 10 - StepOrder WHERE ProcessID = 1",
         {"Amidol (Free Base) [424]", "  Drying (1.0) [169]", "  Crystallization (1.0) [423]",
          "  Coupling (1.0) [169]", "Amidol (Hydrochloride) [424]", "  Coupling (1.0) [169]",
          "  Salt Formation (1.0) [423]", "  Milling (1.0) [423]", "  Reactor Cleaning (1.0) [423]",
          "  Drying (1.0) [169]"},
         1,
         1},
        {"DELETE FROM \"Step-To-Process\" WHERE ProcessID = 2 AND StepID = 1001",
         {"Amidol (Free Base) [424]", "  Drying (1.0) [169]", "  Crystallization (1.0) [423]",
          "  Coupling (1.0) [423]", "Amidol (Hydrochloride) [424]", "  Salt Formation (1.0) [423]",
          "  Milling (1.0) [423]", "  Reactor Cleaning (1.0) [423]", "  Drying (1.0) [169]"},
         1,
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.change);
        EditProject(QString::fromLatin1(c.change));
        tree.RefillTree();
        EXPECT_EQ(Outline(2), c.shown);
        EXPECT_EQ(std::pair(tree.GetStepLinkCount(1003), tree.GetStepLinkCount(COUPLING)),
                  std::pair(c.dryingLinks, c.couplingLinks));
    }
    // A read that fails after the statements were kept: the engine's message, then the fill's.
    EditProject(QStringLiteral("DROP VIEW QryStepInProcessVersion"));
    prompts.expect(IDOK);
    prompts.expect(IDOK);
    tree.RefillTree();
    EXPECT_EQ(prompts.texts(),
              QStringList({"no such table: QryStepInProcessVersion", "Can't open step-to-process table!"}));
}

// A node keeps its label, id and icon id as members; the icon shown follows the icon id unless
// an icon was set on the node itself.
TEST(ProcessTreeNode, RolesAndTheIconShownFollowItsMembers)
{
    CProcessTreeNode node(QStringLiteral("1. Charge"), 42, ICON_OPERATION);
    const auto shownIcon = [&] { return node.icon(0).cacheKey(); };
    EXPECT_EQ(node.text(0), "1. Charge");
    EXPECT_EQ(node.data(0, NODE_ID_ROLE), QVariant(qlonglong(42)));
    EXPECT_EQ(node.data(0, NODE_ICON_ROLE), QVariant(int(ICON_OPERATION)));
    EXPECT_EQ(shownIcon(), ProcessTreeNodeIcon(ICON_OPERATION).cacheKey());

    node.setData(0, NODE_ICON_ROLE, int(ICON_HIDDEN_OPERATION));
    node.setText(0, QStringLiteral("1. Heat"));
    EXPECT_EQ(shownIcon(), ProcessTreeNodeIcon(ICON_HIDDEN_OPERATION).cacheKey());
    EXPECT_EQ(node.text(0), "1. Heat");

    const QIcon own = ProcessTreeNodeIcon(ICON_STEP);
    node.setIcon(0, own);
    node.setData(0, Qt::ToolTipRole, QStringLiteral("tip"));
    EXPECT_EQ(shownIcon(), own.cacheKey());
    EXPECT_EQ(node.toolTip(0), "tip");
    EXPECT_EQ(node.text(1), QString());
}
