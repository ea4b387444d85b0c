// Network Select from the real main frame on Demo: Demo2's process copied in as a new process
// through the dialog, kept across save and reopen. With QV_SHOTS_DIR set, the dialog and the frame
// at each stage as p3-copy-<stage>.png there.

#include "RecipeShellFixture.h"
#include "ScriptedProjectDialogs.h"
#include "foundation/common/CommandIds.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "projects/NetSelectDialog.h"
#include "recipe/explorer/ProcessTree.h"

#include <QComboBox>
#include <QDir>
#include <QSqlQuery>

namespace {
void CopyShot(QWidget* widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("QV_SHOTS_DIR");
    if (!folder.isEmpty() && QDir().mkpath(folder))
        widget->grab().save(QDir(folder).filePath("p3-copy-" + name + ".png"));
}

// "name:order" of the steps of the newest process, in their order.
QString NewestProcessSteps()
{
    QSqlQuery query = GetProjectDatabase()->Query(
        "SELECT group_concat(s.StepName || ':' || t.StepOrder, ' ') FROM (SELECT * FROM \"Step-To-Process\" "
        "WHERE ProcessID = (SELECT max(ProcessID) FROM Process) ORDER BY StepOrder) t "
        "JOIN ProjectStep s ON s.StepID = t.StepID");
    return query.next() ? query.value(0).toString() : QString();
}

QTreeWidgetItem* TopItemNamed(QTreeWidget& tree, const QString& prefix)
{
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        if (tree.topLevelItem(i)->text(0).startsWith(prefix))
            return tree.topLevelItem(i);
    return nullptr;
}
void ShowNewestProcess(QTreeWidget& tree)
{
    tree.collapseAll();
    QTreeWidgetItem* newest = tree.topLevelItem(tree.topLevelItemCount() - 1);
    if (!newest)
        return;
    tree.expandItem(newest);
    for (int i = 0; i < newest->childCount(); ++i)
        tree.expandItem(newest->child(i));
    tree.setCurrentItem(newest);
    tree.scrollToItem(newest, QAbstractItemView::PositionAtTop);
}
} // namespace

class ProcessCopyShellTest : public RecipeShellFixture {
protected:
    CProcessTree* explorer() const
    {
        return qobject_cast<CProcessTree*>(frame->pane(PaneID::ProcessExplorer)->widget());
    }
    // The newest process shown expanded and selected, the others collapsed.
    void shot(const QString& name)
    {
        ShowNewestProcess(*explorer()->tree());
        CopyShot(frame, name);
    }
    // Demo2 chosen by Browse, its process selected and added as a new process of Demo.
    int CopyDemo2sProcess(CNetSelectDialog& dialog)
    {
        files.expect(m_demo2);
        dialog.OnBrowse();
        dialog.OtherTree()->expandAll();
        QTreeWidgetItem* process = TopItemNamed(*dialog.OtherTree(), "Amidol");
        EXPECT_NE(process, nullptr);
        if (!process)
            return IDCANCEL;
        dialog.OtherTree()->clearSelection();
        process->setSelected(true);
        dialog.CurrentTree()->clearSelection();
        dialog.resize(900, 600);
        CopyShot(&dialog, "dialog-chosen");
        dialog.OnAdd();
        ShowNewestProcess(*dialog.CurrentTree());
        CopyShot(&dialog, "dialog-added");
        return IDOK;
    }

    ScriptedFileDialogService files;
    ScriptedProjectDialogs dialogs;
    const QString m_demo2 = m_root.path() + "/Demo2/Demo2.prj";
};

TEST_F(ProcessCopyShellTest, Demo2sProcessCopiedThroughNetworkSelectIsKeptAcrossSaveAndReopen)
{
    ASSERT_TRUE(CProjectGenerator().Write(CProjectGenerator::Demo2Project(), m_root.path() + "/Demo2/"));
    frame->pane(PaneID::ProcessExplorer)->raise();
    const int processes = explorer()->tree()->topLevelItemCount();
    dialogs.expectDialog<CNetSelectDialog>(
        [this](CNetSelectDialog& dialog) { return CopyDemo2sProcess(dialog); });
    frame->action(ID_FILE_NETWORK_SELECT)->trigger();
    EXPECT_TRUE(dialogs.allAnswersUsed());
    const QString copied = NewestProcessSteps();
    EXPECT_EQ(copied, "Coupling:1 Crystallization:3 Drying:7");
    EXPECT_EQ(explorer()->tree()->topLevelItemCount(), processes + 1);
    EXPECT_TRUE(app->isProjectModified());
    shot("copied");

    ASSERT_TRUE(app->SaveOpenProject());
    ASSERT_TRUE(app->CloseProject(SaveAnswer::Discard));
    ASSERT_TRUE(app->OpenProjectByPath(m_project));
    EXPECT_EQ(NewestProcessSteps(), copied);
    EXPECT_EQ(explorer()->tree()->topLevelItemCount(), processes + 1);
    shot("reopened");
}
