// The worst-case emission and non-condensable gas pages on the Demo: the seed's statuses, the
// Demo's blank status of "Gas Sweep", nitrogen stored as a non-condensable gas.

#include "EmissionPageFixture.h"
#include "foundation/controls/MyGXComboBox.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "preferences/emissions/MaxEmissionModelPreferenceTab.h"
#include "preferences/emissions/NonCondensablePreferenceTab.h"

#include <QComboBox>
#include <utility>

namespace {

constexpr long GAS_SWEEP = 1004, DISPLACEMENT = 1001, HEATING = 1002, HEATING_TOO = 1008;

void ChooseModel(CMaxEmissionModelPreferenceTab& tab, long modelID)
{
    tab.modelCombo()->setCurrentIndex(tab.modelCombo()->findData(qlonglong(modelID)));
    tab.OnSelChangeModel();
}

QStringList Column(CObjectGridWnd* grid, int col)
{
    QStringList texts;
    for (int row = 1; row <= grid->GetRowCount(); ++row)
        texts << grid->GetValueRowCol(row, col);
    return texts;
}

} // namespace

class WorstCasePageTest : public EmissionPageTest {
protected:
    QString statuses()
    {
        return value("SELECT group_concat(AirEmissionModelID || ' ' || Parameter || '=' || Value || '#' || RowKey, "
                     "', ') FROM (SELECT * FROM \"PREFER-MaximumEmissions\" ORDER BY RowKey)");
    }
};

TEST_F(WorstCasePageTest, ModelsOnceByIDAndTheirParametersWithEmptyDisabledRowsBelow)
{
    CMaxEmissionModelPreferenceTab tab;
    ASSERT_TRUE(tab.IsLoaded());
    // A model serving two operation types (Heating 1002) is listed once.
    EXPECT_EQ(tab.modelCombo()->count(),
              value("SELECT count(DISTINCT ModelTypeID) FROM ModelLibrary WHERE ModelKind = 1").toInt());
    EXPECT_EQ(tab.shownModel(), 0);
    ChooseModel(tab, HEATING_TOO);
    EXPECT_EQ(tab.shownModel(), HEATING_TOO); // the second "Heating" by its id
    EXPECT_EQ(Column(tab.grid(), 1), QStringList({"", "", "", "", ""}));
    EXPECT_TRUE(tab.grid()->IsCellReadOnly(1, 2));
    ChooseModel(tab, GAS_SWEEP);
    EXPECT_EQ(Column(tab.grid(), 1),
              QStringList({"Sweep Gas Rate", "Temperature", "Sweep Gas Temperature", "", ""}));
    EXPECT_EQ(Column(tab.grid(), 2), QStringList({"Maximum", "Maximum", "", "", ""}));
    EXPECT_FALSE(tab.grid()->IsCellReadOnly(3, 2));
    EXPECT_EQ(tab.grid()->GetInterior(3, 2), QColor(Qt::white));
    EXPECT_EQ(tab.grid()->GetInterior(4, 2), GRID_READONLY_COLOR);
    EXPECT_EQ(tab.grid()->GetChoiceList(1, 2), QStringList({"Maximum", "Minimum", "Target"}));
}

// A blank status keeps the user on the model and the page; once chosen, the switch goes through.
TEST_F(WorstCasePageTest, ABlankStatusRefusesTheSwitchAndLeaving)
{
    CMaxEmissionModelPreferenceTab tab;
    ChooseModel(tab, GAS_SWEEP);
    m_prompts.expect(IDOK);
    ChooseModel(tab, DISPLACEMENT);
    EXPECT_EQ(m_prompts.lastText(), "Please select the status !");
    EXPECT_EQ(tab.shownModel(), GAS_SWEEP);
    EXPECT_EQ(tab.modelCombo()->currentData().toLongLong(), GAS_SWEEP);
    int row = 0, col = 0;
    ASSERT_TRUE(tab.grid()->GetCurrentCell(&row, &col));
    EXPECT_EQ(std::pair(row, col), std::pair(3, 2));
    m_prompts.expect(IDOK);
    EXPECT_FALSE(tab.OnKillActive());
    tab.grid()->SetValueRowCol(3, 2, "Target");
    ChooseModel(tab, DISPLACEMENT);
    EXPECT_EQ(tab.shownModel(), DISPLACEMENT);
    EXPECT_TRUE(tab.OnKillActive());
}

// Two models changed, one OK: each changed Value updated by its key, every other row (a model not
// in the library, more than five parameters, rows added meanwhile) as it was.
TEST_F(WorstCasePageTest, OkUpdatesChangedValuesByKeyAndDeletesNothing)
{
    exec("INSERT INTO \"PREFER-MaximumEmissions\" (AirEmissionModelID, Parameter, Value) VALUES "
         "(0, 'A', 'Maximum'), (0, 'B', 'Maximum'), (0, 'C', 'Maximum'), (0, 'D', 'Maximum'), (0, 'E', 'Maximum'), "
         "(0, 'F', 'Minimum'), (4711, 'Orphan', 'Target')");
    CMaxEmissionModelPreferenceTab tab;
    EXPECT_EQ(tab.grid()->GetRowCount(), 6); // model 0 loads with all six parameters
    EXPECT_EQ(tab.grid()->GetValueRowCol(6, 1), "F");
    EXPECT_EQ(writeLikeSheet(tab), "unchanged");
    tab.grid()->SetValueRowCol(6, 2, "Target");
    ChooseModel(tab, HEATING);
    tab.grid()->SetValueRowCol(1, 2, "Maximum");
    ASSERT_TRUE(tab.CheckEntries());
    exec("INSERT INTO \"PREFER-MaximumEmissions\" (AirEmissionModelID, Parameter, Value) VALUES (1, 'New', 'Target')");
    QString expected = statuses();
    expected.replace("1002 Initial Temperature=Minimum", "1002 Initial Temperature=Maximum")
        .replace("0 F=Minimum", "0 F=Target");
    EXPECT_EQ(writeLikeSheet(tab), "wrote");
    EXPECT_EQ(statuses(), expected);
}

TEST_F(WorstCasePageTest, AFailedLoadShowsItsMessageAndWritesNothing)
{
    exec("DROP TABLE \"PREFER-MaximumEmissions\"");
    m_prompts.expect(IDOK);
    m_prompts.expect(IDOK);
    CMaxEmissionModelPreferenceTab tab;
    EXPECT_EQ(m_prompts.lastText(), "Can't open PREFER-MaximumEmissions table for saving");
    EXPECT_FALSE(tab.IsLoaded());
    EXPECT_TRUE(tab.CheckEntries());
    EXPECT_EQ(writeLikeSheet(tab), "unchanged");
}

class NonCondensablePageTest : public EmissionPageTest {
protected:
    QString stored()
    {
        return value("SELECT group_concat(MaterialID, ' ') FROM (SELECT * FROM \"PREFER-NonCondensableMaterials\" "
                     "ORDER BY RowKey)");
    }
};

// The list holds the gaseous pure components only (the phase ignoring case); a stored material
// that is no gas is shown by name and kept.
TEST_F(NonCondensablePageTest, ListsPureGasesAndShowsStoredMaterialsByName)
{
    exec("INSERT INTO \"PREFER-NonCondensableMaterials\" (MaterialID) VALUES (2)");
    CNonCondensablePreferenceTab tab;
    ASSERT_TRUE(tab.IsLoaded());
    QStringList gases;
    for (int i = 0; i < tab.gasList()->GetCount(); ++i)
        gases << tab.gasList()->itemText(i);
    EXPECT_EQ(gases, QStringList({"Argon", "Helium", "Nitrogen"}));
    EXPECT_EQ(tab.grid()->GetRowCount(), CNonCondensablePreferenceTab::MIN_ROWS);
    EXPECT_EQ(Column(tab.grid(), 1).mid(0, 3), QStringList({"Nitrogen", "Water", ""}));
    ASSERT_TRUE(tab.CheckEntries());
    EXPECT_EQ(writeLikeSheet(tab), "unchanged");
    EXPECT_EQ(stored(), "1 2");
}

// Cleared rows and gaps: the table comes back packed, in row order.
TEST_F(NonCondensablePageTest, ClearedRowsGoAndGapsArePacked)
{
    CNonCondensablePreferenceTab tab;
    tab.grid()->SetValueRowCol(1, 1, "");
    tab.grid()->SetValueWithItemData(3, 1, "Helium", HELIUM);
    tab.grid()->SetValueRowCol(7, 1, "Argon");
    ASSERT_TRUE(tab.CheckEntries());
    EXPECT_EQ(writeLikeSheet(tab), "wrote");
    EXPECT_EQ(stored(), "22 20");
}

TEST_F(NonCondensablePageTest, AGasInASecondRowIsRefused)
{
    CNonCondensablePreferenceTab tab;
    tab.grid()->SetValueRowCol(4, 1, "Nitrogen");
    m_prompts.expect(IDOK);
    EXPECT_FALSE(tab.OnKillActive());
    EXPECT_EQ(m_prompts.lastText(), "This gas is selected already. Please select another one !");
    int row = 0, col = 0;
    ASSERT_TRUE(tab.grid()->GetCurrentCell(&row, &col));
    EXPECT_EQ(row, 4);
    tab.grid()->SetValueRowCol(4, 1, "Argon");
    EXPECT_TRUE(tab.CheckEntries());
}

// More rows than the grid's fifty all load and stay; a failed open writes nothing.
TEST_F(NonCondensablePageTest, MoreThanFiftyRowsStayAndAFailedLoadWritesNothing)
{
    const QString sequence = "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 55) ";
    {
        CDaoDatabase materials;
        materials.Open(m_app.fileSet().materialsDBPath, DatabaseRole::ReadWrite);
        materials.Execute(sequence + "INSERT INTO ActualMaterialCommon (MaterialID, MaterialName) "
                                     "SELECT 1000 + i, 'Gas ' || i FROM n");
    }
    exec(sequence + "INSERT INTO \"PREFER-NonCondensableMaterials\" (MaterialID) SELECT 1000 + i FROM n");
    {
        CNonCondensablePreferenceTab tab;
        EXPECT_EQ(tab.grid()->GetRowCount(), 56);
        tab.grid()->SetValueRowCol(1, 1, "");
        tab.grid()->SetValueRowCol(56, 1, "Nitrogen");
        ASSERT_TRUE(tab.CheckEntries());
        EXPECT_EQ(writeLikeSheet(tab), "wrote");
    }
    EXPECT_EQ(value("SELECT COUNT(*) FROM \"PREFER-NonCondensableMaterials\""), "55");
    EXPECT_EQ(value("SELECT MaterialID FROM \"PREFER-NonCondensableMaterials\" ORDER BY RowKey DESC LIMIT 1"), "1");
    exec("ALTER TABLE \"PREFER-NonCondensableMaterials\" RENAME TO Kept");
    m_prompts.expect(IDOK);
    m_prompts.expect(IDOK);
    CNonCondensablePreferenceTab failed;
    EXPECT_EQ(m_prompts.lastText(), "Can't open PREFER-NonCondensableMaterials table for initialization");
    exec("ALTER TABLE Kept RENAME TO \"PREFER-NonCondensableMaterials\"");
    failed.grid()->SetValueRowCol(1, 1, "Argon");
    EXPECT_EQ(writeLikeSheet(failed), "unchanged");
    EXPECT_EQ(value("SELECT COUNT(*) FROM \"PREFER-NonCondensableMaterials\""), "55");
}
