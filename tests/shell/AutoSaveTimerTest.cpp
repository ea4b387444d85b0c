#include "shell/AutoSaveTimer.h"

#include <QDialog>
#include <gtest/gtest.h>

namespace {
struct AutoSaveCase {
    bool open, modified, isTemplate, busy, modalDialog;
    int minutes, saves;
};

class AutoSaveTimerTest : public ::testing::TestWithParam<AutoSaveCase> {};
} // namespace

// Only an open, modified, non-template project is saved, and only while nothing else is running;
// a skipped tick arms the timer again, the save itself runs with the timer stopped; at 0 minutes it
// is never armed.
TEST_P(AutoSaveTimerTest, SavesOnlyWhatNeedsSavingAndArmsAgain)
{
    const AutoSaveCase c = GetParam();
    CAutoSaveTimer timer;
    int saves = 0;
    bool armedDuringSave = false;
    timer.SetHooks({[&] { return c.open; }, [&] { return c.modified; }, [&] { return c.isTemplate; },
                    [&] { return c.busy; },
                    [&] {
                        ++saves;
                        armedDuringSave = timer.IsArmed();
                        timer.Stop(); // as the project save does
                    }});
    timer.SetMinutes(c.minutes);
    timer.Arm();
    QDialog dialog;
    dialog.setModal(true);
    if (c.modalDialog)
        dialog.show();
    timer.OnTimer();
    EXPECT_EQ(saves, c.saves);
    EXPECT_FALSE(armedDuringSave);
    EXPECT_EQ(timer.IsArmed(), c.minutes > 0);
    EXPECT_EQ(timer.IsArmed() ? timer.IntervalMs() : 0, c.minutes * 60000);
}

INSTANTIATE_TEST_SUITE_P(States, AutoSaveTimerTest,
                         ::testing::Values(AutoSaveCase{true, true, false, false, false, 10, 1},
                                           AutoSaveCase{false, true, false, false, false, 10, 0},
                                           AutoSaveCase{true, false, false, false, false, 10, 0},
                                           AutoSaveCase{true, true, true, false, false, 10, 0},
                                           AutoSaveCase{true, true, false, true, false, 10, 0},
                                           AutoSaveCase{true, true, false, false, true, 10, 0},
                                           AutoSaveCase{true, true, false, false, false, 0, 1}));
