// The named values of the per-user settings file: a value or key holding characters XML cannot
// carry is written so that the whole file still reads back, those characters as U+FFFD.

#include "shell/UserSettingsFile.h"

#include "Deadline.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

TEST(UserSettingsValuesTest, EveryValueReadsBackFromTheWrittenFile)
{
    const QChar lone(char16_t(0xDE71)), pairHigh(char16_t(0xD83D)), pairLow(char16_t(0xDE00));
    const QString fffd(QChar::ReplacementCharacter);
    const struct {
        QString key, value, read;
    } rows[] = {
        {"LastProject", "/home/user/Demo/Demo.prj", "/home/user/Demo/Demo.prj"},
        {"Control", QString("a") + QChar(1) + "b" + QChar(0x1b), "a" + fffd + "b" + fffd},
        {"Lone", QString("x") + lone + "y", "x" + fffd + "y"},
        {"Pair", QString("smile ") + pairHigh + pairLow, QString("smile ") + pairHigh + pairLow},
        {"NonCharacter", QString(QChar(char16_t(0xFFFE))) + "z", fffd + "z"},
        {"Tab\tkey", "t\tu", "t\tu"},
    };
    QTemporaryDir folder;
    CUserSettingsFile written;
    for (const auto& row : rows)
        written.setValue(row.key, row.value);
    written.setValue(QString("key") + QChar(2), "under a changed key");
    ASSERT_TRUE(written.SaveAs(folder.filePath("DUZO.xml")));

    CUserSettingsFile read;
    ASSERT_TRUE(read.Load(folder.filePath("DUZO.xml")));
    for (const auto& row : rows)
        EXPECT_EQ(read.value(row.key, "missing"), row.read) << qPrintable(row.key);
    EXPECT_EQ(read.value("key" + fffd), "under a changed key");
}

// The settings file is read only as a regular file, at once: a named pipe under its name or a
// picked profile's is refused, never waited on. A profile the user picks may be a link; the
// default file is never read through one.
TEST(UserSettingsValuesTest, OnlyARegularFileIsReadAndTheDefaultOneNeverThroughALink)
{
    QTemporaryDir folder;
    CUserSettingsFile written;
    written.setValue("Colour", "written");
    const QString good = folder.filePath("good.xml"), pipe = folder.filePath("pipe.xml");
    ASSERT_TRUE(written.SaveAs(good));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString defaultPath = CUserSettingsFile::DefaultPath();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(defaultPath).absolutePath()));
    const struct {
        const char* name;
        QString picked;      // "" = the default file
        QString defaultLink; // what the default file links to; "" = the pipe itself
        bool read;
    } rows[] = {
        {"a picked pipe", pipe, good, false},
        {"a picked link", folder.filePath("link.xml"), good, true},
        {"the default file as a pipe", "", "", false},
        {"the default file as a link", "", good, false},
    };
    ASSERT_TRUE(QFile::link(good, folder.filePath("link.xml")));
    for (const auto& row : rows) {
        QFile::remove(defaultPath);
        if (row.defaultLink.isEmpty())
            ASSERT_EQ(::mkfifo(QFile::encodeName(defaultPath).constData(), 0600), 0);
        else
            ASSERT_TRUE(QFile::link(row.defaultLink, defaultPath));
        CUserSettingsFile read;
        const Deadline deadline(std::chrono::seconds(10), std::string("loading ") + row.name);
        EXPECT_EQ(read.Load(row.picked), row.read) << row.name;
        EXPECT_EQ(read.value("Colour", "none"), row.read ? "written" : "none") << row.name;
    }
    // The default file beyond a text file's bound (a sparse one costs nothing to send) is not read.
    QFile::remove(defaultPath);
    ASSERT_TRUE(QFile::copy(good, defaultPath));
    QFile sparse(defaultPath);
    ASSERT_TRUE(sparse.open(QIODevice::ReadWrite) && sparse.resize(qint64(8) << 30));
    CUserSettingsFile read;
    const Deadline deadline(std::chrono::seconds(10), "loading a sparse default file");
    EXPECT_FALSE(read.Load(QString()));
    QFile::remove(defaultPath);
}

// The default file as a link to a user's file: the save replaces the link and the user's file keeps
// its bytes.
TEST(UserSettingsValuesTest, TheDefaultFileIsNeverWrittenThroughALink)
{
    QTemporaryDir outside;
    const QString user = outside.filePath("thesis.docx"), defaultPath = CUserSettingsFile::DefaultPath();
    {
        QFile file(user);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("precious") == 8);
    }
    ASSERT_TRUE(QDir().mkpath(QFileInfo(defaultPath).absolutePath()));
    QFile::remove(defaultPath);
    ASSERT_TRUE(QFile::link(user, defaultPath));
    CUserSettingsFile written;
    written.setValue("Colour", "written");
    EXPECT_TRUE(written.SaveAs(QString()));
    EXPECT_FALSE(QFileInfo(defaultPath).isSymLink());
    CUserSettingsFile read;
    EXPECT_TRUE(read.Load(QString()));
    EXPECT_EQ(read.value("Colour", "none"), "written");
    QFile file(user);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "precious");
    QFile::remove(defaultPath);
}

} // namespace
