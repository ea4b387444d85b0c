// The unit library and the default unit-of-measure sets of a generated project, read through
// their recordsets and the choice functions the dialogs fill their lists with.

#include "FakeFrameServices.h"
#include "RecordsetFixture.h"
#include "ScriptedPrompts.h"
#include "foundation/controls/UnitCombos.h"
#include "foundation/db/project/DefaultUOMSet.h"
#include "foundation/db/project/UnitsLibrarySet.h"

#include <QComboBox>

namespace {

QStringList unitsRead(CUnitsLibrarySet& set)
{
    QStringList units;
    for (; !set.IsEOF(); set.MoveNext())
        units << set.Unit();
    return units;
}

QStringList comboEntries(const QComboBox& combo)
{
    QStringList entries;
    for (int i = 0; i < combo.count(); ++i)
        entries << combo.itemText(i) + '=' + combo.itemData(i).toString();
    return entries;
}

struct QuantityCase {
    const char* quantity;
    QStringList units; // in library order
};

} // namespace

class UnitsLibraryTest : public RecordsetFixture {
protected:
    // Breaks the library so that every open of it fails.
    void dropLibrary() { m_projectDb.Execute("DROP VIEW QryUnitByQuantity"); }
};

TEST_F(UnitsLibraryTest, UnitsOfAQuantityComeInLibraryOrderOnEitherConnection)
{
    const QuantityCase cases[] = {
        {"Time", {"s", "min", "h", "day", "week", "yr"}},
        {"time", {"s", "min", "h", "day", "week", "yr"}}, // the kind compares ignoring case
        {"Temperature", {"C", "F", "K", "R"}},
        {"NoSuchQuantity", {}},
        {"", {}},
    };
    for (const QString& path : {QString(), GetProjectDBPath()}) {
        CUnitsLibrarySet set;
        for (const QuantityCase& c : cases) {
            ASSERT_TRUE(set.OpenSet(path, c.quantity)) << c.quantity;
            EXPECT_EQ(unitsRead(set), c.units) << c.quantity << " on '" << path.toStdString() << "'";
        }
    }
}

TEST_F(UnitsLibraryTest, ChoiceListIsSortedAndAMissingQuantityGivesAnEmptyList)
{
    QString list = "kept";
    ASSERT_TRUE(GetUnitChoiceList("Temperature", list));
    EXPECT_EQ(list, "C\nF\nK\nR");
    ASSERT_TRUE(GetUnitChoiceList("Time", list));
    EXPECT_EQ(list, "day\nh\nmin\ns\nweek\nyr");
    ASSERT_TRUE(GetUnitChoiceList("NoSuchQuantity", list));
    EXPECT_EQ(list, "");
}

TEST_F(UnitsLibraryTest, AnUnreadableLibraryIsReportedByEachChoiceFunction)
{
    dropLibrary();
    ScriptedPromptService prompts;
    for (int i = 0; i < 4; ++i)
        prompts.expect(IDOK);
    QString list = "kept";
    QComboBox combo;
    EXPECT_FALSE(GetUnitChoiceList("Time", list));
    EXPECT_FALSE(FillUnitCombo("Time", &combo));
    EXPECT_EQ(list, "kept");
    EXPECT_EQ(combo.count(), 0);
    ASSERT_EQ(prompts.texts().size(), 4); // the engine's description, then the function's own
    EXPECT_EQ(prompts.texts()[1], "Can't open the Units Library table to set up UOM list!");
    EXPECT_EQ(prompts.texts()[3], "Can't open the Units Library table to initialize combo boxes!");
}

TEST_F(UnitsLibraryTest, UnitComboIsFilteredThenSortedByTheMainWindow)
{
    FakeFrameServices frame;
    QComboBox combo;
    ASSERT_TRUE(FillUnitCombo("Time", &combo));
    EXPECT_EQ(frame.callsNamed("SortComboBoxItems").size(), 1);
    QStringList texts;
    for (int i = 0; i < combo.count(); ++i)
        texts << combo.itemText(i);
    EXPECT_EQ(texts, QStringList({"day", "h", "min", "s", "week", "yr"}));

    QComboBox filtered;
    ASSERT_TRUE(FillUnitCombo("LaborCost", &filtered, "eur"));
    EXPECT_EQ(comboEntries(filtered), QStringList({"EUR/day=", "EUR/h=", "EUR/week=", "EUR/yr="}));
}

TEST_F(UnitsLibraryTest, SetComboCarriesSetIdsAndSelectsById)
{
    FakeFrameServices frame;
    m_projectDb.Execute("INSERT INTO TblUOMSet (UOMSetID, UOMSetName, ReadOnly) VALUES (7, 'Custom', 0)");
    const struct {
        long selected;
        const char* current;
    } cases[] = {{2, "English"}, {7, "Custom"}, {1, "SI"}, {99, ""}};
    QComboBox combo;
    combo.addItem("stale", 0);
    for (const auto& c : cases) {
        ASSERT_TRUE(FillUOMSetCombo(&combo, c.selected));
        EXPECT_EQ(comboEntries(combo), QStringList({"Custom=7", "English=2", "SI=1"}));
        EXPECT_EQ(combo.currentText(), c.current) << c.selected;
    }
    EXPECT_FALSE(FillUOMSetCombo(nullptr, 1));
}

TEST_F(UnitsLibraryTest, DefaultSetsAreReadEditedAndAddedToAnEmptyTable)
{
    const QString read = "SELECT group_concat(InputUOMSetID || '/' || OutputUOMSetID) FROM "
                         "\"PREFER-UnitsOfMeasureSet\"";
    CDefaultUOMSet set;
    ASSERT_TRUE(set.OpenSet());
    ASSERT_EQ(set.GetRecordCount(), 1);
    EXPECT_EQ(set.GetLong("OutputUOMSetID"), -1);
    set.Edit();
    set.SetLong("InputUOMSetID", 1);
    set.SetLong("OutputUOMSetID", 2);
    set.Update();
    EXPECT_EQ(scalar(GetProjectDBPath(), read), "1/2");

    m_projectDb.Execute("DELETE FROM \"PREFER-UnitsOfMeasureSet\"");
    ASSERT_TRUE(set.OpenSet()); // an open set reads again
    EXPECT_TRUE(set.IsEOF());
    set.AddNew();
    set.SetLong("InputUOMSetID", 2);
    set.SetLong("OutputUOMSetID", 1);
    set.Update();
    set.CloseSet();
    EXPECT_EQ(scalar(GetProjectDBPath(), read), "2/1");
}
