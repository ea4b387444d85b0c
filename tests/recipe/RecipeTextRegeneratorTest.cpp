#include "RecipeTextFixture.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "recipe/edit/RecipeTextRegenerator.h"

namespace {
const QString RECIPE_NOT_OPEN = "Can't open TextRecipe Table to retrieve operation id for updating recipe!";

StepSpec stepWithLines(long stepID, int operations)
{
    StepSpec step;
    step.stepID = stepID;
    step.name = QString("Step %1").arg(stepID);
    RecipeLineSpec line;
    line.type = "Unit Procedure";
    line.name = "Vessel";
    if (operations > 0)
        step.lines.append(line);
    line.type = "Operation";
    line.operationTypeID = 4;
    for (int i = 0; i < operations; ++i)
        step.lines.append(line);
    return step;
}

ProjectSpec projectOf(const QList<StepSpec>& steps)
{
    ProjectSpec spec;
    spec.name = "Regenerated";
    spec.steps = steps;
    ProcessSpec process;
    process.processID = 1;
    process.name = "Route";
    for (const StepSpec& step : steps)
        process.stepIDs << step.stepID;
    spec.processes = {process};
    return spec;
}

// The progress of one step: the sum of its SetProgressStep values and how often the bar stepped.
struct StepShare {
    int sum = 0;
    int steps = 0;
};

QList<StepShare> shares(const QStringList& calls)
{
    QList<StepShare> result;
    for (const QString& call : calls) {
        if (call == "ResetStepWiseCache" || call.startsWith("BeginProgress"))
            continue;
        if (call.startsWith("SetProgressStep") && (result.isEmpty() || result.last().sum >= 99))
            result.append(StepShare());
        if (call.startsWith("SetProgressStep"))
            result.last().sum += call.section(' ', 1).toInt();
        else if (call == "StepProgress")
            ++result.last().steps;
    }
    return result;
}
} // namespace

class RecipeTextRegeneratorTest : public RecipeTextFixture {
protected:
    CRecipeTextRegenerator regenerator;
};

// The cache goes first; then every operation row in recipe order, and nothing else.
TEST_F(RecipeTextRegeneratorTest, AStepRegeneratesEachOperationInRecipeOrderAfterOneCacheReset)
{
    OpenDemo();
    for (auto regenerate : {&UpdateRecipeTextOfStep, +[](long id) { return RegenerateStepRecipeText(id); }}) {
        services.clearCalls();
        ServiceInstallations installed;
        installed.Install<RecipeTextRegeneration>(&regenerator);
        ASSERT_TRUE(regenerate(COUPLING_STEP));
        const QStringList expected = QStringList{"ResetStepWiseCache"} + ProcessedOperations(COUPLING_STEP);
        ASSERT_GT(expected.size(), 3);
        EXPECT_EQ(services.calls(), expected);
    }
    EXPECT_TRUE(app.modifiedHistory().isEmpty()) << "a single step leaves the modified flag to its caller";
}

TEST_F(RecipeTextRegeneratorTest, AStepWithoutDatabaseFailsWithItsMessageAndProcessesNothing)
{
    Open(CProjectGenerator::DemoProject(), {1002});
    prompts.expect(IDOK);
    EXPECT_FALSE(UpdateRecipeTextOfStep(1002));
    EXPECT_EQ(prompts.texts(), QStringList{RECIPE_NOT_OPEN});
    EXPECT_TRUE(services.calls().isEmpty());
}

// Each step of the Demo moves the bar by (about) its 100 in one step per recipe row; the cache is
// reset once, the views reloaded and the project marked modified at the end.
TEST_F(RecipeTextRegeneratorTest, AllStepsShowProgressPerRecipeRowThenReloadTheViews)
{
    OpenDemo();
    regenerator.UpdateRecipeTextOfAllSteps();
    const QStringList calls = services.calls();
    ASSERT_GE(calls.size(), 4);
    EXPECT_EQ(calls.first(), "BeginProgress 0 600 Updating recipe text");
    EXPECT_EQ(calls.mid(1, 1), QStringList{"ResetStepWiseCache"});
    EXPECT_EQ(calls.mid(calls.size() - 2), (QStringList{"EndProgress", "ReloadAllRecipeViews"}));
    EXPECT_EQ(calls.filter("ResetStepWiseCache").size(), 1);
    QStringList processed;
    int rows = 0;
    for (long stepID = 1001; stepID <= 1006; ++stepID) {
        processed += ProcessedOperations(stepID);
        rows += int(StepValue(stepID, "SELECT COUNT(*) FROM TextRecipe").toInt());
    }
    EXPECT_EQ(calls.filter("ProcessOperation"), processed);
    EXPECT_EQ(calls.filter("StepProgress").size(), rows);
    const QList<StepShare> perStep = shares(calls);
    ASSERT_EQ(perStep.size(), 6);
    for (const StepShare& share : perStep)
        EXPECT_TRUE(share.sum == 99 || share.sum == 100) << share.sum;
    EXPECT_EQ(app.modifiedHistory(), QList<bool>{true});
}

TEST_F(RecipeTextRegeneratorTest, EmptyProjectsAndEmptyRecipesStillTakeTheirPart)
{
    Open(projectOf({}));
    regenerator.UpdateRecipeTextOfAllSteps();
    EXPECT_EQ(services.calls(), (QStringList{"BeginProgress 0 0 Updating recipe text", "ResetStepWiseCache",
                                             "EndProgress", "ReloadAllRecipeViews"}));
    services.clearCalls();
    app.fileSet().projectDatabase.reset();
    app.stepDatabases().clear();
    Open([] {
        ProjectSpec spec = projectOf({stepWithLines(2001, 0), stepWithLines(2002, 2)});
        spec.name = "Second";
        return spec;
    }());
    regenerator.UpdateRecipeTextOfAllSteps();
    EXPECT_EQ(services.calls().mid(0, 4), (QStringList{"BeginProgress 0 200 Updating recipe text",
                                                       "ResetStepWiseCache", "SetProgressStep 100", "StepProgress"}));
    EXPECT_EQ(services.calls().filter("ProcessOperation"), ProcessedOperations(2002));
}

// A step left out at open is passed over; an unreadable project list ends before any progress.
TEST_F(RecipeTextRegeneratorTest, StepsWithoutDatabaseArePassedOverAndAMissingProjectStops)
{
    Open(CProjectGenerator::DemoProject(), {1003});
    regenerator.UpdateRecipeTextOfAllSteps();
    EXPECT_EQ(services.calls().first(), "BeginProgress 0 500 Updating recipe text");
    EXPECT_TRUE(services.calls().filter(QRegularExpression("^ProcessOperation 1003 ")).isEmpty());
    services.clearCalls();
    app.fileSet().projectDatabase.reset();
    prompts.expect(IDOK);
    regenerator.UpdateRecipeTextOfAllSteps();
    EXPECT_EQ(prompts.texts(), QStringList{"Can't open ProjectStep table to update recipe text!"});
    EXPECT_TRUE(services.calls().isEmpty());
}
