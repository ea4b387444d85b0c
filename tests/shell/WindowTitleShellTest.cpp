// Names in window titles, tabs and menu entries show as typed: "&" is no shortcut mark there and
// markup stays text.

#include "RecipeShellFixture.h"
#include "foundation/common/concerns/CommandDispatcher.h"
#include "modules/addnew/AddNewStepDialog.h"
#include "recipe/explorer/ProcessTree.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabBar>

namespace {
// What a tab or menu entry shows of its text: "&&" as "&", a single "&" marks the next character.
QString ShownText(const QString& text)
{
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        shown += text.at(i);
    }
    return shown;
}
} // namespace

class WindowTitleShellTest : public RecipeShellFixture {
protected:
    // The first process's Coupling renamed through the Process Explorer's Information dialog.
    void RenameCoupling(const QString& name)
    {
        QTimer::singleShot(0, [name] {
            auto* dialog = dynamic_cast<CAddNewStepDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->findChild<QLineEdit*>("StepName")->setText(name);
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        auto* explorer = qobject_cast<CProcessTree*>(frame->pane(PaneID::ProcessExplorer)->widget());
        explorer->tree()->setFocus();
        explorer->tree()->setCurrentItem(explorer->tree()->topLevelItem(0)->child(0));
        DispatchCommand(ID_PROCESS_INFORMATION, explorer);
    }
    // The recipe window's title and what its tab shows.
    std::pair<QString, QString> RecipeTitleAndTab() const
    {
        auto* area = frame->findChild<QMdiArea*>();
        QWidget* view = frame->FindDocument(DocumentKind::ProjectRecipe, SHELL_COUPLING_STEP);
        const QList<QMdiSubWindow*> windows = area->subWindowList(QMdiArea::CreationOrder);
        const auto index =
            windows.indexOf(qobject_cast<QMdiSubWindow*>(view ? view->parentWidget() : nullptr));
        auto* tabs = area->findChild<QTabBar*>(QString(), Qt::FindDirectChildrenOnly);
        if (index < 0 || !tabs)
            return {};
        return {windows.at(index)->windowTitle(), ShownText(tabs->tabText(int(index)))};
    }
};

TEST_F(WindowTitleShellTest, ARecipeWindowShowsItsStepsNameAsTyped)
{
    const QString typed = QStringLiteral("Recipe: <i>Step</i> & co (1.0)");
    ASSERT_NE(OpenCouplingFromTheExplorer(), nullptr);
    RenameCoupling("<i>Step</i> & co");
    EXPECT_EQ(RecipeTitleAndTab(), std::pair(typed, typed)) << "retitled by the rename";
    SaveShellShot(frame, "wt1-renamed-recipe.png");

    ASSERT_TRUE(frame->CloseDocument(DocumentKind::ProjectRecipe, SHELL_COUPLING_STEP));
    ASSERT_NE(OpenCouplingFromTheExplorer(), nullptr);
    EXPECT_EQ(RecipeTitleAndTab(), std::pair(typed, typed)) << "titled when opened";
    EXPECT_FALSE(frame->windowTitle().contains("_co")) << frame->windowTitle().toStdString();
    ASSERT_TRUE(app->CloseProject(SaveAnswer::Discard));
}

TEST_F(WindowTitleShellTest, RecentFileEntriesShowTheirPathsAsTyped)
{
    frame->SetRecentFiles({"/work/R&D/A & B.prj"});
    QAction* entry = frame->action(ID_FILE_MRU_FIRST);
    EXPECT_EQ(ShownText(entry->text()).toStdString(), "1 /work/R&D/A & B.prj");
}
