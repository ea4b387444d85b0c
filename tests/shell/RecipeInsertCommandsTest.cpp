// Inserts into the Demo's Coupling recipe on a real application: the recipe opened from the Process
// Explorer, an operation and a parallel block inserted through the Edit menu and through the
// recipe's context menu, saved, closed and opened again.

#include "RecipeShellFixture.h"

namespace {
class RecipeInsertCommandsTest : public RecipeShellFixture {};
} // namespace

TEST_F(RecipeInsertCommandsTest, InsertsFromTheMenusAreSavedAndOpenAgain)
{
    int paneRefreshes = 0;
    frame->SetPaneWidget(PaneID::StandardStatements, new QLabel, [&] { ++paneRefreshes; });
    frame->pane(PaneID::StandardStatements)->show();
    CQUORVANTAView* view = OpenCouplingFromTheExplorer();
    ASSERT_NE(view, nullptr);
    const QStringList before = StoredLines(SHELL_COUPLING_STEP);

    Click(*view, "Age R-102");
    ClickEditMenu("Insert Batch Operation/Operation E to L/Heat");
    Click(*view, "Transfer 100 kg to R-102");
    ClickEditMenu("Insert Keyword/Parallel");
    Click(*view, "Reaction in R-101");
    ClickContextMenu(*view, "Reaction in R-101", "Insert Batch Operation/Operation E to L/Heat");
    Click(*view, "Distill");
    ClickContextMenu(*view, "Distill", "Insert Keyword/Parallel");
    EXPECT_EQ(paneRefreshes, 2) << "the two operations refresh the step panes";
    const QStringList inserted = StoredLines(SHELL_COUPLING_STEP);
    ASSERT_EQ(inserted.size(), before.size() + 10);
    EXPECT_EQ(
        inserted.join('|'),
        "1. Unit Procedure|1.1. Heat|1.2. Purge|1.3. Charge|1.4. Charge|Start Parallel|Series|1.5. Heat|"
        "Series|1.6. Start-Sweep|End Parallel|1.7. React|1.8. Transfer|Start Parallel|Series|Series|End "
        "Parallel|2. Unit Procedure|2.1. Cool|2.2. Distill|Start Parallel|Series|Series|End "
        "Parallel|2.3. Age|2.4. Heat");

    frame->action(ID_FILE_SAVE)->trigger();
    frame->action(ID_FILE_CLOSE)->trigger();
    ASSERT_FALSE(frame->IsProjectOpen());
    ASSERT_TRUE(app->OpenGivenProjectFile(m_project));
    EXPECT_EQ(StoredLines(SHELL_COUPLING_STEP), inserted);
    view = OpenCouplingFromTheExplorer();
    ASSERT_NE(view, nullptr);
    QStringList shown;
    for (int index = 0; index < view->LineCount(); ++index) {
        const RecipeLineRecord& line = view->Line(index)->line();
        shown << (line.label + ' ' +
                  (line.kind == RECIPE_LINE_OPERATION ? line.operationLabel : line.typeText))
                     .trimmed();
    }
    EXPECT_EQ(shown, inserted);
}
