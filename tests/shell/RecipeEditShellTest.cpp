// Line edits of the Demo's Coupling recipe on a real application: the Delete key goes to the
// focused window only, the context menu runs the edits, and what they wrote opens again.

#include "RecipeShellFixture.h"
#include "foundation/common/MessageBox.h"

#include <QWindow>

// QtGui's entry for simulated keys: a key press of the window system, shortcuts offered first.
Q_GUI_EXPORT void qt_handleKeyEvent(QWindow* w, QEvent::Type t, int k, Qt::KeyboardModifiers mods,
                                    const QString& text, bool autorep, ushort count);

namespace {
class RecipeEditShellTest : public RecipeShellFixture {
protected:
    // A key pressed with the focus in widget, delivered as the window system delivers it.
    static void PressKey(QWidget* widget, int key)
    {
        widget->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), widget);
        qt_handleKeyEvent(widget->window()->windowHandle(), QEvent::KeyPress, key, Qt::NoModifier, QString(), false, 1);
        QCoreApplication::processEvents();
    }
    QTreeWidget* ExplorerTree() const
    {
        return frame->pane(PaneID::ProcessExplorer)->widget()->findChild<QTreeWidget*>();
    }
    static CRecipeButton* LineStarting(const CQUORVANTAView& view, const QString& text)
    {
        for (int index = 0; index < view.LineCount(); ++index) {
            if (view.Line(index)->text().startsWith(text))
                return view.Line(index);
        }
        return nullptr;
    }
};
} // namespace

TEST_F(RecipeEditShellTest, DeleteInTheProcessExplorerLeavesTheRecipe)
{
    CQUORVANTAView* view = OpenCouplingFromTheExplorer();
    ASSERT_NE(view, nullptr);
    Click(*view, "Purge");
    const QStringList before = StoredLines(SHELL_COUPLING_STEP);
    emit frame->menu("&Edit")->aboutToShow(); // the commands' states as the frame keeps them
    ASSERT_TRUE(frame->action(ID_EDIT_DELETE)->isEnabled());
    PressKey(ExplorerTree(), Qt::Key_Delete); // no question: nothing reaches the recipe
    EXPECT_EQ(StoredLines(SHELL_COUPLING_STEP), before);
    EXPECT_EQ(view->LineCount(), before.size());
    QAction* deleteCommand = frame->action(ID_EDIT_DELETE);
    EXPECT_TRUE(deleteCommand->shortcut().isEmpty());
    EXPECT_EQ(deleteCommand->text(), "&Delete\tDel") << "the menu still names the key";

    prompts.expect(IDYES);
    PressKey(LineStarting(*view, "Purge"), Qt::Key_Delete);
    EXPECT_EQ(prompts.lastText(), "Do you really want to delete this operation ?");
    EXPECT_EQ(StoredLines(SHELL_COUPLING_STEP).size(), before.size() - 1);
    prompts.expect(IDNO); // the exit's question whether to save
}

TEST_F(RecipeEditShellTest, ContextMenuEditsAreSavedAndOpenAgain)
{
    CQUORVANTAView* view = OpenCouplingFromTheExplorer();
    ASSERT_NE(view, nullptr);
    Click(*view, "Charge 800");
    ClickContextMenu(*view, "Charge 800", "Move Up");
    Click(*view, "Age R-102");
    ClickContextMenu(*view, "Age R-102", "Move Right\tTab");
    Click(*view, "Work-up");
    ClickContextMenu(*view, "Work-up", "Toggle Hide");
    prompts.expect(IDYES);
    Click(*view, "Transfer");
    ClickContextMenu(*view, "Transfer", "Delete\tDel");
    const QStringList edited = StoredLines(SHELL_COUPLING_STEP);
    EXPECT_EQ(edited.join('|').toStdString(), "1. Unit Procedure|1.1. Charge|1.2. Purge|1.3. Charge|Start Parallel|Series|1.4. Heat|"
                                "Series|1.5. Start-Sweep|End Parallel|1.6. React|2. Unit Procedure|2.1. Cool|"
                                "2.2. Distill|2.3. Age");

    frame->action(ID_FILE_SAVE)->trigger();
    frame->action(ID_FILE_CLOSE)->trigger();
    ASSERT_TRUE(app->OpenGivenProjectFile(m_project));
    view = OpenCouplingFromTheExplorer();
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->LineCount(), edited.size());
    EXPECT_TRUE(LineStarting(*view, "Charge 800")->line().label == "1.1.");
    EXPECT_EQ(LineStarting(*view, "Age R-102")->line().indent, 3);
    EXPECT_TRUE(view->Line(11)->line().hidden && view->Line(14)->line().hidden);
    EXPECT_FALSE(view->Line(10)->line().hidden);
}

// A header moved over an operation puts it under the other vessel: its text follows at once, in
// the store and on its line; a transfer names the next unit procedure's vessel or leaves the step.
TEST_F(RecipeEditShellTest, OperationsUnderAnotherUnitProcedureAreWrittenForItsVessel)
{
    CQUORVANTAView* view = OpenCouplingFromTheExplorer();
    ASSERT_NE(view, nullptr);
    const auto stored = [](const QString& start) {
        QSqlQuery row =
            GetStepDatabase(SHELL_COUPLING_STEP)
                ->Query("SELECT RecipeText FROM Operation WHERE RecipeText LIKE ? || '%'", {start});
        return row.next() ? row.value(0).toString() : QString("none");
    };
    ASSERT_EQ(stored("Transfer"), "Transfer 100 kg to R-102.");
    const struct {
        const char* command;
        const char* cool;
        const char* transfer;
    } moves[] = {{"Move Down", "Cool R-101", "Transfer 100 kg to R-102."},
                 {"Move Up", "Cool R-102", "Transfer 100 kg to R-102."},
                 {"Move Up", "Cool R-102", "Transfer 100 kg out of the step."},
                 {"Move Down", "Cool R-102", "Transfer 100 kg to R-102."}};
    for (const auto& move : moves) {
        Click(*view, "Work-up");
        ClickContextMenu(*view, "Work-up", move.command);
        EXPECT_TRUE(stored("Cool").startsWith(move.cool))
            << move.command << ": " << stored("Cool").toStdString();
        EXPECT_EQ(stored("Transfer"), move.transfer) << move.command;
        EXPECT_NE(LineStarting(*view, move.cool), nullptr) << move.command;
        EXPECT_NE(LineStarting(*view, move.transfer), nullptr) << move.command;
    }
    prompts.expect(IDNO); // the exit's question whether to save
}

// A pasted operation is written for the vessel of the unit procedure it lands in, in the store and
// on its line, as a moved one is.
TEST_F(RecipeEditShellTest, APastedOperationIsWrittenForTheVesselItLandsIn)
{
    CQUORVANTAView* view = OpenCouplingFromTheExplorer();
    ASSERT_NE(view, nullptr);
    Click(*view, "Purge R-101");
    ClickContextMenu(*view, "Purge R-101", "Copy");
    Click(*view, "Work-up");
    frame->action(ID_EDIT_PASTE)->trigger();
    QSqlQuery row =
        GetStepDatabase(SHELL_COUPLING_STEP)
            ->Query("SELECT COUNT(*) FROM Operation o JOIN UnitProcedure u USING (UnitProcedureID)"
                    " WHERE u.UnitProcedureName = 'Work-up in R-102'"
                    " AND o.RecipeText = 'Purge R-102 with Nitrogen for 15 min.'");
    ASSERT_TRUE(row.next());
    EXPECT_EQ(row.value(0).toLongLong(), 1);
    EXPECT_NE(LineStarting(*view, "Purge R-102 with Nitrogen for 15 min."), nullptr);
    EXPECT_NE(LineStarting(*view, "Purge R-101 with Nitrogen for 15 min."), nullptr) << "the source stays";
    prompts.expect(IDNO); // the exit's question whether to save
}
