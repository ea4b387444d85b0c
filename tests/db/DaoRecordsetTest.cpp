// The recordset base, driven through two sets of the Demo: the recipe rows of a step and the
// step-in-process join whose fields go to [Step-To-Process] and [Process].

#include "RecordsetFixture.h"
#include "foundation/db/DaoException.h"
#include "foundation/db/project/QryStepByStepAndProcessIDSet.h"
#include "foundation/db/step/TextRecipeSet.h"

using DaoRecordsetTest = RecordsetFixture;

TEST_F(DaoRecordsetTest, AddNewAnswersTheInsertedKeyNotTheLastRow)
{
    m_stepDbs.at(SALT_FORMATION)
        ->Execute(
            "INSERT INTO TextRecipe (RowKey, StepID, RecipeSequenceNumber, Type) VALUES (900, 1, 1, 'x')");
    CTextRecipeSet set;
    ASSERT_TRUE(set.OpenSet(SALT_FORMATION, 0, "all"));
    set.AddNew();
    set.SetLong("StepID", SALT_FORMATION);
    set.SetLong("RecipeSequenceNumber", 9);
    set.SetText("Type", "Series");
    const long key = set.Update();
    EXPECT_EQ(key, 901);
    EXPECT_EQ(set.GetLong("RecipeSequenceNumber"), 1); // the current row stays
    set.MoveToLastModified();
    EXPECT_EQ(set.GetLong("RowKey"), key);
    EXPECT_FALSE(set.IsFieldNull("Hide")); // the column default came back from the engine
    EXPECT_EQ(
        count(stepPath(SALT_FORMATION), "SELECT RecipeSequenceNumber FROM TextRecipe WHERE RowKey = 901"), 9);
}

TEST_F(DaoRecordsetTest, EditWritesOnlyTheChangedColumns)
{
    CTextRecipeSet set;
    ASSERT_TRUE(set.OpenSet(COUPLING, 0, "all"));
    set.MoveNext();
    // Another writer changes the label; our edit of Hide must not put the old label back.
    m_stepDbs.at(COUPLING)->Execute("UPDATE TextRecipe SET Label = 'Charge' WHERE RowKey = 2");
    set.Edit();
    set.SetText("label", set.GetText("Label")); // unchanged value, any case of the name: nothing to write
    set.SetBool("Hide", true);
    set.Update();
    EXPECT_EQ(scalar(stepPath(COUPLING), "SELECT Label || '/' || Hide FROM TextRecipe WHERE RowKey = 2"),
              "Charge/1");
}

TEST_F(DaoRecordsetTest, AJoinRowWritesEachFieldToItsTableOrNothingOnFailure)
{
    const QString project = GetProjectDBPath();
    const QString orders =
        "SELECT group_concat(StepOrder) FROM (SELECT * FROM \"Step-To-Process\" ORDER BY RowKey)";
    const QString names = "SELECT group_concat(ProcessName || ' ' || ProcessVersionName, '/') FROM Process";
    CQryStepByStepAndProcessIDSet set;
    ASSERT_TRUE(set.OpenSet(SALT_FORMATION, HYDROCHLORIDE));
    ASSERT_EQ(set.GetRecordCount(), 1);
    EXPECT_EQ(set.GetText("StepName"), "Salt Formation");
    set.Edit();
    set.SetText("ProcessName", "Amidol HCl");
    set.SetLong("StepOrder", 7);
    set.Update();
    EXPECT_EQ(scalar(project, orders), "1,2,3,1,7,3,4");
    EXPECT_EQ(scalar(project, names), "Amidol Free Base/Amidol HCl Hydrochloride");

    m_projectDb.Execute(
        "CREATE TRIGGER refuse BEFORE UPDATE ON Process BEGIN SELECT RAISE(ABORT, 'no'); END");
    set.Edit();
    set.SetLong("StepOrder", 9);
    set.SetText("ProcessName", "Renamed");
    EXPECT_THROW(set.Update(), CDaoException);
    EXPECT_EQ(scalar(project, orders), "1,2,3,1,7,3,4");
    EXPECT_FALSE(m_projectDb.InTransaction());
}

TEST_F(DaoRecordsetTest, AnOwnConnectionToAnOpenFileSharesItAndCloseSetLetsGo)
{
    CDaoDatabase& step = *m_stepDbs.at(COUPLING);
    CTextRecipeSet set;
    ASSERT_TRUE(set.OpenSet(COUPLING, 0, "all", step.GetName()));
    step.BeginTrans();
    step.Execute("DELETE FROM TextRecipe WHERE RowKey = 16");
    ASSERT_TRUE(set.OpenSet(COUPLING, 0, "all", step.GetName()));
    EXPECT_EQ(set.GetRecordCount(), 15); // sees the open transaction: one connection
    step.Rollback();
    set.CloseSet();
    EXPECT_FALSE(set.IsOpen());
    EXPECT_TRUE(step.IsOpen());
}
