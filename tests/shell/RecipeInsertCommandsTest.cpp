// Inserts into the Demo's Coupling recipe on a real application: the recipe opened from the Process
// Explorer, an operation and a parallel block inserted through the Edit menu and through the
// recipe's context menu, saved, closed and opened again.

#include "ScriptedPrompts.h"
#include "ShellTestSupport.h"
#include "foundation/common/AppContext.h"
#include "foundation/common/CommandIds.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/ProjectGenerator.h"
#include "modules/opdialog/OperationDialogService.h"
#include "recipe/QuorvantaView.h"
#include "recipe/RecipeButton.h"
#include "shell/MainFrame.h"
#include "shell/QuorvantaApp.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {
constexpr int HEAT_COMMAND = 32917;
constexpr long COUPLING = 1001;

// Every new operation takes its type's name as its label.
class NamingOperationDialogs : public OperationDialogService {
public:
    std::optional<NewUnitProcedureInput> AskUnitProcedure(const QString&) override { return std::nullopt; }
    std::optional<NewOperationInput> AskOperation(const QString& typeName, const QString&) override
    {
        return NewOperationInput{typeName};
    }
};

// "label text" of every row of the step in recipe order.
QStringList StoredLines(long stepID)
{
    QSqlQuery query = GetStepDatabase(stepID)->Query(
        "SELECT COALESCE(t.Label, ''), COALESCE(o.QuorvantaLabel, t.Type) FROM TextRecipe t LEFT JOIN "
        "Operation o ON t.Type = 'Operation' AND o.OperationID = t.ID ORDER BY t.RecipeSequenceNumber");
    QStringList lines;
    while (query.next())
        lines << (query.value(0).toString() + ' ' + query.value(1).toString()).trimmed();
    return lines;
}

QAction* ActionTitled(const QMenu& menu, const QString& path)
{
    const QString first = path.section('/', 0, 0);
    for (QAction* action : menu.actions()) {
        if (action->text().remove('&') != first)
            continue;
        return path.contains('/') ? ActionTitled(*action->menu(), path.section('/', 1)) : action;
    }
    return nullptr;
}

class RecipeInsertCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetShellProfile();
        ASSERT_TRUE(CProjectGenerator().Write(CProjectGenerator::DemoProject(), m_root.path() + "/Demo/"));
        m_installed.Install<OperationDialogService>(&m_dialogs);
        app = std::make_unique<CQuorvantaApp>();
        ASSERT_TRUE(app->InitInstance({"quorvanta", m_project}));
        frame = app->mainFrame();
        frame->show();
        QApplication::setActiveWindow(frame);
    }
    void TearDown() override
    {
        app->ExitInstance();
        EXPECT_TRUE(prompts.allAnswersUsed());
    }

    // Coupling selected in the Process Explorer and its recipe opened from the pane's toolbar.
    CQUORVANTAView* OpenCouplingFromTheExplorer()
    {
        QWidget* pane = frame->pane(PaneID::ProcessExplorer)->widget();
        auto* tree = pane->findChild<QTreeWidget*>();
        tree->setFocus();
        tree->setCurrentItem(tree->topLevelItem(0)->child(0));
        for (QAction* action : pane->findChild<QToolBar*>("ProcessToolbar")->actions()) {
            if (action->data().toInt() == ID_PROCESS_TEXT_RECIPE)
                action->trigger();
        }
        auto* view =
            dynamic_cast<CQUORVANTAView*>(frame->FindDocument(DocumentKind::ProjectRecipe, COUPLING));
        for (int wait = 0; view && view->LineCount() == 0 && wait < 200; ++wait)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10); // its first paint loads the lines
        return view;
    }
    // A left click on the view's line that starts with text, and focus in the view.
    static void Click(CQUORVANTAView& view, const QString& text, Qt::MouseButton button = Qt::LeftButton)
    {
        int index = 0;
        while (index < view.LineCount() && !view.Line(index)->text().startsWith(text))
            ++index;
        ASSERT_LT(index, view.LineCount()) << text.toStdString();
        CRecipeButton* line = view.Line(index);
        view.setFocus();
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), line->mapToGlobal(QPointF(5, 5)), button,
                          button, Qt::NoModifier);
        QCoreApplication::sendEvent(line, &press);
    }
    // The Edit menu opened (its enabling pass) and the command at path clicked.
    void ClickEditMenu(const QString& path)
    {
        QMenu* edit = frame->menu("&Edit");
        emit edit->aboutToShow();
        QAction* action = ActionTitled(*edit, path);
        ASSERT_NE(action, nullptr) << path.toStdString();
        ASSERT_TRUE(action->isEnabled()) << path.toStdString();
        action->trigger();
    }
    // A right click on the line opens the recipe's context menu; the command at path is clicked.
    void ClickContextMenu(CQUORVANTAView& view, const QString& line, const QString& path)
    {
        bool clicked = false;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_TRUE(menu && menu->objectName() == "RecipeTextMenu");
            QAction* action = ActionTitled(*menu, path);
            ASSERT_TRUE(action && action->isEnabled()) << path.toStdString();
            menu->hide(); // as a click does: the menu goes, then its command runs
            action->trigger();
            clicked = true;
        });
        Click(view, line, Qt::RightButton);
        EXPECT_TRUE(clicked) << path.toStdString();
    }

    QTemporaryDir m_root;
    const QString m_project = m_root.path() + "/Demo/Demo.prj";
    NamingOperationDialogs m_dialogs;
    ServiceInstallations m_installed;
    ScriptedPromptService prompts;
    std::unique_ptr<CQuorvantaApp> app;
    CMainFrame* frame = nullptr;
};
} // namespace

TEST_F(RecipeInsertCommandsTest, InsertsFromTheMenusAreSavedAndOpenAgain)
{
    int paneRefreshes = 0;
    frame->SetPaneWidget(PaneID::StandardStatements, new QLabel, [&] { ++paneRefreshes; });
    frame->pane(PaneID::StandardStatements)->show();
    CQUORVANTAView* view = OpenCouplingFromTheExplorer();
    ASSERT_NE(view, nullptr);
    const QStringList before = StoredLines(COUPLING);

    Click(*view, "Age R-102");
    ClickEditMenu("Insert Batch Operation/Operation E to L/Heat");
    Click(*view, "Cool R-101");
    ClickEditMenu("Insert Keyword/Parallel");
    Click(*view, "Reaction in R-101");
    ClickContextMenu(*view, "Reaction in R-101", "Insert Batch Operation/Operation E to L/Heat");
    Click(*view, "Distill");
    ClickContextMenu(*view, "Distill", "Insert Keyword/Parallel");
    EXPECT_EQ(paneRefreshes, 2) << "the two operations refresh the step panes";
    const QStringList inserted = StoredLines(COUPLING);
    ASSERT_EQ(inserted.size(), before.size() + 10);
    EXPECT_EQ(
        inserted.join('|'),
        "1. Unit Procedure|1.1. Heat|1.2. Purge|1.3. Charge|1.4. Charge|Start Parallel|Series|1.5. Heat|"
        "Series|1.6. Start-Sweep|End Parallel|1.7. React|1.8. Cool|Start Parallel|Series|Series|End "
        "Parallel|2. Unit Procedure|2.1. Transfer|2.2. Distill|Start Parallel|Series|Series|End "
        "Parallel|2.3. Age|2.4. Heat");

    frame->action(ID_FILE_SAVE)->trigger();
    frame->action(ID_FILE_CLOSE)->trigger();
    ASSERT_FALSE(frame->IsProjectOpen());
    ASSERT_TRUE(app->OpenGivenProjectFile(m_project));
    EXPECT_EQ(StoredLines(COUPLING), inserted);
    view = OpenCouplingFromTheExplorer();
    ASSERT_NE(view, nullptr);
    QStringList shown;
    for (int index = 0; index < view->LineCount(); ++index) {
        const RecipeLineRecord& line = view->Line(index)->line();
        shown << (line.label + ' ' +
                  (line.kind == RECIPE_LINE_OPERATION ? line.operationLabel : line.typeText))
                     .trimmed();
    }
    EXPECT_EQ(shown, inserted);
}
