#include "foundation/common/BusyGuard.h"
#include "shell/SignalHandler.h"

#include <QDialog>
#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <memory>

namespace {
// A request is served from the main loop once what runs inside it has ended; the order of events
// shows when.
class SignalHandlerTest : public ::testing::Test {
protected:
    // Runs a main loop: first the scene, then the loop waits for the request to be served.
    void RunMainLoop(const std::function<void()>& scene)
    {
        QTimer::singleShot(0, &m_loop, scene);
        QTimer::singleShot(10000, &m_loop, [this] { m_loop.exit(1); });
        m_handler.StartWithEventLoop();
        EXPECT_EQ(m_loop.exec(), 0) << "the request was not served";
    }
    // Ends the nested part after a while, noting it.
    void EndLater(const std::function<void()>& end)
    {
        QTimer::singleShot(300, [this, end] {
            m_events << "ended";
            end();
        });
    }

    QEventLoop m_loop;
    QStringList m_events;
    CSignalHandler m_handler{[this](int signal) {
        m_events << QStringLiteral("served %1").arg(signal);
        m_loop.exit(0);
    }};
};
} // namespace

TEST_F(SignalHandlerTest, ARequestBeforeTheMainLoopWaitsForIt)
{
    CSignalHandler::Request(SIGINT);
    QEventLoop early; // a loop before the main one, as a question asked during start-up runs
    QTimer::singleShot(200, &early, &QEventLoop::quit);
    early.exec();
    EXPECT_TRUE(m_handler.IsPending());
    RunMainLoop([] {});
    EXPECT_EQ(m_events, QStringList{"served 2"});
}

TEST_F(SignalHandlerTest, ARequestDuringAModalDialogWaitsUntilItCloses)
{
    RunMainLoop([this] {
        QDialog dialog;
        QTimer::singleShot(0, [] { CSignalHandler::Request(SIGTERM); });
        EndLater([&dialog] { dialog.reject(); });
        dialog.exec();
    });
    EXPECT_EQ(m_events, QStringList({"ended", "served 15"}));
}

TEST_F(SignalHandlerTest, ARequestWaitsWhileBusyOrAWaitCheckHoldsAndIsServedOnce)
{
    bool callServed = true;
    m_handler.AddWaitCheck([&] { return callServed; });
    auto busy = std::make_unique<CBusyScope>();
    RunMainLoop([&] {
        CSignalHandler::Request(SIGHUP);
        CSignalHandler::Request(SIGTERM);
        QTimer::singleShot(150, [&] {
            m_events << "call served";
            callServed = false;
        });
        EndLater([&] { busy.reset(); });
    });
    EXPECT_EQ(m_events, QStringList({"call served", "ended", "served 1"}));
    CSignalHandler::Request(SIGTERM);
    QEventLoop after;
    QTimer::singleShot(200, &after, &QEventLoop::quit);
    after.exec();
    EXPECT_EQ(m_events.size(), 3) << "the program is ending already";
}
