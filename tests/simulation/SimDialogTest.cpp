// The progress dialog on a real window: the estimate, the cancel confirmation, the owner window
// and the help topic.

#include "simulation/SimDialog.h"

#include "ScriptedPrompts.h"
#include "foundation/common/HelpService.h"
#include "foundation/common/ServiceSlot.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>

#include <functional>

namespace {

const QString kConfirmCancel = QStringLiteral("Are you sure you want to Cancel?");

void PressSimKey(QWidget& widget, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &press);
}

struct EstimateCase {
    const char* name;
    std::function<void(CSimDialog&)> setup;
    double timeSum;
    double increment;
    QString timeLineAfterStep;
    int barAfterStep;
};

class SimDialogEstimate : public ::testing::TestWithParam<EstimateCase> {};

TEST_P(SimDialogEstimate, StepMovesTheBarAndTheTimeLine)
{
    const EstimateCase& c = GetParam();
    CSimDialog dialog;
    c.setup(dialog);
    EXPECT_DOUBLE_EQ(dialog.TimeSum(), c.timeSum);
    EXPECT_DOUBLE_EQ(dialog.Increment(), c.increment);
    EXPECT_TRUE(dialog.Step(0.0));
    EXPECT_EQ(dialog.TimeLine(), c.timeLineAfterStep);
    EXPECT_EQ(dialog.TimeLabel()->text(), c.timeLineAfterStep);
    EXPECT_EQ(dialog.ProgressBar()->value(), c.barAfterStep);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SimDialogEstimate,
    ::testing::Values(
        EstimateCase{"TotalOfHundredFillsTheBarInOneStep", [](CSimDialog& d) { EXPECT_EQ(d.SetTotal(100), 1); },
                     100.0, 100.0, QString(), 100},
        EstimateCase{"NoPhaseTimeEstimatesFromHundredSeconds",
                     [](CSimDialog& d) { EXPECT_EQ(d.SetCount1(4), 4); }, 100.0, 25.0,
                     "Estimated Time to Completion: 75 s", 25},
        EstimateCase{"CountZeroKeepsTheCountAndRecomputes",
                     [](CSimDialog& d) {
                         d.SetCount1(4);
                         d.SetTotal(200);
                         EXPECT_EQ(d.SetCount1(0), 4);
                         EXPECT_EQ(d.SetCount2(0), 4);
                         EXPECT_EQ(d.SetTotal(0), 4);
                     },
                     100.0, 50.0, "Estimated Time to Completion: 50 s", 50},
        EstimateCase{"PhaseTimeAZeroIsFifty",
                     [](CSimDialog& d) {
                         d.SetPhaseTimeA(0);
                         d.SetCount2(10);
                     },
                     150.0, 10.0, "Estimated Time to Completion: 135 s", 10},
        EstimateCase{"PhaseTimeBZeroIsForty",
                     [](CSimDialog& d) {
                         d.SetPhaseTimeA(20);
                         d.SetPhaseTimeB(0);
                         d.SetTotal(3);
                     },
                     60.0, 3.0, "Estimated Time to Completion: 58 s", 3},
        EstimateCase{"PastHundredLeavesNoTimeAndAFullBar", [](CSimDialog& d) { d.SetTotal(150); }, 100.0,
                     150.0, QString(), 100}),
    [](const ::testing::TestParamInfo<EstimateCase>& info) { return std::string(info.param.name); });

TEST(SimDialog, CountProductDoesNotWrapAt32Bits)
{
    CSimDialog dialog;
    dialog.SetCount1(100000);
    EXPECT_EQ(dialog.SetCount2(100000), 10000000000LL);
    EXPECT_DOUBLE_EQ(dialog.Increment(), 1e-8);
}

struct CancelCase {
    const char* name;
    bool statusText;
    int answer;
    bool goOn;
};

class SimDialogCancel : public ::testing::TestWithParam<CancelCase> {};

TEST_P(SimDialogCancel, CancelButtonAsksAndTheFlagIsCleared)
{
    const CancelCase& c = GetParam();
    ScriptedPromptService prompts;
    CSimDialog dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.show();
    dialog.CancelButton()->click();
    EXPECT_TRUE(dialog.isVisible()) << "Cancel never closes the window by itself";
    prompts.expect(c.answer);
    const bool goOn = c.statusText ? dialog.SetStatusText("Setting up Simulation...") : dialog.Step(0.0);
    EXPECT_EQ(goOn, c.goOn);
    EXPECT_EQ(prompts.texts(), QStringList{kConfirmCancel});
    EXPECT_EQ(prompts.flags().value(0) & MB_TYPEMASK, unsigned(MB_YESNO));
    EXPECT_FALSE(dialog.IsCancelled());
    EXPECT_TRUE(c.statusText ? dialog.SetStatusText("x") : dialog.Step(0.0)) << "no second question";
    dialog.DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(Cases, SimDialogCancel,
                         ::testing::Values(CancelCase{"StepNo", false, IDNO, true},
                                           CancelCase{"StepYes", false, IDYES, false},
                                           CancelCase{"StatusNo", true, IDNO, true},
                                           CancelCase{"StatusYes", true, IDYES, false}),
                         [](const ::testing::TestParamInfo<CancelCase>& info) { return std::string(info.param.name); });

TEST(SimDialog, EscapeAndCloseOnlyRaiseTheFlag)
{
    CSimDialog dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.show();
    PressSimKey(dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.IsCancelled());
    dialog.close();
    EXPECT_TRUE(dialog.IsCancelled());
    EXPECT_FALSE(dialog.IsCancelled());
}

TEST(SimDialog, StatusTextGoesToItsLine)
{
    CSimDialog dialog;
    dialog.SetTitleLine("Simulating Batch: S1");
    EXPECT_TRUE(dialog.SetStatusText("Step through Simulation..."));
    EXPECT_EQ(dialog.StatusLabel()->text(), "Step through Simulation...");
    EXPECT_EQ(dialog.TitleLabel()->text(), "Simulating Batch: S1");
}

// Counts the events delivered to it.
class SimEventCounter : public QObject {
public:
    int delivered = 0;
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User)
            ++delivered;
        return QObject::event(e);
    }
};

TEST(SimDialog, ZeroProgressNeitherPumpsNorMovesTheBar)
{
    CSimDialog dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.ProgressBar()->setValue(30);
    SimEventCounter counter;
    QCoreApplication::postEvent(&counter, new QEvent(QEvent::User));
    dialog.SetProgress(0);
    EXPECT_EQ(counter.delivered, 0);
    EXPECT_EQ(dialog.ProgressBar()->value(), 30);
    dialog.SetProgress(42.9);
    EXPECT_EQ(counter.delivered, 1);
    EXPECT_EQ(dialog.ProgressBar()->value(), 42);
}

class FailingSimDialog : public CSimDialog {
protected:
    bool CreateWindow() override { return false; }
};

TEST(SimDialog, OwnerIsDisabledWhileUpAndEnabledOnEveryWayOut)
{
    QMainWindow owner;
    owner.show();
    {
        CSimDialog dialog;
        ASSERT_TRUE(dialog.Create());
        EXPECT_EQ(dialog.Owner(), &owner);
        EXPECT_FALSE(owner.isEnabled());
        EXPECT_TRUE(dialog.isEnabled()) << "the dialog is not a child of the disabled owner";
        dialog.EnableOwner(); // a paused run
        EXPECT_TRUE(owner.isEnabled());
        dialog.DisableOwner(); // stepping on
        EXPECT_FALSE(owner.isEnabled());
        dialog.DestroyWindow();
        EXPECT_TRUE(owner.isEnabled());
        ASSERT_TRUE(dialog.Create());
        EXPECT_FALSE(owner.isEnabled());
    }
    EXPECT_TRUE(owner.isEnabled()) << "the destructor enables the owner";

    FailingSimDialog failed;
    EXPECT_FALSE(failed.Create());
    EXPECT_FALSE(failed.HasWindow());
    EXPECT_EQ(failed.Owner(), &owner);
    EXPECT_TRUE(owner.isEnabled());
    EXPECT_EQ(failed.SetTotal(50), 1) << "the callbacks work without a window";
    EXPECT_TRUE(failed.Step(0.0));
    EXPECT_EQ(failed.TimeLine(), "Estimated Time to Completion: 50 s");
}

TEST(SimDialog, OwnerDisabledBeforeStaysDisabled)
{
    QMainWindow owner;
    owner.setEnabled(false);
    CSimDialog dialog;
    ASSERT_TRUE(dialog.Create(&owner));
    dialog.DestroyWindow();
    EXPECT_FALSE(owner.isEnabled());
}

class RecordingSimHelp : public HelpService {
public:
    void DisplayHelp(const QString& helpFile, long topic) override { shown << qMakePair(helpFile, topic); }
    QList<QPair<QString, long>> shown;
};

TEST(SimDialog, F1ShowsTopicZero)
{
    RecordingSimHelp help;
    ServiceInstallations installed;
    installed.Install<HelpService>(&help);
    CSimDialog dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.show();
    PressSimKey(dialog, Qt::Key_F1);
    ASSERT_EQ(help.shown.size(), 1);
    EXPECT_EQ(help.shown[0].first, "USERMANUAL.CHM");
    EXPECT_EQ(help.shown[0].second, 0);
    EXPECT_TRUE(dialog.isVisible());
}

} // namespace
