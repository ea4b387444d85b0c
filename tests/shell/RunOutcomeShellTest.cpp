// The run's outcome in the status bar as the user meets it: a run started by a click on the
// toolbar's Run while the button's tip shows leaves its outcome visible once the tip goes; Stop and
// Reset and Close Project clear it.

#include "RecipeShellFixture.h"
#include "shell/MCStatusBar.h"
#include "simulation/BatchSimulation.h"

#include <QStatusTipEvent>
#include <QToolButton>

class RunOutcomeShellTest : public RecipeShellFixture {
protected:
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
