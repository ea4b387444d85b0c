// The run's outcome in the status bar as the user meets it: a run started by a click on the
// toolbar's Run while the button's tip shows leaves its outcome visible once the tip goes; Stop and
// Reset and Close Project clear it; saves, Save As, closes and opens between runs leave the next
// run's outcome in sight.

#include "RecipeShellFixture.h"
#include "ScriptedProjectDialogs.h"
#include "projects/SaveAsProjectDialog.h"
#include "shell/MCStatusBar.h"
#include "simulation/BatchSimulation.h"

#include <QLineEdit>
#include <QStatusTipEvent>
#include <QTest>
#include <QToolButton>

class RunOutcomeShellTest : public RecipeShellFixture {
public:
    // The pointer rests on the button (its tip shows in the status bar), clicks it, and leaves.
    void ClickToolbarButton(int commandID)
    {
        QAction* action = frame->action(commandID);
        auto* toolBar = frame->findChild<QToolBar*>("StandardToolBar");
        ASSERT_NE(toolBar, nullptr);
        auto* button = qobject_cast<QToolButton*>(toolBar->widgetForAction(action));
        ASSERT_NE(button, nullptr);
        QStatusTipEvent enter(action->statusTip());
        QCoreApplication::sendEvent(button, &enter);
        ASSERT_EQ(frame->GetStatusBar()->currentMessage(), action->statusTip());
        button->click();
        QStatusTipEvent leave{QString()};
        QCoreApplication::sendEvent(button, &leave);
    }
    QLabel* Outcome() const { return frame->GetStatusBar()->findChild<QLabel*>("RunOutcome"); }
    // The key typed in the frame's focus widget: its shortcut runs the command.
    void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        frame->UpdateCommandStates();
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : frame, key, modifiers);
    }
    // The outcome label once the status bar has laid it out: shown, wide enough to read, with text.
    void ExpectOutcomeInSight(const char* text)
    {
        QCoreApplication::processEvents();
        EXPECT_TRUE(Outcome()->isVisible()) << text;
        EXPECT_GE(Outcome()->width(), Outcome()->sizeHint().width()) << text;
        EXPECT_TRUE(Outcome()->text().startsWith("Simulate Batch: step Coupling (1.0) completed; "))
            << text << ": " << Outcome()->text().toStdString();
    }
};

TEST_F(RunOutcomeShellTest, TheOutcomeOfAToolbarRunIsSeenUntilResetOrClose)
{
    ASSERT_NE(Outcome(), nullptr) << "the label is made with the frame";
    EXPECT_TRUE(Outcome()->isVisible());
    CQUORVANTAView* view = OpenCouplingFromTheExplorer();
    ASSERT_NE(view, nullptr);
    Click(*view, "Reaction in R-101");

    ClickToolbarButton(ID_SIMULATE_RUN);
    EXPECT_TRUE(Outcome()->text().startsWith("Simulate Batch: step Coupling (1.0) completed; "))
        << Outcome()->text().toStdString();
    EXPECT_TRUE(Outcome()->isVisible());
    QCoreApplication::processEvents(); // the status bar lays the new text out
    EXPECT_GE(Outcome()->width(), Outcome()->sizeHint().width()) << "the label is wide enough to read";
    SaveShellShot(frame, "ro1-toolbar-run.png");

    frame->UpdateCommandStates();
    frame->action(ID_SIMULATE_STOP_RESET)->trigger();
    EXPECT_EQ(Outcome()->text().toStdString(), "");

    frame->SimulateBatch(BATCH_WHOLE, -1, -1, BATCH_CALLER_USER);
    ASSERT_FALSE(Outcome()->text().isEmpty());
    ASSERT_TRUE(app->CloseProject(SaveAnswer::Discard));
    EXPECT_EQ(Outcome()->text().toStdString(), "") << "no outcome of the closed project's step";
    EXPECT_TRUE(Outcome()->isVisible());
}

// What the user does between two runs. A save keeps the run's outcome in sight; Save As (which
// opens the project under its new name) and a close clear it. Either way the next run shows its own.
class OutcomeBetweenRunsTest;
struct BetweenRuns {
    const char* name;
    void (OutcomeBetweenRunsTest::*act)();
    bool keepsOutcome;
    friend void PrintTo(const BetweenRuns& between, std::ostream* out) { *out << between.name; }
};

class OutcomeBetweenRunsTest : public RunOutcomeShellTest, public ::testing::WithParamInterface<BetweenRuns> {
public:
    void PressCtrlS() { PressKey(Qt::Key_S, Qt::ControlModifier); }
    void ClickToolbarSave() { ClickToolbarButton(ID_FILE_SAVE); }
    // Save As into a new folder of its own; the project opens again under the new name.
    void SaveAs()
    {
        const QString name = QStringLiteral("Copy%1").arg(++m_copies);
        ScriptedProjectDialogs dialogs;
        dialogs.expectDialog<CSaveAsProjectDialog>([&](CSaveAsProjectDialog& dialog) {
            dialog.NameEdit()->setText(name);
            dialog.DirectoryEdit()->setText(m_root.path() + '/' + name);
            return dialog.OnOK() ? int(IDOK) : int(IDCANCEL);
        });
        frame->ExecuteCommand(ID_FILE_SAVE_AS);
        EXPECT_TRUE(dialogs.allAnswersUsed());
        EXPECT_EQ(app->fileSet().projectFilePath, m_root.path() + '/' + name + '/' + name + ".prj");
    }
    void SaveCloseAndReopen()
    {
        PressCtrlS();
        const QString path = app->fileSet().projectFilePath;
        frame->ExecuteCommand(ID_FILE_CLOSE);
        EXPECT_EQ(Outcome()->text().toStdString(), "") << "the closed project's outcome goes with it";
        ASSERT_TRUE(app->OpenProjectByPath(path));
    }

    // The recipe open (the frame's project may have been opened again) and its step run by F5.
    void RunByF5(const char* when)
    {
        if (!frame->FindDocument(DocumentKind::ProjectRecipe, SHELL_COUPLING_STEP)) {
            ASSERT_NE(OpenCouplingFromTheExplorer(), nullptr);
        }
        PressKey(Qt::Key_F5);
        ExpectOutcomeInSight(when);
    }
    void Shot(const char* stage) const
    {
        SaveShellShot(frame, QStringLiteral("ro2-%1-%2.png").arg(GetParam().name, stage));
    }

private:
    int m_copies = 0;
};

TEST_P(OutcomeBetweenRunsTest, TheNextRunShowsItsOutcome)
{
    const BetweenRuns& between = GetParam();
    for (int round = 1; round <= 2; ++round) { // the second round after the first's save and reset
        ASSERT_NO_FATAL_FAILURE(RunByF5("after the run"));
        Shot(round == 1 ? "1-run" : "4-run");
        app->setProjectModified(true);
        ASSERT_NO_FATAL_FAILURE((this->*between.act)());
        EXPECT_FALSE(app->isProjectModified()) << "saved";
        Shot(round == 1 ? "2-saved" : "5-saved");
        if (!between.keepsOutcome) {
            EXPECT_EQ(Outcome()->text().toStdString(), "") << "the outcome named the project as it was";
            continue;
        }
        ExpectOutcomeInSight("the outcome stays until the next run, Stop and Reset or the close");
        frame->UpdateCommandStates();
        frame->action(ID_SIMULATE_STOP_RESET)->trigger();
        EXPECT_EQ(Outcome()->text().toStdString(), "");
        Shot(round == 1 ? "3-reset" : "6-reset");
    }
    ASSERT_NO_FATAL_FAILURE(RunByF5("the run after them"));
    Shot("7-run");
}

const BetweenRuns kBetweenRuns[] = {
    {"CtrlS", &OutcomeBetweenRunsTest::PressCtrlS, true},
    {"ToolbarSave", &OutcomeBetweenRunsTest::ClickToolbarSave, true},
    {"SaveAs", &OutcomeBetweenRunsTest::SaveAs, false},
    {"SaveCloseAndReopen", &OutcomeBetweenRunsTest::SaveCloseAndReopen, false},
};
INSTANTIATE_TEST_SUITE_P(RunOutcomeShellTest, OutcomeBetweenRunsTest, ::testing::ValuesIn(kBetweenRuns),
                         [](const auto& info) { return std::string(info.param.name); });
