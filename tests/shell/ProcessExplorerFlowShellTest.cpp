// One session of Process Explorer work on the Demo in the real application: a new process, a new
// step, a link, a rename, a move across processes, deletes of a link, of unit procedures with the
// window open and closed and of a step; all kept across save and reopen, and the next new step
// takes an id never used before.

#include "RecipeShellFixture.h"
#include "foundation/common/concerns/CommandDispatcher.h"
#include "modules/addnew/AddNewProcessDialog.h"
#include "modules/addnew/AddNewStepDialog.h"
#include "recipe/explorer/ProcessTree.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>

namespace {
// With QV_SHOTS_DIR set, the widget's picture as x1-flow-<name>.png there.
void FlowShot(QWidget* widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("QV_SHOTS_DIR");
    if (!folder.isEmpty() && QDir().mkpath(folder))
        widget->grab().save(QDir(folder).filePath("x1-flow-" + name + ".png"));
}

// The open dialog's fields set, its picture taken, OK pressed.
template <typename Dialog> void FlowAnswer(const QMap<QString, QString>& texts, const QString& link, const QString& shot)
{
    auto* dialog = dynamic_cast<Dialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    for (auto it = texts.cbegin(); it != texts.cend(); ++it)
        dialog->template findChild<QLineEdit*>(it.key())->setText(it.value());
    if (auto* combo = dialog->template findChild<QComboBox*>("LinkedStep"); combo && !link.isEmpty())
        combo->setCurrentIndex(combo->findText(link));
    FlowShot(dialog, shot);
    dialog->template findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

QString FlowLinks()
{
    QSqlQuery query = GetProjectDatabase()->Query(
        "SELECT group_concat(ProcessID || ':' || StepID, ' ') FROM (SELECT * FROM \"Step-To-Process\""
        " ORDER BY ProcessID, StepOrder)");
    return query.next() ? query.value(0).toString() : QString();
}
} // namespace

class ProcessExplorerFlowShellTest : public RecipeShellFixture {
protected:
    CProcessTree* explorer() const
    {
        return qobject_cast<CProcessTree*>(frame->pane(PaneID::ProcessExplorer)->widget());
    }
    QTreeWidgetItem* node(int process, int step = -1, int unitProcedure = -1) const
    {
        QTreeWidgetItem* item = explorer()->tree()->topLevelItem(process);
        item = step < 0 ? item : item->child(step);
        return unitProcedure < 0 ? item : item->child(unitProcedure);
    }
    // Processes and steps, linked steps marked with "*".
    QStringList labels() const
    {
        QStringList text;
        QTreeWidget* tree = explorer()->tree();
        for (int p = 0; p < tree->topLevelItemCount(); ++p) {
            text << tree->topLevelItem(p)->text(0);
            for (int s = 0; s < tree->topLevelItem(p)->childCount(); ++s) {
                const QTreeWidgetItem* step = tree->topLevelItem(p)->child(s);
                const bool linked = step->data(0, NODE_ICON_ROLE).toInt() == ICON_LINKED_STEP;
                text << "  " + step->text(0) + (linked ? "*" : "");
            }
        }
        return text;
    }
    void run(int commandID, QTreeWidgetItem* selected)
    {
        explorer()->tree()->setFocus();
        if (selected)
            explorer()->tree()->setCurrentItem(selected);
        DispatchCommand(commandID, explorer());
    }
    void shot(const QString& name)
    {
        explorer()->tree()->expandToDepth(0);
        FlowShot(frame, name);
    }
    void saveAndReopen()
    {
        ASSERT_TRUE(app->SaveOpenProject());
        ASSERT_TRUE(app->CloseProject(SaveAnswer::Discard));
        ASSERT_TRUE(app->OpenProjectByPath(m_project));
    }
};

TEST_F(ProcessExplorerFlowShellTest, ADemoSessionIsKeptAcrossSaveAndReopen)
{
    frame->pane(PaneID::ProcessExplorer)->raise();
    QTimer::singleShot(0, [] {
        FlowAnswer<CAddNewProcessDialog>({{"ProcessName", "Amidol"}, {"ProcessVersion", "Rework"}}, {}, "01-new-process-dialog");
    });
    run(ID_PROCESS_NEW_PROCESS, nullptr);
    QTimer::singleShot(0, [] {
        FlowAnswer<CAddNewStepDialog>({{"StepName", "Recrystallization"}, {"StepVersion", "1.0"}}, {}, "02-new-step-dialog");
    });
    run(ID_PROCESS_NEW_STEP, node(2));
    QTimer::singleShot(0, [] { FlowAnswer<CAddNewStepDialog>({}, "Drying (1.0)", "03-link-step-dialog"); });
    run(ID_PROCESS_NEW_STEP, node(2, 0));
    shot("04-created");
    QTimer::singleShot(0, [] {
        FlowAnswer<CAddNewStepDialog>({{"StepName", "Crystallization from Ethanol"}}, {}, "05-rename-dialog");
    });
    run(ID_PROCESS_INFORMATION, node(0, 1));
    run(ID_PROCESS_MOVE_DOWN, node(0, 2)); // Drying to the top of the second process
    EXPECT_EQ(FlowLinks(), "1:1001 1:1002 2:1003 2:1001 2:1004 2:1005 2:1006 3:1007 3:1003");
    shot("06-renamed-and-moved");

    prompts.expect(IDYES);
    run(ID_PROCESS_DELETE, node(1, 1)); // Coupling's link in the second process
    EXPECT_EQ(prompts.lastText(), "Do you really want to delete the link of this step ?");
    shot("07-link-deleted");
    CQUORVANTAView* view = OpenCouplingFromTheExplorer();
    ASSERT_NE(view, nullptr);
    const int lines = view->LineCount();
    prompts.expect(IDYES);
    run(ID_PROCESS_DELETE, node(0, 0, 1)); // its window open: the window deletes
    EXPECT_EQ(view->LineCount(), lines - 4);
    shot("08-unit-procedure-deleted-window-open");
    frame->CloseDocument(DocumentKind::ProjectRecipe, SHELL_COUPLING_STEP);
    prompts.expect(IDYES);
    run(ID_PROCESS_DELETE, node(0, 1, 0)); // Crystallization's first, no window
    shot("09-unit-procedure-deleted-window-closed");
    prompts.expect(IDYES);
    run(ID_PROCESS_DELETE, node(2, 0)); // Recrystallization leaves the project
    EXPECT_EQ(prompts.lastText(), "Do you really want to delete this step ?");
    const QStringList expected = {"Amidol (Free Base)", "  Coupling (1.0)", "  Crystallization from Ethanol (1.0)",
                                  "Amidol (Hydrochloride)", "  Drying (1.0)*", "  Salt Formation (1.0)",
                                  "  Milling (1.0)", "  Reactor Cleaning (1.0)", "Amidol (Rework)", "  Drying (1.0)*"};
    EXPECT_EQ(labels(), expected);
    const QStringList crystallization = StoredLines(1002);
    shot("10-before-save");

    saveAndReopen();
    EXPECT_EQ(labels(), expected);
    EXPECT_EQ(FlowLinks(), "1:1001 1:1002 2:1003 2:1004 2:1005 2:1006 3:1003");
    EXPECT_EQ(StoredLines(1002), crystallization);
    EXPECT_EQ(StoredLines(SHELL_COUPLING_STEP).size(), lines - 4);
    shot("11-reopened");

    QTimer::singleShot(0, [] {
        FlowAnswer<CAddNewStepDialog>({{"StepName", "Sieving"}, {"StepVersion", "1.0"}}, {}, "12-new-step-after-reopen");
    });
    run(ID_PROCESS_NEW_STEP, node(2));
    EXPECT_EQ(node(2, 1)->text(0), "Sieving (1.0)");
    EXPECT_EQ(node(2, 1)->data(0, NODE_ID_ROLE).toLongLong(), 1008) << "the deleted step's id is not used again";
    shot("13-fresh-id");
    prompts.expect(IDNO); // leaving without saving the last step
}
