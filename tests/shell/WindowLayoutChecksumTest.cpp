// The window layout in the per-user settings file, at start-up and from an imported profile, is
// applied only with the checksum it was written with. A layout without one (an older file) or with
// a wrong one is dropped with one log line, and the next settings file written carries good ones.

#include "ScriptedProjectDialogs.h"
#include "ScriptedPrompts.h"
#include "ShellTestSupport.h"
#include "foundation/common/AutomationFlag.h"
#include "shell/MainFrame.h"
#include "shell/QuorvantaApp.h"

#include <QDockWidget>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
// A window state whose restore walks 2^31 toolbar lines: minutes inside Qt.
const QString HANGING_STATE = QStringLiteral("AAAA/wAAAAD+f////w==");

QStringList g_layoutWarnings;

void RecordLayoutWarning(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtWarningMsg && text.contains("checksum"))
        g_layoutWarnings << text;
}

// Rewrites the settings file: every match of the pattern becomes the replacement, "@" in it the
// hanging state.
void Damage(const QString& path, const QString& pattern, QString replacement)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    replacement.replace("@", HANGING_STATE);
    const QString xml = QString::fromUtf8(file.readAll()).replace(QRegularExpression(pattern), replacement);
    ASSERT_TRUE(file.resize(0) && file.write(xml.toUtf8()) > 0);
}

struct LayoutCase {
    const char* name;
    const char* pattern;
    const char* replacement;
    const char* dropped; // the entries the log line names; nullptr when the layout is applied
};

class WindowLayoutChecksumTest : public ::testing::TestWithParam<LayoutCase> {
protected:
    void SetUp() override
    {
        g_bAutomationActive = false;
        ResetShellProfile();
        m_previous = qInstallMessageHandler(RecordLayoutWarning);
    }
    void TearDown() override
    {
        app.reset();
        qInstallMessageHandler(m_previous);
    }
    void Start()
    {
        g_layoutWarnings.clear();
        app.reset(); // an application object gives back the services it took before the next takes them
        app = std::make_unique<CQuorvantaApp>();
        ASSERT_TRUE(app->InitInstance({"quorvanta"}));
    }
    QDockWidget* Plans() const { return app->mainFrame()->pane(PaneID::PlanExplorer); }
    static QString Warning(const QString& path, const char* dropped)
    {
        return path + ": window layout not applied (" + dropped + "): checksum missing or wrong";
    }

    CancelledProjectDialogs chooser; // shown at every start-up without a file
    std::unique_ptr<CQuorvantaApp> app;

private:
    QtMessageHandler m_previous = nullptr;
};
} // namespace

TEST_P(WindowLayoutChecksumTest, OnlyALayoutWithItsChecksumIsApplied)
{
    const LayoutCase& c = GetParam();
    Start();
    Plans()->setFloating(true);
    app->ExitInstance();
    const QString settings = CUserSettingsFile::DefaultPath();
    Damage(settings, c.pattern, c.replacement);
    QElapsedTimer clock;
    clock.start();
    Start();
    EXPECT_LT(clock.elapsed(), 20000);
    EXPECT_EQ(Plans()->isFloating(), !c.dropped);
    EXPECT_EQ(g_layoutWarnings, c.dropped ? QStringList{Warning(settings, c.dropped)} : QStringList());
    app->ExitInstance();
    Start(); // the layout written at the exit is whole again
    EXPECT_EQ(g_layoutWarnings, QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    Damages, WindowLayoutChecksumTest,
    ::testing::ValuesIn(std::vector<LayoutCase>{
        {"Whole", "^$", "", nullptr},
        {"OlderFileWithoutChecksums", " checksum=\"[0-9a-f]*\"", "", "WindowState, WindowGeometry"},
        {"WrongChecksum", "(<WindowState checksum=\")[0-9a-f]", "\\1x", "WindowState"},
        {"DamagedStateWithoutChecksum", "<WindowState checksum=\"[0-9a-f]*\">[^<]*", "<WindowState>@",
         "WindowState"},
        {"DamagedStateWithItsOldChecksum", "(<WindowState[^>]*>)[^<]*", "\\1@", "WindowState"},
    }),
    [](const auto& info) { return std::string(info.param.name); });

// An imported profile whose state does not match its checksum leaves the window as it is; its
// other values are taken.
TEST_F(WindowLayoutChecksumTest, AnImportedProfileWithADamagedStateKeepsTheWindowsLayout)
{
    Start();
    QTemporaryDir folder;
    const QString profile = folder.filePath("layout.xml");
    ScriptedFileDialogService dialogs;
    ScriptedPromptService prompts; // no prompt: the layout is dropped in the log only
    Plans()->hide();
    app->userSettings().setValue("Colour", "exported");
    dialogs.expect(profile);
    app->ExportProfile();
    Damage(profile, "(<WindowState[^>]*>)[^<]*", "\\1@");
    Plans()->show();
    app->userSettings().setValue("Colour", "changed");
    dialogs.expect(profile);
    app->ImportProfile();
    EXPECT_FALSE(Plans()->isHidden());
    EXPECT_EQ(app->userSettings().value("Colour"), "exported");
    EXPECT_EQ(g_layoutWarnings, QStringList{Warning(profile, "WindowState")});
}
