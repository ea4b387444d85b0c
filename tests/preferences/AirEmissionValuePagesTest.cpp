// The parameter and control-efficiency pages of the vapour emission sheet, and OK across pages:
// a page whose write fails keeps its rows and the others commit; Cancel writes nothing.

#include "AirEmissionSheetTestFixture.h"
#include "foundation/db/project/QueryOperationDefaultSet.h"
#include "preferences/hub/Preference.h"
#include "preferences/shared/PreferenceHub.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

namespace {
constexpr int VALUE_COL = 2, UNIT_COL = 3;

int RowOf(CObjectGridWnd* grid, const QString& name)
{
    for (int row = 1; row <= grid->GetRowCount(); ++row)
        if (grid->GetValueRowCol(row, 1) == name)
            return row;
    return -1;
}
} // namespace

TEST_F(AirEmissionSheetTest, ParameterRowsShowAsTheirControlStateSays)
{
    CPreferAirEmissionDialog sheet;
    CObjectGridWnd* grid = open<CVaporEmissionParameterTab>(sheet, 1)->Grid();
    ASSERT_EQ(grid->GetRowCount(), 16);
    const struct {
        const char* name;
        const char* value;
        const char* unit;
        bool valueEditable;
        const char* choices;
    } rows[] = {
        {"Leak Rate", "0.5", "lb/hr", true, "kg/hr|lb/hr"},
        {"Vessel Temperature", "25", "C", true, nullptr},
        {"Condenser Efficiency", "90", "%", true, ""},
        {"Vent Diameter", "1e+35", "", true, ""},
        {"Gas Source", "", "Inlet Stream", false, "Inlet Stream|Vessel Contents"},
        {"Emission Factors", "", "1994 ACT", false, "1994 ACT|HEI"},
        {"Vapor Model", "", "Ideal", false, "Ideal|Non_Ideal|Raoult"},
        {"Emission Notes", "", "", false, ""},
    };
    for (const auto& each : rows) {
        SCOPED_TRACE(each.name);
        const int row = RowOf(grid, each.name);
        ASSERT_GT(row, 0);
        EXPECT_EQ(grid->GetValueRowCol(row, VALUE_COL), each.value);
        EXPECT_EQ(grid->GetValueRowCol(row, UNIT_COL), each.unit);
        EXPECT_EQ(grid->IsCellReadOnly(row, VALUE_COL), !each.valueEditable);
        const bool greyUnit = each.choices && !*each.choices;
        EXPECT_EQ(grid->IsCellReadOnly(row, UNIT_COL), greyUnit);
        EXPECT_EQ(grid->GetInterior(row, UNIT_COL) == GRID_READONLY_COLOR, greyUnit);
        if (each.choices) {
            EXPECT_EQ(grid->GetChoiceList(row, UNIT_COL).join('|'), each.choices);
        }
    }
    EXPECT_TRUE(grid->GetChoiceList(RowOf(grid, "Vessel Temperature"), UNIT_COL).contains("K"));
    EXPECT_EQ(grid->GetUserAttributes(RowOf(grid, "Vessel Temperature"), VALUE_COL).value(2001),
              "Temperature");
    EXPECT_TRUE(grid->GetUserAttributes(RowOf(grid, "Vent Diameter"), VALUE_COL).isEmpty());
}

// Rows are written by id: a row placed before them after the page loaded is left alone; empty
// stores the unset number; a leak-rate text stores its key; a key the list lacks goes back as is.
TEST_F(AirEmissionSheetTest, ParametersAreWrittenByIdOnlyWhenChanged)
{
    m_db.Execute("UPDATE OperationDefaults SET CurrentValueUOM = 'xyz' WHERE DefaultName = 'Leak Rate'");
    CPreferAirEmissionDialog sheet;
    CObjectGridWnd* grid = open<CVaporEmissionParameterTab>(sheet, 1)->Grid();
    EXPECT_EQ(grid->GetValueRowCol(RowOf(grid, "Leak Rate"), UNIT_COL), "xyz");
    m_db.Execute(
        "INSERT INTO OperationDefaults (DefaultName, ControlState, CurrentDefaultValue, CurrentValueUOM, "
        "SortOrder, VaporEmission) VALUES ('Inserted', 1, 7, 'C', 0, 1)");
    grid->SetValueRowCol(RowOf(grid, "Leak Rate"), VALUE_COL, "0.75");
    grid->SetValueRowCol(RowOf(grid, "Vessel Temperature"), VALUE_COL, "");
    grid->SetValueRowCol(RowOf(grid, "Vessel Temperature"), UNIT_COL, "K");
    grid->SetValueRowCol(RowOf(grid, "Headspace Pressure"), VALUE_COL, "2");
    grid->SetValueRowCol(RowOf(grid, "Gas Source"), UNIT_COL, "Vessel Contents");
    ASSERT_TRUE(sheet.PressOK());
    EXPECT_EQ(parameter("Leak Rate"), "0.75 xyz");
    EXPECT_EQ(parameter("Vessel Temperature"), "1.0e+35 K");
    EXPECT_EQ(parameter("Headspace Pressure"), "2.0 atm");
    EXPECT_EQ(parameter("Gas Source"), "0.0 Vessel Contents");
    EXPECT_EQ(parameter("Inserted"), "7.0 C");
    EXPECT_EQ(parameter("Purge Gas Flow Rate"), "10.0 -");
    EXPECT_TRUE(m_app.isProjectModified());

    CPreferAirEmissionDialog again;
    CObjectGridWnd* shown = open<CVaporEmissionParameterTab>(again, 1)->Grid();
    shown->SetValueRowCol(RowOf(shown, "Leak Rate"), UNIT_COL, "kg/hr");
    ASSERT_TRUE(again.PressOK());
    EXPECT_EQ(parameter("Leak Rate"), "0.75 kghr");
}

// A row without a value whose unit changes keeps its value NULL, not an empty text.
TEST_F(AirEmissionSheetTest, AnUnsetValueStaysNullWhenOnlyTheUnitChanges)
{
    m_db.Execute(
        "UPDATE OperationDefaults SET CurrentDefaultValue = NULL WHERE DefaultName = 'Vessel Temperature'");
    CPreferAirEmissionDialog sheet;
    CObjectGridWnd* grid = open<CVaporEmissionParameterTab>(sheet, 1)->Grid();
    grid->SetValueRowCol(RowOf(grid, "Vessel Temperature"), UNIT_COL, "K");
    ASSERT_TRUE(sheet.PressOK());
    EXPECT_EQ(value("SELECT typeof(CurrentDefaultValue) || ' ' || CurrentValueUOM FROM OperationDefaults"
                    " WHERE DefaultName = 'Vessel Temperature'")
                  .toString(),
              "null K");
}

TEST_F(AirEmissionSheetTest, ANonNumberIsRefusedWhateverTheRule)
{
    CPreferAirEmissionDialog sheet;
    CObjectGridWnd* grid = open<CVaporEmissionParameterTab>(sheet, 1)->Grid();
    const int row = RowOf(grid, "Vent Diameter");
    grid->SetValueRowCol(row, VALUE_COL, "wide");
    open<CEmissionSheetPage>(sheet, 0);
    m_prompts.expect(IDOK);
    EXPECT_TRUE(sheet.PressOK());
    EXPECT_EQ(m_prompts.lastText(), "Please enter a number.");
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    EXPECT_NE(sheet.result(), IDOK);
    EXPECT_EQ(parameter("Vent Diameter"), "1.0e+35 -");
}

TEST_F(AirEmissionSheetTest, WithoutAMainFrameTheParameterPageIsEmptyAndWritesNothing)
{
    ServiceInstallations none;
    none.Install<SortServices>(nullptr);
    CPreferAirEmissionDialog sheet;
    auto* page = open<CVaporEmissionParameterTab>(sheet, 1);
    EXPECT_EQ(page->Grid()->GetRowCount(), 0);
    EXPECT_FALSE(page->IsLoaded());
}

TEST_F(AirEmissionSheetTest, TheGeneralDefaultsLeaveTheVapourEmissionRowsOut)
{
    CQueryOperationDefaultSet set;
    ASSERT_TRUE(set.OpenSet());
    EXPECT_EQ(set.GetRecordCount(),
              value("SELECT count(*) FROM OperationDefaults WHERE VaporEmission = 0").toInt());
    EXPECT_EQ(value("SELECT count(*) FROM QryOperationDefaults WHERE DefaultName = 'Leak Rate'").toInt(), 0);
}

TEST_F(AirEmissionSheetTest, EfficienciesReplaceOnlyTheShownCategories)
{
    m_db.Execute("INSERT INTO \"PREFER-ControlEfficiency\" (ComponentCategory, ControlEfficiency) VALUES "
                 "('Custom Category', 50), ('greenhouse gas', 33.333333333)");
    CPreferAirEmissionDialog sheet;
    CObjectGridWnd* grid = open<CVaporEmissionCtrlEfficiencyTab>(sheet, 2)->Grid();
    ASSERT_EQ(grid->GetRowCount(), 7);
    EXPECT_EQ(grid->GetValueRowCol(0, 1), "Component  Category");
    EXPECT_EQ(grid->GetValueRowCol(1, 1), "Hazardous Air Pollutant");
    EXPECT_EQ(grid->GetValueRowCol(1, 2), "95");
    EXPECT_EQ(grid->GetValueRowCol(3, 2), "");
    EXPECT_EQ(grid->GetValueRowCol(5, 2), "33.33333");
    grid->SetValueRowCol(1, 2, "");
    grid->SetValueRowCol(3, 2, "0");
    grid->SetValueRowCol(4, 2, "100");
    ASSERT_TRUE(sheet.PressOK());
    EXPECT_EQ(efficiencies(), "Custom Category=50.0,Greenhouse Gas=33.33333,Ozone Depleting Substance=0.0,"
                              "Toxic Release Inventory=100.0,Volatile Organic Compound=90.0");
    EXPECT_TRUE(m_app.isProjectModified());
}

TEST_F(AirEmissionSheetTest, AnEfficiencyAboveOneHundredKeepsTheSheetOpen)
{
    CPreferAirEmissionDialog sheet;
    CObjectGridWnd* grid = open<CVaporEmissionCtrlEfficiencyTab>(sheet, 2)->Grid();
    grid->SetValueRowCol(2, 2, "100.5");
    open<CEmissionSheetPage>(sheet, 0);
    m_prompts.expect(IDOK);
    sheet.PressOK();
    EXPECT_EQ(m_prompts.lastText(), "Please enter a value between 0 and 100 (including 0 and 100)!");
    EXPECT_EQ(sheet.GetActiveIndex(), 2);
    EXPECT_NE(sheet.result(), IDOK);
}

TEST_F(AirEmissionSheetTest, AMissingLibraryShowsBothMessagesAndWritesNothing)
{
    ASSERT_TRUE(QFile::remove(m_app.paths()->installDir() + REGULATORY_LIBRARY_FILE));
    m_prompts.expect(IDOK);
    m_prompts.expect(IDOK);
    CPreferAirEmissionDialog sheet;
    auto* page = open<CVaporEmissionCtrlEfficiencyTab>(sheet, 2);
    EXPECT_EQ(m_prompts.texts(), (QStringList{"Can't open Cost Factor Preference table for update!",
                                              "Can't open Operation Default table for initialization!"}));
    EXPECT_FALSE(page->IsLoaded());
    ASSERT_TRUE(sheet.PressOK());
    EXPECT_EQ(efficiencies(), "Hazardous Air Pollutant=95.0,Volatile Organic Compound=90.0");
}

// OK with one page broken after it loaded: that page shows its message and keeps its rows as
// before, the other page commits and the project is marked modified.
void AirEmissionSheetTest::OKWithABrokenPage(const QString& breakIt, bool modelsWritten)
{
    CPreferAirEmissionDialog sheet;
    auto* models = modelPage(sheet);
    models->Grid()->SetValueWithItemData(1, 2, "Gas Sweep", 1004);
    models->Grid()->SetValueWithItemData(2, 2, "Displacement", 1001);
    open<CVaporEmissionCtrlEfficiencyTab>(sheet, 2)->Grid()->SetValueRowCol(2, 2, "80");
    m_db.Execute(breakIt);
    m_prompts.expect(IDOK);
    ASSERT_TRUE(sheet.PressOK());
    EXPECT_EQ(sheet.result(), IDOK);
    EXPECT_EQ(m_prompts.texts().size(), 1);
    EXPECT_EQ(ranks(4, 100501), modelsWritten ? "1:1004,2:1001" : "1:1001,2:1004");
    if (modelsWritten)
        return;
    EXPECT_EQ(m_prompts.lastText(), "second rank refused");
    EXPECT_EQ(efficiencies(), "Hazardous Air Pollutant=95.0,Volatile Organic Compound=80.0");
}

TEST_F(AirEmissionSheetTest, ATableDroppedBetweenLoadAndOKStopsOnlyItsPage)
{
    OKWithABrokenPage("DROP TABLE \"PREFER-ControlEfficiency\"", true);
    EXPECT_TRUE(m_app.isProjectModified());
}

TEST_F(AirEmissionSheetTest, ARowRefusedByATriggerRollsBackOnlyItsPage)
{
    OKWithABrokenPage(
        "CREATE TRIGGER Refuse BEFORE INSERT ON \"PREFER-AirEmission\" WHEN NEW.SequenceNumber = 2 "
        "BEGIN SELECT RAISE(ABORT, 'second rank refused'); END",
        false);
    EXPECT_TRUE(m_app.isProjectModified());
}

TEST_F(AirEmissionSheetTest, CancelLeavesEveryTableAndTheModifiedFlag)
{
    const std::string before = ranks(4, 100501) + efficiencies() + parameter("Leak Rate");
    CPreferAirEmissionDialog sheet;
    modelPage(sheet)->Grid()->SetValueRowCol(1, 2, "");
    open<CVaporEmissionParameterTab>(sheet, 1)->Grid()->SetValueRowCol(1, 2, "9");
    open<CVaporEmissionCtrlEfficiencyTab>(sheet, 2)->Grid()->SetValueRowCol(1, 2, "1");
    sheet.PressCancel();
    EXPECT_EQ(ranks(4, 100501) + efficiencies() + parameter("Leak Rate"), before);
    EXPECT_FALSE(m_app.isProjectModified());
}

// Through the hub's button: every step is marked again only when the batch run computes emissions.
TEST_F(AirEmissionSheetTest, TheHubMarksEveryStepAfterOKOnlyWithBatchAirEmissionOn)
{
    InstallAirEmissionPreferenceEntry();
    for (int airEmission : {1, 0, -1}) {
        SCOPED_TRACE(airEmission);
        m_db.Execute("DELETE FROM SimulationOptions WHERE OptionType = 'BATCH'");
        if (airEmission >= 0)
            m_db.Execute(
                QString("INSERT INTO SimulationOptions (ProjectID, AirEmission, OptionType) VALUES (1, %1, "
                        "'BATCH')")
                    .arg(airEmission));
        m_frame.calls.clear();
        QTimer::singleShot(0, [] {
            if (auto* sheet = qobject_cast<CPreferAirEmissionDialog*>(QApplication::activeModalWidget()))
                sheet->PressOK();
        });
        CPreference hub;
        ASSERT_TRUE(hub.button(1378)->isEnabled());
        hub.button(1378)->click();
        EXPECT_EQ(m_frame.calls, airEmission == 1 ? QStringList{"reset -1 SimulateOnly"} : QStringList{});
    }
    PreferenceHub::setEntry(1378, {});
}

// Each page's read failure shows its message, and the page then writes nothing at OK.
TEST_F(AirEmissionSheetTest, AFailedReadShowsThePagesMessageAndWritesNothing)
{
    const struct {
        const char* table;
        int page;
        const char* message;
    } cases[] = {
        {"AirEmissionEquipmentKinds", 0, "Can't open query model record set to populate model combo box!"},
        {"OperationDefaults", 1, "Can't open Operation Default table for initialization!"},
        {"\"PREFER-ControlEfficiency\"", 2, "Can't open Operation Default table for update!"},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.table);
        m_prompts.clear();
        m_db.Execute(QString("ALTER TABLE %1 RENAME TO Hidden").arg(each.table));
        m_prompts.expect(IDOK);
        CPreferAirEmissionDialog sheet;
        open<CEmissionSheetPage>(sheet, each.page);
        m_db.Execute(QString("ALTER TABLE Hidden RENAME TO %1").arg(each.table));
        EXPECT_EQ(m_prompts.texts(), QStringList{each.message});
        ASSERT_TRUE(sheet.PressOK());
        EXPECT_EQ(sheet.result(), IDOK);
        EXPECT_FALSE(m_app.isProjectModified());
    }
}

// A commit that fails (a deferred constraint) keeps the sheet open, marks nothing, keeps the rows.
TEST_F(AirEmissionSheetTest, AFailedCommitKeepsTheSheetOpenAndMarksNothing)
{
    m_db.Execute("PRAGMA foreign_keys = ON");
    m_db.Execute("CREATE TABLE Anchor (AnchorID INTEGER PRIMARY KEY)");
    m_db.Execute(
        "CREATE TABLE Tied (AnchorID INTEGER REFERENCES Anchor (AnchorID) DEFERRABLE INITIALLY DEFERRED)");
    m_db.Execute(
        "CREATE TRIGGER Untie AFTER INSERT ON \"PREFER-AirEmission\" BEGIN INSERT INTO Tied VALUES (9); END");
    CPreferAirEmissionDialog sheet;
    modelPage(sheet)->Grid()->SetValueWithItemData(1, 2, "Gas Sweep", 1004);
    modelPage(sheet)->Grid()->SetValueWithItemData(2, 2, "Displacement", 1001);
    m_prompts.expect(IDOK);
    sheet.PressOK();
    m_db.Execute("PRAGMA foreign_keys = OFF");
    EXPECT_EQ(m_prompts.texts().size(), 1);
    EXPECT_NE(sheet.result(), IDOK);
    EXPECT_FALSE(m_app.isProjectModified());
    EXPECT_EQ(ranks(4, 100501), "1:1001,2:1004");
}
