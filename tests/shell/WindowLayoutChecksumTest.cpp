// The window layout in the per-user settings file, at start-up and from an imported profile, is
// applied only with the checksum it was written with. A layout without one (an older file) or with
// a wrong one is dropped with one log line, and the next settings file written carries good ones.

#include "Deadline.h"
#include "ScriptedProjectDialogs.h"
#include "ScriptedPrompts.h"
#include "ShellTestSupport.h"
#include "foundation/common/AutomationFlag.h"
#include "shell/MainFrame.h"
#include "shell/QuorvantaApp.h"
#include "shell/WindowLayoutCheck.h"

#include <QCryptographicHash>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolBar>
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

namespace {
// Crafted states that carry their matching checksum: the first walks 2^28 toolbar lines inside
// Qt, the others name dock areas past the four a window has.
struct CraftedLayout {
    const char* name;
    const char* state;
};
const CraftedLayout ENDLESS_LINES{"EndlessToolbarLines", "AAAA/wAAAAD8EAAAAAAAAAAyADFKaiShuAAAAAAA"};
const CraftedLayout CRASHING[] = {
    {"ManyDockAreas", "AAAA/wAAAAD9AAD/////AIcAAAD/AAAAAPw="},
    {"DockAreaPastTheFour",
     "AAAA/wAAAAD9AAAAAQAAAEUBAAAAAAAAAPwCAAAABPsAAAAeAFAAcgBvAGMAZQBzAHMARQB4AHAAbABvAHIAZQByAQAAAAD/////"
     "AAAAEwD////7AAAAIABGAGEAYwBpAGwAaQB0AHkARQB4AHAALABvAHL7mgByAQAAAAD/////AAAAEwD////7AAAAGABQAGwAYQBu"
     "AEUAeABwAGwAbwByAGUAcgEAAAAA/////wAAABMA////+wAAAAwATwB1AHQAcAB1AHQBAAAAAP////8AAAATAP///wAAAAAAAAAA"
     "AAAABAAAAAQAAAAIAAAACPwAAAABAAAAAgAAAAIAAAAQAFMAdABhAG4AZABhAHIAZAEAAAAA/////wAAAAAAAAAAAAAADABSAGUA"
     "YwBpAHAAZQEAAAAA/////wAAAAAAAAAA"},
};

// A state of n empty floating tab areas: Qt's restore takes time that grows faster than n (seconds
// at 5,000), though each area is well formed.
QByteArray EmptyFloatingTabAreas(int n)
{
    const QByteArray area = QByteArray("\xf9", 1) + QByteArray(16, '\0') + QByteArray("\xfc\x00", 2) +
                            QByteArray(4, '\0');
    return QByteArray("\x00\x00\x00\xff\x00\x00\x00\x00", 8) + area.repeated(n);
}

void WriteCraftedProfile(const QString& path, const QByteArray& state)
{
    const QByteArray sum = QCryptographicHash::hash(state, QCryptographicHash::Sha256).toHex();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("<UserSettings><Workspace><WindowState checksum=\"" + sum + "\">" + state.toBase64() +
               "</WindowState></Workspace></UserSettings>");
}

struct CraftedState {
    std::string name;
    QByteArray state;
};

// Each crafted state the check must drop before Qt's restore sees it.
std::vector<CraftedState> CraftedStates()
{
    std::vector<CraftedState> states;
    for (const CraftedLayout& c : CRASHING)
        states.push_back({c.name, QByteArray::fromBase64(c.state)});
    states.push_back({ENDLESS_LINES.name, QByteArray::fromBase64(ENDLESS_LINES.state)});
    for (const int n : {1, 5000, 200000})
        states.push_back({"EmptyFloatingTabAreas" + std::to_string(n), EmptyFloatingTabAreas(n)});
    return states;
}
} // namespace

TEST_F(WindowLayoutChecksumTest, ACraftedSettingsFileStartsAtOnceWithTheDefaultLayout)
{
    for (const CraftedState& c : CraftedStates()) {
        WriteCraftedProfile(CUserSettingsFile::DefaultPath(), c.state);
        QElapsedTimer clock;
        clock.start();
        {
            const Deadline deadline(std::chrono::seconds(30), "starting with the state " + c.name);
            Start();
        }
        EXPECT_LT(clock.elapsed(), 2000) << c.name;
        EXPECT_FALSE(Plans()->isFloating()) << c.name;
        EXPECT_TRUE(app->userSettings().windowState().isEmpty()) << c.name;
    }
}

TEST_F(WindowLayoutChecksumTest, CraftedImportedProfilesKeepTheWindowsLayout)
{
    Start();
    QTemporaryDir folder;
    ScriptedFileDialogService dialogs;
    ScriptedPromptService prompts;
    Plans()->setFloating(true);
    for (const CraftedState& c : CraftedStates()) {
        const QString profile = folder.filePath(QString::fromStdString(c.name) + ".xml");
        WriteCraftedProfile(profile, c.state);
        dialogs.expect(profile);
        QElapsedTimer clock;
        clock.start();
        {
            const Deadline deadline(std::chrono::seconds(30), "importing the state " + c.name);
            app->ImportProfile();
        }
        EXPECT_LT(clock.elapsed(), 2000) << c.name;
        EXPECT_TRUE(Plans()->isFloating()) << c.name;
    }
}

// Every state the window writes is taken whole, and none cut inside its sections. Cut between
// them it is still a layout: the head alone (8 bytes), or the docks without the toolbars' empty
// section (5 bytes).
TEST(WindowLayoutCheck, OnlyAWholeStateOfTheWindowPasses)
{
    QMainWindow window;
    for (const char* name : {"Left", "Right", "Tabbed"}) {
        auto* dock = new QDockWidget(name, &window);
        dock->setObjectName(name);
        window.addDockWidget(Qt::LeftDockWidgetArea, dock);
    }
    window.tabifyDockWidget(window.findChild<QDockWidget*>("Left"), window.findChild<QDockWidget*>("Tabbed"));
    const QByteArray state = window.saveState();
    const QByteArray geometry = window.saveGeometry();
    EXPECT_TRUE(IsRestorableWindowState(state, window));
    EXPECT_TRUE(IsRestorableWindowGeometry(geometry));
    for (qsizetype size = 0; size < state.size(); ++size)
        EXPECT_EQ(IsRestorableWindowState(state.left(size), window), size == 8 || size == state.size() - 5)
            << size;
    for (qsizetype size = 0; size < geometry.size(); ++size)
        EXPECT_FALSE(IsRestorableWindowGeometry(geometry.left(size))) << size;
    for (const CraftedState& c : CraftedStates())
        EXPECT_FALSE(IsRestorableWindowState(c.state, window)) << c.name;

    window.addToolBar(QStringLiteral("Standard"))->setObjectName("Standard");
    QMainWindow smaller; // one dock and no toolbar: the state names more than it has
    smaller.addDockWidget(Qt::LeftDockWidgetArea, new QDockWidget("Left", &smaller));
    EXPECT_TRUE(IsRestorableWindowState(window.saveState(), window));
    EXPECT_FALSE(IsRestorableWindowState(window.saveState(), smaller));
}
