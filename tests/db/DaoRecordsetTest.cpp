#include "DbFixture.h"
#include "ExampleSets.h"
#include "FakeAppContext.h"
#include "ScriptedPrompts.h"
#include "foundation/db/DaoException.h"
#include "foundation/db/DaoTransaction.h"
#include "foundation/common/OleDate.h"

namespace {

QStringList labels(CDaoRecordset& set)
{
    QStringList result;
    for (set.MoveFirst(); !set.IsEOF(); set.MoveNext())
        result << set.GetText("Label");
    return result;
}

} // namespace

class DaoRecordsetTest : public DbFixture {
protected:
    void SetUp() override
    {
        m_stepDb.Open(makeRecipeDatabase(), DatabaseRole::WorkingCopy);
        m_app.stepDatabases().add(1, &m_stepDb, m_stepDb.GetName());
        m_app.stepDatabases().add(2, &m_stepDb, m_stepDb.GetName());
        m_projectDb.Open(makeProcessDatabase(), DatabaseRole::WorkingCopy);
        m_app.fileSet().projectDatabase = &m_projectDb;
    }

    QVariant stored(const QString& sql) { return scalar(m_stepDb.GetName(), sql); }

    FakeAppContext m_app;
    CDaoDatabase m_stepDb, m_projectDb;
};

TEST_F(DaoRecordsetTest, CountIsKnownRightAfterOpenAndRowsComeInDeclaredOrder)
{
    CExampleTextRecipeSet set;
    ASSERT_TRUE(set.OpenSet(1, "UP"));
    EXPECT_EQ(set.GetRecordCount(), 3);
    EXPECT_EQ(labels(set), QStringList({"Reactor", "Charge", "Heat"}));
    set.MoveLast();
    EXPECT_EQ(set.GetText("label"), "Heat"); // field names are case-insensitive
    set.MovePrev();
    set.MovePrev();
    set.MovePrev();
    EXPECT_TRUE(set.IsBOF());
    EXPECT_THROW(set.MovePrev(), CDaoException);
}

TEST_F(DaoRecordsetTest, AddNewReturnsTheInsertedIdNotTheLastRow)
{
    m_stepDb.Execute("INSERT INTO TextRecipe (ID, StepID, Label) VALUES (900, 2, 'High')");
    CExampleTextRecipeSet set;
    ASSERT_TRUE(set.OpenSet(1, "UP"));
    set.AddNew();
    set.SetLong("StepID", 1);
    set.SetLong("RecipeSequenceNumber", 4);
    set.SetText("Label", "Cool");
    const long id = set.Update();
    EXPECT_EQ(id, 901);
    EXPECT_EQ(set.GetRecordCount(), 4);
    EXPECT_EQ(set.GetText("Label"), "Reactor"); // the current row stays
    set.MoveToLastModified();
    EXPECT_EQ(set.GetLong("ID"), id);
    EXPECT_FALSE(set.GetBool("Hide")); // the column default came back from the engine
    EXPECT_FALSE(set.IsFieldNull("Hide"));
    EXPECT_EQ(stored("SELECT Label FROM TextRecipe WHERE ID = 901").toString(), "Cool");
}

TEST_F(DaoRecordsetTest, EditWritesOnlyTheChangedColumns)
{
    CExampleTextRecipeSet set;
    ASSERT_TRUE(set.OpenSet(1, "UP"));
    set.MoveNext(); // Charge
    // Another writer changes the label; our edit of Hide must not put the old label back.
    m_stepDb.Execute("UPDATE TextRecipe SET Label = 'Charge solvent' WHERE Label = 'Charge'");
    set.Edit();
    set.SetText("Label", set.GetText("Label")); // unchanged value: nothing to write
    set.SetBool("Hide", false);
    set.Update();
    EXPECT_EQ(
        stored("SELECT Label || '/' || Hide FROM TextRecipe WHERE RecipeSequenceNumber = 2 AND StepID = 1")
            .toString(),
        "Charge solvent/0");
}

TEST_F(DaoRecordsetTest, CompositeKeysAndPerColumnTablesUpdateTheRightRows)
{
    CExampleStepInProcessSet set;
    ASSERT_TRUE(set.OpenSet(10));
    ASSERT_TRUE(set.FindFirst([](const CDaoRecordset& row) { return row.GetLong("StepID") == 2; }));
    set.Edit();
    set.SetLong("StepOrder", 7);
    set.SetText("ProcessName", "Alpha prime");
    set.Update();
    const QString path = m_projectDb.GetName();
    EXPECT_EQ(scalar(path, "SELECT group_concat(ProcessID || ':' || StepID || '=' || StepOrder, ' ') FROM"
                           " (SELECT * FROM \"Step-To-Process\" ORDER BY ProcessID, StepID)")
                  .toString(),
              "10:1=1 10:2=7 20:1=1 20:2=2");
    EXPECT_EQ(scalar(path, "SELECT group_concat(ProcessName) FROM Process").toString(), "Alpha prime,Beta");
}

TEST_F(DaoRecordsetTest, AFailingWriteOfAJoinRowWritesNeitherTable)
{
    m_projectDb.Execute(
        "CREATE TRIGGER refuse BEFORE UPDATE ON Process BEGIN SELECT RAISE(ABORT, 'refused'); END");
    CExampleStepInProcessSet set;
    ASSERT_TRUE(set.OpenSet(10));
    set.Edit();
    set.SetLong("StepOrder", 9);
    set.SetText("ProcessName", "Renamed");
    EXPECT_THROW(set.Update(), CDaoException);
    EXPECT_EQ(scalar(m_projectDb.GetName(), "SELECT max(StepOrder) FROM \"Step-To-Process\"").toInt(), 2);
    EXPECT_FALSE(m_projectDb.InTransaction());
}

TEST_F(DaoRecordsetTest, AnOwnConnectionToAnOpenFileSharesItAndCloseSetLetsGo)
{
    CExampleTextRecipeSet set;
    ASSERT_TRUE(set.OpenSet(1, "UP", m_stepDb.GetName()));
    m_stepDb.BeginTrans();
    m_stepDb.Execute("DELETE FROM TextRecipe WHERE Label = 'Heat'");
    ASSERT_TRUE(set.OpenSet(1, "UP", m_stepDb.GetName()));
    EXPECT_EQ(set.GetRecordCount(), 2); // sees the open transaction: one connection
    m_stepDb.Rollback();
    set.CloseSet();
    EXPECT_FALSE(set.IsOpen());
    EXPECT_TRUE(m_stepDb.IsOpen());
}
