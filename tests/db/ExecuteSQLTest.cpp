#include "foundation/db/ExecuteSQL.h"
#include "DbFixture.h"
#include "ScriptedPrompts.h"
#include "foundation/db/DaoDatabase.h"

class ExecuteSQLTest : public DbFixture {};

TEST_F(ExecuteSQLTest, RunsOneStatementAndReportsTheEngineTextOnFailure)
{
    CDaoDatabase db;
    db.Open(makeRecipeDatabase());
    EXPECT_TRUE(ExecuteSQL(&db, "DELETE FROM TextRecipe WHERE StepID = 2;"));
    EXPECT_EQ(scalar(db.GetName(), "SELECT count(*) FROM TextRecipe").toInt(), 3);
    EXPECT_TRUE(ExecuteSQL(&db, "UPDATE TextRecipe SET Label = ? WHERE ID = ?", {"O'Neil \"x\"", 1}));
    EXPECT_EQ(scalar(db.GetName(), "SELECT Label FROM TextRecipe WHERE ID = 1").toString(), "O'Neil \"x\"");

    ScriptedPromptService prompts;
    prompts.expect(IDOK);
    prompts.expect(IDOK);
    prompts.expect(IDOK);
    EXPECT_FALSE(ExecuteSQL(&db, "DROP TABLE TempMaterialIDTable;"));
    EXPECT_EQ(prompts.lastText(), "no such table: TempMaterialIDTable");
    EXPECT_FALSE(ExecuteSQL(&db, "DELETE FROM TextRecipe; DELETE FROM Nothing;")); // one statement only
    EXPECT_EQ(scalar(db.GetName(), "SELECT count(*) FROM TextRecipe").toInt(), 3);
    EXPECT_FALSE(ExecuteSQL(nullptr, "DELETE FROM TextRecipe"));
    EXPECT_EQ(prompts.lastText(), "The database is not open.");
    EXPECT_TRUE(prompts.allAnswersUsed());
}
