#include "RecordsetFixture.h"
#include "ScriptedPrompts.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/step/OperationConditionalLogicParameterSet.h"
#include "foundation/db/step/TextRecipeSet.h"
#include "foundation/db/step/UnitProcedureConditionalLogicParameterSet.h"

using TextRecipeSetTest = RecordsetFixture;

// "all" gives the whole recipe of the step in recipe order, an item type with an id that line only;
// an open set re-queries with the new parameters.
TEST_F(TextRecipeSetTest, TheItemTypeChoosesTheWholeRecipeOrOneLine)
{
    CTextRecipeSet set;
    ASSERT_TRUE(set.OpenSet(COUPLING, -1, "all"));
    EXPECT_EQ(set.GetRecordCount(), 16);
    set.MoveLast();
    for (long sequence = 16; sequence >= 1; --sequence, set.MovePrev())
        EXPECT_EQ(set.GetLong("RecipeSequenceNumber"), sequence);
    EXPECT_TRUE(set.IsBOF());
    EXPECT_THROW(set.MovePrev(), CDaoException);
    set.MoveFirst();
    EXPECT_EQ(set.GetText("Type") + "/" + set.GetText("StepName"), "Unit Procedure/Coupling");
    ASSERT_TRUE(set.OpenSet(SALT_FORMATION, 0, "ALL"));
    EXPECT_EQ(set.GetRecordCount(), 11);
    EXPECT_EQ(set.GetText("UnitProcedureName"), "Salt formation in R-101");

    const long unitProcedure = firstItemID(COUPLING, "Unit Procedure");
    ASSERT_TRUE(set.OpenSet(COUPLING, unitProcedure, "Unit Procedure"));
    ASSERT_EQ(set.GetRecordCount(), 1);
    EXPECT_EQ(set.GetText("UnitProcedureName"), "Reaction in R-101");
    ASSERT_TRUE(set.OpenSet(COUPLING, unitProcedure, "Operation"));
    EXPECT_EQ(set.GetRecordCount(), 0);
    ASSERT_TRUE(set.OpenSet(SALT_FORMATION, unitProcedure, "Unit Procedure")); // not a line of that step
    EXPECT_EQ(set.GetRecordCount(), 0);
}

// Keyword rows of one recipe may share ID and sequence number while lines are renumbered.
TEST_F(TextRecipeSetTest, RowsSharingAnIdAreEditedAndDeletedOneAtATime)
{
    m_stepDbs.at(COUPLING)->Execute("UPDATE TextRecipe SET ID = 6, RecipeSequenceNumber = 6 WHERE ID = 8");
    CTextRecipeSet set;
    ASSERT_TRUE(set.OpenSet(COUPLING, 6, "Series"));
    ASSERT_EQ(set.GetRecordCount(), 2);
    set.Edit();
    set.SetBool("Hide", true);
    set.Update();
    EXPECT_EQ(count(stepPath(COUPLING), "SELECT count(*) FROM TextRecipe WHERE ID = 6 AND Hide = 1"), 1);
    set.MoveNext();
    set.Delete();
    EXPECT_EQ(scalar(stepPath(COUPLING), "SELECT group_concat(Hide) FROM TextRecipe WHERE ID = 6"), "1");
}

TEST_F(TextRecipeSetTest, AnOwnConnectionToAnOpenFileSharesItAndCloseSetLetsGo)
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

const char* const OPERATIONS =
    "CurrentOperationID c, OperationParameterID p FROM OperationConditionalLogicParameter";
const char* const UNIT_PROCEDURES =
    "CurrentUnitProcedureID c, UnitProcedureParameterID p FROM UnitProcedureConditionalLogicParameter";

class ConstraintSetTest : public RecordsetFixture {
protected:
    // 20 starts after 10 (twice), 30 after 20, 20 in parallel with 40; one link between unit procedures.
    void SetUp() override
    {
        RecordsetFixture::SetUp();
        for (const auto& [current, logic, parameter] : {std::tuple{20, "Starts-After", 10},
                                                        {30, "Starts-After", 20},
                                                        {20, "Starts-Parallel", 40},
                                                        {20, "Starts-After", 10}})
            step().Execute("INSERT INTO OperationConditionalLogicParameter (CurrentOperationID,"
                           " ConditionalLogic, OperationParameterID) VALUES (?, ?, ?)",
                           {current, logic, parameter});
        step().Execute("INSERT INTO UnitProcedureConditionalLogicParameter (CurrentUnitProcedureID,"
                       " ConditionalLogic, UnitProcedureParameterID) VALUES (2, 'Starts-After', 1)");
    }

    CDaoDatabase& step() { return *m_stepDbs.at(COUPLING); }
    // "current:parameter" of every row, in row order.
    QString links(const char* columnsAndTable) const
    {
        return scalar(stepPath(COUPLING),
                      QString("SELECT group_concat(c || ':' || p, ' ') FROM (SELECT %1 ORDER BY RowKey)")
                          .arg(columnsAndTable))
            .toString();
    }

    COperationConditionalLogicParameterSet m_operations;
};

TEST_F(ConstraintSetTest, LinksListWhatAnItemStartsAfterAndWhatStartsAfterIt)
{
    EXPECT_TRUE(m_operations.FindLinkedOperations(COUPLING, 20, "starts-after"));
    EXPECT_EQ(m_operations.GetPredecessorIDs(), QList<long>({10, 10}));
    EXPECT_EQ(m_operations.GetSuccessorIDs(), QList<long>({30}));
    EXPECT_TRUE(m_operations.FindLinkedOperations(COUPLING, 40, "Starts-Parallel"));
    EXPECT_TRUE(m_operations.GetPredecessorIDs().isEmpty());
    EXPECT_EQ(m_operations.GetSuccessorIDs(), QList<long>({20}));
    EXPECT_FALSE(m_operations.FindLinkedOperations(COUPLING, 99, "Starts-After"));
    EXPECT_TRUE(m_operations.GetPredecessorIDs().isEmpty() && m_operations.GetSuccessorIDs().isEmpty());
}

// Replace edits the first match (-1 keeps a side); delete removes every match, or fails without a
// database with the table's message.
TEST_F(ConstraintSetTest, ReplaceEditsTheFirstMatchAndDeleteEveryMatch)
{
    EXPECT_TRUE(m_operations.ReplaceOperation(COUPLING, 20, "Starts-After", 10, -1, 11));
    EXPECT_TRUE(m_operations.ReplaceOperation(COUPLING, 30, "Starts-After", 20, 31, -1));
    EXPECT_TRUE(m_operations.ReplaceOperation(COUPLING, 20, "Starts-Parallel", 40, 21, 41));
    EXPECT_FALSE(m_operations.ReplaceOperation(COUPLING, 20, "Starts-Parallel", 40, 22, 42));
    EXPECT_EQ(links(OPERATIONS), "20:11 31:20 21:41 20:10");
    EXPECT_TRUE(m_operations.ReplaceOperation(COUPLING, 20, "Starts-After", 11, -1, 10));
    EXPECT_TRUE(m_operations.DeleteLogic(COUPLING, 20, 10, "Starts-After"));
    EXPECT_EQ(links(OPERATIONS), "31:20 21:41");
    EXPECT_TRUE(m_operations.DeleteLogic(COUPLING, 20, 10, "Starts-After")); // nothing left to delete
    ScriptedPromptService prompts;
    prompts.expect(IDOK);
    EXPECT_FALSE(m_operations.DeleteLogic(4711, 31, 20, "Starts-After"));
    EXPECT_EQ(prompts.texts(), QStringList{"Can't open OperationConditionalLogicParameter Table!"});
}

TEST_F(ConstraintSetTest, TheUnitProcedureTableNamesItsOwnColumns)
{
    CUnitProcedureConditionalLogicParameterSet set;
    EXPECT_TRUE(set.GetRelatedUnitProcedures(COUPLING, 2, "Starts-After"));
    EXPECT_EQ(set.GetPredecessorIDs(), QList<long>({1}));
    EXPECT_TRUE(set.UpdateConditionalLogic(COUPLING, 2, "Starts-After", 1, -1, 3));
    EXPECT_EQ(links(UNIT_PROCEDURES), "2:3");
    ScriptedPromptService prompts; // no message for this table
    EXPECT_FALSE(set.DeleteConditionalLogic(4711, 2, 3, "Starts-After"));
    EXPECT_TRUE(set.DeleteConditionalLogic(COUPLING, 2, 3, "Starts-After"));
    EXPECT_EQ(links(UNIT_PROCEDURES), "");
    EXPECT_EQ(links(OPERATIONS), "20:10 30:20 20:40 20:10");
}
