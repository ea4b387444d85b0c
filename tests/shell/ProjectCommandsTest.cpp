#include "ScriptedPrompts.h"
#include "ShellTestSupport.h"
#include "foundation/common/CommandIds.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DatabaseFiles.h"
#include "foundation/db/ProjectGenerator.h"
#include "projects/ProjectManager.h"
#include "shell/MainFrame.h"
#include "shell/QuorvantaApp.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const char* const SAVE_QUESTION = "The current project has been modified. Do you want to save it?";

class ProjectCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetShellProfile();
        app = std::make_unique<CQuorvantaApp>();
        ASSERT_TRUE(app->InitInstance({"quorvanta"}));
        frame = app->mainFrame();
    }
    void TearDown() override
    {
        app->ExitInstance();
        app.reset();
        EXPECT_TRUE(prompts.allAnswersUsed());
    }

    // The Demo project opened the way the open sequence leaves it.
    void OpenDemo()
    {
        m_projectDir = m_root.path() + "/Demo/";
        CProjectGenerator generator;
        ASSERT_TRUE(generator.Write(CProjectGenerator::DemoProject(), m_projectDir));
        ProjectFileSet& files = app->fileSet();
        const QString working = GetQuorvantaTempDir();
        QDir().mkpath(working);
        files.projectFilePath = m_projectDir + "Demo.prj";
        files.projectDir = m_projectDir;
        files.projectName = "Demo";
        files.workingCopyDir = working;
        files.projectDBPath = files.previousProjectDBPath = working + "Demo.wc";
        files.equipmentDBPath = files.previousEquipmentDBPath = working + "Demo.ewc";
        files.materialsDBPath = files.previousMaterialsDBPath = working + "Demo.mwc";
        ASSERT_TRUE(CopyDatabaseFile(m_projectDir + "Demo.prj", files.projectDBPath));
        ASSERT_TRUE(CopyDatabaseFile(m_projectDir + "Demo.eqm", files.equipmentDBPath));
        ASSERT_TRUE(CopyDatabaseFile(m_projectDir + "Demo.mtl", files.materialsDBPath));
        files.projectDatabase = new CDaoDatabase;
        files.projectDatabase->Open(files.projectDBPath, DatabaseRole::WorkingCopy);
        QString error;
        ASSERT_TRUE(app->OpenStepDatabases(error, QString()));
        frame->OnProjectOpened(false);
        ASSERT_TRUE(app->WriteInUseMarker(m_projectDir));
    }
    void Edit()
    {
        GetProjectDatabase()->Execute("UPDATE Process SET Description = 'Edited' WHERE ProcessID = 1");
        app->setProjectModified(true);
    }
    QString SavedDescription() const
    {
        CDaoDatabase saved;
        saved.Open(m_projectDir + "Demo.prj", DatabaseRole::ReadOnly);
        QSqlQuery query = saved.Query("SELECT Description FROM Process WHERE ProcessID = 1");
        return query.next() ? query.value(0).toString() : QString();
    }

    QTemporaryDir m_root;
    QString m_projectDir;
    ScriptedPromptService prompts;
    std::unique_ptr<CQuorvantaApp> app;
    CMainFrame* frame = nullptr;
};
} // namespace

TEST_F(ProjectCommandsTest, SaveAndCloseAreEnabledOnlyWithAnOpenProject)
{
    EXPECT_FALSE(frame->IsCommandEnabled(ID_FILE_SAVE));
    EXPECT_FALSE(frame->IsCommandEnabled(ID_FILE_CLOSE));
    OpenDemo();
    EXPECT_TRUE(frame->IsCommandEnabled(ID_FILE_SAVE));
    EXPECT_TRUE(frame->IsCommandEnabled(ID_FILE_CLOSE));
}

TEST_F(ProjectCommandsTest, SaveWritesTheProjectAndArmsTheAutoSaveAgain)
{
    frame->SetAutoSaveMinutes(10);
    OpenDemo();
    Edit();
    frame->ExecuteCommand(ID_FILE_SAVE);
    EXPECT_EQ(SavedDescription(), "Edited");
    EXPECT_FALSE(app->isProjectModified());
    EXPECT_TRUE(frame->autoSaveTimer().IsArmed());
}

TEST_F(ProjectCommandsTest, CloseAsksAndCancelKeepsTheProjectAndTheProgramRunning)
{
    OpenDemo();
    Edit();
    prompts.expect(IDCANCEL);
    frame->ExecuteCommand(ID_FILE_CLOSE);
    EXPECT_TRUE(frame->IsProjectOpen());
    prompts.expect(IDCANCEL);
    QCloseEvent closing;
    QCoreApplication::sendEvent(frame, &closing);
    EXPECT_FALSE(closing.isAccepted());
    EXPECT_EQ(prompts.texts(), (QStringList{SAVE_QUESTION, SAVE_QUESTION}));
    prompts.expect(IDYES);
    frame->ExecuteCommand(ID_FILE_CLOSE);
    EXPECT_FALSE(frame->IsProjectOpen());
    EXPECT_EQ(SavedDescription(), "Edited");
    EXPECT_FALSE(QFileInfo::exists(m_projectDir + "WorkingPath.txt"));
    EXPECT_EQ(GetProjectDatabase(), nullptr);
}

TEST_F(ProjectCommandsTest, TheRefreshNotificationRegistersStepsAddedMeanwhile)
{
    OpenDemo();
    GetProjectDatabase()->Execute("INSERT INTO ProjectStep (StepID, StepName) VALUES (3001, 'Added')");
    ASSERT_TRUE(CopyDatabaseFile(m_projectDir + "STEP_1001.STP", GetWorkingCopyDir() + "STEP_3001.WC"));
    frame->OnFrameNotify(int(FrameNotifyMessage::RefreshPanes));
    EXPECT_NE(GetStepDatabase(3001), nullptr);
}
