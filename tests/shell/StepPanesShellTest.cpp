// The frame's step panes and Find box in the running program on the Demo project.

#include "RecipeShellFixture.h"

#include "foundation/common/concerns/FrameServices.h"
#include "foundation/common/concerns/SelectionContext.h"
#include "modules/opdialog/UnitProcedureEditDialog.h"
#include "modules/sharedclasses/QVGlobalParams.h"
#include "recipe/panes/ConditionalLogicView.h"
#include "recipe/panes/StandardStatementView.h"
#include "recipe/view/FindDialog.h"
#include "recipe/view/RecipeWindows.h"
#include "shell/bridge/OperationEditorDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QRadioButton>
#include <QScreen>

namespace {
// With QV_SHOTS_DIR set, the screen (else the frame; else the dialog alone) as x2-<name>.png there.
void StepPanesShot(CMainFrame* frame, const QString& name, QWidget* dialog = nullptr)
{
    const QString folder = qEnvironmentVariable("QV_SHOTS_DIR");
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return;
    if (!frame) {
        dialog->grab().save(QDir(folder).filePath("x2-" + name + ".png"));
        return;
    }
    frame->setGeometry(0, 0, 1600, 900);
    frame->resizeDocks({frame->pane(PaneID::SchedulingConstraints), frame->pane(PaneID::ProcessExplorer)},
                       {820, 250}, Qt::Horizontal);
    for (int pass = 0; pass < 10; ++pass)
        QCoreApplication::processEvents();
    const bool screen = QGuiApplication::platformName() == QLatin1String("xcb");
    QPixmap picture = screen ? QGuiApplication::primaryScreen()->grabWindow(0) : frame->grab();
    if (QDialog* find = frame->FindDialog(); find && find->isVisible()) { // a window of its own on top
        QPainter painter(&picture);
        painter.drawPixmap(QPoint(900, 430), find->grab());
    }
    picture.save(QDir(folder).filePath("x2-" + name + ".png"));
}

class StepPanesShellTest : public RecipeShellFixture {
protected:
    QDockWidget* ConstraintsDock() const { return frame->pane(PaneID::SchedulingConstraints); }
    QDockWidget* StatementsDock() const { return frame->pane(PaneID::StandardStatements); }
    void Raise(QDockWidget* dock)
    {
        dock->raise();
        for (int pass = 0; pass < 5; ++pass)
            QCoreApplication::processEvents();
    }
    void AddStartsAfter(const char* current, const char* parameter)
    {
        GetStepDatabase(SHELL_COUPLING_STEP)
            ->Execute(
                "INSERT INTO OperationConditionalLogicParameter (CurrentOperationID, ConditionalLogic, "
                "OperationParameterID, Delay, DelayUOM) SELECT c.ID, 'Starts-After', p.ID, 5, 'min' FROM "
                "TextRecipe c, TextRecipe p WHERE c.Label = ? AND p.Label = ?",
                {QString(current), QString(parameter)});
    }
    CFindDialog* ShowFind()
    {
        QAction* find = frame->action(ID_EDIT_FIND);
        frame->UpdateCommandStates();
        EXPECT_TRUE(find->isEnabled());
        find->trigger();
        return frame->FindDialog();
    }
    void FindNext(CFindDialog& dialog, const QString& text, bool matchCase = false, bool down = true)
    {
        dialog.findWhat().setEditText(text);
        dialog.findChild<QCheckBox*>("MatchCase")->setChecked(matchCase);
        dialog.findChild<QRadioButton*>(down ? "DirectionDown" : "DirectionUp")->setChecked(true);
        dialog.findChild<QPushButton*>("FindNext")->click();
    }
    // "Open Dialog" from the Standard Statements pane's menu on the row; fill runs on the modal
    // editor it opens, which is then accepted. Answers whether the editor opened.
    bool OpenDialogFromStatements(int row, const std::function<void(QDialog&)>& fill)
    {
        CStandardStatementView* statements = frame->StandardStatementView();
        const QPoint at = statements->list().visualItemRect(statements->list().topLevelItem(row)).center();
        bool shown = false;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_TRUE(menu && menu->objectName() == "StandardStatementMenu");
            QTimer::singleShot(0, [&] {
                auto* editor = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                ASSERT_NE(editor, nullptr);
                fill(*editor);
                shown = true;
                editor->accept();
            });
            menu->hide();
            menu->actions().first()->trigger();
        });
        EXPECT_TRUE(statements->ContextMenuAt(at));
        return shown;
    }
    static int RowStartingWith(const CTitledListCtrl& list, const QString& text)
    {
        for (int row = 0; row < list.GetItemCount(); ++row) {
            if (list.GetItemText(row, 0).startsWith(text))
                return row;
        }
        return -1;
    }
    static QString StoredRecipeText(long operationID)
    {
        QSqlQuery row = GetStepDatabase(SHELL_COUPLING_STEP)
                            ->Query("SELECT RecipeText FROM Operation WHERE OperationID = ?", {qlonglong(operationID)});
        return row.next() ? row.value(0).toString() : QString();
    }
    static QStringList ViewLines(const CQUORVANTAView& view)
    {
        QStringList lines;
        for (int index = 0; index < view.LineCount(); ++index)
            lines << view.Line(index)->text();
        return lines;
    }
    static QString Selected(const CQUORVANTAView& view)
    {
        const int index = view.GetFirstSelectedIndex();
        return index < 0 ? QString() : view.Line(index)->text();
    }
};

TEST_F(StepPanesShellTest, TheStepOfTheActiveRecipeFillsThePaneInFront)
{
    AddStartsAfter("1.7.", "1.6.");
    Raise(ConstraintsDock());
    CQUORVANTAView* view = OpenCouplingFromTheExplorer();
    ASSERT_NE(view, nullptr);
    Click(*view, "Cool");
    EXPECT_EQ(frame->GetCurrentStep(), SHELL_COUPLING_STEP);
    CConditionalLogicView* constraints = frame->ConditionalLogicView();
    CStandardStatementView* statements = frame->StandardStatementView();
    EXPECT_EQ(ConstraintsDock()->windowTitle(), "Scheduling Constraints for Coupling (1.0 )");
    EXPECT_EQ(constraints->list().GetItemText(0, 1), "1.5. Start-Sweep ");
    EXPECT_EQ(constraints->list().GetItemText(0, 3), "1.4. Heat");
    EXPECT_EQ(constraints->list().GetItemText(1, 1).toStdString(), "1.7. Transfer ");
    EXPECT_EQ(constraints->list().GetItemText(1, 2), "1.6. React + 5.00 min ");
    StepPanesShot(frame, "constraints");
    EXPECT_EQ(statements->stepID(), SHELL_COUPLING_STEP); // behind the tab: kept, not filled
    EXPECT_EQ(statements->list().GetItemCount(), 0);
    Raise(StatementsDock());
    EXPECT_EQ(statements->list().GetItemCount(), 12);
    EXPECT_EQ(statements->list().GetItemText(1, 0), "1.1 Purge R-101 with Nitrogen for 15 min...");
    StepPanesShot(frame, "statements");
    EXPECT_EQ(StatementsDock()->toggleViewAction()->text(), "Standard Statements");
    EXPECT_EQ(ConstraintsDock()->toggleViewAction()->text(), "Scheduling Constraints");
}

TEST_F(StepPanesShellTest, UnderSelectionSyncTheExplorersStepIsCurrent)
{
    auto* tree = frame->pane(PaneID::ProcessExplorer)->widget()->findChild<QTreeWidget*>();
    tree->setFocus();
    tree->setCurrentItem(tree->topLevelItem(0)->child(1)); // Crystallization
    EXPECT_EQ(frame->GetCurrentStep(), 1002);
    EXPECT_EQ(frame->StandardStatementView()->stepID(), 1002);
    {
        SelectionSyncOff off;
        tree->setCurrentItem(tree->topLevelItem(0)->child(2)); // Drying
    }
    EXPECT_EQ(frame->GetCurrentStep(), 1002);
}

TEST_F(StepPanesShellTest, RefreshSkipsAPaneBehindATab)
{
    Raise(ConstraintsDock());
    frame->SetCurrentStep(SHELL_COUPLING_STEP);
    AddStartsAfter("1.7.", "1.6.");
    RefreshStepPanes();
    CConditionalLogicView* constraints = frame->ConditionalLogicView();
    ASSERT_EQ(constraints->list().GetItemCount(), 2); // Start-Sweep begins the block's second series
    Raise(StatementsDock());
    ASSERT_FALSE(constraints->IsPaneVisible());
    AddStartsAfter("2.3.", "2.2.");
    RefreshStepPanes(); // a refresh of the hidden pane would have emptied it
    EXPECT_EQ(constraints->list().GetItemCount(), 2);
    Raise(ConstraintsDock());
    EXPECT_EQ(constraints->list().GetItemCount(), 3);
}

// Either kind of row opens its editor; the edit shows in the recipe, the explorer and the pane,
// marks the project, and outlives save and reopen.
TEST_F(StepPanesShellTest, OpenDialogFromTheStatementsPaneEditsEitherKindAndTheEditIsKept)
{
    CQtOperationDialogs qtDialogs; // the real unit-procedure form
    ServiceInstallations installed;
    installed.Install<OperationDialogService>(&qtDialogs);
    CQUORVANTAView* view = OpenCouplingFromTheExplorer();
    ASSERT_NE(view, nullptr);
    Raise(StatementsDock());
    frame->SetCurrentStep(SHELL_COUPLING_STEP);
    CTitledListCtrl& rows = frame->StandardStatementView()->list();
    ASSERT_EQ(rows.GetItemText(0, 0), "1 Reaction in R-101");
    app->setProjectModified(false);

    EXPECT_TRUE(OpenDialogFromStatements(0, [](QDialog& form) {
        ASSERT_NE(dynamic_cast<CUnitProcedureEditDialog*>(&form), nullptr);
        form.findChild<QLineEdit*>("UnitProcedureName")->setText("Coupling in R-101");
        StepPanesShot(nullptr, "open-dialog-unit-procedure", &form);
    }));
    EXPECT_TRUE(app->isProjectModified());
    EXPECT_EQ(rows.GetItemText(0, 0), "1 Coupling in R-101");
    EXPECT_EQ(ViewLines(*view).filter(QRegularExpression("^Coupling in R-101")).size(), 1);
    auto* tree = frame->pane(PaneID::ProcessExplorer)->widget()->findChild<QTreeWidget*>();
    EXPECT_EQ(tree->topLevelItem(0)->child(0)->child(0)->text(0), "1. Coupling in R-101");

    app->setProjectModified(false);
    const int operationRow = RowStartingWith(rows, "1.1 ");
    ASSERT_GE(operationRow, 0);
    EXPECT_TRUE(OpenDialogFromStatements(operationRow, [](QDialog& editor) {
        ASSERT_NE(dynamic_cast<COperationEditorDialog*>(&editor), nullptr);
        QLineEdit* value = nullptr;
        for (QLineEdit* edit : editor.findChildren<QLineEdit*>()) {
            if (!value && edit->objectName().startsWith("Field"))
                value = edit;
        }
        ASSERT_NE(value, nullptr);
        value->setText("42.5");
        StepPanesShot(nullptr, "open-dialog-operation", &editor);
    }));
    EXPECT_TRUE(app->isProjectModified());
    const QString after = rows.GetItemText(operationRow, 0);
    const QString stored = StoredRecipeText(frame->StandardStatementView()->itemIDs().value(operationRow));
    EXPECT_TRUE(stored.contains("42.5")) << stored.toStdString();
    EXPECT_EQ(after, "1.1 " + stored.section('.', 0, 0) + "...");
    const QStringList edited = ViewLines(*view);
    EXPECT_TRUE(edited.filter("42.5").size() == 1) << edited.join('|').toStdString();
    StepPanesShot(frame, "open-dialog-edited");

    ASSERT_TRUE(app->SaveOpenProject());
    ASSERT_TRUE(app->CloseProject(SaveAnswer::Discard));
    ASSERT_TRUE(app->OpenProjectByPath(m_project));
    view = OpenCouplingFromTheExplorer();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(ViewLines(*view), edited);
    Raise(StatementsDock());
    frame->SetCurrentStep(SHELL_COUPLING_STEP);
    EXPECT_EQ(rows.GetItemText(0, 0), "1 Coupling in R-101");
    EXPECT_EQ(rows.GetItemText(operationRow, 0), after);
    StepPanesShot(frame, "open-dialog-reopened");
}

TEST_F(StepPanesShellTest, ClosingTheProjectClearsBothPanesAndTheCurrentStep)
{
    Raise(ConstraintsDock());
    AddStartsAfter("1.7.", "1.6.");
    frame->SetCurrentStep(SHELL_COUPLING_STEP);
    frame->action(ID_FILE_CLOSE)->trigger();
    EXPECT_EQ(frame->GetCurrentStep(), -1);
    EXPECT_EQ(frame->ConditionalLogicView()->stepID(), -1);
    EXPECT_EQ(frame->StandardStatementView()->stepID(), -1);
    EXPECT_EQ(ConstraintsDock()->windowTitle(), "Scheduling Constraints");
    EXPECT_EQ(StatementsDock()->windowTitle(), "Operating Instruction Standard Statements");
    EXPECT_EQ(frame->ConditionalLogicView()->list().GetItemCount(), 0);
    ASSERT_TRUE(app->OpenGivenProjectFile(m_project));
    frame->SetCurrentStep(SHELL_COUPLING_STEP); // the same id in the next project fills again
    EXPECT_EQ(ConstraintsDock()->windowTitle(), "Scheduling Constraints for Coupling (1.0 )");
}

TEST_F(StepPanesShellTest, FindSearchesTheActiveRecipeWithoutWrapping)
{
    CQUORVANTAView* view = OpenCouplingFromTheExplorer();
    ASSERT_NE(view, nullptr);
    CFindDialog* dialog = ShowFind();
    ASSERT_TRUE(dialog && dialog->isVisible());
    prompts.expect(IDOK); // the Process Explorer was the last active pane
    frame->pane(PaneID::ProcessExplorer)->widget()->findChild<QTreeWidget*>()->setFocus();
    QCoreApplication::processEvents();
    ContextRecord explorer;
    explorer.kind = CONTEXT_PROCESS_EXPLORER;
    frame->ReportActive(nullptr, explorer);
    FindNext(*dialog, "Heat");
    EXPECT_EQ(prompts.lastText(), "You can only search for Text Recipe Window!");

    QApplication::setActiveWindow(frame);
    Click(*view, "Purge");
    ASSERT_EQ(frame->CurrentContext().kind, CONTEXT_TEXT_RECIPE);

    dialog->activateWindow(); // Find Next from the focused dialog searches the last active recipe
    QCoreApplication::processEvents();
    FindNext(*dialog, "r-102");
    EXPECT_EQ(Selected(*view), "Transfer 100 kg to R-102."); // where the transfer goes
    FindNext(*dialog, "r-102");
    EXPECT_EQ(Selected(*view), "Work-up in R-102");
    FindNext(*dialog, "R-102");
    EXPECT_EQ(Selected(*view), "Cool R-102 to 20 C over 60 min.");
    EXPECT_EQ(dialog->findWhat().count(), 1); // a text and its other case: one entry
    StepPanesShot(frame, "find");
    prompts.expect(IDOK);
    FindNext(*dialog, "r-102", true); // match case
    EXPECT_EQ(prompts.lastText(), "Cannot find 'r-102'.");
    EXPECT_EQ(Selected(*view), "Cool R-102 to 20 C over 60 min.");
    prompts.expect(IDOK);
    FindNext(*dialog, "Work-up", false, true); // no wrap-around
    EXPECT_EQ(prompts.lastText(), "Cannot find 'Work-up'.");
    EXPECT_EQ(dialog->findWhat().count(), 2);

    Click(*view, "Reaction");
    prompts.expect(IDOK);
    FindNext(*dialog, "Reaction", false, false); // up from the first line
    EXPECT_EQ(prompts.lastText(), "Cannot find 'Reaction'.");
    Click(*view, "Charge 800");
    FindNext(*dialog, "inert the", false, false); // comments are searched too
    EXPECT_TRUE(Selected(*view).startsWith("Reaction in R-101"));
}

TEST_F(StepPanesShellTest, CancelEscapeAndCloseOnlyHideTheFindBox)
{
    CFindDialog* dialog = ShowFind();
    ASSERT_NE(dialog, nullptr);
    dialog->findWhat().setEditText("Heat");
    dialog->findChild<QCheckBox*>("MatchCase")->setChecked(true);
    dialog->findChild<QRadioButton*>("DirectionUp")->setChecked(true);
    dialog->findChild<QPushButton*>("Cancel")->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(ShowFind(), dialog);
    EXPECT_EQ(dialog->findWhat().currentText(), "Heat");
    EXPECT_TRUE(dialog->matchCase());
    EXPECT_EQ(dialog->direction(), 0);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(dialog, &escape);
    EXPECT_FALSE(dialog->isVisible());
    ShowFind();
    dialog->close();
    EXPECT_FALSE(dialog->isVisible());
    ShowFind();
    frame->action(ID_FILE_CLOSE)->trigger();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(frame->FindDialog(), dialog);
    frame->UpdateCommandStates();
    EXPECT_FALSE(frame->action(ID_EDIT_FIND)->isEnabled());
    EXPECT_EQ(frame->action(ID_EDIT_FIND)->shortcut(), QKeySequence("Ctrl+F"));
}
} // namespace
