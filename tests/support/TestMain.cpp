// Test entry: an offscreen application with isolated settings and folders.

#include "foundation/common/FileDialogService.h"
#include "foundation/common/MessageBox.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
// A prompt or file dialog that no test scripted fails the running test instead of blocking it.
class UnscriptedPrompts : public PromptService, public FileDialogService {
public:
    int prompt(const QString& text, unsigned flags, const QString&) override
    {
        ADD_FAILURE() << "unscripted prompt: " << text.toStdString();
        return DefaultAnswer(flags);
    }
    QString choose(const FileDialogRequest& request) override
    {
        ADD_FAILURE() << "unscripted file dialog: " << request.title.toStdString();
        return QString();
    }
};
} // namespace

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
    UnscriptedPrompts unscripted;
    SetPromptService(&unscripted);
    SetFileDialogService(&unscripted);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
