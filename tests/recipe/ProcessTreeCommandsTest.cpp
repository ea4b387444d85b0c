// The Text Recipe command and the pane's command states.

#include "ProcessTreeFixture.h"

#include "foundation/common/CommandIds.h"

#include <QAction>
#include <QMenu>
#include <QRegularExpression>
#include <QToolBar>

TEST_F(ProcessTreeFixture, TextRecipeOnAProcessOpensOneWindowPerStepWithoutDuplicates)
{
    OpenDemo();
    tree.RefillTree();
    Select({1, 0}); // Coupling in the second process
    tree.OnCommand(ID_PROCESS_TEXT_RECIPE);
    Select({0});
    tree.OnCommand(ID_PROCESS_TEXT_RECIPE);
    EXPECT_EQ(host.calls.filter(QRegularExpression("^(open|activate) ")).join(", ").toStdString(),
              "open 1001 Recipe: Coupling (1.0), activate 1001, open 1002 Recipe: Crystallization (1.0), "
              "open 1003 Recipe: Drying (1.0)");
    const RecipeDocumentIdentity& coupling = host.windows.value(COUPLING)->identity();
    EXPECT_EQ(std::tuple(coupling.projectID, coupling.processID, coupling.stepTitle, coupling.stepID,
                         coupling.facilityID, coupling.openedFromExplorer),
              std::tuple(1L, 2L, QString("Coupling (1.0)"), COUPLING, CProjectGenerator::PLANT_ID, true));
    EXPECT_EQ(host.windows.value(1003)->identity().processID, 1);
}

TEST_F(ProcessTreeFixture, TextRecipeRefusalsAndFailures)
{
    ProjectSpec spec = CProjectGenerator::DemoProject();
    spec.processes.append({3, "Rework", "A", {}, -1, -1, {1006}});
    Open(spec);
    EditProject("DELETE FROM \"Step-To-Process\" WHERE ProcessID = 3");
    tree.RefillTree();
    prompts.expect(IDOK);
    tree.OnTextRecipe();
    EXPECT_EQ(prompts.lastText(), "Nothing selected!");
    Select({2});
    prompts.expect(IDOK);
    tree.OnTextRecipe();
    EXPECT_EQ(prompts.lastText(), "This Process does not contain any steps!");

    host.installed.Install<DocumentHost>(nullptr); // nothing can make the window
    Select({1});
    prompts.expect(IDOK);
    tree.OnTextRecipe();
    EXPECT_EQ(prompts.lastText(), "Can't create new recipe text child window!");
    EXPECT_EQ(prompts.texts().size(), 3) << "the remaining steps are skipped";
}

TEST_F(ProcessTreeFixture, PaneCommandsAndMenus)
{
    OpenDemo();
    tree.RefillTree();
    EXPECT_FALSE(tree.IsCommandEnabled(ID_PROCESS_TEXT_RECIPE));
    Select({0, 2});
    for (int id : {ID_PROCESS_NEW_PROCESS, ID_PROCESS_NEW_STEP, ID_PROCESS_DELETE, ID_PROCESS_TEXT_RECIPE,
                   ID_PROCESS_INFORMATION, ID_PROCESS_MOVE_UP, ID_PROCESS_MOVE_DOWN}) {
        EXPECT_TRUE(tree.HandlesCommand(id));
        const bool enabled = id == ID_PROCESS_TEXT_RECIPE || id == ID_PROCESS_NEW_STEP || id == ID_PROCESS_INFORMATION ||
                             id == ID_PROCESS_DELETE || id == ID_PROCESS_MOVE_UP || id == ID_PROCESS_MOVE_DOWN;
        EXPECT_EQ(tree.IsCommandEnabled(id), enabled) << id << " (no project open for New Process)";
    }
    EXPECT_FALSE(tree.HandlesCommand(ID_VIEW_ROUTE_SELECTION)) << "the frame's command";
    QStringList toolbar, menu;
    for (QAction* action : tree.toolBar()->actions())
        toolbar << QString::number(action->data().toInt());
    for (QAction* action : tree.contextMenu()->actions())
        menu << (action->isSeparator() ? "-" : action->menu() ? action->text() : action->data().toString());
    EXPECT_EQ(toolbar.join(' '), "33466 33467 33469 33471 33468 33533");
    EXPECT_EQ(menu.join(' '), "33466 33467 33468 - 33469 32807 33284 33124 33114 33113 - 32821 33205 33575 - "
                              "Import Export... - 33523 33524 - 33471");
}
