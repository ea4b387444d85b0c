#include "ScriptedPrompts.h"
#include "ShellTestSupport.h"
#include "foundation/common/AppContext.h"
#include "foundation/common/CommandIds.h"
#include "foundation/db/ProjectGenerator.h"
#include "modules/engine/EngineEntry.h"
#include "projects/ProjectManager.h"
#include "shell/MainFrame.h"
#include "shell/QuorvantaApp.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
// The real application with its real engine module: the open project's engine entry lives from
// the hand-over to the close, and the module's utility list goes only with a close that happens.
class EngineLifecycleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetShellProfile();
        CProjectGenerator generator;
        ASSERT_TRUE(generator.Write(CProjectGenerator::DemoProject(), m_root.path() + "/Demo/"));
        app = std::make_unique<CQuorvantaApp>();
        ASSERT_TRUE(app->InitInstance({"quorvanta", m_root.path() + "/Demo/Demo.prj"}));
        frame = app->mainFrame();
        ASSERT_TRUE(frame->IsProjectOpen());
    }
    void TearDown() override
    {
        app->ExitInstance();
        app.reset();
        EXPECT_TRUE(prompts.allAnswersUsed());
    }

    QTemporaryDir m_root;
    ScriptedPromptService prompts;
    std::unique_ptr<CQuorvantaApp> app;
    CMainFrame* frame = nullptr;
};

TEST_F(EngineLifecycleTest, TheEntryLivesWhileTheProjectIsOpenAndTheUtilityListGoesWithACloseThatHappens)
{
    EngineEntry* entry = GetEngineEntry();
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(frame->HasEngine());
    EXPECT_EQ(EngineEntry::KeptWorkingCopyDir(), GetWorkingCopyDir());
    EXPECT_EQ(EngineEntry::KeptApplication(), GetAppContext());
    app->SetEngine(entry); // lent for a run
    entry->utilityAdded(4711);

    app->setProjectModified(true);
    prompts.expect(IDCANCEL);
    frame->ExecuteCommand(ID_FILE_CLOSE);
    EXPECT_EQ(GetEngineEntry(), entry);
    EXPECT_EQ(EngineEntry::AvailableUtilities().GetSize(), 1);

    prompts.expect(IDNO);
    frame->ExecuteCommand(ID_FILE_CLOSE);
    EXPECT_EQ(GetEngineEntry(), nullptr);
    EXPECT_FALSE(frame->HasEngine());
    EXPECT_EQ(app->projects().GetEngine(), nullptr);
    EXPECT_EQ(EngineEntry::AvailableUtilities().GetSize(), 0);
    frame->NotifyStepModified(1001); // without an engine these do nothing
    app->OperationModified(1001, 1, true);
    frame->ResetSimulation(1001, QString());
}
} // namespace
