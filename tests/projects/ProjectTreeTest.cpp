#include "ProjectFixture.h"

#include "projects/OpenTemplateDialog.h"
#include "projects/ProjectTree.h"
#include "projects/TemplatePage.h"

#include <QLabel>
#include <QTreeWidget>

namespace {
// Each node as one line: its depth, text, id and image pair.
QStringList TreeLines(const QTreeWidget& tree)
{
    QStringList lines;
    std::function<void(const QTreeWidgetItem*, int)> walk = [&](const QTreeWidgetItem* item, int depth) {
        lines << QString("%1 %2 id=%3 images=%4/%5")
                     .arg(depth)
                     .arg(item->text(0))
                     .arg(item->data(0, ProjectTreeIdRole).toString())
                     .arg(item->data(0, ProjectTreeImageRole).toString())
                     .arg(item->data(0, ProjectTreeSelectedImageRole).toString());
        for (int i = 0; i < item->childCount(); ++i)
            walk(item->child(i), depth + 1);
    };
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        walk(tree.topLevelItem(i), 0);
    return lines;
}

const ProjectTreeImages kImages{1, 2, 3, 4, {}};
const char* const kUnfinishedSave =
    "The file \"%1\" has an unfinished save. Open it once to finish the save, then try again.";
} // namespace

class ProjectTreeTest : public ProjectFixture {};

// The open project and the same project read from its file give one tree: the coupling step sits
// under both processes with the shared images, the others with the single ones; each step lists
// its unit procedures and operations.
TEST_F(ProjectTreeTest, TheOpenProjectAndAProjectFileFillTheSameTree)
{
    const QString other = WriteDemo("Other");
    OpenDemo();
    QTreeWidget open, fromFile;
    FillProjectTree(open, QString(), kImages);
    FillProjectTree(fromFile, other, kImages);
    const QStringList lines = TreeLines(open);
    EXPECT_EQ(lines, TreeLines(fromFile));
    ASSERT_EQ(open.topLevelItemCount(), 2);
    EXPECT_EQ(lines.first(), "0 Amidol (Free Base) id=1 images=/");
    EXPECT_EQ(open.topLevelItem(0)->childCount(), 3);
    EXPECT_EQ(open.topLevelItem(1)->childCount(), 4);
    const QStringList coupling = lines.filter(QRegularExpression("^1 .* id=1001 "));
    EXPECT_EQ(coupling.size(), 2);
    EXPECT_TRUE(coupling.first().endsWith("images=1/2"));
    EXPECT_EQ(lines.filter(QRegularExpression("^1 .*images=3/4$")).size(), 5);
    const QTreeWidgetItem* step = open.topLevelItem(0)->child(0);
    ASSERT_GT(step->childCount(), 2);
    EXPECT_EQ(step->child(0)->text(0), "1. Reaction in R-101");
    EXPECT_TRUE(step->child(1)->text(0).startsWith("1.1. ")) << step->child(1)->text(0).toStdString();
    EXPECT_TRUE(lines.filter(QRegularExpression("^2 (Start Parallel|Series)")).isEmpty()); // keywords are skipped
}

// A process table that cannot be read fills nothing; steps that cannot be read leave their process
// empty and the walk goes on; an unfinished save beside another project refuses the read.
TEST_F(ProjectTreeTest, UnreadableTablesAndAnUnfinishedSaveAreReported)
{
    struct Case {
        const char* label;
        const char* sql;
        bool journal;
        QStringList messages; // the layer's error before the message; "%1" = the project file
        int processes;
    };
    const QList<Case> cases = {
        {"steps", "DROP VIEW QryStepInProcessVersion", false,
         {"no such table: QryStepInProcessVersion", "Can't open step-to-process table!",
          "no such table: QryStepInProcessVersion", "Can't open step-to-process table!"},
         2},
        {"processes", "DROP TABLE \"Process-To-Project\"", false,
         {"no such table: Process-To-Project", "Can't open Process to Project Table to get process info!"}, 0},
        {"journal", nullptr, true, {"%1"}, 0},
    };
    for (const Case& c : cases) {
        const QString path = WriteDemo(c.label);
        if (c.sql)
            RawQuery(path, c.sql);
        if (c.journal)
            WriteTextFile(path + ".save", "pending");
        prompts.clear();
        QStringList messages;
        for (const QString& message : c.messages) {
            prompts.expect(IDOK);
            messages << (message == "%1" ? QString(kUnfinishedSave).arg(path) : message);
        }
        QTreeWidget tree;
        FillProjectTree(tree, path, kImages);
        EXPECT_EQ(prompts.texts(), messages) << c.label;
        EXPECT_EQ(tree.topLevelItemCount(), c.processes) << c.label;
        for (int i = 0; i < tree.topLevelItemCount(); ++i)
            EXPECT_EQ(tree.topLevelItem(i)->childCount(), 0) << c.label;
    }
}

TEST_F(ProjectTreeTest, TheSelectedLevelFollowsDepthAndChildren)
{
    QTreeWidget tree;
    // A chain five deep, each node with a leaf beside the next.
    QList<QTreeWidgetItem*> chain{new QTreeWidgetItem(&tree, {"0"})};
    QList<QTreeWidgetItem*> leaves{new QTreeWidgetItem(&tree, {"leaf 0"})};
    for (int depth = 1; depth < 5; ++depth) {
        chain << new QTreeWidgetItem(chain.last(), {QString::number(depth)});
        leaves << new QTreeWidgetItem(chain.at(depth - 1), {QString("leaf %1").arg(depth)});
    }
    EXPECT_EQ(GetSelectedTreeLevel(tree), 0) << "nothing selected";
    const QList<std::pair<QTreeWidgetItem*, int>> cases = {
        {chain[0], 2}, {chain[1], 3}, {chain[2], 4}, {chain[3], 0}, {leaves[0], 5},
        {leaves[1], 6}, {leaves[2], 7}, {leaves[3], 8}, {chain[4], 8}};
    for (const auto& [item, level] : cases) {
        tree.clearSelection();
        item->setSelected(true);
        EXPECT_EQ(GetSelectedTreeLevel(tree), level) << item->text(0).toStdString();
    }
}

TEST_F(ProjectTreeTest, LookupTakesTheFirstMatchingKey)
{
    const QList<long> keys{7, 3, 7, 9};
    const QList<long> values{70, 30, 71, 90};
    for (const auto& [key, value] : {std::pair{7L, 70L}, {3L, 30L}, {9L, 90L}, {5L, 0L}})
        EXPECT_EQ(LookupDWord(key, keys, values), value) << key;
    EXPECT_EQ(LookupDWord(9, keys, {1, 2}), 0) << "a key past the values";
    EXPECT_EQ(LookupDWord(1, {}, {}), 0);
}

// A template with an unfinished save is neither previewed nor copied into a new project.
TEST_F(ProjectTreeTest, ATemplateWithAnUnfinishedSaveIsRefused)
{
    CProjectGenerator generator;
    ASSERT_TRUE(generator.WriteBlankTemplate(app.paths()->userTemplateDir(), "Mine"));
    const QString file = app.paths()->userTemplateDir() + "Mine.qvt";
    WriteTextFile(file + ".save", "pending");
    COpenTemplateDialog sheet;
    ASSERT_TRUE(sheet.SetActivePage(COpenTemplateDialog::UserPage));
    const QString refusal = QString(kUnfinishedSave).arg(file);
    EXPECT_EQ(sheet.TemplatePage(COpenTemplateDialog::UserPage)->Preview()->text(), refusal);
    prompts.expect(IDOK);
    EXPECT_FALSE(manager.CreateProjectFromTemplate(root() + "work/", "Copy", 2, "Mine", QString()));
    EXPECT_EQ(prompts.lastText(), refusal);
    EXPECT_FALSE(QFileInfo::exists(root() + "work/Copy.prj"));
}
