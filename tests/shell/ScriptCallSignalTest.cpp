// A termination signal that arrives while a script's call is being served waits for the call's
// end, also when the call lets events through without a loop of its own.

#include "automation/AutomationInvoke.h"
#include "automation/AutomationObject.h"
#include "shell/QuorvantaApp.h"
#include "shell/SignalHandler.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

#include <csignal>

namespace {
// One method that runs what the test gives it.
class PumpingObject : public CAutomationObject {
public:
    PumpingObject() = default;
    const CAutomationMemberTable& Members() const override
    {
        static const CAutomationMemberTable table = [] {
            MemberTableBuilder<PumpingObject> b(QStringLiteral("CPumping"));
            b.method("Work", VT_EMPTY, [](PumpingObject& o, const AutomationArgs&) {
                o.work();
                return CAutomationVariant();
            });
            return b.build();
        }();
        return table;
    }
    std::function<void()> work;
};

void PumpEventsFor(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}
} // namespace

TEST(ScriptCallSignalTest, ASignalDuringAScriptCallIsServedAfterIt)
{
    QEventLoop mainLoop;
    QStringList events;
    CSignalHandler terminations([&](int) {
        events << "served";
        mainLoop.exit(0);
    });
    CQuorvantaApp::WaitForScriptCalls(terminations);
    auto object = std::make_shared<PumpingObject>();
    object->work = [&] {
        CSignalHandler::Request(SIGTERM);
        PumpEventsFor(300);
        events << "call ended";
    };
    QTimer::singleShot(0, &mainLoop, [&] { EXPECT_TRUE(InvokeAutomation(object, InvokeKind::Call, "Work").ok()); });
    QTimer::singleShot(10000, &mainLoop, [&] { mainLoop.exit(1); });
    terminations.StartWithEventLoop();
    EXPECT_EQ(mainLoop.exec(), 0) << "the request was not served";
    EXPECT_EQ(events, QStringList({"call ended", "served"}));
}
