#include "ScriptedProjectDialogs.h"
#include "ScriptedPrompts.h"
#include "ShellTestSupport.h"
#include "foundation/common/CommandIds.h"
#include "foundation/controls/RichText.h"
#include "foundation/controls/TitledListCtrl.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "projects/NewProject.h"
#include "projects/OpenProjectDialog.h"
#include "projects/WizardEndDialog.h"
#include "shell/MainFrame.h"
#include "shell/QuorvantaApp.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {
ScriptedProjectDialogs::Action ChooseInStartup(int choice, const QString& row)
{
    return [=](QDialog& shown) {
        auto& dialog = dynamic_cast<COpenProjectDialog&>(shown);
        dialog.ChoiceButton(choice)->click();
        dialog.FileList()->clearSelection();
        for (QTreeWidgetItem* item : dialog.FileList()->findItems(row, Qt::MatchExactly))
            item->setSelected(true);
        dialog.accept();
        return int(IDOK);
    };
}
} // namespace

// New Project Selection opens a recent project, and its blank choice makes a new project whose
// Project Information window the frame shows; the Main-toolbar button shows it again.
TEST(StartupChooserCommandsTest, TheChooserOpensARecentProjectAndMakesANewOne)
{
    ResetShellProfile();
    QTemporaryDir root;
    const QString demo = root.path() + "/Demo/Demo.prj";
    ASSERT_TRUE(CProjectGenerator().Write(CProjectGenerator::DemoProject(), root.path() + "/Demo/"));
    ScriptedPromptService prompts;
    ScriptedProjectDialogs projectDialogs;
    projectDialogs.expect([](QDialog&) { return int(IDCANCEL); }); // the start-up chooser
    CQuorvantaApp app;
    ASSERT_TRUE(app.InitInstance({"quorvanta"}));
    CMainFrame* frame = app.mainFrame();
    EXPECT_FALSE(app.IsProjectOpen());
    app.AddToRecentFileList(demo);

    projectDialogs.expect(ChooseInStartup(COpenProjectDialog::ExistingProject, demo));
    frame->action(ID_FILE_NEW_SELECTION)->trigger();
    EXPECT_TRUE(app.IsProjectOpen());
    EXPECT_EQ(frame->windowTitle(), "Tamro Plenthover - Demo");
    EXPECT_EQ(frame->ProjectInfoDialog(), nullptr) << "an existing project shows no information window";

    projectDialogs.expect(ChooseInStartup(COpenProjectDialog::BlankProject, QString()));
    projectDialogs.expectDialog<CNewProject>([&root](CNewProject& dialog) {
        dialog.NameEdit()->setText("Fresh");
        dialog.DirectoryEdit()->setText(root.path() + "/Fresh");
        dialog.DescriptionEdit()->SetText("First lines");
        return dialog.OnOK() ? int(IDOK) : int(IDCANCEL);
    });
    frame->action(ID_FILE_NEW_SELECTION)->trigger();
    ASSERT_TRUE(app.IsProjectOpen());
    CWizardEndDialog* info = frame->ProjectInfoDialog();
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->isVisible());
    EXPECT_EQ(info->NameLabel()->text(), "Fresh");
    EXPECT_EQ(info->PathLabel()->text(), root.path() + "/Fresh/Fresh.prj");
    info->OnOK();
    EXPECT_FALSE(info->isVisible());
    frame->action(ID_VIEW_PROJECT_INFORMATION)->trigger();
    EXPECT_TRUE(info->isVisible());
    prompts.expect(IDNO); // the new project is modified
    app.ExitInstance();
}
