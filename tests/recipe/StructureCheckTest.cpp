// The block rules of a text recipe: every rule's exact message and icon on a small recipe, nested
// blocks, and the warning of a level whose Start stays open.

#include "RecipeRowsOf.h"
#include "foundation/common/MessageBox.h"
#include "recipe/LevelTransitions.h"
#include "recipe/RecipeTransitionPass.h"
#include "recipe/StructureMessages.h"

#include <gtest/gtest.h>

namespace {

struct CheckCase {
    const char* name;
    const char* recipe;
    QString message; // empty: passes
    unsigned icon = MB_ICONEXCLAMATION;
};

const QList<CheckCase>& checkCases()
{
    static const QList<CheckCase> cases = {
        {"SeriesOperations", "U O O O", ""},
        {"ParallelOperations", "U O SP S O O S O EP O", ""},
        {"AlternativeUnitProcedures", "U O SO S U O S U O EO U O", ""},
        {"NestedBlocks", "U O SP S O SO S O S O EO O S O EP O", ""},
        {"BlockClosesTheUnitProcedure", "U O SP S O S O EP U O", ""},
        {"BlockClosesTheRecipe", "SP S U O S U O EP", ""},
        {"NoRows", "", ""},
        {"StartParallelWithoutSeries", "U O SP O S O EP", START_PARALLEL_NEEDS_SERIES},
        {"StartParallelOnTheLastRow", "U O SP", START_PARALLEL_NEEDS_SERIES},
        {"StartOrWithoutSeries", "U O SO O S O EO", START_OR_NEEDS_SERIES},
        {"ParallelLeftOpen", "U O SP S O S O", UNBALANCED_BLOCKS},
        {"OrLeftOpen", "U O SO S O S O", UNBALANCED_BLOCKS},
        {"ParallelCheckedBeforeOr", "U O SO O SP O", START_PARALLEL_NEEDS_SERIES},
        {"EndWithoutStart", "U O EP O", UNBALANCED_BLOCKS},
        {"UnitProcedureBlockEndedByAnOperation", "SP S U O S U O EP O", PARALLEL_UNIT_PROCEDURES_END},
        {"OrUnitProcedureBlockEndedByAnOperation", "SO S U O S U O EO O", PARALLEL_UNIT_PROCEDURES_END},
        {"OperationBlockHoldingAUnitProcedure", "U O SP S O S U O EP", PARALLEL_OPERATIONS_WITHIN},
        {"SingleSeries", "U O SP S O EP O", SERIES_MISSING},
        {"OuterBlockWithOneBranch", "U O SP S O SP S O S O EP EP", SERIES_MISSING},
        {"SeriesBetweenOperations", "U O O S O", EXCESS_SERIES_AFTER.arg("1.2."), MB_OK},
        {"SeriesAfterABlock", "U O SP S O S O EP S O", EXCESS_SERIES_AFTER.arg("1.3."), MB_OK},
        {"SeriesFirstInALevel", "U S O O", EXCESS_SERIES_BEFORE.arg("1.1."), MB_OK},
        {"SeriesBetweenUnitProcedures", "U O S U O", EXCESS_SERIES_AFTER.arg("1."), MB_OK},
        {"SeriesWithNoLabelAfter", "S", EXCESS_SERIES_BEFORE.arg(""), MB_OK},
        {"StartParallelAfterANonItem", "O SP S U S U EP", IEC_START_PARALLEL},
        {"StartOrAfterANonItem", "O SO S U S U EO", IEC_START_OR},
        {"SeriesBeforeAnEnd", "U O SP S O S EP O", IEC_SERIES},
        {"SeriesBeforeANestedStart", "U O SP S SP S O S O EP S O EP O", IEC_SERIES},
        {"EndParallelBeforeAnEnd", "U O SP S O S O SP S O S O EP EP O", IEC_END_PARALLEL},
        {"EndOrBeforeSeriesOfTheOuterBlock", "U O SP S O SO S O S O EO S O EP O", IEC_END_OR},
        {"EndOrBeforeAnEnd", "U O SP S O S O SO S O S O EO EP O", IEC_END_OR},
        {"FirstFailingLevelWins", "U O S O U O SP S O EP", EXCESS_SERIES_AFTER.arg("1.1."), MB_OK},
    };
    return cases;
}

class StructureCheck : public ::testing::TestWithParam<CheckCase> {};

} // namespace

TEST_P(StructureCheck, AnswersTheFirstFailingRule)
{
    const CheckCase& c = GetParam();
    const StructureCheckResult result = CheckRecipeStructure(RecipeRowsOf(c.recipe));
    EXPECT_EQ(result.passed, c.message.isEmpty());
    EXPECT_EQ(result.message.toStdString(), c.message.toStdString());
    if (!c.message.isEmpty()) {
        EXPECT_EQ(result.icon, c.icon);
    }
    EXPECT_TRUE(result.warnings.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Rules, StructureCheck, ::testing::ValuesIn(checkCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StructureCheckTexts, IecMessagesAreJoinedAsShown)
{
    EXPECT_EQ(
        IEC_START_PARALLEL.toStdString(),
        "Text Recipe has entries not allowed by IEC 1131-3 Standard. Start Parallel keyword must be preceded "
        "by an Operation or Unit Procedure, or it must begin the Unit Procedure");
    EXPECT_EQ(IEC_END_OR.split(u'\n').size(), 3);
}

TEST(LevelTransitionsCheck, AStartLeftOpenWarnsAndThenFailsItsBranches)
{
    long next = 0;
    const Array<RecipeRow> rows = RecipeRowsOf("O SP S O S O"); // the level keeps a reference
    CLevelTransitions level(OPERATION_TYPE, rows, 7, 1, [&next] { return QString::number(++next); });
    Array<TransitionRecord> out;
    StructureCheckResult result;
    EXPECT_FALSE(level.Build(out, result));
    EXPECT_EQ(result.warnings, QStringList{UNBALANCED_BLOCKS});
    EXPECT_EQ(result.message, SERIES_MISSING);
}
