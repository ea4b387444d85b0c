#include "shell/AutoSaveTimer.h"

#include <QDialog>
#include <gtest/gtest.h>

namespace {
struct AutoSaveState {
    bool open = true;
    bool modified = true;
    bool isTemplate = false;
    bool busy = false;
    int saves = 0;
    bool timerArmedDuringSave = true;
};

void wire(CAutoSaveTimer& timer, AutoSaveState& s)
{
    CAutoSaveTimer::Hooks hooks;
    hooks.isProjectOpen = [&s] { return s.open; };
    hooks.isProjectModified = [&s] { return s.modified; };
    hooks.isTemplate = [&s] { return s.isTemplate; };
    hooks.isBusy = [&s] { return s.busy; };
    hooks.save = [&s, &timer] {
        ++s.saves;
        s.timerArmedDuringSave = timer.IsArmed();
        timer.Stop(); // the save stops the timer, as the project save does
    };
    timer.SetHooks(std::move(hooks));
}
} // namespace

TEST(AutoSaveTimer, MinutesAreClampedAndZeroTurnsItOff)
{
    const QList<QPair<int, int>> cases = {{-1, 0}, {0, 0}, {5, 5}, {120, 120}, {121, 120}};
    for (const auto& [given, expected] : cases) {
        CAutoSaveTimer timer;
        timer.SetMinutes(given);
        timer.Arm();
        EXPECT_EQ(timer.Minutes(), expected) << given;
        EXPECT_EQ(timer.IsArmed(), expected > 0) << given;
        if (expected > 0)
            EXPECT_EQ(timer.IntervalMs(), expected * 60000);
    }
}

TEST(AutoSaveTimer, SavesAnOpenModifiedProjectAndArmsAgain)
{
    CAutoSaveTimer timer;
    AutoSaveState state;
    wire(timer, state);
    timer.SetMinutes(10);
    timer.Arm();
    timer.OnTimer();
    EXPECT_EQ(state.saves, 1);
    EXPECT_FALSE(state.timerArmedDuringSave);
    EXPECT_TRUE(timer.IsArmed());
    EXPECT_EQ(timer.IntervalMs(), 600000);
}

TEST(AutoSaveTimer, SavesOnlyWhatNeedsSaving)
{
    struct Case {
        bool open, modified, isTemplate;
        int saves;
    };
    for (const Case& c : {Case{true, true, false, 1}, Case{false, true, false, 0}, Case{true, false, false, 0},
                          Case{true, true, true, 0}}) {
        CAutoSaveTimer timer;
        AutoSaveState state{c.open, c.modified, c.isTemplate};
        wire(timer, state);
        timer.SetMinutes(3);
        timer.OnTimer();
        EXPECT_EQ(state.saves, c.saves) << c.open << c.modified << c.isTemplate;
        EXPECT_TRUE(timer.IsArmed());
    }
}

TEST(AutoSaveTimer, SkipsAndRearmsWhileAModalDialogIsOpen)
{
    CAutoSaveTimer timer;
    AutoSaveState state;
    wire(timer, state);
    timer.SetMinutes(2);
    QDialog dialog;
    dialog.setModal(true);
    dialog.show();
    timer.OnTimer();
    EXPECT_EQ(state.saves, 0);
    EXPECT_TRUE(timer.IsArmed());
    dialog.hide();
    timer.OnTimer();
    EXPECT_EQ(state.saves, 1);
}

TEST(AutoSaveTimer, SkipsAndRearmsWhileTheEngineOrATransactionIsBusy)
{
    CAutoSaveTimer timer;
    AutoSaveState state;
    state.busy = true;
    wire(timer, state);
    timer.SetMinutes(2);
    timer.OnTimer();
    EXPECT_EQ(state.saves, 0);
    EXPECT_TRUE(timer.IsArmed());
}

TEST(AutoSaveTimer, ZeroMinutesNeverArms)
{
    CAutoSaveTimer timer;
    AutoSaveState state;
    wire(timer, state);
    timer.SetMinutes(0);
    timer.OnTimer();
    EXPECT_FALSE(timer.IsArmed());
}
