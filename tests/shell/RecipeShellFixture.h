#pragma once
// The Demo project open in a real application, with the Coupling recipe opened from the Process
// Explorer: clicks on its lines, the Edit menu and the recipe's context menu, the stored lines.

#include "ScriptedPrompts.h"
#include "ShellTestSupport.h"
#include "foundation/common/CommandIds.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "modules/opdialog/OperationDialogService.h"
#include "recipe/view/QuorvantaView.h"
#include "recipe/view/RecipeButton.h"
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

constexpr long SHELL_COUPLING_STEP = 1001;

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
inline QStringList StoredLines(long stepID)
{
    QSqlQuery query = GetStepDatabase(stepID)->Query(
        "SELECT COALESCE(t.Label, ''), COALESCE(o.QuorvantaLabel, t.Type) FROM TextRecipe t LEFT JOIN "
        "Operation o ON t.Type = 'Operation' AND o.OperationID = t.ID ORDER BY t.RecipeSequenceNumber");
    QStringList lines;
    while (query.next())
        lines << (query.value(0).toString() + ' ' + query.value(1).toString()).trimmed();
    return lines;
}

inline QAction* ActionTitled(const QMenu& menu, const QString& path)
{
    const QString first = path.section('/', 0, 0);
    for (QAction* action : menu.actions()) {
        if (action->text().remove('&') != first)
            continue;
        return path.contains('/') ? ActionTitled(*action->menu(), path.section('/', 1)) : action;
    }
    return nullptr;
}

class RecipeShellFixture : public ::testing::Test {
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
        return OpenRecipeFromTheExplorer(0, SHELL_COUPLING_STEP);
    }
    // The first process's step at that place selected in the Process Explorer and its recipe opened
    // from the pane's toolbar.
    CQUORVANTAView* OpenRecipeFromTheExplorer(int place, long stepID)
    {
        QWidget* pane = frame->pane(PaneID::ProcessExplorer)->widget();
        auto* tree = pane->findChild<QTreeWidget*>();
        tree->setFocus();
        tree->setCurrentItem(tree->topLevelItem(0)->child(place));
        for (QAction* action : pane->findChild<QToolBar*>("ProcessToolbar")->actions()) {
            if (action->data().toInt() == ID_PROCESS_TEXT_RECIPE)
                action->trigger();
        }
        auto* view = dynamic_cast<CQUORVANTAView*>(frame->FindDocument(DocumentKind::ProjectRecipe, stepID));
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
