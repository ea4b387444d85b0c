#include "ScriptedPrompts.h"
#include "ShellTestSupport.h"
#include "foundation/common/CommandIds.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/ProjectGenerator.h"
#include "shell/MainFrame.h"
#include "shell/QuorvantaApp.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {
// File Open, the recent files, the command line and drops reach the open sequence of a real
// application; Save and Close follow it.
class ProjectOpenCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetShellProfile();
        m_path = m_root.path() + "/Demo/Demo.prj";
        CProjectGenerator generator;
        ASSERT_TRUE(generator.Write(CProjectGenerator::DemoProject(), m_root.path() + "/Demo/"));
    }
    void Start(const QStringList& arguments = {"quorvanta"})
    {
        app = std::make_unique<CQuorvantaApp>();
        ASSERT_TRUE(app->InitInstance(arguments));
        frame = app->mainFrame();
    }
    void TearDown() override
    {
        if (app) {
            app->ExitInstance();
            app.reset();
        }
        EXPECT_TRUE(prompts.allAnswersUsed());
    }
    QString SavedDescription() const
    {
        CDaoDatabase saved;
        saved.Open(m_path, DatabaseRole::ReadOnly);
        QSqlQuery query = saved.Query("SELECT Description FROM Process WHERE ProcessID = 1");
        return query.next() ? query.value(0).toString() : QString();
    }
    bool ProjectShown() const { return frame->IsProjectOpen() && frame->windowTitle().endsWith(" - Demo"); }

    QTemporaryDir m_root;
    QString m_path;
    ScriptedPromptService prompts;
    ScriptedFileDialogService dialogs;
    std::unique_ptr<CQuorvantaApp> app;
    CMainFrame* frame = nullptr;
};
} // namespace

TEST_F(ProjectOpenCommandsTest, FileOpenSaveAndCloseRunOnTheChosenProject)
{
    Start();
    EXPECT_TRUE(frame->IsCommandEnabled(ID_FILE_OPEN));
    EXPECT_FALSE(frame->IsCommandEnabled(ID_FILE_SAVE));
    dialogs.expect(m_path);
    frame->ExecuteCommand(ID_FILE_OPEN);
    ASSERT_TRUE(ProjectShown()) << frame->windowTitle().toStdString();
    EXPECT_TRUE(frame->IsCommandEnabled(ID_FILE_SAVE));
    EXPECT_TRUE(frame->IsCommandEnabled(ID_FILE_CLOSE));
    EXPECT_EQ(app->recentFiles()[0], m_path);

    GetProjectDatabase()->Execute("UPDATE Process SET Description = 'Edited' WHERE ProcessID = 1");
    app->setProjectModified(true);
    frame->ExecuteCommand(ID_FILE_SAVE);
    EXPECT_EQ(SavedDescription(), "Edited");
    frame->ExecuteCommand(ID_FILE_CLOSE);
    EXPECT_FALSE(frame->IsProjectOpen());
    EXPECT_FALSE(frame->IsCommandEnabled(ID_FILE_SAVE));
    EXPECT_EQ(GetProjectDatabase(), nullptr);
}

TEST_F(ProjectOpenCommandsTest, TheRecentFileEntryOpensItsProject)
{
    Start();
    app->AddToRecentFileList(m_path);
    frame->ExecuteCommand(ID_FILE_MRU_FIRST);
    EXPECT_TRUE(ProjectShown());
    EXPECT_FALSE(app->fileSet().pathGiven);
}

TEST_F(ProjectOpenCommandsTest, AProjectOnTheCommandLineIsOpenedAtStartUp)
{
    Start({"quorvanta", m_path});
    EXPECT_TRUE(ProjectShown());
}

TEST_F(ProjectOpenCommandsTest, AFileDroppedOnTheWindowIsOpened)
{
    Start();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(m_path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame, &drop);
    EXPECT_TRUE(ProjectShown());
}
