// The frame's last guard: an error escaping a command, the auto-save timer or a scripting call is
// told once ("<command>: <error text>") and the program goes on; a scripting call fails with it.

#include "FakeAppContext.h"
#include "ScriptedPrompts.h"
#include "ShellTestSupport.h"
#include "automation/AutomationBus.h"
#include "automation/AutomationInvoke.h"
#include "automation/AutomationObject.h"
#include "foundation/common/AutomationFlag.h"
#include "foundation/common/CommandIds.h"
#include "foundation/common/EscapedErrors.h"
#include "foundation/common/concerns/CommandTarget.h"
#include "foundation/db/connection/DaoException.h"
#include "shell/MainFrame.h"

#include <QDBusMessage>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

const char* const FLUSH_FAILED = "Cannot flush 'Demo.qvp' to disk: Input/output error";

[[noreturn]] void FailFlush()
{
    throw CDaoException(QString::fromLatin1(FLUSH_FAILED));
}

// A document window that handles Cut by running what the test gives it.
class CuttingView : public QWidget, public CommandTarget {
public:
    bool HandlesCommand(int id) const override { return id == ID_EDIT_CUT; }
    bool IsCommandEnabled(int) const override { return true; }
    void OnCommand(int) override { cut(); }
    std::function<void()> cut;
};

// One scripting method that runs what the test gives it.
class WorkObject : public CAutomationObject {
public:
    const CAutomationMemberTable& Members() const override
    {
        static const CAutomationMemberTable table = [] {
            MemberTableBuilder<WorkObject> b(QStringLiteral("CWork"));
            b.method("Work", VT_EMPTY, [](WorkObject& o, const AutomationArgs&) {
                o.work();
                return CAutomationVariant();
            });
            return b.build();
        }();
        return table;
    }
    std::function<void()> work;
};

// A project whose save fails, and whose state fails to read once statesFail is set.
class FailingSave : public RecordingConcerns {
public:
    bool SaveOpenProject() override { FailFlush(); }
    bool IsProjectOpen() const override
    {
        if (statesFail)
            throw std::runtime_error("project state unreadable");
        return RecordingConcerns::IsProjectOpen();
    }
    bool statesFail = false;
};

class CommandGuardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_bAutomationActive = false;
        frame.m_readDisplayOptions = [] {};
    }

    FakeAppContext app;
    FailingSave concerns;
    ScriptedPromptService prompts;
    CMainFrame frame;
};

TEST_F(CommandGuardTest, AnErrorEscapingACommandIsToldOnceAndTheFrameGoesOn)
{
    CuttingView view;
    const struct {
        const char* label;
        int commandID;
        CommandTarget* target;
        std::function<void()> thrower;
        QString text;
    } cases[] = {
        {"frame handler", ID_FILE_NEW, nullptr, FailFlush, QString("New Project: ") + FLUSH_FAILED},
        {"view", ID_EDIT_CUT, &view, [] { throw std::runtime_error("no clipboard"); }, "Cut: no clipboard"},
        {"not a std::exception", ID_APP_ABOUT, nullptr, [] { throw 42; },
         "About Tamro Plenthover: unknown error"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        prompts.clear();
        if (c.target)
            view.cut = c.thrower;
        else
            frame.SetCommandHandler(c.commandID, c.thrower);
        prompts.expect(IDOK);
        EXPECT_FALSE(frame.DispatchCommand({c.commandID, c.target, QVariant()}));
        EXPECT_EQ(prompts.texts(), QStringList{c.text});
        EXPECT_EQ(TakeEscapedErrors(), QStringList{c.text});
    }
    bool ran = false; // the frame goes on: the next command runs
    frame.SetCommandHandler(ID_FILE_NEW, [&ran] { ran = true; });
    EXPECT_TRUE(frame.DispatchCommand({ID_FILE_NEW, nullptr, QVariant()}));
    EXPECT_TRUE(ran);
}

// A second error, while the commands' states are brought up to date after the first, is kept
// beside the first but not shown again.
TEST_F(CommandGuardTest, ASecondErrorAfterAFailedCommandIsKeptNotShown)
{
    frame.SetCommandHandler(ID_FILE_NEW, [this] {
        concerns.statesFail = true;
        FailFlush();
    });
    prompts.expect(IDOK);
    EXPECT_FALSE(frame.DispatchCommand({ID_FILE_NEW, nullptr, QVariant()}));
    concerns.statesFail = false;
    const QString first = QString("New Project: ") + FLUSH_FAILED;
    EXPECT_EQ(prompts.texts(), QStringList{first});
    EXPECT_EQ(TakeEscapedErrors(), (QStringList{first, "New Project: project state unreadable"}));
}

TEST_F(CommandGuardTest, AFailedAutoSaveIsToldAndTheTimerArmsAgain)
{
    concerns.open = true;
    app.setProjectModified(true);
    frame.SetAutoSaveMinutes(5);
    prompts.expect(IDOK);
    frame.autoSaveTimer().OnTimer();
    EXPECT_EQ(prompts.texts(), QStringList{QString("Auto Save: ") + FLUSH_FAILED});
    EXPECT_EQ(TakeEscapedErrors().size(), 1);
    EXPECT_TRUE(frame.autoSaveTimer().IsArmed());
}

// In a scripting call nothing is shown: the call fails as Quorvanta.Error.Failed with the text,
// whether the error escaped a command it ran or the member itself.
TEST_F(CommandGuardTest, InAScriptingCallTheErrorFailsTheCall)
{
    frame.SetCommandHandler(ID_FILE_NEW, FailFlush);
    auto object = std::make_shared<WorkObject>();
    const struct {
        const char* label;
        std::function<void()> work;
        QString text;
    } cases[] = {
        {"a command",
         [this] {
             frame.DispatchCommand({ID_FILE_NEW, nullptr, QVariant()});
         },
         QString("New Project: ") + FLUSH_FAILED},
        {"the member", FailFlush, QString("Work: ") + FLUSH_FAILED},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        object->work = c.work;
        const AutomationResult result = InvokeAutomation(object, InvokeKind::Call, "Work");
        EXPECT_EQ(result.error, AutomationError::Failed);
        EXPECT_EQ(result.text, c.text);
        const QDBusMessage call =
            QDBusMessage::createMethodCall("Quorvanta.Application", "/Work", "Quorvanta.Work", "Work");
        EXPECT_EQ(AutomationErrorReply(call, result).errorName(), "Quorvanta.Error.Failed");
        EXPECT_EQ(TakeEscapedErrors(), QStringList{c.text});
    }
    EXPECT_TRUE(prompts.texts().isEmpty());
}

} // namespace
