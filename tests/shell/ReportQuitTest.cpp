// The quit while a custom report's statement left running at the user's Cancel has not ended: the
// program waits for it, at most 5 s.

#include "ScriptedProjectDialogs.h"
#include "ShellTestSupport.h"
#include "modules/customreport/ReportThreads.h"
#include "shell/QuorvantaApp.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <future>

TEST(ReportQuitTest, TheQuitWaitsAtMostFiveSecondsForAReportLeftRunning)
{
    ResetShellProfile();
    CancelledProjectDialogs chooser; // the start-up's project dialog
    CQuorvantaApp app;
    ASSERT_TRUE(app.InitInstance({"quorvanta"}));
    std::promise<void> release;
    StartReportThread([released = release.get_future().share()] { released.wait(); });
    QElapsedTimer quitting;
    quitting.start();
    app.ExitInstance();
    const qint64 quit = quitting.elapsed();
    release.set_value();
    EXPECT_TRUE(WaitForReportThreads(std::chrono::seconds(10)));
    EXPECT_GE(quit, 5000);
    EXPECT_LT(quit, 7000);
}
