#include "shell/AutoSaveTimer.h"

#include <QDialog>
#include <gtest/gtest.h>

// Only an open, modified, non-template project is saved, and only while nothing else is running;
// a skipped tick arms the timer again, the save itself runs with the timer stopped; at 0 minutes it
// is never armed.
TEST(AutoSaveTimerTest, SavesOnlyWhatNeedsSavingAndArmsAgain)
{
    const struct {
        bool open, modified, isTemplate, busy, modalDialog;
        int minutes, saves;
    } rows[] = {{true, true, false, false, false, 10, 1},  {false, true, false, false, false, 10, 0},
                {true, false, false, false, false, 10, 0}, {true, true, true, false, false, 10, 0},
                {true, true, false, true, false, 10, 0},   {true, true, false, false, true, 10, 0},
                {true, true, false, false, false, 0, 1}};
    for (const auto& c : rows) {
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
        const int row = &c - rows;
        EXPECT_EQ(saves, c.saves) << row;
        EXPECT_FALSE(armedDuringSave) << row;
        EXPECT_EQ(timer.IsArmed(), c.minutes > 0) << row;
        EXPECT_EQ(timer.IsArmed() ? timer.IntervalMs() : 0, c.minutes * 60000) << row;
    }
}
