// The Preferences command of the real main frame on Demo: nothing without a project or while busy;
// after the hub the managed notice, the chemistry document in its environment and the regenerated
// recipe text, in that order; the frame's equipment-diagram and operating-instructions requests.

#include "RecipeShellFixture.h"
#include "foundation/common/BusyGuard.h"
#include "foundation/common/concerns/FrameNotifyMessage.h"
#include "foundation/common/concerns/PreferenceFrameServices.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "modules/qvsop/QVSOPEntry.h"
#include "modules/visdgrm/VisInstance.h"
#include "shell/bridge/ManagedSideStandIn.h"

#include <QFile>

namespace {

// Every party of the after-close steps writes into one log.
class PreferenceNoticeLog : public CManagedSideStandIn,
                            public ChemistryViewServices,
                            public RecipeTextRegeneration {
public:
    void DotNetNotifyPreferencesUpdate(const ZEVKProjectNamesLocations& names) override
    {
        log << "managed " + names.projectName;
    }
    void OnFilePreferences(QWidget*) override { log << "chemistry"; }
    void UpdateRecipeTextOfAllSteps() override { log << "regenerate"; }
    QStringList log;
};

class RecordingOperatingInstructions : public QVSOPEntry {
public:
    void preferOperatingInstructions() override { ++asked; }
    int asked = 0;
};

} // namespace

class PreferenceShellTest : public RecipeShellFixture {
protected:
    void SetUp() override
    {
        RecipeShellFixture::SetUp();
        m_previousSide = SetManagedSide(&m_log);
        m_concerns.Install<ChemistryViewServices>(&m_log);
        m_concerns.Install<RecipeTextRegeneration>(&m_log);
        frame->SetPreferenceHub([this](QWidget*) {
            m_log.log << "hub";
            return m_roundingSaved;
        });
    }
    void TearDown() override
    {
        SetManagedSide(m_previousSide);
        RecipeShellFixture::TearDown();
    }
    PreferenceNoticeLog m_log;
    IManagedSide* m_previousSide = nullptr;
    ServiceInstallations m_concerns;
    bool m_roundingSaved = false;
};

TEST_F(PreferenceShellTest, AfterTheHubTheNoticesFollowInOrder)
{
    const struct {
        int environment;
        bool roundingSaved;
        QStringList log;
    } cases[] = {
        {1, false, {"hub", "managed Demo"}},
        {0, false, {"hub", "managed Demo", "chemistry"}},
        {0, true, {"hub", "managed Demo", "chemistry", "regenerate"}},
        {1, true, {"hub", "managed Demo", "regenerate"}},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(testing::Message() << each.environment << " " << each.roundingSaved);
        m_log.log.clear();
        frame->environmentManager().SetCurrentEnvironmentID(each.environment);
        m_roundingSaved = each.roundingSaved;
        frame->action(ID_TOOLS_PREFERENCES)->trigger();
        EXPECT_EQ(m_log.log, each.log);
    }
    m_log.log.clear();
    EXPECT_TRUE(SendFrameNotify(FrameNotifyMessage::Preferences));
    EXPECT_EQ(m_log.log, (QStringList{"hub", "managed Demo", "regenerate"}));
}

TEST_F(PreferenceShellTest, NothingHappensWithoutAProjectOrWhileBusy)
{
    {
        CBusyScope busy;
        frame->OnPreferences();
        SendFrameNotify(FrameNotifyMessage::Preferences);
    }
    EXPECT_TRUE(m_log.log.isEmpty());
    ASSERT_TRUE(app->CloseProject(SaveAnswer::Discard));
    frame->OnPreferences();
    SendFrameNotify(FrameNotifyMessage::Preferences);
    EXPECT_TRUE(m_log.log.isEmpty()) << m_log.log.join(", ").toStdString();
}

TEST_F(PreferenceShellTest, TheEquipmentDiagramTakesTheResultFileOfTheContext)
{
    const QString folder = GetProjectDir();
    QFile(folder + "/QVSTEP_1001.mdb").open(QIODevice::WriteOnly);
    const struct {
        int kind;
        long stepID, processID, planID;
        bool processSelected;
        const char* message; // empty: the stand-in was given the file
        const char* file;
    } cases[] = {
        {CONTEXT_PROCESS_EXPLORER, 1001, 1, -1, true, "Please simulate the process first.", ""},
        {CONTEXT_PROCESS_EXPLORER, 1001, 1, -1, false, "", "QVSTEP_1001.mdb"},
        {CONTEXT_PROCESS_EXPLORER, -1, -1, -1, false, "Please create/select, and simulate first!", ""},
        {CONTEXT_TEXT_RECIPE, 1002, 1, -1, false, "Please simulate the step first.", ""},
        {CONTEXT_QUICK_RESULTS, 1001, 1, -1, false, "", "QVSTEP_1001.mdb"},
        {CONTEXT_GANTT, 1001, -1, 4, false, "Please simulate the production plan first.", ""},
        {CONTEXT_PLAN_EXPLORER, -1, -1, -1, false, "Please create/select, and simulate first!", ""},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(testing::Message() << each.kind << " " << each.stepID);
        VisInstance::ForgetLastCall();
        ContextRecord context;
        context.kind = each.kind;
        context.stepID = each.stepID;
        context.processID = each.processID;
        context.planID = each.planID;
        context.processNodeSelected = each.processSelected;
        frame->context() = context;
        const bool standIn = !*each.message;
        prompts.expect(IDOK);
        frame->ShowEquipmentDiagramPreferences();
        EXPECT_EQ(prompts.lastText(),
                  standIn ? "The equipment diagram preferences are not available on this platform."
                          : each.message);
        EXPECT_EQ(VisInstance::LastCall().resultFileName, QString(each.file));
        if (standIn) {
            EXPECT_EQ(VisInstance::LastCall().projectFolder, folder);
            EXPECT_EQ(VisInstance::LastCall().installFolder, GetInstallDir());
        }
    }
}

TEST_F(PreferenceShellTest, OperatingInstructionsGoToTheModuleWhenThereIsOne)
{
    m_concerns.Install<QVSOPEntry>(nullptr);
    frame->EditOperatingInstructionPreferences(); // no module: nothing, no prompt
    RecordingOperatingInstructions module;
    m_concerns.Install<QVSOPEntry>(&module);
    frame->EditOperatingInstructionPreferences();
    EXPECT_EQ(module.asked, 1);
    QVSOPEntry standIn;
    m_concerns.Install<QVSOPEntry>(&standIn);
    prompts.expect(IDOK);
    frame->EditOperatingInstructionPreferences();
    EXPECT_EQ(prompts.lastText(),
              "The operating instruction preferences are not available on this platform.");
}
