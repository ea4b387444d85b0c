// Deletes and step moves of the Process Explorer in the real application on the Demo: a move
// across processes, a link and unit procedures deleted with their window open and closed, kept
// across save and reopen; the frame closes a step's or a process's result windows.

#include "RecipeShellFixture.h"
#include "foundation/common/concerns/CommandDispatcher.h"
#include "recipe/explorer/ProcessTree.h"
#include "results/ResultWindowDocument.h"

#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {
// With QV_SHOTS_DIR set, the widget's picture as x1-del-<name>.png there.
void DeleteMoveShot(QWidget* widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("QV_SHOTS_DIR");
    if (!folder.isEmpty() && QDir().mkpath(folder))
        widget->grab().save(QDir(folder).filePath("x1-del-" + name + ".png"));
}

QString StepLinks()
{
    QSqlQuery query = GetProjectDatabase()->Query(
        "SELECT group_concat(ProcessID || ':' || StepID, ' ') FROM (SELECT * FROM \"Step-To-Process\""
        " ORDER BY ProcessID, StepOrder)");
    return query.next() ? query.value(0).toString() : QString();
}

// A schedule window of a results file.
class FakeScheduleWindow : public QLabel, public ResultWindowDocument {
public:
    explicit FakeScheduleWindow(const QString& file) : m_file(file) {}
    QString ResultsFileName() const override { return m_file; }
    void Initialize(const QString&, const QString&, const QString&) override {}
    QString TitlePrefix() const override { return QStringLiteral("Schedule: "); }
    void SetTitles(const QString&, const QString&) override {}

private:
    QString m_file;
};
} // namespace

class ProcessExplorerEditShellTest : public RecipeShellFixture {
protected:
    CProcessTree* explorer() const
    {
        return qobject_cast<CProcessTree*>(frame->pane(PaneID::ProcessExplorer)->widget());
    }
    QTreeWidgetItem* node(int process, int step, int unitProcedure = -1) const
    {
        QTreeWidgetItem* item = explorer()->tree()->topLevelItem(process)->child(step);
        return unitProcedure < 0 ? item : item->child(unitProcedure);
    }
    void shot(const QString& name)
    {
        explorer()->tree()->expandAll();
        DeleteMoveShot(frame, name);
    }
    void run(int commandID, QTreeWidgetItem* selected)
    {
        explorer()->tree()->setFocus();
        explorer()->tree()->setCurrentItem(selected);
        DispatchCommand(commandID, explorer());
    }
};

TEST_F(ProcessExplorerEditShellTest, AMoveAndDeletesAreKeptAcrossSaveAndReopen)
{
    frame->pane(PaneID::ProcessExplorer)->raise();
    run(ID_PROCESS_MOVE_DOWN, node(0, 2)); // Drying into the second process
    EXPECT_EQ(StepLinks(), "1:1001 1:1002 2:1003 2:1001 2:1004 2:1005 2:1006");
    shot("moved");

    prompts.expect(IDYES);
    run(ID_PROCESS_DELETE, node(1, 1)); // Coupling's link in the second process
    EXPECT_EQ(prompts.lastText(), "Do you really want to delete the link of this step ?");
    EXPECT_EQ(StepLinks(), "1:1001 1:1002 2:1003 2:1004 2:1005 2:1006");
    shot("link-deleted");

    CQUORVANTAView* view = OpenCouplingFromTheExplorer();
    ASSERT_NE(view, nullptr);
    const int lines = view->LineCount();
    prompts.expect(IDYES);
    run(ID_PROCESS_DELETE, node(0, 0, 1)); // "Work-up in R-102", its window open
    EXPECT_EQ(prompts.lastText(),
              "This will delete all Operations that belong to this Unit Procedure. Do you really want to delete it ?");
    EXPECT_EQ(view->LineCount(), lines - 4);
    EXPECT_EQ(node(0, 0)->childCount(), 1);
    shot("unit-procedure-window-open");
    frame->CloseDocument(DocumentKind::ProjectRecipe, SHELL_COUPLING_STEP);

    prompts.expect(IDYES);
    run(ID_PROCESS_DELETE, node(0, 1, 0)); // Crystallization's first, no window
    EXPECT_EQ(node(0, 1)->childCount(), 3);
    shot("unit-procedure-window-closed");
    const QStringList crystallization = StoredLines(1002);

    ASSERT_TRUE(app->SaveOpenProject());
    ASSERT_TRUE(app->CloseProject(SaveAnswer::Discard));
    ASSERT_TRUE(app->OpenProjectByPath(m_project));
    EXPECT_EQ(StepLinks(), "1:1001 1:1002 2:1003 2:1004 2:1005 2:1006");
    EXPECT_EQ(StoredLines(1002), crystallization);
    EXPECT_EQ(StoredLines(SHELL_COUPLING_STEP).size(), lines - 4);
    shot("reopened");
}

TEST_F(ProcessExplorerEditShellTest, LeavingTheProjectClosesTheResultWindowsOfTheStepAndTheProcess)
{
    const std::pair<DocumentKind, QString> windows[] = {{DocumentKind::Gantt, "QVSTEP_1004.mdb"},
                                                        {DocumentKind::Facility3D, "QVSTEP_1005.mdb"},
                                                        {DocumentKind::Gantt, "QVPROC_2.mdb"},
                                                        {DocumentKind::Gantt, "QVSTEP_10040.mdb"}};
    for (const auto& [kind, file] : windows)
        frame->AddDocTab(new FakeScheduleWindow(file), kind, 7, file);
    frame->AddDocTab(new QLabel, DocumentKind::QuickResults, 1004, "Quick Results");
    frame->CloseStepLinkedWindows(1004);
    QCoreApplication::processEvents();
    QStringList open;
    for (QMdiSubWindow* sub : frame->mdiArea()->subWindowList())
        open << sub->widget()->windowTitle();
    EXPECT_EQ(open.join(", "), "QVSTEP_1005.mdb, QVPROC_2.mdb, QVSTEP_10040.mdb");
    frame->CloseProcessLinkedWindows(2);
    open.clear();
    for (QMdiSubWindow* sub : frame->mdiArea()->subWindowList())
        open << sub->widget()->windowTitle();
    EXPECT_EQ(open.join(", "), "QVSTEP_1005.mdb, QVSTEP_10040.mdb");
}
