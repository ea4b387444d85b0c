// The named values of the per-user settings file: a value or key holding characters XML cannot
// carry is written so that the whole file still reads back, those characters as U+FFFD.

#include "shell/UserSettingsFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

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

} // namespace
