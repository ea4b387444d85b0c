// Save As Compound File and Manage Compound File from the File menu of a real application, and
// the managed side's look-up of a library inside the package written.

#include "ScriptedPrompts.h"
#include "ShellTestSupport.h"
#include "foundation/common/CommandIds.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "shell/MainFrame.h"
#include "shell/QuorvantaApp.h"
#include "shell/bridge/ImplementedZEVKCallBack.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(CompoundCommandsTest, ThePackagesOfTheFileMenuHoldTheSavedProject)
{
    ResetShellProfile();
    QTemporaryDir root;
    const QString folder = root.path() + "/Demo/", package = root.path() + "/Sent.qvz";
    ASSERT_TRUE(CProjectGenerator().Write(CProjectGenerator::DemoProject(), folder));
    ScriptedPromptService prompts;
    ScriptedFileDialogService dialogs;
    CQuorvantaApp app;
    ASSERT_TRUE(app.InitInstance({"quorvanta", folder + "Demo.prj"}));
    CMainFrame* frame = app.mainFrame();
    ASSERT_TRUE(frame->IsProjectOpen());

    dialogs.expect(package);
    frame->ExecuteCommand(ID_FILE_SAVE_AS_COMPOUND);
    ASSERT_TRUE(QFileInfo::exists(package));
    EXPECT_EQ(dialogs.requests().first().initialPath, folder + "Demo");
    QFile::remove(package);
    frame->ExecuteCommand(ID_FILE_MANAGE_COMPOUND); // the folder names the package now
    EXPECT_TRUE(QFileInfo::exists(package));
    EXPECT_TRUE(frame->action(ID_FILE_MANAGE_COMPOUND)->isEnabled());

    QString library;
    ASSERT_TRUE(
        ImplementedZEVKCallBack().GetMaterialOrEquipmentFileFromQvzFile(1, root.path(), "Sent", library));
    EXPECT_EQ(QFileInfo(library).fileName(), "Demo.eqm");
    EXPECT_EQ(frame->TemporaryFolders(), QStringList{QFileInfo(library).path()});
    app.ExitInstance();
    EXPECT_TRUE(prompts.allAnswersUsed());
}
