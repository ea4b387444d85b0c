// Export Step and Import Step from the real main frame on Demo: a step written to an exchange file,
// brought back before the first step of the process, kept across save and reopen. With
// QV_SHOTS_DIR set, the frame's picture at each stage as p3-<stage>.png there.

#include "RecipeShellFixture.h"
#include "foundation/common/CommandIds.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "recipe/explorer/ProcessTree.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>

namespace {
void ExchangeShot(QWidget* widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("QV_SHOTS_DIR");
    if (!folder.isEmpty() && QDir().mkpath(folder))
        widget->grab().save(QDir(folder).filePath("p3-" + name + ".png"));
}

QString FirstProcessSteps()
{
    QSqlQuery query = GetProjectDatabase()->Query(
        "SELECT group_concat(StepID, ' ') FROM (SELECT * FROM \"Step-To-Process\" WHERE ProcessID = 1"
        " ORDER BY StepOrder)");
    return query.next() ? query.value(0).toString() : QString();
}
} // namespace

class StepExchangeShellTest : public RecipeShellFixture {
protected:
    CProcessTree* explorer() const
    {
        return qobject_cast<CProcessTree*>(frame->pane(PaneID::ProcessExplorer)->widget());
    }
    void select(int step)
    {
        QTreeWidget* tree = explorer()->tree();
        tree->setFocus();
        tree->setCurrentItem(tree->topLevelItem(0)->child(step));
    }
    void shot(const QString& name)
    {
        explorer()->tree()->expandAll();
        ExchangeShot(frame, name);
    }
    ScriptedFileDialogService files;
};

TEST_F(StepExchangeShellTest, AnExportedStepImportedBeforeTheFirstStepIsKeptAcrossSaveAndReopen)
{
    frame->pane(PaneID::ProcessExplorer)->raise();
    const QString exchange = m_root.path() + "/Crystallization.exs";
    select(1);
    files.expect(exchange);
    frame->action(ID_FILE_EXPORT_STEP)->trigger();
    ASSERT_TRUE(QFileInfo::exists(exchange));
    shot("exported");

    const QString before = FirstProcessSteps();
    select(0);
    frame->SetInsertMode(false);
    files.expect(exchange);
    frame->action(ID_FILE_IMPORT_STEP)->trigger();
    const QString after = FirstProcessSteps();
    ASSERT_TRUE(after.endsWith(" " + before)) << after.toStdString();
    const long imported = after.section(' ', 0, 0).toLong();
    EXPECT_GT(imported, 1006);
    EXPECT_EQ(explorer()->tree()->topLevelItem(0)->childCount(), before.count(' ') + 2);
    shot("imported");

    ASSERT_TRUE(app->SaveOpenProject());
    ASSERT_TRUE(app->CloseProject(SaveAnswer::Discard));
    ASSERT_TRUE(app->OpenProjectByPath(m_project));
    EXPECT_EQ(FirstProcessSteps(), after);
    EXPECT_TRUE(QFileInfo::exists(GetStepDBPath(imported)));
    shot("reopened");
}
