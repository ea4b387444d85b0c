// Test entry: an offscreen application with isolated settings and folders, without the database
// layer's flushes (RealDiskSyncs.h).

#include "ScriptedPrompts.h"
#include "foundation/db/DiskSyncs.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toUtf8());
    qputenv("XDG_CACHE_HOME", (home.path() + "/.cache").toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + "/.local/share").toUtf8());
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Kovistrel"));
    QApplication::setApplicationName(QStringLiteral("QuorvantaTests"));
    // A prompt or file dialog that no test scripted fails the running test instead of blocking it.
    ScriptedPromptService unscriptedPrompts;
    ScriptedFileDialogService unscriptedDialogs;
    SetDiskSyncsSkipped(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
