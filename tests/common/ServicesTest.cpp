#include "ScriptedPrompts.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/CommandDispatcher.h"
#include "foundation/common/concerns/DocumentHost.h"
#include "foundation/common/FileDialogService.h"
#include "foundation/common/HelpService.h"
#include "foundation/common/concerns/ProjectControl.h"
#include "foundation/common/concerns/ProjectHandover.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/common/MessageBox.h"

#include <gtest/gtest.h>

#include <memory>

TEST(PromptService, DefaultAnswerFollowsTheDefaultButton)
{
    EXPECT_EQ(DefaultAnswer(MB_OK), IDOK);
    EXPECT_EQ(DefaultAnswer(MB_YESNO), IDYES);
    EXPECT_EQ(DefaultAnswer(MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(DefaultAnswer(MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
    EXPECT_EQ(DefaultAnswer(MB_OKCANCEL | MB_DEFBUTTON2 | MB_ICONQUESTION), IDCANCEL);
    EXPECT_EQ(DefaultAnswer(MB_OK | MB_DEFBUTTON3), IDOK); // no third button: the first
}

TEST(PromptService, AutomationModeNeverBlocksAndKeepsTheText)
{
    AutomationPromptService automation;
    ScopedPromptService scope(&automation);
    EXPECT_EQ(QvMessageBox("Save changes?", MB_YESNOCANCEL | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(automation.lastText(), "Save changes?");
}

TEST(FileDialogService, ClassicFiltersBecomeQtFilters)
{
    EXPECT_EQ(TranslateFileFilter("Project Files (*.prj)|*.prj|All Files (*.*)|*.*||"),
              "Project Files (*.prj);;All Files (*)");
    EXPECT_EQ(TranslateFileFilter("Projects (*.prj;*.qvt)|*.prj;*.qvt||"), "Projects (*.prj *.qvt)");
    EXPECT_EQ(TranslateFileFilter("Images (*.png)"), "Images (*.png)");
}

// The default extension is added once, with one dot, whether given with its dot or without.
TEST(FileDialogService, ASavedNameGetsTheDefaultExtensionWithOneDot)
{
    const struct {
        const char *path, *extension, *saved;
    } cases[] = {{"/p/name", ".xml", "/p/name.xml"},   {"/p/Demo", ".qvz", "/p/Demo.qvz"},
                 {"/p/name", "xlsx", "/p/name.xlsx"},  {"/p/name.", ".xml", "/p/name.xml"},
                 {"/p/name.txt", ".xml", "/p/name.txt"}, {"/p/name", "", "/p/name"},
                 {"", ".xml", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(WithDefaultExtension(c.path, c.extension), c.saved) << c.path << " " << c.extension;
}

TEST(AppContext, HelpersAnswerEmptyWithoutAnApplication)
{
    AppContext* previous = SetAppContext(nullptr);
    EXPECT_EQ(GetProjectDatabase(), nullptr);
    EXPECT_EQ(GetStepDatabase(4), nullptr);
    EXPECT_TRUE(GetProjectDBPath().isEmpty());
    EXPECT_TRUE(GetQuorvantaTempDir().isEmpty());
    EXPECT_FALSE(SetProjectModified(true));
    SetAppContext(previous);
}

TEST(Concerns, UninstalledOnesDoNothingAndClaimNoWork)
{
    EXPECT_TRUE(InitializeEngine()) << "start-up goes on without an engine module";
    EXPECT_FALSE(CreateProjectEngine());
    EXPECT_FALSE(RegenerateStepRecipeText(12)) << "nothing was regenerated";
    EXPECT_FALSE(ResultFilesExist(ContextRecord()));
    EXPECT_FALSE(IsProjectOpen());
    EXPECT_TRUE(isMessageVisible(10000001)) << "without a filter every message shows";
    DisplayHelp("USERMANUAL.CHM", 5); // nothing shown, nothing fails
    EXPECT_EQ(HelpTopicPage("/opt/qv/", "USERMANUAL.CHM", 20068), "/opt/qv/help/usermanual/20068.html");
}

namespace {
// Every concern as a bare implementation: each member keeps its default body.
struct BareConcerns : EngineHost,
                      RecipeTextRegeneration,
                      ResultWindowServices,
                      ProcessExplorerServices,
                      MessageVisibility,
                      ProjectControl,
                      DocumentHost,
                      CommandDispatcher {
    BareConcerns()
    {
        installed.Install<EngineHost>(this);
        installed.Install<RecipeTextRegeneration>(this);
        installed.Install<ResultWindowServices>(this);
        installed.Install<ProcessExplorerServices>(this);
        installed.Install<MessageVisibility>(this);
        installed.Install<ProjectControl>(this);
        installed.Install<DocumentHost>(this);
        installed.Install<CommandDispatcher>(this);
    }
    ServiceInstallations installed;
};
} // namespace

TEST(Concerns, AMemberNotImplementedAnswersAsNoConcernAtAll)
{
    for (bool installed : {false, true}) {
        std::unique_ptr<BareConcerns> bare(installed ? new BareConcerns : nullptr);
        EXPECT_TRUE(InitializeEngine()) << installed;
        EXPECT_FALSE(CreateProjectEngine()) << installed;
        EXPECT_EQ(GetEngineEntry(), nullptr) << installed;
        EXPECT_FALSE(RegenerateStepRecipeText(12)) << installed;
        EXPECT_FALSE(ResultFilesExist(ContextRecord())) << installed;
        EXPECT_TRUE(isMessageVisible(10000001)) << installed;
        EXPECT_FALSE(IsProjectOpen()) << installed;
        EXPECT_FALSE(DispatchCommand(57600)) << installed << ": no command ran";
        int placement = 7;
        long stepID = 8;
        EXPECT_FALSE(GetSelectedProcessOrStep(&placement, &stepID, true)) << installed;
        EXPECT_EQ(placement + stepID, 15) << "outputs untouched";
        EXPECT_EQ(GetTreeSelection().stepID, -1) << installed;
        ShowQuickResults(1001, 5);
        UpdateQuickResultsOperation(1001, 5);
        SyncLinkedWindows(1001, 5, LinkedItemType::Operation, SyncSource::ProcessExplorer);
        if (bare) {
            EXPECT_TRUE(bare->ListDocuments(DocumentKind::ProjectRecipe).isEmpty());
            EXPECT_FALSE(bare->ProjectControl::CloseProject(SaveAnswer::Discard)) << "no close claimed";
            EXPECT_FALSE(bare->SaveOpenProject()) << "no save claimed";
        }
    }
}

namespace {
// A participant that records its stage and may take another one out (and destroy it) meanwhile.
struct RemovingParticipant : ProjectHandover {
    explicit RemovingParticipant(QStringList& log, QString name) : log(log), name(std::move(name))
    {
        AddProjectHandover(this);
    }
    ~RemovingParticipant() override { RemoveProjectHandover(this); }
    void ClearPanes() override
    {
        log << name;
        victim.reset();
    }
    QStringList& log;
    QString name;
    std::unique_ptr<RemovingParticipant> victim;
};
} // namespace

TEST(ProjectHandover, AStageThatRemovesALaterParticipantNeverReachesIt)
{
    QStringList log;
    RemovingParticipant first(log, "first");
    first.victim = std::make_unique<RemovingParticipant>(log, "second");
    RemovingParticipant third(log, "third");
    RunProjectHandover(&ProjectHandover::ClearPanes); // the second is destroyed before its turn
    EXPECT_EQ(log, QStringList({"first", "third"}));
    RunProjectHandover(&ProjectHandover::ClearPanes);
    EXPECT_EQ(log, QStringList({"first", "third", "first", "third"}));
}
