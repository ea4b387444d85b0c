// Names in window titles, tabs and menu entries show as typed: "&" is no shortcut mark there and
// markup stays text.

#include "PaintedText.h"
#include "RecipeShellFixture.h"
#include "foundation/common/concerns/CommandDispatcher.h"
#include "modules/addnew/AddNewStepDialog.h"
#include "recipe/explorer/ProcessTree.h"

#include <QDialogButtonBox>
#include <QDockWidget>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabBar>

#include <functional>

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

// The runs as a list, each underlined one marked "[u]".
QStringList Readable(const QList<PaintedRun>& runs)
{
    QStringList texts;
    for (const PaintedRun& run : runs)
        texts << (run.underlined ? "[u]" : "") + run.text;
    return texts;
}

// The text painted whole as one run, and no letter underlined as a shortcut's.
bool PaintsAsTyped(const QList<PaintedRun>& runs, const QString& text)
{
    const QStringList readable = Readable(runs);
    return readable.contains(text) && readable.filter("[u]").isEmpty();
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

    static constexpr long CRYSTALLIZATION_STEP = 1002;
    QDockWidget* Statements() const { return frame->pane(PaneID::StandardStatements); }
    void ActivateRecipe(long stepID)
    {
        QWidget* view = frame->FindDocument(DocumentKind::ProjectRecipe, stepID);
        frame->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(view->parentWidget()));
    }
    // The Standard Statements pane given room for its whole title, wherever it is docked.
    void WidenStatements()
    {
        frame->setGeometry(0, 0, 1600, 900);
        frame->resizeDocks({Statements()}, {1100}, Qt::Horizontal);
        for (int pass = 0; pass < 10; ++pass)
            QCoreApplication::processEvents();
    }
    // What the tab bar that holds the pane's tab paints, and what the pane itself paints (its
    // title bar and list).
    std::pair<QList<PaintedRun>, QList<PaintedRun>> StatementsTabsAndPane() const
    {
        for (QTabBar* tabs : frame->findChildren<QTabBar*>(QString(), Qt::FindDirectChildrenOnly)) {
            for (int index = 0; tabs->isVisible() && index < tabs->count(); ++index) {
                if (tabs->tabText(index) == Statements()->windowTitle())
                    return {PaintedText(*tabs), PaintedText(*Statements())};
            }
        }
        return {{}, PaintedText(*Statements())};
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

// The Standard Statements pane's title names the current step; the pane is tabbed with another.
TEST_F(WindowTitleShellTest, ATabbedPaneShowsItsStepsNameAsTyped)
{
    const QString named = "Operating Instruction Standard Statements for <i>Step</i> & co (1.0)";
    const QString other = "Operating Instruction Standard Statements for Crystallization (1.0)";
    ASSERT_NE(OpenCouplingFromTheExplorer(), nullptr);
    RenameCoupling("<i>Step</i> & co");
    const QByteArray layout = frame->saveState();
    const auto tabWithTheExplorers = [&] { // and the right side narrowed, for the pane's whole title
        frame->tabifyDockWidget(frame->pane(PaneID::ProcessExplorer), Statements());
        Statements()->raise();
        frame->resizeDocks({frame->pane(PaneID::SchedulingConstraints)}, {200}, Qt::Horizontal);
    };
    const struct {
        const char* when;
        std::function<void()> change;
        QString title;
    } cases[] = {
        {"renamed", [] {}, named},
        {"another step current", [&] { OpenRecipeFromTheExplorer(1, CRYSTALLIZATION_STEP); }, other},
        {"the step current again", [&] { ActivateRecipe(SHELL_COUPLING_STEP); }, named},
        {"tabbed with the explorers", tabWithTheExplorers, named},
        {"layout restored", [&] { frame->restoreState(layout); }, named},
    };
    for (const auto& [when, change, title] : cases) {
        change();
        WidenStatements();
        const auto [tabs, pane] = StatementsTabsAndPane();
        EXPECT_EQ(Statements()->windowTitle(), title) << when;
        EXPECT_TRUE(PaintsAsTyped(tabs, title)) << when << ": " << Readable(tabs).join(" | ").toStdString();
        EXPECT_TRUE(PaintsAsTyped(pane, title)) << when << ": " << Readable(pane).join(" | ").toStdString();
    }
    SaveShellShot(frame, "w2-tabbed-pane-named.png");
    ASSERT_TRUE(app->CloseProject(SaveAnswer::Discard));
}

TEST_F(WindowTitleShellTest, RecentFileEntriesShowTheirPathsAsTyped)
{
    frame->SetRecentFiles({"/work/R&D/A & B.prj"});
    QAction* entry = frame->action(ID_FILE_MRU_FIRST);
    EXPECT_EQ(ShownText(entry->text()).toStdString(), "1 /work/R&D/A & B.prj");
}
