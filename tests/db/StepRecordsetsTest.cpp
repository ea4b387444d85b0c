#include "RecordsetFixture.h"
#include "ScriptedPrompts.h"
#include "foundation/db/SharedConnection.h"
#include "foundation/db/step/OperationConditionalLogicParameterSet.h"
#include "foundation/db/step/StepSet.h"
#include "foundation/db/step/TextRecipeSet.h"
#include "foundation/db/step/UnitProcedureConditionalLogicParameterSet.h"

#include <QFile>

using TextRecipeSetTest = RecordsetFixture;

TEST_F(TextRecipeSetTest, AllGivesTheWholeRecipeOfTheStepInRecipeOrder)
{
    CTextRecipeSet set;
    ASSERT_TRUE(set.OpenSet(COUPLING, -1, "all"));
    EXPECT_EQ(set.GetRecordCount(), 16);
    const QList<long> sequence = column(set, "RecipeSequenceNumber");
    EXPECT_TRUE(std::is_sorted(sequence.cbegin(), sequence.cend()));
    set.MoveFirst();
    EXPECT_EQ(set.GetText("Type"), "Unit Procedure");
    EXPECT_EQ(set.GetText("StepName"), "Coupling");
    ASSERT_TRUE(set.OpenSet(SALT_FORMATION, 0, "ALL")); // an open set re-queries with the new step
    EXPECT_EQ(set.GetRecordCount(), 8);
    EXPECT_EQ(set.GetText("UnitProcedureName"), "Salt formation in R-101");
}

TEST_F(TextRecipeSetTest, AnItemTypeWithAnIdGivesThatLineOnly)
{
    const long unitProcedure = firstItemID(COUPLING, "Unit Procedure");
    CTextRecipeSet set;
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
    const QString path = stepPath(COUPLING);
    m_stepDbs.at(COUPLING)->Execute("UPDATE TextRecipe SET ID = 6, RecipeSequenceNumber = 6 WHERE ID = 8");
    CTextRecipeSet set;
    ASSERT_TRUE(set.OpenSet(COUPLING, 6, "Series"));
    ASSERT_EQ(set.GetRecordCount(), 2);
    set.Edit();
    set.SetBool("Hide", true);
    set.Update();
    EXPECT_EQ(count(path, "SELECT count(*) FROM TextRecipe WHERE ID = 6 AND Hide = 1"), 1);
    set.MoveNext();
    set.Delete();
    EXPECT_EQ(count(path, "SELECT count(*) FROM TextRecipe WHERE ID = 6"), 1);
    EXPECT_EQ(count(path, "SELECT Hide FROM TextRecipe WHERE ID = 6"), 1);
}

// ---- the constraint tables: both classes answer the same cases ------------------------------

struct ConstraintApi {
    const char* name;
    QString table, currentColumn, parameterColumn;
    std::function<bool(long step, long current, long parameter, const QString& logic)> remove;
    std::function<bool(long step, long item, const QString& logic, QList<long>& before, QList<long>& after)>
        links;
    std::function<bool(long step, long current, const QString& logic, long parameter, long newCurrent,
                       long newParameter)>
        replace;
    QString notOpenMessage; // shown when the delete finds no database
};

template <typename Set> auto linksOf(bool (Set::*find)(long, long, const QString&))
{
    return [find](long step, long item, const QString& logic, QList<long>& before, QList<long>& after) {
        Set set;
        const bool any = (set.*find)(step, item, logic);
        before = set.GetPredecessorIDs();
        after = set.GetSuccessorIDs();
        return any;
    };
}

ConstraintApi operationApi()
{
    return {"Operation",
            "OperationConditionalLogicParameter",
            "CurrentOperationID",
            "OperationParameterID",
            [](long s, long c, long p, const QString& l) {
                return COperationConditionalLogicParameterSet().DeleteLogic(s, c, p, l);
            },
            linksOf(&COperationConditionalLogicParameterSet::FindLinkedOperations),
            [](long s, long c, const QString& l, long p, long nc, long np) {
                return COperationConditionalLogicParameterSet().ReplaceOperation(s, c, l, p, nc, np);
            },
            "Can't open OperationConditionalLogicParameter Table!"};
}

ConstraintApi unitProcedureApi()
{
    return {"UnitProcedure",
            "UnitProcedureConditionalLogicParameter",
            "CurrentUnitProcedureID",
            "UnitProcedureParameterID",
            [](long s, long c, long p, const QString& l) {
                return CUnitProcedureConditionalLogicParameterSet().DeleteConditionalLogic(s, c, p, l);
            },
            linksOf(&CUnitProcedureConditionalLogicParameterSet::GetRelatedUnitProcedures),
            [](long s, long c, const QString& l, long p, long nc, long np) {
                return CUnitProcedureConditionalLogicParameterSet().UpdateConditionalLogic(s, c, l, p, nc,
                                                                                           np);
            },
            QString()};
}

class ConstraintSetTest : public RecordsetFixture, public ::testing::WithParamInterface<ConstraintApi> {
protected:
    // 20 starts after 10 (twice), 30 after 20, 20 in parallel with 40.
    void SetUp() override
    {
        RecordsetFixture::SetUp();
        const ConstraintApi& api = GetParam();
        const QString insert = QString("INSERT INTO %1 (%2, ConditionalLogic, %3) VALUES (?, ?, ?)")
                                   .arg(api.table, api.currentColumn, api.parameterColumn);
        for (const auto& [current, logic, parameter] : {std::tuple{20, "Starts-After", 10},
                                                        {30, "Starts-After", 20},
                                                        {20, "Starts-Parallel", 40},
                                                        {20, "Starts-After", 10}})
            m_stepDbs.at(COUPLING)->Execute(insert, {current, logic, parameter});
    }

    long rows(const QString& condition) const
    {
        const ConstraintApi& api = GetParam();
        return count(stepPath(COUPLING), QString("SELECT count(*) FROM %1 WHERE %2")
                                             .arg(api.table, QString(condition)
                                                                 .replace("CUR", api.currentColumn)
                                                                 .replace("PAR", api.parameterColumn)));
    }
};

TEST_P(ConstraintSetTest, LinksListWhatAnItemStartsAfterAndWhatStartsAfterIt)
{
    QList<long> before, after;
    EXPECT_TRUE(GetParam().links(COUPLING, 20, "starts-after", before, after));
    EXPECT_EQ(before, QList<long>({10, 10}));
    EXPECT_EQ(after, QList<long>({30}));
    EXPECT_TRUE(GetParam().links(COUPLING, 40, "Starts-Parallel", before, after));
    EXPECT_TRUE(before.isEmpty());
    EXPECT_EQ(after, QList<long>({20}));
    EXPECT_FALSE(GetParam().links(COUPLING, 99, "Starts-After", before, after));
    EXPECT_TRUE(before.isEmpty() && after.isEmpty());
}

TEST_P(ConstraintSetTest, ReplaceEditsTheFirstMatchAndMinusOneKeepsASide)
{
    const auto& replace = GetParam().replace;
    EXPECT_TRUE(replace(COUPLING, 20, "Starts-After", 10, -1, 11));
    EXPECT_EQ(rows("CUR = 20 AND PAR = 11"), 1);
    EXPECT_EQ(rows("CUR = 20 AND PAR = 10"), 1);
    EXPECT_TRUE(replace(COUPLING, 30, "Starts-After", 20, 31, -1));
    EXPECT_EQ(rows("CUR = 31 AND PAR = 20"), 1);
    EXPECT_TRUE(replace(COUPLING, 20, "Starts-Parallel", 40, 21, 41));
    EXPECT_EQ(rows("CUR = 21 AND PAR = 41 AND ConditionalLogic = 'Starts-Parallel'"), 1);
}

TEST_P(ConstraintSetTest, DeleteRemovesEveryMatchingRowAndNothingElse)
{
    EXPECT_TRUE(GetParam().remove(COUPLING, 20, 10, "Starts-After"));
    EXPECT_EQ(rows("CUR = 20 AND PAR = 10"), 0);
    EXPECT_EQ(rows("1"), 2);
    EXPECT_TRUE(GetParam().remove(COUPLING, 20, 10, "Starts-After")); // nothing left to delete
}

TEST_P(ConstraintSetTest, DeleteOnAStepWithoutDatabaseFails)
{
    ScriptedPromptService prompts;
    if (!GetParam().notOpenMessage.isEmpty())
        prompts.expect(IDOK);
    EXPECT_FALSE(GetParam().remove(4711, 20, 10, "Starts-After"));
    EXPECT_EQ(prompts.lastText(), GetParam().notOpenMessage);
    EXPECT_EQ(rows("1"), 4);
}

INSTANTIATE_TEST_SUITE_P(BothTables, ConstraintSetTest, ::testing::Values(operationApi(), unitProcedureApi()),
                         [](const ::testing::TestParamInfo<ConstraintApi>& info) { return info.param.name; });
