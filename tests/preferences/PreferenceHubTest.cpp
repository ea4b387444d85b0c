// The preference hub on a generated Demo project: the preference-set name, help, and what each
// button does after its dialog closed.

#include "OptionsTestFixture.h"
#include "foundation/common/concerns/PreferenceFrameServices.h"
#include "modules/calendar/DialogCalendar.h"
#include "preferences/hub/Preference.h"
#include "preferences/shared/PreferenceHub.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QDialog>
#include <QTimer>

namespace {

class RecordingPreferenceFrame : public PreferenceFrameServices {
public:
    void EditOperatingInstructionPreferences() override { calls << "operating instructions"; }
    void ShowEquipmentDiagramPreferences() override { calls << "equipment diagram"; }
    QStringList calls;
};

} // namespace

class PreferenceHubTest : public ToolOptionsTest {
protected:
    void SetUp() override
    {
        ToolOptionsTest::SetUp();
        m_installed.Install<PreferenceFrameServices>(&m_preferenceFrame);
    }
    void TearDown() override
    {
        for (int id : {1047, 1048, 1049, 1050, 1051, 1372, 1373, 1374, 1375, 1378, 1379, 1380})
            PreferenceHub::setEntry(id, {});
        ToolOptionsTest::TearDown();
    }
    QString names() { return value("SELECT group_concat(Description, '|') FROM Preferences").toString(); }
    // An entry that answers OK or Cancel and counts its runs.
    void answer(int id, bool ok)
    {
        PreferenceHub::setEntry(id, [this, id, ok](QWidget*) {
            m_ran << id;
            return ok;
        });
    }
    RecordingPreferenceFrame m_preferenceFrame;
    QList<int> m_ran;
};

TEST_F(PreferenceHubTest, TheSetNameIsWrittenToTheFirstRowOnlyWhenItChanged)
{
    const struct {
        const char* setUp;
        const char* typed;
        const char* stored;
        bool modified;
    } cases[] = {
        {"", "Demo", "Demo", false},
        {"", "Plant A", "Plant A", true},
        {"INSERT INTO Preferences (PreferencesID, Description) VALUES (2, 'Demo')", "DEMO", "DEMO|Demo", true},
        {"DELETE FROM Preferences", "Plant B", "", true},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.typed);
        m_db.Execute("DELETE FROM Preferences");
        m_db.Execute("INSERT INTO Preferences (PreferencesID, Description) VALUES (1, 'Demo')");
        if (*each.setUp)
            m_db.Execute(each.setUp);
        m_app.setProjectModified(false);
        CPreference hub;
        hub.nameEdit()->setText(each.typed);
        hub.OnOK();
        EXPECT_EQ(hub.result(), QDialog::Accepted);
        EXPECT_EQ(names(), each.stored);
        EXPECT_EQ(m_app.isProjectModified(), each.modified);
    }
}

TEST_F(PreferenceHubTest, AFailedWriteShowsItsDescriptionAndKeepsTheHubOpenUnmodified)
{
    m_db.Execute("CREATE TRIGGER NoRename BEFORE UPDATE ON Preferences BEGIN "
                 "SELECT RAISE(ABORT, 'renaming refused'); END");
    m_app.setProjectModified(false);
    CPreference hub;
    hub.nameEdit()->setText("Plant A");
    m_prompts.expect(IDOK);
    hub.OnOK();
    EXPECT_TRUE(m_prompts.lastText().contains("renaming refused")) << m_prompts.lastText().toStdString();
    EXPECT_NE(hub.result(), QDialog::Accepted);
    EXPECT_EQ(names(), "Demo");
    EXPECT_FALSE(m_app.isProjectModified());
    EXPECT_FALSE(m_db.InTransaction());
}

TEST_F(PreferenceHubTest, EscapeDiscardsTheNameAndHelpShowsItsTopic)
{
    CPreference hub;
    EXPECT_EQ(hub.nameEdit()->text(), "Demo");
    hub.nameEdit()->setText("Plant A");
    hub.reject();
    EXPECT_EQ(names(), "Demo");
    hub.OnHelp();
    EXPECT_EQ(m_help.shown, QStringList{"USERMANUAL.CHM 284"});
}

TEST_F(PreferenceHubTest, WithoutAProjectDatabaseTheHubSaysSoAndOkStaysOpen)
{
    m_app.fileSet().projectDatabase.reset();
    const QString text = "This is not enough memory! Close some running application, and try again.";
    m_prompts.expect(IDOK);
    CPreference hub;
    EXPECT_EQ(m_prompts.lastText(), text);
    hub.nameEdit()->setText("Plant A");
    m_prompts.expect(IDOK);
    hub.OnOK();
    EXPECT_EQ(m_prompts.texts().size(), 2);
    EXPECT_NE(hub.result(), QDialog::Accepted);
}

TEST_F(PreferenceHubTest, ButtonsResetEveryStepOnlyAfterTheirOk)
{
    const char* const RESET = "reset -1 SimulateOnly";
    const struct {
        int button;
        bool ok;
        int airEmission; // -1: no "BATCH" row
        bool resets;
    } cases[] = {
        {1051, true, 0, true},   {1051, false, 0, false}, {1372, true, 0, true},  {1372, false, 0, false},
        {1374, true, 0, true},   {1374, false, 0, false}, {1378, true, 1, true},  {1378, true, 0, false},
        {1378, true, -1, false}, {1378, false, 1, false}, {1049, true, 0, false}, {1048, true, 0, false},
        {1050, true, 0, false},  {1373, true, 0, false},  {1375, true, 0, false}, {1379, true, 0, false},
        {1047, true, 0, false},  {1380, true, 0, false},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(testing::Message() << each.button << " ok " << each.ok << " air " << each.airEmission);
        m_db.Execute("DELETE FROM SimulationOptions WHERE OptionType = 'BATCH'");
        if (each.airEmission >= 0)
            m_db.Execute(QStringLiteral("INSERT INTO SimulationOptions (ProjectID, AirEmission, OptionType) "
                                        "VALUES (1, %1, 'BATCH')")
                             .arg(each.airEmission));
        m_frame.calls.clear();
        m_ran.clear();
        answer(each.button, each.ok);
        CPreference hub;
        ASSERT_TRUE(hub.button(each.button)->isEnabled());
        hub.button(each.button)->click();
        EXPECT_EQ(m_ran, QList<int>{each.button});
        EXPECT_EQ(m_frame.calls, each.resets ? QStringList{RESET} : QStringList{});
        PreferenceHub::setEntry(each.button, {});
    }
}

TEST_F(PreferenceHubTest, ButtonsWithoutAnEntryAreDisabledAndTheFrameServesItsTwo)
{
    CPreference hub;
    for (int id : PreferenceHub::ENTRY_BUTTONS)
        EXPECT_FALSE(hub.button(id)->isEnabled()) << id;
    for (int id : {1008, 1047, 1051, 1052, 1376, 1377, 1380})
        EXPECT_TRUE(hub.button(id)->isEnabled()) << id;
    bool routeSelectionShown = false;
    QTimer::singleShot(0, [&routeSelectionShown] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        routeSelectionShown = dialog != nullptr;
        if (dialog)
            dialog->reject();
    });
    hub.button(1008)->click(); // its own dialog, closed unchanged: nothing for the frame
    EXPECT_TRUE(routeSelectionShown);
    hub.button(1376)->click();
    hub.button(1052)->click();
    EXPECT_EQ(m_preferenceFrame.calls, (QStringList{"operating instructions", "equipment diagram"}));
    EXPECT_TRUE(m_frame.calls.isEmpty());
}

TEST_F(PreferenceHubTest, OneSavedRoundingKeepsTheFlagThroughALaterCancel)
{
    const struct {
        QList<bool> answers;
        bool flag;
    } cases[] = {{{true, false}, true}, {{false}, false}, {{false, true}, true}};
    for (const auto& each : cases) {
        CPreference hub;
        for (bool ok : each.answers) {
            answer(1380, ok);
            hub.button(1380)->click();
        }
        EXPECT_EQ(hub.m_bRoundingSaved, each.flag);
    }
}

TEST_F(PreferenceHubTest, CalendarOpensTheCalendarEditorOnTheProjectCalendars)
{
    m_app.fileSet().equipmentDBPath = m_dir.filePath("Demo.eqm"); // the facilities' calendars
    CPreference hub;
    QString shown;
    QTimer::singleShot(0, [&shown] {
        auto* editor = qobject_cast<CDialogCalendar*>(QApplication::activeModalWidget());
        ASSERT_NE(editor, nullptr);
        shown = editor->IsOkEnabled() ? "loaded:" : "unloaded:";
        for (int row = 0; row < editor->calendarList()->count(); ++row)
            shown += editor->calendarList()->item(row)->text() + ";";
        editor->reject();
    });
    hub.button(1377)->click();
    EXPECT_TRUE(shown.startsWith("loaded:Continuous;Standard Week;")) << shown.toStdString();
    EXPECT_TRUE(m_frame.calls.isEmpty());
}
