#include "FakeAppContext.h"
#include "FakeFrameServices.h"
#include "QtPrinters.h"

#include <QComboBox>
#include <QFileInfo>
#include <gtest/gtest.h>

TEST(FakeAppContext, InstallsItselfAndRestoresThePreviousContext)
{
    AppContext* before = GetAppContext();
    {
        FakeAppContext outer;
        {
            FakeAppContext inner;
            EXPECT_EQ(GetAppContext(), &inner);
        }
        EXPECT_EQ(GetAppContext(), &outer);
    }
    EXPECT_EQ(GetAppContext(), before);
}

TEST(FakeAppContext, AnswersTheGlobalHelpersAndRecords)
{
    FakeAppContext app;
    app.fileSet().projectDBPath = app.root() + "instance/Demo.wc";
    app.stepDatabases().add(42, nullptr, app.root() + "instance/STEP_42.WC");
    EXPECT_EQ(GetProjectDBPath(), app.root() + "instance/Demo.wc");
    EXPECT_EQ(GetStepDBPath(42), app.root() + "instance/STEP_42.WC");
    EXPECT_TRUE(QFileInfo(GetQuorvantaTempDir()).isDir());
    EXPECT_TRUE(GetInstallDir().endsWith('/'));

    EXPECT_TRUE(SetProjectModified(true));
    EXPECT_TRUE(SetProjectModified(false));
    EXPECT_EQ(app.modifiedHistory(), QList<bool>({true, false}));
    EXPECT_FALSE(app.isProjectModified());

    app.AddToRecentFileList("/p/Demo.prj");
    EXPECT_EQ(app.recentFiles(), QStringList{"/p/Demo.prj"});

    app.profile()->setValue("Options/AutoSave", 10);
    app.profile()->sync();
    EXPECT_TRUE(app.profile()->fileName().startsWith(app.root()));
    app.paths()->SetWorkingDirectory(app.root() + "elsewhere");
    EXPECT_EQ(app.paths()->workingDir(), app.root() + "elsewhere/");
}

TEST(FakeFrameServices, RecordsCallsInOrderAndSortsPlainly)
{
    FrameServices* before = GetFrameServices();
    {
        FakeFrameServices frame;
        EXPECT_EQ(GetFrameServices(), &frame);
        frame.BeginProgress(0, 100, "saving project");
        frame.SetProgressPos(40);
        frame.EndProgress();
        frame.OnProjectOpened(false);
        EXPECT_TRUE(frame.IsProjectOpen());
        QStringList texts{"b", "B", "a"};
        frame.SortTexts(texts);
        EXPECT_EQ(texts, QStringList({"B", "a", "b"}));
        EXPECT_EQ(frame.calls(), QStringList({"BeginProgress 0 100 saving project", "SetProgressPos 40",
                                              "EndProgress", "OnProjectOpened false", "SortTexts 3"}));
        EXPECT_EQ(frame.callsNamed("EndProgress"), QStringList{"EndProgress"});
    }
    EXPECT_EQ(GetFrameServices(), before);
}

TEST(FakeFrameServices, SortsComboItemsKeepingDataAndSelection)
{
    FakeFrameServices frame;
    QComboBox combo;
    combo.addItem("Pump", 3);
    combo.addItem("Dryer", 1);
    combo.addItem("Reactor", 2);
    combo.setCurrentIndex(0);
    frame.SortComboBoxItems(&combo);
    ASSERT_EQ(combo.count(), 3);
    EXPECT_EQ(combo.itemText(0), "Dryer");
    EXPECT_EQ(combo.itemData(0).toInt(), 1);
    EXPECT_EQ(combo.currentText(), "Pump");
    EXPECT_EQ(combo.currentData().toInt(), 3);
}
