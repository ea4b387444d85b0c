#include "shell/RecentFileList.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(RecentFileList, KeepsEightNewestFirstMovesADuplicateUpIgnoringCaseAndRemovesOneSlot)
{
    CRecentFileList list("Recent File List", "File%d", 8);
    for (int i = 1; i <= 10; ++i)
        list.Add(QString("/p/P%1.prj").arg(i));
    EXPECT_EQ(list[8], "");
    list.Add("/P/p5.PRJ");
    list.Add("");
    EXPECT_EQ(list.names(), QStringList({"/P/p5.PRJ", "/p/P10.prj", "/p/P9.prj", "/p/P8.prj", "/p/P7.prj",
                                         "/p/P6.prj", "/p/P4.prj", "/p/P3.prj"}));
    for (int index : {8, -1, 0}) // bad indexes are ignored
        list.Remove(index);
    EXPECT_EQ(list.count(), 7);
    EXPECT_EQ(list[0], "/p/P10.prj");
}

TEST(RecentFileList, StoresEntriesFile1ToFile8InItsSection)
{
    QTemporaryDir dir;
    QSettings profile(dir.filePath("profile.ini"), QSettings::IniFormat);
    CRecentFileList list("Recent Custom Reports", "File%d", 8);
    list.Add("/r/One.xls");
    list.Add("/r/Two.xls");
    list.WriteList(profile);
    EXPECT_EQ(profile.value("Recent Custom Reports/File1").toString(), "/r/Two.xls");
    EXPECT_EQ(profile.value("Recent Custom Reports/File2").toString(), "/r/One.xls");
    EXPECT_FALSE(profile.contains("Recent Custom Reports/File3"));
    CRecentFileList reread("Recent Custom Reports", "File%d", 8);
    reread.ReadList(profile);
    EXPECT_EQ(reread.names(), list.names());
}

// A path given relative to where the program started is listed by its full path, once.
TEST(RecentFileList, KeepsAbsolutePaths)
{
    CRecentFileList list("Recent File List", "File%d", 8);
    list.Add("Demo/Demo.prj");
    list.Add("./Demo/../Demo/Demo.prj");
    EXPECT_EQ(list.names().first(), QDir::currentPath() + "/Demo/Demo.prj");
    EXPECT_EQ(list.count(), 1);
}
