#include "ScriptedPrompts.h"
#include "foundation/common/AppContext.h"
#include "foundation/common/FileDialogService.h"
#include "foundation/common/HelpService.h"
#include "foundation/common/ProjectControl.h"
#include "foundation/common/SubsystemConcerns.h"
#include "foundation/common/MessageBox.h"

#include <gtest/gtest.h>

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
