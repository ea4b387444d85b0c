// The batch run with the real engine stand-in on the Demo project: each mode completes and writes
// the results; a breakpoint pauses and the recipe view selects the stopped line; continuing and
// single operations walk on; stop and reset clears the pause; Quick Results follow the results.

#include "BatchSimulationFixture.h"

#include "foundation/db/connection/DaoDatabase.h"
#include "modules/quickresults/QuickResultsView.h"
#include "recipe/view/QuorvantaView.h"
#include "recipe/view/RecipeButton.h"
#include "results/RecipeMarks.h"
#include "simulation/QuickResultsRefresh.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTableWidget>

namespace {

class BatchDemoTest : public BatchSimulationFixture {
protected:
    BatchDemoTest()
    {
        OpenDemo();
        frame.engine = &engine;
    }
    void SetBreakpoint(long sequence)
    {
        ExecuteStep("UPDATE TextRecipe SET Breakpoint = 1 WHERE RecipeSequenceNumber = ?", {qlonglong(sequence)});
    }

    EngineEntry engine;
    CBatchSimulation batch;
};

// The lines in sight that carry the paused run's arrow, as the view paints them: the arrow's
// yellow fills the left margin at the line's top.
QList<int> LinesDrawnStopped(CQUORVANTAView& view)
{
    const QImage image = view.viewport()->grab().toImage();
    const QColor arrowFill(255, 220, 0);
    QList<int> marked;
    for (int i = 0; i < view.LineCount(); ++i) {
        const QPoint inArrow(4 - view.horzPos(), view.Line(i)->m_top + view.scrollOffsetY() + 6);
        if (image.rect().contains(inArrow) && image.pixelColor(inArrow) == arrowFill)
            marked << i;
    }
    return marked;
}

struct ModeCase {
    const char* name;
    int mode;
};

class BatchModeTest : public BatchDemoTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(BatchModeTest, EachModeCompletesAndWritesTheResults)
{
    const QList<std::pair<long, long>> lines = OperationLines();
    ASSERT_GE(lines.size(), 3);
    const int mode = GetParam().mode;
    if (mode != BATCH_WHOLE) // a part of the batch runs after the state before it
        batch.SimulateBatch(BATCH_WHOLE, -1, -1, BATCH_CALLER_USER);
    const long from = mode == BATCH_RANGE ? lines.at(0).first : lines.at(1).first;
    const long to = mode == BATCH_RANGE ? lines.at(2).first : from;
    batch.SimulateBatch(mode, from, to, BATCH_CALLER_USER);
    EXPECT_EQ(batch.LastEngineCode(), SIMULATION_COMPLETED);
    EXPECT_TRUE(ResultsExist());
    EXPECT_FALSE(CBatchSimulation::IsStepPaused(DEMO_COUPLING));
    EXPECT_TRUE(frame.timerRunning);
}

INSTANTIATE_TEST_SUITE_P(Modes, BatchModeTest,
                         ::testing::Values(ModeCase{"Whole", BATCH_WHOLE}, ModeCase{"CurrentOperation", BATCH_CURRENT_OPERATION},
                                           ModeCase{"Range", BATCH_RANGE}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(BatchDemoTest, ABreakpointPausesMarksTheLineAndContinueFinishes)
{
    const QList<std::pair<long, long>> lines = OperationLines();
    const long pauseAt = lines.at(2).second;
    SetBreakpoint(pauseAt);
    CQUORVANTAView& view = OpenRecipeView();
    batch.SimulateBatch(BATCH_WHOLE, -1, -1, BATCH_CALLER_USER);
    EXPECT_EQ(batch.LastEngineCode(), SIMULATION_PAUSED);
    EXPECT_EQ(StoppedRecipeLine(DEMO_COUPLING), pauseAt);
    EXPECT_EQ(view.GetFirstSelectedIndex(), int(pauseAt - 2));
    EXPECT_EQ(LinesDrawnStopped(view), QList<int>{int(pauseAt - 1)});
    ASSERT_NE(batch.ProgressDialog(), nullptr);
    EXPECT_FALSE(batch.ProgressDialog()->isVisible());
    EXPECT_TRUE(frame.timerRunning);

    batch.SimulateToNextBreakpoint();
    EXPECT_EQ(batch.LastEngineCode(), SIMULATION_COMPLETED);
    EXPECT_EQ(StoppedRecipeLine(DEMO_COUPLING), 0);
    EXPECT_TRUE(ResultsExist());
    EXPECT_TRUE(LinesDrawnStopped(view).isEmpty());
}

TEST_F(BatchDemoTest, NextOperationWalksTheScheduleToTheEnd)
{
    SetBreakpoint(OperationLines().at(0).second);
    CQUORVANTAView& view = OpenRecipeView();
    view.resize(640, 4000); // every line in sight
    batch.SimulateBatch(BATCH_WHOLE, -1, -1, BATCH_CALLER_USER);
    ASSERT_EQ(batch.LastEngineCode(), SIMULATION_PAUSED);
    QList<long> stops = {StoppedRecipeLine(DEMO_COUPLING)};
    for (int guard = 0; guard < 50 && batch.LastEngineCode() == SIMULATION_PAUSED; ++guard) {
        EXPECT_EQ(LinesDrawnStopped(view), QList<int>{int(stops.last() - 1)});
        batch.SimulateNextOperation();
        stops << StoppedRecipeLine(DEMO_COUPLING);
    }
    EXPECT_TRUE(LinesDrawnStopped(view).isEmpty());
    EXPECT_EQ(batch.LastEngineCode(), SIMULATION_COMPLETED);
    EXPECT_EQ(stops.last(), 0);
    EXPECT_GT(stops.size(), 3);
    for (int i = 1; i + 1 < stops.size(); ++i)
        EXPECT_GT(stops.at(i), stops.at(i - 1)) << i;
}

TEST_F(BatchDemoTest, StopAndResetClearsThePause)
{
    SetBreakpoint(OperationLines().at(1).second);
    CQUORVANTAView& view = OpenRecipeView();
    batch.SimulateBatch(BATCH_WHOLE, -1, -1, BATCH_CALLER_USER);
    ASSERT_TRUE(CBatchSimulation::IsStepPaused(DEMO_COUPLING));
    batch.StopAndResetSimulation();
    EXPECT_FALSE(CBatchSimulation::IsStepPaused(DEMO_COUPLING));
    EXPECT_EQ(view.GetFirstSelectedIndex(), 0);
    EXPECT_TRUE(LinesDrawnStopped(view).isEmpty());
    EXPECT_EQ(batch.ProgressDialog(), nullptr);
}

TEST_F(BatchDemoTest, QuickResultsListTheOperationAndCloseWhenItsResultsAreGone)
{
    batch.SimulateBatch(BATCH_WHOLE, -1, -1, BATCH_CALLER_USER);
    const long operationID = OperationLines().at(0).first;
    ShowQuickResults(DEMO_COUPLING, operationID); // not installed: nothing opens
    auto* view = new CQuickResultsView;
    ASSERT_TRUE(view->showResults(DEMO_COUPLING, operationID));
    frame.AddDocTab(view, DocumentKind::QuickResults, DEMO_COUPLING, "Quick Results");
    EXPECT_GE(view->table()->rowCount(), 1);
    EXPECT_FALSE(view->table()->item(0, 3)->text().isEmpty()); // the equipment

    batch.SimulateBatch(BATCH_WHOLE, -1, -1, BATCH_CALLER_USER); // the operation keeps its results
    EXPECT_EQ(frame.FindDocument(DocumentKind::QuickResults, DEMO_COUPLING), view);

    ASSERT_TRUE(QFile::remove(folder + StepResultsFileName(DEMO_COUPLING)));
    ScriptedEngine quiet; // completes without writing results
    frame.engine = &quiet;
    batch.SimulateBatch(BATCH_WHOLE, -1, -1, BATCH_CALLER_USER);
    EXPECT_EQ(frame.FindDocument(DocumentKind::QuickResults, DEMO_COUPLING), nullptr);
}

// Results of another schema (a column renamed) are none to Quick Results: the user is told once
// why, then as without results; the file stays.
TEST_F(BatchDemoTest, QuickResultsOfAResultsFileOfAnotherSchemaAreNone)
{
    batch.SimulateBatch(BATCH_WHOLE, -1, -1, BATCH_CALLER_USER);
    const QString results = folder + StepResultsFileName(DEMO_COUPLING);
    {
        CDaoDatabase database;
        database.Open(results, DatabaseRole::ReadWrite);
        database.Execute("ALTER TABLE SimulationRemark RENAME COLUMN RemarkText TO Remark");
        database.Close();
    }
    const qint64 size = QFileInfo(results).size();
    const long operationID = OperationLines().at(0).first;
    prompts.expect(IDOK);
    prompts.expect(IDOK);
    ShowQuickResultsWindow(DEMO_COUPLING, operationID);
    EXPECT_EQ(
        prompts.texts(),
        QStringList(
            {"The results of step Coupling (1.0) cannot be read: the table SimulationRemark has no column "
             "RemarkText. Run the simulation again.",
             "There are no results for the selected Operation."}));
    CQuickResultsView view;
    EXPECT_FALSE(view.showResults(DEMO_COUPLING, operationID));
    EXPECT_EQ(prompts.texts().size(), 2) << "told once";
    EXPECT_EQ(QFileInfo(results).size(), size);
}

} // namespace
