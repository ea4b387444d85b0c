// A step's unit-procedure and operation transitions built from its text recipe and stored.

#include "TransitionFixture.h"

#include "foundation/common/MessageBox.h"
#include "recipe/transitions/TransitionBuilder.h"
#include "recipe/transitions/UnitProcedureTransitionRefresh.h"

#include <QRegularExpression>
#include <QSqlQuery>

namespace {

struct StepCase {
    const char* name;
    const char* recipe;
    QStringList unitProcedures;
    QStringList operations;
};

const QList<StepCase>& stepCases()
{
    static const QList<StepCase> cases = {
        {"Series",
         "U O O U O",
         {"Series START>r1", "Series r1>r4"},
         {"Series START>r2", "Series r2>r3", "Series START>r5"}},
        {"OneOperation", "U O", {"Series START>r1"}, {"Series START>r2"}},
        {"ParallelOfThree",
         "U O SP S O S O O S O EP O",
         {"Series START>r1"},
         {"Series START>r2", "Start Parallel r2>r5", "Start Parallel r2>r7", "Start Parallel r2>r10",
          "Series r7>r8", "End Parallel r5>r12", "End Parallel r8>r12", "End Parallel r10>r12"}},
        {"BlockOpensTheLevel",
         "U SO S O S O EO",
         {"Series START>r1"},
         {"Start Or START>r4", "Start Or START>r6"}},
        {"OperationBlocksBetweenUnitProcedureBlocks",
         "U O O SO S U O SP S O S O EP O S U O O EO U O",
         {"Series START>r1", "Start Or r1>r6", "Start Or r1>r16", "End Or r6>r20", "End Or r16>r20"},
         {"Series START>r2", "Series r2>r3", "Series START>r7", "Start Parallel r7>r10",
          "Start Parallel r7>r12", "End Parallel r10>r14", "End Parallel r12>r14", "Series START>r17",
          "Series r17>r18", "Series START>r21"}},
        {"ParallelUnitProcedures",
         "U O SP S U O S U O EP U O",
         {"Series START>r1", "Start Parallel r1>r5", "Start Parallel r1>r8", "End Parallel r5>r11",
          "End Parallel r8>r11"},
         {"Series START>r2", "Series START>r6", "Series START>r9", "Series START>r12"}},
    };
    return cases;
}

class StepTransitions : public TransitionFixture, public ::testing::WithParamInterface<StepCase> {};

long rowCount(CDaoDatabase& database, const QString& table)
{
    QSqlQuery query = database.Query(QStringLiteral("SELECT COUNT(*) FROM %1").arg(table));
    return query.next() ? long(query.value(0).toLongLong()) : -1;
}

} // namespace

TEST_P(StepTransitions, AreStoredInRecipeOrder)
{
    OpenRecipe(GetParam().recipe);
    Array<TransitionRecord> units, operations;
    ASSERT_TRUE(CTransitionBuilder::BuildStepTransitions(STEP, units, operations, false, "dummy", -1, 1));
    EXPECT_EQ(UnitProcedureTransitions(), GetParam().unitProcedures);
    EXPECT_EQ(OperationTransitions(), GetParam().operations);
    EXPECT_EQ(Describe(operations), GetParam().operations);
    const QRegularExpression hex8("^[0-9A-F]{8}$");
    for (const TransitionRecord& t : operations)
        EXPECT_TRUE(hex8.match(t.TransitionID).hasMatch()) << t.TransitionID.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Recipes, StepTransitions, ::testing::ValuesIn(stepCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TransitionFixture, ParallelBlockSharesOneIdForItsStartsAndOneForItsEnds)
{
    OpenRecipe("U O SP S O S O S O EP O");
    Array<TransitionRecord> units, operations;
    ASSERT_TRUE(CTransitionBuilder::BuildStepTransitions(STEP, units, operations));
    EXPECT_EQ(OperationTransitionIDs("Start Parallel").size(), 1);
    EXPECT_EQ(OperationTransitionIDs("End Parallel").size(), 1);
    EXPECT_NE(OperationTransitionIDs("Start Parallel"), OperationTransitionIDs("End Parallel"));
}

TEST_F(TransitionFixture, AlternativeBlockGivesEveryBranchItsOwnIds)
{
    OpenRecipe("U O SO S O S O S O EO O");
    Array<TransitionRecord> units, operations;
    ASSERT_TRUE(CTransitionBuilder::BuildStepTransitions(STEP, units, operations));
    QStringList ids = OperationTransitionIDs("Start Or") + OperationTransitionIDs("End Or");
    ids.removeDuplicates();
    EXPECT_EQ(ids.size(), 6);
    QStringList all;
    for (const TransitionRecord& t : operations)
        all << t.TransitionID;
    all.removeDuplicates();
    EXPECT_EQ(all.size(), operations.GetSize()) << "every record of this recipe has an id of its own";
}

TEST_F(TransitionFixture, HiddenLinesDropOutAndTheirNeighboursJoin)
{
    OpenRecipe("U O O S O");
    HideLine(3);
    HideLine(4); // a stray Series: hidden, it takes no part in the check
    Array<TransitionRecord> units, operations;
    ASSERT_TRUE(CTransitionBuilder::BuildStepTransitions(STEP, units, operations));
    EXPECT_EQ(OperationTransitions(), QStringList({"Series START>r2", "Series r2>r5"}));
}

TEST_F(TransitionFixture, RunningTwiceReplacesTheRows)
{
    OpenRecipe("U O SP S O S O EP O");
    Array<TransitionRecord> units, operations;
    ASSERT_TRUE(CTransitionBuilder::BuildStepTransitions(STEP, units, operations));
    const QStringList first = OperationTransitions();
    const QStringList firstIDs = OperationTransitionIDs("Start Parallel");
    ASSERT_TRUE(CTransitionBuilder::BuildStepTransitions(STEP, units, operations));
    EXPECT_EQ(OperationTransitions(), first);
    EXPECT_EQ(rowCount(Step(), "UnitProcedureTransition"), 1);
    EXPECT_NE(OperationTransitionIDs("Start Parallel"), firstIDs);
}

TEST_F(TransitionFixture, NoVisibleRowsPassAndEmptyBothTables)
{
    OpenRecipe("U O O");
    Array<TransitionRecord> units, operations;
    ASSERT_TRUE(CTransitionBuilder::BuildStepTransitions(STEP, units, operations));
    Step().Execute("UPDATE TextRecipe SET Hide = 1");
    EXPECT_TRUE(CTransitionBuilder::BuildStepTransitions(STEP, units, operations));
    EXPECT_EQ(rowCount(Step(), "UnitProcedureTransition"), 0);
    EXPECT_EQ(rowCount(Step(), "OperationTransition"), 0);
}

TEST_F(TransitionFixture, UnreadableTextRecipeFailsAndKeepsTheStoredTransitions)
{
    OpenRecipe("U O O");
    Array<TransitionRecord> units, operations;
    ASSERT_TRUE(CTransitionBuilder::BuildStepTransitions(STEP, units, operations));
    const QStringList stored = OperationTransitions();
    Step().Execute("DROP VIEW QryTextRecipe");
    prompts.expect(IDOK);
    EXPECT_FALSE(CTransitionBuilder::BuildStepTransitions(STEP, units, operations));
    EXPECT_EQ(prompts.texts(), QStringList{"Can't open TextRecipe Table to build the transitions!"});
    EXPECT_EQ(OperationTransitions(), stored);
    EXPECT_EQ(rowCount(Step(), "UnitProcedureTransition"), 1);
}

TEST_F(TransitionFixture, FailedCheckShowsOneMessageWritesNoTransitionsAndKeepsEarlierSequenceNumbers)
{
    OpenRecipe("U O O U O S O");
    Array<TransitionRecord> units, operations;
    Step().Execute("UPDATE Operation SET OperationSequenceNumber = NULL, UnitProcedureSequenceNumber = NULL");
    Step().Execute("INSERT INTO OperationTransition (FromOperationID, ToOperationID, TransitionType) "
                   "VALUES (1, 2, 'Series')");
    prompts.expect(IDOK);
    EXPECT_FALSE(CTransitionBuilder::BuildStepTransitions(STEP, units, operations));
    EXPECT_EQ(prompts.texts(),
              QStringList{"Excess series keyword found after operation 2.1. Remove keyword to simulate."});
    EXPECT_EQ(prompts.flags(), QList<unsigned>{MB_OK});
    EXPECT_EQ(rowCount(Step(), "OperationTransition"), 1);
    EXPECT_EQ(rowCount(Step(), "UnitProcedureTransition"), 0);
    QSqlQuery numbers =
        Step().Query("SELECT UnitProcedureSequenceNumber, OperationSequenceNumber FROM Operation "
                     "WHERE OperationTypeID <> 0 ORDER BY OperationID");
    QStringList written;
    while (numbers.next())
        written << numbers.value(0).toString() + "." + numbers.value(1).toString();
    EXPECT_EQ(written, QStringList({"1.1", "1.2", ".", "."}));
}

TEST_F(TransitionFixture, StartItemsComeFromTheirRows)
{
    OpenRecipe("U O");
    Step().Execute("UPDATE UnitProcedure SET UnitProcedureID = 7 WHERE UnitProcedureName = 'START'");
    Step().Execute("UPDATE Operation SET OperationID = 8 WHERE QuorvantaLabel = 'START'");
    Array<TransitionRecord> units, operations;
    ASSERT_TRUE(CTransitionBuilder::BuildStepTransitions(STEP, units, operations));
    ASSERT_EQ(units.GetSize(), 1);
    EXPECT_EQ(units[0].FromID, 7);
    EXPECT_EQ(units[0].OwnerID, STEP);
    ASSERT_EQ(operations.GetSize(), 1);
    EXPECT_EQ(operations[0].FromID, 8);
    EXPECT_EQ(operations[0].OwnerID, Line(1));
}

// The refresh between runs writes what the run's build would and answers the unit procedures whose
// destinations it changed (never built: against recipe order, as the texts went); nothing when
// none changed; the stored rows stay, without a word, while the recipe fails its structure check.
TEST_F(TransitionFixture, TheRefreshBetweenRunsWritesOnlyWhatChanged)
{
    OpenRecipe("U O SO S U O S U O EO U O");
    const auto names = [this](const QSet<long>& ids) {
        QStringList named;
        for (long position = 1; position <= 12; ++position) {
            if (ids.contains(Line(position)))
                named << QString("r%1").arg(position);
        }
        return named;
    };
    EXPECT_EQ(names(RefreshUnitProcedureTransitions(Step(), STEP)), QStringList({"r1", "r5"}));
    const QStringList built = {"Series START>r1", "Start Or r1>r5", "Start Or r1>r8", "End Or r5>r11",
                               "End Or r8>r11"};
    EXPECT_EQ(UnitProcedureTransitions(), built);
    EXPECT_TRUE(RefreshUnitProcedureTransitions(Step(), STEP).isEmpty());
    Step().Execute("UPDATE TextRecipe SET Type = replace(Type, ' Or', ' Parallel') WHERE Type LIKE '% Or'");
    EXPECT_EQ(names(RefreshUnitProcedureTransitions(Step(), STEP)), QStringList({"r1"}));
    Step().Execute("DELETE FROM TextRecipe WHERE Type = 'End Parallel'");
    const QStringList parallel = UnitProcedureTransitions();
    EXPECT_TRUE(RefreshUnitProcedureTransitions(Step(), STEP).isEmpty());
    EXPECT_EQ(UnitProcedureTransitions(), parallel);
    EXPECT_TRUE(prompts.texts().isEmpty());
}

// Between runs the refresh writes the unit-procedure transitions the run's build writes, runs of
// operations and blocks of operations included.
TEST_P(StepTransitions, TheRefreshWritesWhatTheRunsBuildWrites)
{
    OpenRecipe(GetParam().recipe);
    RefreshUnitProcedureTransitions(Step(), STEP);
    EXPECT_EQ(UnitProcedureTransitions(), GetParam().unitProcedures);
}
