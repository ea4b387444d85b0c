#include "foundation/db/files/TargetFolderScan.h"
#include "DbFixture.h"
#include "foundation/db/connection/ChangeTracking.h"
#include "foundation/db/connection/SharedConnection.h"

#include <QDir>
#include <QFile>

// One scan answers as the single-path functions do for every kind of entry its listing meets:
// plain files, missing files, links to files and to folders, dangling links, relative paths.
// A file's identity is that of what a link names.
TEST_F(DbFixture, AFolderScanAnswersAsTheFileSystemDoes)
{
    const QString plain = makeRecipeDatabase("STEP_1.STP");
    ASSERT_TRUE(QDir(pathOf("")).mkpath("inner/deeper"));
    ASSERT_TRUE(QFile::link(pathOf("inner/deeper"), pathOf("deep-link")));
    ASSERT_TRUE(QFile::link(plain, pathOf("LINKED.STP")));
    ASSERT_TRUE(QFile::link(pathOf("inner"), pathOf("folder-link")));
    ASSERT_TRUE(QFile::link(pathOf("MISSING"), pathOf("STEP_1.STP.bu"))); // dangling: no leftover
    writeBytes(pathOf("inner/STEP_2.STP"), "x");
    ASSERT_TRUE(QFile::link(pathOf("inner/STEP_2.STP"), pathOf("inner/STEP_2.STP-wal")));
    writeBytes(pathOf("inner/STEP_3.STP"), "x");
    writeBytes(pathOf("inner/STEP_3.STP.tmp"), "x");
    QStringList leftBehind; // one target for each kind of write leftover, named beyond ASCII
    for (const char* suffix : WriteLeftoverSuffixes()) {
        leftBehind << pathOf(QStringLiteral("inner/LEFT_\u00dc%1.STP").arg(leftBehind.size()));
        writeBytes(leftBehind.last() + QLatin1String(suffix), "x");
    }
    CDaoDatabase db;
    db.Open(plain, DatabaseRole::ReadWrite);

    const QStringList paths = leftBehind + QStringList{plain,
                            pathOf("LINKED.STP"),
                            pathOf("NOT_THERE.STP"),
                            pathOf("folder-link/STEP_2.STP"),
                            pathOf("folder-link/STEP_3.STP"),
                            pathOf("inner/STEP_2.STP"),
                            pathOf("inner/../STEP_1.STP"),
                            pathOf("deep-link/../STEP_2.STP"), // ".." after a link: not lexical
                            pathOf("deep-link/../NOT_THERE.STP"),
                            pathOf("inner/./STEP_2.STP"),
                            pathOf("nowhere/STEP_1.STP"),
                            QStringLiteral("relative/STEP_1.STP")};
    CTargetFolderScan scan;
    for (const QString& path : paths) {
        EXPECT_EQ(scan.changeKey(path), ChangeKey(path)) << qPrintable(path);
        const QString key = ChangeKey(path);
        EXPECT_TRUE(scan.hasChangeKey(path, key)) << qPrintable(path);
        for (const QString& other : {key + QLatin1Char('x'), key.chopped(1) + QLatin1Char('x'),
                                     QLatin1Char('x') + key.mid(1), key.left(key.lastIndexOf('/')) + "x/" +
                                                                        key.mid(key.lastIndexOf('/') + 1)})
            EXPECT_FALSE(scan.hasChangeKey(path, other)) << qPrintable(other);
        EXPECT_EQ(scan.hasWriteLeftoversBeside(path), HasWriteLeftoversBeside(path)) << qPrintable(path);
        EXPECT_EQ(scan.connectionOn(path), CSharedConnection::find(path)) << qPrintable(path);
        EXPECT_EQ(scan.identityOf(path), ReadFileIdentity(path)) << qPrintable(path);
    }
    for (const QString& target : leftBehind)
        EXPECT_TRUE(scan.hasWriteLeftoversBeside(target)) << qPrintable(target);
    EXPECT_FALSE(scan.hasWriteLeftoversBeside(plain)) << "a dangling link names no file";
    EXPECT_TRUE(scan.hasWriteLeftoversBeside(pathOf("inner/STEP_2.STP"))) << "a link to a file";
    EXPECT_TRUE(scan.hasWriteLeftoversBeside(pathOf("folder-link/STEP_3.STP")));
    EXPECT_NE(scan.connectionOn(plain), nullptr);
    EXPECT_EQ(scan.connectionOn(pathOf("LINKED.STP")), scan.connectionOn(plain));
}
