// The block rules of a text recipe: every rule's exact message and icon on a small recipe, nested
// blocks, and the warning of a level whose Start stays open.

#include "RecipeRowsOf.h"
#include "foundation/common/MessageBox.h"
#include "recipe/transitions/LevelTransitions.h"
#include "recipe/transitions/RecipeTransitionPass.h"
#include "recipe/transitions/StructureMessages.h"

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
    const QString parallelNeedsSeries = "Start Parallel keyword must be followed by a Series keyword";
    const QString unbalanced = "Unbalanced Start and End in Text Recipe";
    const QString seriesMissing = "Some Series statements are missing";
    const QString unitProceduresEnd =
        "When using parallel Unit Procedures, the End Parallel must end a Unit Procedure";
    const QString seriesAfter = "Excess series keyword found after operation %1 Remove keyword to simulate.";
    const QString seriesBefore =
        "Excess series keyword found before operation %1 Remove keyword to simulate.";
    const QString notIec = "Text Recipe has entries not allowed by IEC 1131-3 Standard. ";
    const QString iecSeries = notIec + "Series keyword must be followed by an Operation or Unit Procedure";
    const QString iecEndOr =
        "Text Recipe has entries not allowed by IEC 1131-3 Standard.\nEnd Or keyword must be "
        "followed by either an Operation or a Unit Procedure, \nor it must end the Unit Procedure";
    static const QList<CheckCase> cases = {
        {"SeriesOperations", "U O O O", ""},
        {"ParallelOperations", "U O SP S O O S O EP O", ""},
        {"AlternativeUnitProcedures", "U O SO S U O S U O EO U O", ""},
        {"NestedBlocks", "U O SP S O SO S O S O EO O S O EP O", ""},
        {"BlockClosesTheUnitProcedure", "U O SP S O S O EP U O", ""},
        {"BlockClosesTheRecipe", "SP S U O S U O EP", ""},
        {"NoRows", "", ""},
        {"StartParallelWithoutSeries", "U O SP O S O EP", parallelNeedsSeries},
        {"StartParallelOnTheLastRow", "U O SP", parallelNeedsSeries},
        {"StartOrWithoutSeries", "U O SO O S O EO", "Start Or keyword must be followed by a Series keyword"},
        {"ParallelLeftOpen", "U O SP S O S O", unbalanced},
        {"OrLeftOpen", "U O SO S O S O", unbalanced},
        {"ParallelCheckedBeforeOr", "U O SO O SP O", parallelNeedsSeries},
        {"EndWithoutStart", "U O EP O", unbalanced},
        {"UnitProcedureBlockEndedByAnOperation", "SP S U O S U O EP O", unitProceduresEnd},
        {"OrUnitProcedureBlockEndedByAnOperation", "SO S U O S U O EO O", unitProceduresEnd},
        {"OperationBlockHoldingAUnitProcedure", "U O SP S O S U O EP",
         "When using parallel Operations, the Start and End Parallel must be within one Unit Procedure"},
        {"SingleSeries", "U O SP S O EP O", seriesMissing},
        {"OuterBlockWithOneBranch", "U O SP S O SP S O S O EP EP", seriesMissing},
        {"SeriesBetweenOperations", "U O O S O", seriesAfter.arg("1.2."), MB_OK},
        {"SeriesAfterABlock", "U O SP S O S O EP S O", seriesAfter.arg("1.3."), MB_OK},
        {"SeriesFirstInALevel", "U S O O", seriesBefore.arg("1.1."), MB_OK},
        {"SeriesBetweenUnitProcedures", "U O S U O", seriesAfter.arg("1."), MB_OK},
        {"SeriesWithNoLabelAfter", "S", seriesBefore.arg(""), MB_OK},
        {"StartParallelAfterANonItem", "O SP S U S U EP",
         notIec +
             "Start Parallel keyword must be preceded by an Operation or Unit Procedure, or it must begin "
             "the Unit Procedure"},
        {"StartOrAfterANonItem", "O SO S U S U EO",
         notIec + "Start Or keyword must be preceded by an Operation or Unit Procedure, or it must begin the "
                  "Unit Procedure"},
        {"SeriesBeforeAnEnd", "U O SP S O S EP O", iecSeries},
        {"SeriesBeforeANestedStart", "U O SP S SP S O S O EP S O EP O", iecSeries},
        {"EndParallelBeforeAnEnd", "U O SP S O S O SP S O S O EP EP O",
         notIec +
             "End Parallel keyword must be followed by either an Operation or a Unit Procedure, or it must "
             "end the Unit Procedure"},
        {"EndOrBeforeSeriesOfTheOuterBlock", "U O SP S O SO S O S O EO S O EP O", iecEndOr},
        {"EndOrBeforeAnEnd", "U O SP S O S O SO S O S O EO EP O", iecEndOr},
        {"FirstFailingLevelWins", "U O S O U O SP S O EP", seriesAfter.arg("1.1."), MB_OK},
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
    EXPECT_EQ(result.warnings, QStringList{"Unbalanced Start and End in Text Recipe"});
    EXPECT_EQ(result.message, "Some Series statements are missing");
}
