#include "shell/AutoSaveTimer.h"

#include <QDialog>
#include <gtest/gtest.h>

namespace {
struct AutoSaveCase {
    bool open, modified, isTemplate, busy, modalDialog;
    int saves;
};

class AutoSaveTimerTest : public ::testing::TestWithParam<AutoSaveCase> {};
} // namespace

// Only an open, modified, non-template project is saved, and only while nothing else is running;
// a skipped tick arms the timer again, and the save itself runs with the timer stopped.
TEST_P(AutoSaveTimerTest, SavesOnlyWhatNeedsSavingAndArmsAgain)
{
    const AutoSaveCase c = GetParam();
    CAutoSaveTimer timer;
    int saves = 0;
    bool armedDuringSave = false;
    CAutoSaveTimer::Hooks hooks;
    hooks.isProjectOpen = [&] { return c.open; };
    hooks.isProjectModified = [&] { return c.modified; };
    hooks.isTemplate = [&] { return c.isTemplate; };
    hooks.isBusy = [&] { return c.busy; };
    hooks.save = [&] {
        ++saves;
        armedDuringSave = timer.IsArmed();
        timer.Stop(); // as the project save does
    };
    timer.SetHooks(std::move(hooks));
    timer.SetMinutes(10);
    timer.Arm();
    QDialog dialog;
    dialog.setModal(true);
    if (c.modalDialog)
        dialog.show();
    timer.OnTimer();
    EXPECT_EQ(saves, c.saves);
    EXPECT_FALSE(armedDuringSave);
    EXPECT_TRUE(timer.IsArmed());
    EXPECT_EQ(timer.IntervalMs(), 600000);
}

INSTANTIATE_TEST_SUITE_P(States, AutoSaveTimerTest,
                         ::testing::Values(AutoSaveCase{true, true, false, false, false, 1},
                                           AutoSaveCase{false, true, false, false, false, 0},
                                           AutoSaveCase{true, false, false, false, false, 0},
                                           AutoSaveCase{true, true, true, false, false, 0},
                                           AutoSaveCase{true, true, false, true, false, 0},
                                           AutoSaveCase{true, true, false, false, true, 0}));

TEST(AutoSaveTimer, ZeroMinutesNeverArms)
{
    CAutoSaveTimer timer;
    timer.SetMinutes(0);
    timer.Arm();
    timer.OnTimer();
    EXPECT_FALSE(timer.IsArmed());
}
