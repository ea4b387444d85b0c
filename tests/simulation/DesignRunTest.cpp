// The Design... command's driver over the generated Demo with a scripted engine: the refusals,
// the dialog's Cancel, a cancel before the run, the fixed list, the engine's arguments and options.

#include "DesignFixture.h"

#include "foundation/common/BusyGuard.h"
#include "foundation/db/schema/ResultsDatabase.h"
#include "foundation/db/schema/SchemaBuilder.h"
#include "foundation/db/project/SimulationOptionsSet.h"
#include "simulation/DesignDlg.h"
#include "simulation/DesignRun.h"
#include "simulation/SimDialog.h"
#include "simulation/SimulationSummary.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

// Fills and confirms the design dialog (or cancels it), and may press Cancel on the progress dialog.
class ScriptedDesignRun : public CDesignRun {
public:
    bool confirm = true;
    bool cancelEarly = false;
    QList<long> fixRows; // indexes into the equipment list to mark fixed
    int dialogs = 0;

protected:
    int ExecDesignDialog(CDesignDlg& dialog) override
    {
        ++dialogs;
        if (!confirm)
            return QDialog::Rejected;
        dialog.findChild<QLineEdit*>("1003")->setText("5000");
        dialog.findChild<QLineEdit*>("1004")->setText("30");
        for (const auto& [id, text] : {std::pair{"1005", "kg"}, std::pair{"1006", "day"},
                                       std::pair{"1179", "Ridgemont Pilot Plant"}}) {
            auto* combo = dialog.findChild<QComboBox*>(id);
            combo->setCurrentIndex(combo->findText(text));
        }
        for (long row : fixRows)
            dialog.fixedFlags[row] = 1;
        dialog.accept();
        return dialog.result();
    }
    std::unique_ptr<CSimDialog> MakeProgressDialog() override
    {
        auto progress = std::make_unique<CSimDialog>();
        if (cancelEarly)
            progress->reject();
        return progress;
    }
};

class DesignRunTest : public DesignFixture {
protected:
    void SetUp() override
    {
        OpenDemo();
        installed.Install<EngineFactory>(&factory);
    }
    void SetOptions(const char* values)
    {
        app.fileSet().projectDatabase->Execute("DELETE FROM SimulationOptions WHERE OptionType = 'DESIGN'");
        if (values)
            app.fileSet().projectDatabase->Execute(QString("INSERT INTO SimulationOptions (ResultsDatabase, "
                                                           "OverFlow, UnderFlow, MaxDesignIterations, "
                                                           "OptionType) VALUES (%1, 'DESIGN')")
                                                       .arg(values));
    }

    DesignEngineFactory factory;
    ScriptedDesignRun run;
};

struct DesignOutcomes : ProgressServices {
    void ShowRunOutcome(const QString& text) override { outcomes << text; }
    QStringList outcomes;
};

} // namespace

TEST_F(DesignRunTest, StepsWithoutUsableBatchResultsAreRefused)
{
    const struct {
        double batch, cycle, max;
        const char* message;
    } cases[] = {
        {1e35, 7200, 3000, "Please do Simulate Batch before Design!"},
        {1200, 7200, 1e35, "Please do Simulate Batch before Design!"},
        {0, 7200, 3000,
         "The Batch Size for the selected step is 0.0.  Please check your Simulate Batch results!"},
        {1200, 0, 3000,
         "The Cycle Time for the selected step is 0.0.  Please check your Simulate Batch results!"},
    };
    for (const auto& c : cases) {
        factory.script.batchKg = c.batch;
        factory.script.cycleSeconds = c.cycle;
        factory.script.maxKg = c.max;
        prompts.expect(IDOK);
        run.DesignStep();
        EXPECT_EQ(prompts.lastText(), c.message);
        EXPECT_EQ(prompts.flags().last(), unsigned(MB_OK | MB_ICONINFORMATION));
    }
    EXPECT_EQ(run.dialogs, 0);
    EXPECT_TRUE(factory.created.isEmpty()) << "every local engine goes";
}

TEST_F(DesignRunTest, OnlyAStepAndItsProcessOutsideTheOtherViewsAreDesigned)
{
    for (int kind :
         {CONTEXT_HTML_VIEW, CONTEXT_CHEMISTRY, CONTEXT_FACILITY_EXPLORER, CONTEXT_PLAN_EXPLORER}) {
        context.kind = kind;
        run.DesignStep();
        EXPECT_FALSE(CDesignRun::AcceptsContext(context)) << kind;
    }
    context.kind = CONTEXT_PROCESS_EXPLORER;
    context.processID = -1;
    run.DesignStep();
    EXPECT_EQ(run.dialogs, 0);
    context.processID = DESIGN_PROCESS;
    EXPECT_TRUE(CDesignRun::AcceptsContext(context));
}

TEST_F(DesignRunTest, CancelInTheDialogRunsNothing)
{
    run.confirm = false;
    run.DesignStep();
    EXPECT_EQ(run.dialogs, 1);
    EXPECT_TRUE(factory.calls.isEmpty());
}

TEST_F(DesignRunTest, ACancelBeforeTheRunEndsOnlyWhenConfirmed)
{
    run.cancelEarly = true;
    prompts.expect(IDYES);
    run.DesignStep();
    EXPECT_EQ(prompts.lastText(), "Are you sure you want to Cancel?");
    EXPECT_TRUE(factory.calls.isEmpty());
    prompts.expect(IDNO);
    prompts.expect(IDOK); // the answer
    run.DesignStep();
    ASSERT_EQ(factory.calls.size(), 2);
    EXPECT_TRUE(factory.calls.last().startsWith("design 1001"));
}

TEST_F(DesignRunTest, TheEngineGetsTheFixedItemsInListOrder)
{
    factory.script.equipment = {102, 999, 101};
    const struct {
        QList<long> rows;
        const char* call;
    } cases[] = {{{}, "design 1001 5000 kg 30 day []"}, {{2, 1}, "design 1001 5000 kg 30 day [999 101]"}};
    for (const auto& c : cases) {
        factory.calls.clear();
        run.fixRows = c.rows;
        prompts.expect(IDOK);
        run.DesignStep();
        EXPECT_EQ(factory.calls, (QStringList{"options 1 1 1 5", c.call}));
    }
    EXPECT_TRUE(factory.created.isEmpty());
}

TEST_F(DesignRunTest, DesignOptionsReadEachFieldAlone)
{
    const struct {
        const char* row;
        const char* options;
    } cases[] = {{nullptr, "options 1 1 1 5"},
                 {"0, 0, 0, NULL", "options 0 0 0 5"},
                 {"1, 0, 1, 0", "options 1 0 1 0"},
                 {"0, 1, 0, 3", "options 0 1 0 3"}};
    for (const auto& c : cases) {
        SetOptions(c.row);
        factory.calls.clear();
        prompts.expect(IDOK);
        run.DesignStep();
        ASSERT_FALSE(factory.calls.isEmpty());
        EXPECT_EQ(factory.calls.first(), c.options) << (c.row ? c.row : "no row");
    }
}

TEST_F(DesignRunTest, TheRunIsBusyAndShowsItsProgress)
{
    bool busy = false;
    QString title;
    factory.script.duringDesign = [&](ISimStatus* status) {
        busy = IsBusy();
        auto* progress = dynamic_cast<CSimDialog*>(status);
        ASSERT_NE(progress, nullptr);
        title = progress->windowTitle();
        EXPECT_EQ(progress->StatusLabel()->text(), "Setting up...");
    };
    prompts.expect(IDOK);
    run.DesignStep();
    // A run that wrote no design rows says so, whatever the end-of-simulation option.
    EXPECT_EQ(prompts.lastText(), "The design of step Coupling (1.0) gave no answer.");
    EXPECT_EQ(prompts.flags().last(), unsigned(MB_OK | MB_ICONINFORMATION));
    EXPECT_TRUE(busy);
    EXPECT_EQ(title, "Tamro Plenthover Design");
    EXPECT_FALSE(IsBusy());
    EXPECT_EQ(StepValue("SELECT count(*) FROM DesignSpecifications").toInt(), 1);
}

// A design that wrote no answer (failed, cancelled, or completed with the results database option
// off) is told as such, never by the answer an earlier design left in the step's results.
TEST_F(DesignRunTest, ADesignThatWroteNoAnswerIsNotToldByAnEarlierOne)
{
    ASSERT_TRUE(
        WriteResultsAtomically(SummaryResultsFile(SummaryKind::Step, DESIGN_STEP), [](CSchemaBuilder& b) {
            return b.Execute("INSERT INTO DesignSummary (StepID, Amount, TimeHorizon, FacilityID, Heuristic, "
                             "NumberOfBatches, BatchSize, ScaleFactor, CycleTime, Iterations, Feasible) "
                             "VALUES (1001, 5000, 2592000, 1, '', 4, 1250, 1.04, 7200, 3, 1)");
        }));
    DesignOutcomes told;
    installed.Install<ProgressServices>(&told);
    const struct {
        int code;
        const char* options; // ResultsDatabase, OverFlow, UnderFlow, MaxDesignIterations
        const char* outcome;
        const char* answer;
    } cases[] = {
        {SIMULATION_FAILED, "1, 1, 1, 5", "Design: step Coupling (1.0) ended without results.",
         "The design of step Coupling (1.0) gave no answer."},
        {SIMULATION_CANCELLED, "1, 1, 1, 5", "Design: step Coupling (1.0) cancelled.",
         "The design of step Coupling (1.0) gave no answer."},
        {SIMULATION_COMPLETED, "1, 1, 1, 5", "Design: step Coupling (1.0) completed; 4 batches",
         "Design of step Coupling (1.0) completed."},
        {SIMULATION_COMPLETED, "0, 1, 1, 5", "Design: step Coupling (1.0) gave no answer.",
         "The design of step Coupling (1.0) gave no answer."},
    };
    for (const auto& c : cases) {
        SetOptions(c.options);
        factory.script.designCode = c.code;
        prompts.expect(IDOK);
        run.DesignStep();
        ASSERT_FALSE(told.outcomes.isEmpty());
        EXPECT_TRUE(told.outcomes.last().startsWith(c.outcome)) << told.outcomes.last().toStdString();
        EXPECT_TRUE(prompts.lastText().startsWith(c.answer)) << prompts.lastText().toStdString();
    }
}
