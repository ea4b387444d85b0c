// The Process Explorer's New Process, New Step, step link and Information in the real application
// with the real process and step dialogs, then save and reopen.

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
// With QV_SHOTS_DIR set, the widget's picture as x1-<name>.png there.
void ProcessExplorerShot(QWidget* widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("QV_SHOTS_DIR");
    if (!folder.isEmpty() && QDir().mkpath(folder))
        widget->grab().save(QDir(folder).filePath("x1-" + name + ".png"));
}

// The open dialog's fields set, its picture taken, OK pressed.
template <typename Dialog> void AnswerDialog(const QMap<QString, QString>& texts, const QString& link, const QString& shot)
{
    auto* dialog = dynamic_cast<Dialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    for (auto it = texts.cbegin(); it != texts.cend(); ++it)
        dialog->template findChild<QLineEdit*>(it.key())->setText(it.value());
    if (auto* combo = dialog->template findChild<QComboBox*>("LinkedStep"); combo && !link.isEmpty())
        combo->setCurrentIndex(combo->findText(link));
    ProcessExplorerShot(dialog, shot);
    dialog->template findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}
} // namespace

class ProcessExplorerShellTest : public RecipeShellFixture {
protected:
    CProcessTree* explorer() const { return qobject_cast<CProcessTree*>(frame->pane(PaneID::ProcessExplorer)->widget()); }
    QStringList labels() const
    {
        QStringList text;
        QTreeWidget* tree = explorer()->tree();
        for (int p = 0; p < tree->topLevelItemCount(); ++p) {
            text << tree->topLevelItem(p)->text(0);
            for (int s = 0; s < tree->topLevelItem(p)->childCount(); ++s)
                text << "  " + tree->topLevelItem(p)->child(s)->text(0);
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
};

TEST_F(ProcessExplorerShellTest, NewProcessStepsALinkAndARenameAreKeptAcrossSaveAndReopen)
{
    QTreeWidget* tree = explorer()->tree();
    QTimer::singleShot(0, [] {
        AnswerDialog<CAddNewProcessDialog>({{"ProcessName", "Amidol"}, {"ProcessVersion", "Rework"}}, {}, "new-process");
    });
    run(ID_PROCESS_NEW_PROCESS, nullptr);
    ASSERT_EQ(tree->topLevelItemCount(), 3);
    QTimer::singleShot(0, [] {
        AnswerDialog<CAddNewStepDialog>({{"StepName", "Recrystallization"}, {"StepVersion", "1.0"}}, {}, "new-step");
    });
    run(ID_PROCESS_NEW_STEP, tree->topLevelItem(2));
    QTimer::singleShot(0, [] { AnswerDialog<CAddNewStepDialog>({}, "Drying (1.0)", "link-step"); });
    run(ID_PROCESS_NEW_STEP, tree->topLevelItem(2)->child(0));
    QTimer::singleShot(0, [] {
        AnswerDialog<CAddNewStepDialog>({{"StepName", "Crystallization from Ethanol"}}, {}, "rename-step");
    });
    run(ID_PROCESS_INFORMATION, tree->topLevelItem(0)->child(1));
    const QStringList expected = {"Amidol (Free Base)", "  Coupling (1.0)", "  Crystallization from Ethanol (1.0)",
                                  "  Drying (1.0)", "Amidol (Hydrochloride)", "  Coupling (1.0)",
                                  "  Salt Formation (1.0)", "  Milling (1.0)", "  Reactor Cleaning (1.0)",
                                  "Amidol (Rework)", "  Recrystallization (1.0)", "  Drying (1.0)"};
    EXPECT_EQ(labels(), expected);
    ProcessExplorerShot(frame, "edited");

    ASSERT_TRUE(app->SaveOpenProject());
    ASSERT_TRUE(app->CloseProject(SaveAnswer::Discard));
    ASSERT_TRUE(app->OpenProjectByPath(m_project));
    EXPECT_EQ(labels(), expected);
    QDockWidget* routes = frame->pane(PaneID::RouteSelection);
    EXPECT_FALSE(routes->isVisible());
    explorer()->OnRouteSelection();
    EXPECT_TRUE(routes->isVisible()) << "the frame shows its Route Selection pane";
    routes->hide();
    tree->collapseAll();
    tree->expandToDepth(0);
    ProcessExplorerShot(frame, "reopened");
}
