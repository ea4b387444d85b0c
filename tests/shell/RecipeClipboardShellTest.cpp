// The frame's recipe clipboard and line drag in the running program: a copy enables Paste until
// another project opens; the frame's drag is the one the lines use.

#include "RecipeShellFixture.h"

#include "recipe/view/RecipeClipboard.h"
#include "recipe/view/RecipeLineDrag.h"

class RecipeClipboardShellTest : public RecipeShellFixture {};

TEST_F(RecipeClipboardShellTest, PasteIsDisabledOnceAnotherProjectOpened)
{
    CQUORVANTAView* view = OpenCouplingFromTheExplorer();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(CRecipeLineDrag::Installed(), &frame->recipeLineDrag());
    Click(*view, "Purge");
    frame->action(ID_EDIT_COPY)->trigger();
    EXPECT_TRUE(frame->recipeClipboard().bRecipeClipboardFilled);
    EXPECT_TRUE(frame->IsCommandEnabled(ID_EDIT_PASTE));

    frame->action(ID_FILE_CLOSE)->trigger();
    ASSERT_TRUE(app->OpenGivenProjectFile(m_project));
    view = OpenCouplingFromTheExplorer();
    ASSERT_NE(view, nullptr);
    Click(*view, "Purge");
    EXPECT_FALSE(frame->recipeClipboard().bRecipeClipboardFilled);
    EXPECT_FALSE(frame->IsCommandEnabled(ID_EDIT_PASTE));
    EXPECT_FALSE(view->OnEditPaste());
    EXPECT_EQ(view->LineCount(), 16);
}
