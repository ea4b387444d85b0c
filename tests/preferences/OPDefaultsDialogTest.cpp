// The Global Defaults dialog on a generated Demo project whose defaults hold every kind of row,
// with a frame whose display texts differ from the keys: what set-up shows, what OK stores (by
// key, by id, in one transaction), Reset, the failures, the printout and the hub's entry 1372.

#include "FakeFrameServices.h"
#include "OptionsTestFixture.h"
#include "QtPrinters.h"
#include "ScriptedPrintDialog.h"
#include "foundation/db/material/QueryMaterialForPhase.h"
#include "preferences/hub/Preference.h"
#include "preferences/lists/OPDefaultsDialog.h"
#include "preferences/lists/OPDefaultsGrid.h"
#include "preferences/lists/OPDefaultsPrintLayout.h"
#include "preferences/lists/OPDefaultsPrinting.h"
#include "preferences/shared/PreferenceHub.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

namespace {

constexpr long ARGON = 9001;
constexpr double PSI = 6894.757293168361;
const QString AIR_TEXT = "Atmospheric Air";

enum Row { AMBIENT = 1, TEMPERATURE, BATCHES, CRITICAL, EQUILIBRIUM, VESSEL, BLANKET, SPEED, MODE, ROWS = MODE };

// Every kind of row; two operation names that differ only in case.
const char* const DEFAULT_ROWS =
    "INSERT INTO OperationDefaults (OperationDefaultID, OperationName, DefaultName, ControlState, ControlLabel,"
    " ControlUOMList, ValidationRule, CurrentDefaultValue, CurrentValueUOM, OriginalValue, OriginalValueUOM,"
    " ComboList, SortOrder) VALUES"
    " (11, 'All Operations', 'Ambient Pressure', 1, NULL, 'Pressure', 12, 14.7, 'psia', 1, 'atm', NULL, 1),"
    " (12, 'Heat', 'Target Temperature', 1, NULL, 'Temperature', 7, 25, 'C', 20, 'C', NULL, 2),"
    " (13, 'heat', 'Batches', 2, NULL, NULL, 1, 3, NULL, 1, NULL, NULL, 3),"
    " (14, 'Dry', 'Critical Moisture Wet Basis', 3, '%', NULL, 6, 20, NULL, 25, NULL, NULL, 4),"
    " (15, 'Dry', 'Equilibrium Moisture Wet Basis', 3, '%', NULL, 6, 5, NULL, 4, NULL, NULL, 5),"
    " (16, 'Charge', 'Vessel Initialization Gas', 4, NULL, NULL, NULL, 0, NULL, 1, NULL, NULL, 6),"
    " (17, 'Transfer', 'Blanket Gas', 4, NULL, NULL, NULL, 1, NULL, 9001, NULL, NULL, 7),"
    " (18, 'Agitate', 'Speed Setting', 5, NULL, 'Speed', NULL, 0, 'Low', 0, 'High', NULL, 8),"
    " (19, 'Agitate', 'Mode', 5, NULL, NULL, NULL, 0, 'Pulse', 0, 'Continuous', 'Pulse\nContinuous', 9)";

int PdfPageCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return int(QString::fromLatin1(file.readAll()).count(QRegularExpression("/Type\\s*/Page[^s]")));
}

} // namespace

class OPDefaultsDialogTest : public ToolOptionsTest {
protected:
    void SetUp() override
    {
        ToolOptionsTest::SetUp();
        m_app.fileSet().materialsDBPath = m_dir.filePath("Demo.mtl");
        m_app.fileSet().projectName = "Demo";
        m_app.fileSet().projectDir = m_dir.path() + "/";
        CDaoDatabase materials;
        materials.Open(m_app.fileSet().materialsDBPath, DatabaseRole::WorkingCopy);
        materials.Execute("INSERT INTO ActualMaterialCommon (MaterialID, MaterialName, Phase) VALUES (9001, 'Argon', 'Gas')");
        materials.Close();
        m_db.Execute("DELETE FROM OperationDefaults");
        m_db.Execute(DEFAULT_ROWS);
        m_sorts.displayLists["PressureListData"] = {{"Pa", "Pa"}, {"atm", "atm"}, {"psia", "psi (abs)"}};
        m_sorts.displayLists["TemperatureListData"] = {{"K", "K"}, {"C", "\u00b0C"}, {"F", "\u00b0F"}};
        m_sorts.displayLists["AirListData"] = {{"Air", AIR_TEXT}};
        m_sorts.displayLists["SpeedListData"] = {{"Low", "Slow"}, {"High", "Fast"}};
        m_app.setProjectModified(false);
        m_original = stored();
    }
    void TearDown() override
    {
        PreferenceHub::setEntry(1372, {});
        ToolOptionsTest::TearDown();
    }
    // Every stored default, "id:value:unit" in id order.
    QString stored()
    {
        return value("SELECT group_concat(OperationDefaultID || ':' || CurrentDefaultValue || ':' ||"
                     " ifnull(CurrentValueUOM, ''), ' ') FROM (SELECT * FROM OperationDefaults ORDER BY 1)")
            .toString();
    }
    QString cell(COPDefaultsDialog& dialog, int row, int col) { return dialog.grid()->GetValueRowCol(row, col); }
    void set(COPDefaultsDialog& dialog, int row, int col, const QString& text)
    {
        dialog.grid()->SetValueRowCol(row, col, text);
    }

    FakeFrameServices m_sorts; // the frame's sorts and managed lists
    QString m_original; // the defaults as SetUp stored them
};

TEST_F(OPDefaultsDialogTest, SetUpShowsEachKindByItsDisplayTextsAndHelpItsTopic)
{
    COPDefaultsDialog dialog;
    ASSERT_EQ(dialog.rowCount(), ROWS);
    EXPECT_EQ(dialog.ambientPressureRow(), AMBIENT);
    const struct {
        int row;
        const char* operation;
        const char* value;
        const char* unit;
        bool valueEnabled, unitEnabled;
        const char* choices;
    } rows[] = {
        {AMBIENT, "All Operations", "14.7", "psi (abs)", true, true, "atm|Pa|psi (abs)"},
        {TEMPERATURE, "Heat", "25", "\u00b0C", true, true, "K|\u00b0C|\u00b0F"},
        {BATCHES, "", "3", "", true, false, ""},
        {CRITICAL, "Dry", "20", "%", true, false, ""},
        {VESSEL, "Charge", "", "Atmospheric Air", false, true, "Argon|Atmospheric Air|Nitrogen"},
        {BLANKET, "Transfer", "", "Nitrogen", false, true, "Argon|Nitrogen"},
        {SPEED, "Agitate", "", "Slow", false, true, "Fast|Slow"},
        {MODE, "", "", "Pulse", false, true, "Continuous|Pulse"},
    };
    for (const auto& each : rows) {
        SCOPED_TRACE(each.row);
        EXPECT_EQ(cell(dialog, each.row, 1), each.operation);
        EXPECT_EQ(cell(dialog, each.row, 3), each.value);
        EXPECT_EQ(cell(dialog, each.row, 4), each.unit);
        EXPECT_EQ(dialog.grid()->IsCellEnabled(each.row, 3), each.valueEnabled);
        EXPECT_EQ(dialog.grid()->IsCellEnabled(each.row, 4), each.unitEnabled);
        EXPECT_EQ(dialog.grid()->GetChoiceList(each.row, 4).join('|'), each.choices);
    }
    EXPECT_EQ(dialog.grid()->GetInterior(TEMPERATURE, 1), QColor(0, 255, 255));
    EXPECT_EQ(dialog.grid()->GetUserAttributes(AMBIENT, 3).value(2117), "Pressure");
    EXPECT_TRUE(dialog.button(1)->isEnabled());
    dialog.OnCommandHelp();
    EXPECT_EQ(m_help.shown, QStringList{"USERMANUAL.CHM 787"});
}

TEST_F(OPDefaultsDialogTest, OkUneditedKeepsEveryKeyAndSetsTheAmbientPressureAfterTheCommit)
{
    COPDefaultsDialog dialog;
    dialog.OnOK();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(stored(), m_original);
    EXPECT_DOUBLE_EQ(m_app.ambientPressure(), 14.7 * PSI);
    EXPECT_EQ(m_app.modifiedHistory(), (QList<bool>{false, true}));
}

TEST_F(OPDefaultsDialogTest, EditsOfEveryKindAreStoredByKey)
{
    COPDefaultsDialog dialog;
    set(dialog, AMBIENT, 3, "2");
    set(dialog, AMBIENT, 4, "atm");
    set(dialog, TEMPERATURE, 3, "-40");
    set(dialog, TEMPERATURE, 4, "\u00b0F");
    set(dialog, BATCHES, 3, "");   // unset
    set(dialog, CRITICAL, 3, "30abc");
    set(dialog, VESSEL, 4, "argon");
    set(dialog, BLANKET, 4, "Water"); // not a gas: the row stays
    set(dialog, SPEED, 4, "Fast");
    set(dialog, MODE, 4, "Continuous");
    dialog.OnOK();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(stored(), "11:2.0:atm 12:-40.0:F 13:1.0e+35: 14:30.0: 15:5.0: 16:9001.0: 17:1.0: 18:0.0:High "
                        "19:0.0:Continuous");
    EXPECT_DOUBLE_EQ(m_app.ambientPressure(), 2 * 101325.0);
}

TEST_F(OPDefaultsDialogTest, RulesReadTheUnitKeyBesideTheValue)
{
    COPDefaultsDialog dialog;
    const struct {
        int row;
        const char* unit;
        const char* text;
        const char* warning;
    } cases[] = {
        {TEMPERATURE, "\u00b0C", "-300", "Temperature has to be greater than -273.15 degree C!"},
        {TEMPERATURE, "\u00b0C", "-200", ""},
        {TEMPERATURE, "K", "0", "Temperature has to be greater than 0 degree K!"},
        {AMBIENT, "psi (abs)", "-1", "Pressure has to be greater than or equal to 0 psia"},
        {AMBIENT, "psi (abs)", "abc", "Please enter a number."},
        {BATCHES, "", "0", "Please enter a positive value!"},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.text);
        set(dialog, each.row, 4, each.unit);
        QString warning;
        EXPECT_EQ(dialog.grid()->ValidateText(each.row, 3, each.text, &warning), !*each.warning);
        EXPECT_EQ(warning, each.warning);
    }
}

// A value with a unit is a number whose limits hold once converted to internal units (s for a
// time): 1e34 min is 6e35 s, -2e33 min is -1.2e35 s; the same figures pass in a row without a unit.
TEST_F(OPDefaultsDialogTest, AValueWithAUnitIsRefusedBeyondTheLimitsInInternalUnits)
{
    m_db.Execute("INSERT INTO OperationDefaults (OperationDefaultID, OperationName, DefaultName, ControlState,"
                 " ControlUOMList, CurrentDefaultValue, CurrentValueUOM, OriginalValue, OriginalValueUOM, SortOrder)"
                 " VALUES (20, 'Age', 'Duration', 1, 'Time', 60, 'min', 60, 'min', 10)");
    m_sorts.displayLists["TimeListData"] = {{"s", "s"}, {"min", "min"}, {"h", "h"}};
    COPDefaultsDialog dialog;
    constexpr int DURATION = ROWS + 1;
    ASSERT_EQ(cell(dialog, DURATION, 2), "Duration");
    const struct {
        int row;
        const char* unit;
        const char* text;
        bool refused;
    } cases[] = {
        {DURATION, "min", "1e34", true},   {DURATION, "min", "-2e33", true}, {DURATION, "min", "1e33", false},
        {DURATION, "s", "1e34", false},    {DURATION, "min", "inf", true},   {DURATION, "min", "abc", true},
        {DURATION, "min", "", false},      {BATCHES, "", "1e34", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " " + c.unit);
        if (*c.unit)
            set(dialog, c.row, 4, c.unit);
        QString warning;
        EXPECT_EQ(dialog.grid()->ValidateText(c.row, 3, c.text, &warning), !c.refused);
        EXPECT_EQ(warning, c.refused ? "Please enter a number." : "");
    }
}

TEST_F(OPDefaultsDialogTest, VesselRowsStoreAirAsZeroAndOtherGasRowsCannotChooseIt)
{
    m_db.Execute("UPDATE OperationDefaults SET CurrentDefaultValue = 1 WHERE OperationDefaultID = 16");
    COPDefaultsDialog dialog;
    EXPECT_EQ(cell(dialog, VESSEL, 4), "Nitrogen");
    EXPECT_FALSE(dialog.grid()->GetChoiceList(BLANKET, 4).contains(AIR_TEXT));
    set(dialog, VESSEL, 4, "atmospheric air");
    set(dialog, BLANKET, 4, AIR_TEXT); // no gas of that name: unchanged
    dialog.OnOK();
    EXPECT_EQ(value("SELECT CurrentDefaultValue FROM OperationDefaults WHERE OperationDefaultID = 16").toDouble(), 0);
    EXPECT_EQ(value("SELECT CurrentDefaultValue FROM OperationDefaults WHERE OperationDefaultID = 17").toDouble(), 1);
}

TEST_F(OPDefaultsDialogTest, ResetShowsTheOriginalsAndOnlyOkStoresThem)
{
    for (bool ok : {false, true}) {
        SCOPED_TRACE(ok);
        COPDefaultsDialog dialog;
        set(dialog, BATCHES, 3, "7");
        m_prompts.expect(IDNO);
        dialog.OnReset();
        EXPECT_EQ(cell(dialog, BATCHES, 3), "7");
        EXPECT_EQ(m_prompts.flags().last(), unsigned(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
        m_prompts.expect(IDYES);
        dialog.OnReset();
        EXPECT_EQ(m_prompts.lastText(), "Are you sure to reset all operation defaults?");
        const QStringList shown = {cell(dialog, AMBIENT, 3), cell(dialog, AMBIENT, 4), cell(dialog, BATCHES, 3),
                                   cell(dialog, CRITICAL, 3), cell(dialog, VESSEL, 4), cell(dialog, BLANKET, 4),
                                   cell(dialog, SPEED, 4), cell(dialog, MODE, 4)};
        EXPECT_EQ(shown, (QStringList{"1", "atm", "1", "25", "Nitrogen", "Argon", "Fast", "Continuous"}));
        if (!ok) {
            dialog.reject();
            EXPECT_EQ(stored(), m_original);
            continue;
        }
        dialog.OnOK();
        EXPECT_EQ(stored(), "11:1.0:atm 12:20.0:C 13:1.0: 14:25.0: 15:4.0: 16:1.0: 17:9001.0: 18:0.0:High "
                            "19:0.0:Continuous");
        EXPECT_DOUBLE_EQ(m_app.ambientPressure(), 101325.0);
    }
}

TEST_F(OPDefaultsDialogTest, AFailedWriteRollsBackAndKeepsTheDialogOpen)
{
    m_db.Execute("CREATE TABLE WriteCount (n INTEGER)");
    m_db.Execute("INSERT INTO WriteCount VALUES (0)");
    m_db.Execute("CREATE TRIGGER FailThird BEFORE UPDATE ON OperationDefaults BEGIN UPDATE WriteCount SET n = n + 1;"
                 " SELECT RAISE(ABORT, 'refused row') WHERE (SELECT n FROM WriteCount) = 3; END");
    const double ambient = m_app.ambientPressure();
    COPDefaultsDialog dialog;
    set(dialog, AMBIENT, 3, "3");
    set(dialog, MODE, 4, "Continuous");
    m_prompts.expect(IDOK);
    dialog.OnOK();
    EXPECT_TRUE(m_prompts.lastText().contains("refused row")) << m_prompts.lastText().toStdString();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(stored(), m_original);
    EXPECT_EQ(m_app.ambientPressure(), ambient);
    EXPECT_FALSE(m_app.isProjectModified());
    EXPECT_FALSE(m_db.InTransaction());
    m_db.Execute("DROP TRIGGER FailThird");
    dialog.OnOK();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(value("SELECT CurrentValueUOM FROM OperationDefaults WHERE OperationDefaultID = 19").toString(), "Continuous");
    EXPECT_DOUBLE_EQ(m_app.ambientPressure(), 3 * PSI);
}

TEST_F(OPDefaultsDialogTest, RowsAreWrittenByIdWhateverTheirOrderNowIs)
{
    COPDefaultsDialog dialog;
    set(dialog, BATCHES, 3, "8");
    m_db.Execute("UPDATE OperationDefaults SET SortOrder = 10 - SortOrder");
    m_db.Execute("DELETE FROM OperationDefaults WHERE OperationDefaultID = 12");
    dialog.OnOK();
    EXPECT_EQ(value("SELECT CurrentDefaultValue FROM OperationDefaults WHERE OperationDefaultID = 13").toDouble(), 8);
    EXPECT_EQ(value("SELECT count(*) FROM OperationDefaults").toInt(), ROWS - 1);
}

TEST_F(OPDefaultsDialogTest, OkRefusesEqualMoistureValuesAndAnEmptyDropDown)
{
    COPDefaultsDialog dialog;
    set(dialog, EQUILIBRIUM, 3, "20");
    m_prompts.expect(IDOK);
    dialog.OnOK();
    EXPECT_EQ(m_prompts.lastText(),
              "Critical Moisture Wet Basis value needs to be greater then Equilibrium Moisture Wet Basis value!");
    set(dialog, EQUILIBRIUM, 3, "5");
    set(dialog, BLANKET, 4, "  ");
    m_prompts.expect(IDOK);
    dialog.OnOK();
    EXPECT_EQ(m_prompts.lastText(), "Please make a selection from the combo box for \"Blanket Gas\"!");
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(stored(), m_original);
    EXPECT_EQ(m_app.ambientPressure(), 101325.0) << "set only after a save";
}

TEST_F(OPDefaultsDialogTest, ASetUpThatEndsEarlyDisablesOkAndReset)
{
    const struct {
        const char* what;
        QStringList messages; // besides an engine's description
        int prompts;
    } cases[] = {
        {"frame", {"Can't find the application main frame!"}, 1},
        {"materials", {"Database file is not opend yet!", "Can't open Material table for initialization!"}, 2},
        {"defaults", {"Can't open Operation Default table for initialization!"}, 2},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.what);
        ServiceInstallations removed;
        const QString what = each.what;
        if (what == "frame")
            removed.Install<SortServices>(nullptr);
        m_app.fileSet().materialsDBPath = what == "materials" ? m_dir.filePath("missing.mtl") : m_dir.filePath("Demo.mtl");
        if (what == "defaults")
            m_db.Execute("ALTER TABLE OperationDefaults RENAME TO Hidden");
        m_prompts.clear();
        for (int i = 0; i < each.prompts; ++i)
            m_prompts.expect(IDOK);
        COPDefaultsDialog dialog;
        EXPECT_EQ(m_prompts.texts().filter(QRegularExpression("^(Can't|Database)")), each.messages);
        m_prompts.clear();
        EXPECT_FALSE(dialog.button(1)->isEnabled());
        EXPECT_FALSE(dialog.button(3)->isEnabled());
        dialog.OnOK();
        EXPECT_NE(dialog.result(), QDialog::Accepted);
        if (what == "defaults")
            m_db.Execute("ALTER TABLE Hidden RENAME TO OperationDefaults");
    }
    EXPECT_EQ(stored(), m_original);
}

TEST_F(OPDefaultsDialogTest, MaterialsOfAPhaseAreReadAgainForAnotherPhase)
{
    CQueryMaterialForPhase set;
    QStringList names;
    for (const char* phase : {"Gas", "Solid"}) {
        ASSERT_TRUE(set.OpenSet(phase));
        QStringList read;
        for (; !set.IsEOF(); set.MoveNext())
            read << set.GetText("MaterialName");
        names << read.join(',');
        set.CloseSet();
    }
    EXPECT_EQ(names.first(), "Argon,Nitrogen");
    EXPECT_TRUE(names.last().startsWith("Amide Intermediate,Amidol")) << names.last().toStdString();
}

TEST(OPDefaultsPrintLayoutTest, ARowAtTheBottomLimitStaysOnItsPageAndNoPageIsHeaderOnly)
{
    // L = 40, q = 10: rows at 350, 400, 450, ...; bottom limit = pageHeight - 240.
    const COPDefaultsPrintLayout layout({40, 1000, 690});
    EXPECT_EQ(layout.FirstRowBaseline(), 350);
    EXPECT_EQ(layout.BottomLimit(), 450);
    EXPECT_EQ(layout.ColumnX(), (std::array<int, 4>{43, 310, 660, 810}));
    const struct {
        int rows;
        std::vector<std::vector<int>> baselines; // per page
    } cases[] = {
        {0, {{}}},
        {2, {{350, 400}}},
        {3, {{350, 400, 450}}}, // 450 + 40 reaches the limit: still on page 1, and nothing follows
        {4, {{350, 400, 450}, {350}}},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.rows);
        const std::vector<PrintedPage> pages = layout.Paginate(each.rows);
        ASSERT_EQ(pages.size(), each.baselines.size());
        for (size_t p = 0; p < pages.size(); ++p) {
            EXPECT_EQ(pages[p].number, int(p) + 1);
            std::vector<int> baselines;
            for (const PrintedRow& row : pages[p].rows)
                baselines.push_back(row.baseline);
            EXPECT_EQ(baselines, each.baselines[p]);
        }
    }
}

TEST_F(OPDefaultsDialogTest, PrintCancelWritesNothingAndAPdfHasThePaginatedPages)
{
    m_db.Execute("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 150)"
                 " INSERT INTO OperationDefaults (OperationName, DefaultName, ControlState, ValidationRule,"
                 " CurrentDefaultValue, SortOrder) SELECT 'Extra', 'Value ' || i, 2, 0, i, 100 + i FROM n");
    ScriptedPrintDialogService printDialog;
    COPDefaultsDialog dialog;
    const QString pdf = m_dir.filePath("defaults.pdf");
    printDialog.expect("");
    dialog.OnPrint();
    EXPECT_FALSE(QFile::exists(pdf));
    printDialog.expect(pdf);
    dialog.OnPrint();
    const QString title = "Tamro Plenthover Operation Defaults: " + m_dir.path() + "/Demo";
    EXPECT_EQ(printDialog.documentNames(), (QStringList{title, title}));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const size_t pages = COPDefaultsPrintLayout(MeasureOPDefaultsPage(printer)).Paginate(ROWS + 150).size();
    EXPECT_GT(pages, 1u);
    EXPECT_EQ(PdfPageCount(pdf), int(pages));
}

TEST_F(OPDefaultsDialogTest, TheHubsEntryResetsEveryStepOnlyAfterOk)
{
    InstallOperationDefaultsEntry();
    for (bool ok : {true, false}) {
        SCOPED_TRACE(ok);
        m_frame.calls.clear();
        CPreference hub;
        ASSERT_TRUE(hub.button(1372)->isEnabled());
        bool shown = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<COPDefaultsDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            shown = true;
            dialog->button(ok ? 1 : 2)->click();
        });
        hub.button(1372)->click();
        EXPECT_TRUE(shown);
        EXPECT_EQ(m_frame.calls, ok ? QStringList{"reset -1 SimulateOnly"} : QStringList{});
    }
}
