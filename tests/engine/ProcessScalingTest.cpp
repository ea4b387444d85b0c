// Process scaling over a generated chain of three steps, with the plan requirement calculator and
// the engine real, the dialogs, progress and prompts scripted.

#include "EngineFixture.h"
#include "ScriptedPrompts.h"

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/SharedDatabases.h"
#include "foundation/db/material/MaterialPropertySet.h"
#include "simulation/ProcessScaleUpDialog.h"
#include "simulation/RecipeScaling.h"
#include "simulation/SimDialog.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QSqlQuery>
#include <functional>

namespace {

constexpr long CHAIN = 3;
constexpr long CHAIN_FIRST = 31, CHAIN_MIDDLE = 32, CHAIN_FINAL = 33, CHAIN_EXTRA = 34;

// Answers the step runs scripted for a step, and no current size for the unsized steps; runs and
// sizes the others.
struct CodedEngineFactory : EngineFactory {
    struct Engine : EngineEntry {
        QHash<long, int> codes;
        QList<long> unsized;
        double getCurrentBatchSizeInKg(long stepID) override
        {
            return unsized.contains(stepID) ? 1e35 : EngineEntry::getCurrentBatchSizeInKg(stepID);
        }
        int simulateBatch(ISimStatus* status, long stepID, const QString& mode) override
        {
            return codes.value(stepID, -1) != -1 ? codes[stepID]
                                                 : EngineEntry::simulateBatch(status, stepID, mode);
        }
        using EngineEntry::simulateBatch;
    };
    EngineEntry* CreateEngineEntry() override
    {
        auto* engine = new Engine;
        engine->codes = codes;
        engine->unsized = unsized;
        return engine;
    }
    QHash<long, int> codes;
    QList<long> unsized;
};

// Cancel is confirmed at the status text cancelAt; the process dialog is filled by answer.
class ScriptedProcessScaling : public CRecipeScaling {
public:
    std::function<void(CProcessScaleUpDialog&)> answer;
    QString cancelAt;
    QStringList dialogs;

protected:
    struct Progress : CSimDialog {
        QString at;
        bool SetStatusText(const QString& text) override
        {
            return CSimDialog::SetStatusText(text) && text != at;
        }
    };
    int RunStepDialog(CScaleUpDialog&) override { return dialogs << "step", QDialog::Rejected; }
    int RunProcessDialog(CProcessScaleUpDialog& dialog) override
    {
        dialogs << "process";
        dialog.OnInitDialog();
        if (answer)
            answer(dialog), dialog.accept();
        return dialog.result();
    }
    std::unique_ptr<CSimDialog> MakeProgressDialog() override
    {
        auto progress = std::make_unique<Progress>();
        progress->at = cancelAt;
        return progress;
    }
};

} // namespace

class ProcessScalingTest : public EngineFixture {
public:
    // FIRST -> MIDDLE -> FINAL (stored batch sizes 100, 50 and 100 kg, each run making 100 kg)
    // and EXTRA, which nothing asks for, last when given; each simulated but the unsimulated ones.
    void OpenChain(bool extraStep = false, bool extraCleans = false)
    {
        ProjectSpec spec;
        spec.name = "ProcessScaling";
        spec.processes = {{CHAIN, "Chain", "1.0", {}, 503, 500, {}}};
        const QList<std::array<long, 4>> steps{{CHAIN_FIRST, 500, 501, 100},
                                               {CHAIN_MIDDLE, 501, 502, 50},
                                               {CHAIN_FINAL, 502, 503, 100},
                                               {CHAIN_EXTRA, 600, 601, 10}};
        for (const auto& [id, in, out, kg] : steps.mid(0, extraStep ? 4 : 3)) {
            StepSpec step = ParallelStepSpec(id);
            std::tie(step.keyInputID, step.keyOutputID, step.batchSize, step.batchSizeMW) =
                std::tuple(in, out, kg, 1.0);
            step.batchSizeUOM = "kg";
            step.cleaning = id == CHAIN_EXTRA && extraCleans;
            spec.steps << step;
            spec.processes[0].stepIDs << id;
        }
        for (long material : {500, 501, 502, 503, 600, 601})
            spec.materials << MaterialSpec{material, QString::number(material), "Liquid", 1.0, {}};
        spec.equipment = {{REACTOR, "R-101", 1, "Reactor", 1000}};
        Open(spec);
        for (const StepSpec& step : spec.steps) {
            WriteParallelTransitions(step.stepID);
            if (!unsimulated.contains(step.stepID)) {
                ASSERT_EQ(EngineEntry().simulateBatch(nullptr, step.stepID), SIMULATION_COMPLETED);
            }
            // A run stores the size it makes; the stored sizes stay as given, so that they differ.
            Edit("UPDATE Step SET BatchSize = ?", {step.batchSize}, step.stepID);
        }
        app.clearModifiedHistory();
    }
    // "ScaleFactor/BatchSize" of each step.
    QStringList Scaled(const QList<long>& steps = {CHAIN_FIRST, CHAIN_MIDDLE, CHAIN_FINAL})
    {
        QStringList sizes;
        for (long step : steps) {
            QSqlQuery row = GetStepDatabase(step)->Query("SELECT ScaleFactor, BatchSize FROM Step");
            sizes << (row.next() ? row.value(0).toString() + "/" + row.value(1).toString() : "");
        }
        return sizes;
    }
    void Scale(ScriptedProcessScaling& scaling, int option, const QString& value, const QString& unit = {})
    {
        scaling.answer = [=](CProcessScaleUpDialog& dialog) {
            dialog.OnSelectOption(option);
            static_cast<QLineEdit*>(dialog.Control(option == 3   ? 1609
                                                   : option == 2 ? 1607
                                                                 : 1170))
                ->setText(value);
            static_cast<QComboBox*>(dialog.Control(option == 3 ? 1610 : 1608))->setCurrentText(unit);
        };
        scaling.ScaleRecipe({CONTEXT_PROCESS_EXPLORER, -1, CHAIN, -1, {}, {}, {}, true}, {});
    }
    bool ProcessSimulated() const
    {
        return QFile::exists(ResultsFilePath(folder, ProcessResultsFileName(CHAIN)));
    }

    QList<long> unsimulated;
    CodedEngineFactory engines;
    ScriptedPromptService prompts;
    using EngineFixture::Edit;

protected:
    void SetUp() override { m_previous = ServiceSlot<EngineFactory>::Set(&engines); }
    void TearDown() override
    {
        ServiceSlot<EngineFactory>::Set(m_previous);
        CMaterialPropertySet::Destroy(); // as the project's close does
        CloseSharedMaterialsDB();
        EXPECT_TRUE(prompts.allAnswersUsed());
    }
    EngineFactory* m_previous = nullptr;
};

// A process node of the Process Explorer opens the process dialog; a step node or a text recipe
// the step's; any other kind nothing.
TEST_F(ProcessScalingTest, TheContextPicksTheDialog)
{
    OpenChain();
    for (int kind = CONTEXT_NONE; kind <= CONTEXT_PLAN_EXPLORER; ++kind) {
        for (bool processNode : {false, true}) {
            ScriptedProcessScaling scaling;
            scaling.ScaleRecipe({kind, CHAIN_FIRST, CHAIN, -1, {}, {}, {}, processNode}, {});
            const bool explorer = kind == CONTEXT_PROCESS_EXPLORER;
            EXPECT_EQ(scaling.dialogs.join(','), explorer && processNode                   ? "process"
                                                 : explorer || kind == CONTEXT_TEXT_RECIPE ? "step"
                                                                                           : "")
                << kind << processNode;
        }
    }
}

// N = 2 scales each step by its amount over the size its run makes, not its stored size (the middle
// step stores 50 kg but makes 100 kg), a Null ScaleFactor counting 1, and simulates the process.
// The operations run on their types' defaults, which the scaling writes scaled, and each step's run
// stores what it makes: 200 kg after N = 2, so 400 kg of product scales every step by 2 again, and
// 300 kg of key raw material (400 kg charged by then) by 3/4.
TEST_F(ProcessScalingTest, EachTargetScalesEveryStep)
{
    OpenChain();
    Edit("UPDATE Step SET ScaleFactor = NULL", {}, CHAIN_FIRST);
    ScriptedProcessScaling scaling;
    Scale(scaling, 4, "2");
    EXPECT_EQ(Scaled(), (QStringList{"2/200", "2/200", "2/200"}));
    EXPECT_TRUE(ProcessSimulated());
    EXPECT_TRUE(app.modifiedHistory().contains(true));
    Scale(scaling, 2, "400", "kg");
    EXPECT_EQ(Scaled(), (QStringList{"4/400", "4/400", "4/400"}));
    Scale(scaling, 3, "300", "kg");
    EXPECT_EQ(Scaled(), (QStringList{"3/300", "3/300", "3/300"}));
    EXPECT_TRUE(prompts.texts().isEmpty()) << prompts.texts().join('\n').toStdString();
}

TEST_F(ProcessScalingTest, DialogChecksEachTargetsInputs)
{
    OpenChain();
    const std::tuple<int, const char*, const char*, const char*> cases[] = {
        {2, "", "kg", "Please enter Final Product Batch Size!"},
        {2, "5", "", "Please select Final Product Batch Size Unit!"},
        {3, "5", "", "Please select Key Raw Material Batch Size Unit!"},
        {4, "0", "", "Please enter positive number of times of the current Process batch size!"},
    };
    for (const auto& [option, value, unit, message] : cases) {
        ScriptedProcessScaling scaling;
        prompts.expect(IDOK);
        Scale(scaling, option, value, unit);
        EXPECT_EQ(prompts.lastText(), message);
        EXPECT_EQ(Scaled(), (QStringList{"1/100", "1/50", "1/100"}));
    }
}

// Each way a run ends part way: the steps handled before stay scaled, the rest untouched, the
// process not simulated, with the message of the end (none for a Cancel).
struct PartWayCase {
    std::function<void(ProcessScalingTest&, ScriptedProcessScaling&)> arrange;
    QStringList scaled;
    QString message;
};

class ProcessScalingPartWayTest : public ProcessScalingTest {
protected:
    void Check(const PartWayCase& c)
    {
        OpenChain();
        ScriptedProcessScaling scaling;
        c.arrange(*this, scaling);
        if (!c.message.isEmpty())
            prompts.expect(IDOK);
        Scale(scaling, 4, "2");
        EXPECT_EQ(Scaled(), c.scaled);
        EXPECT_EQ(prompts.lastText(), c.message);
        EXPECT_FALSE(ProcessSimulated());
        EXPECT_EQ(app.modifiedHistory().contains(true), c.scaled.first().startsWith("2/"));
    }
};

// Neither the engine nor the step row has a size for the first step.
TEST_F(ProcessScalingPartWayTest, NoBatchSize)
{
    Check({[](ProcessScalingTest& t, auto&) {
               t.Edit("UPDATE Step SET BatchSize = NULL", {}, CHAIN_FIRST);
               t.engines.unsized << CHAIN_FIRST;
           },
           {"1/", "1/50", "1/100"},
           "Step Step 31 (1.0) has no batch size. Simulate it, then run the scale-up again."});
}
TEST_F(ProcessScalingPartWayTest, StepRunFails)
{
    Check({[](ProcessScalingTest& t, auto&) { t.engines.codes[CHAIN_MIDDLE] = SIMULATION_FAILED; },
           {"2/200", "2/100", "1/100"}, // the first step's run stores the 200 kg its scaled defaults make
           "The scale-up stopped at step Step 32 (1.0). It and the steps handled before it stay scaled."});
}
TEST_F(ProcessScalingPartWayTest, CancelBeforeTheWrite)
{
    Check({[](auto&, ScriptedProcessScaling& s) { s.cancelAt = "Scaling up Database Records ..."; },
           {"1/100", "1/50", "1/100"},
           {}});
}

// A step nothing asks for must make 0: the run ends there with the five-part text, unless it is a
// cleaning step, which keeps its size.
class ProcessScalingExtraStepTest : public ProcessScalingTest {
protected:
    void Check(bool cleans)
    {
        OpenChain(true, cleans);
        ScriptedProcessScaling scaling;
        if (!cleans)
            prompts.expect(IDOK);
        Scale(scaling, 4, "2");
        // The process run of the cleaning case stores what the cleaning step's run makes.
        EXPECT_EQ(Scaled({CHAIN_FIRST, CHAIN_EXTRA}), (QStringList{"2/200", cleans ? "1/100" : "1/10"}));
        EXPECT_EQ(ProcessSimulated(), cleans);
        EXPECT_EQ(
            prompts.lastText().section('.', 0, 0),
            cleans
                ? ""
                : "The process scale-up algorithm indicates that one of the Steps should be scaled to zero");
    }
};

TEST_F(ProcessScalingExtraStepTest, EndsTheRun)
{
    Check(false);
}
TEST_F(ProcessScalingExtraStepTest, KeepsACleaningStepsSize)
{
    Check(true);
}

// Before the dialog: a final step (or first, for the key raw material) the engine has no size for
// is named; a process or step the calculator cannot find is told by it alone, once. Nothing is
// written either way.
struct BeforeTheDialogCase {
    QList<long> unsimulated;
    long processID;
    QString message;
    std::function<void(ProcessScalingTest&)> edit = {};
};

class ProcessScalingBeforeTheDialogTest : public ProcessScalingTest {
protected:
    void Check(const BeforeTheDialogCase& c)
    {
        unsimulated = c.unsimulated;
        OpenChain();
        if (c.edit)
            c.edit(*this);
        const QStringList before = Scaled();
        ScriptedProcessScaling scaling;
        scaling.answer = [](CProcessScaleUpDialog&) { ADD_FAILURE() << "no dialog expected"; };
        prompts.expect(IDOK);
        scaling.ScaleRecipe({CONTEXT_PROCESS_EXPLORER, -1, c.processID, -1, {}, {}, {}, true}, {});
        EXPECT_EQ(prompts.texts().join(u'\n'), c.message); // one message
        EXPECT_TRUE(scaling.dialogs.isEmpty());
        EXPECT_EQ(Scaled(), before);
        EXPECT_FALSE(ProcessSimulated());
        EXPECT_FALSE(app.modifiedHistory().contains(true));
    }
};

TEST_F(ProcessScalingBeforeTheDialogTest, AnUnsizedFinalStepIsToldBeforeTheDialog)
{
    Check({{CHAIN_FINAL},
           CHAIN,
           "Step Step 33 (1.0) has no batch size. Simulate it, then run the scale-up again."});
}
TEST_F(ProcessScalingBeforeTheDialogTest, AnUnsizedFirstStepIsToldForTheKeyRawMaterial)
{
    Check({{CHAIN_FIRST},
           CHAIN,
           "Step Step 31 (1.0) has no batch size. Simulate it, then run the scale-up again."});
}
TEST_F(ProcessScalingBeforeTheDialogTest, AProcessThatIsNotThereGivesOneMessage)
{
    Check({{}, CHAIN + 100, "Could not fnd process in Database!"});
}
TEST_F(ProcessScalingBeforeTheDialogTest, AStepWithoutItsRowGivesOneMessage)
{
    Check({{}, CHAIN, "Step table is empty!", [](ProcessScalingTest& t) {
               t.Edit("DELETE FROM Step", {}, CHAIN_MIDDLE);
           }});
}
