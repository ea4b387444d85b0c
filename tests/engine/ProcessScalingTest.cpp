// Process scaling over a generated three-step chain (one charge each), the plan requirement
// calculator and the engine real, the dialogs and prompts scripted.

#include "EngineFixture.h"
#include "ScriptedPrompts.h"

#include "foundation/common/AppContext.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/SubsystemConcerns.h"
#include "foundation/db/SharedDatabases.h"
#include "foundation/db/material/MaterialPropertySet.h"
#include "simulation/ProcessScaleUpDialog.h"
#include "simulation/RecipeScaling.h"
#include "simulation/ScaleUpDialog.h"
#include "simulation/SimDialog.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QSqlQuery>
#include <functional>

namespace {

constexpr long CHAIN = 3;
constexpr long CHAIN_FIRST = 31, CHAIN_MIDDLE = 32, CHAIN_FINAL = 33, CHAIN_EXTRA = 34;

StepSpec ChargeStep(long id, long in, long out, double kg)
{
    RecipeLineSpec charge = OperationLine(4);
    charge.parameters = {{OperationField::Amount, kg, "kg"}};
    StepSpec step;
    step.stepID = id;
    step.name = QStringLiteral("Step %1").arg(id);
    step.version = "1.0";
    step.keyInputID = in;
    step.keyOutputID = out;
    step.batchSize = kg;
    step.batchSizeUOM = "kg";
    step.batchSizeMW = 1.0;
    step.lines = {UnitLine("Reactor", REACTOR), charge};
    return step;
}

// Answers each step run by the code scripted for the step, else runs it.
class CodedEngine : public EngineEntry {
public:
    explicit CodedEngine(const QHash<long, int>& codes) : m_codes(codes) {}
    int simulateBatch(ISimStatus* status, long stepID, const QString& mode) override
    {
        return m_codes.contains(stepID) ? m_codes[stepID] : EngineEntry::simulateBatch(status, stepID, mode);
    }
    using EngineEntry::simulateBatch;

private:
    QHash<long, int> m_codes;
};

struct CodedEngineFactory : EngineFactory {
    EngineEntry* CreateEngineEntry() override { return new CodedEngine(codes); }
    QHash<long, int> codes;
};

// A progress dialog whose Cancel is confirmed at the status text named.
class CancellingProgress : public CSimDialog {
public:
    explicit CancellingProgress(QString at) : m_at(std::move(at)) {}
    bool SetStatusText(const QString& text) override { return CSimDialog::SetStatusText(text) && text != m_at; }

private:
    QString m_at;
};

class ScriptedProcessScaling : public CRecipeScaling {
public:
    std::function<void(CProcessScaleUpDialog&)> answer;
    QString cancelAt;
    QStringList dialogs;

protected:
    int RunStepDialog(CScaleUpDialog&) override { return dialogs << "step", QDialog::Rejected; }
    int RunProcessDialog(CProcessScaleUpDialog& dialog) override
    {
        dialogs << "process";
        dialog.OnInitDialog();
        if (!answer)
            return QDialog::Rejected;
        answer(dialog);
        dialog.accept();
        return dialog.result();
    }
    std::unique_ptr<CSimDialog> MakeProgressDialog() override { return std::make_unique<CancellingProgress>(cancelAt); }
};

} // namespace

class ProcessScalingTest : public EngineFixture {
protected:
    void SetUp() override { previousFactory = ServiceSlot<EngineFactory>::Set(&engines); }
    void TearDown() override
    {
        ServiceSlot<EngineFactory>::Set(previousFactory);
        CMaterialPropertySet::Destroy();
        CloseSharedMaterialsDB();
        EXPECT_TRUE(prompts.allAnswersUsed());
    }
    // CHAIN_FIRST (100 kg) -> CHAIN_MIDDLE (50 kg) -> CHAIN_FINAL (100 kg, making the final
    // product 503), each simulated; CHAIN_EXTRA (a step nothing asks for) last when given.
    void OpenChain(bool withUnreachedStep = false, bool unreachedIsCleaning = false)
    {
        ProjectSpec spec;
        spec.name = "ProcessScaling";
        spec.plantName = "Plant";
        spec.steps = {ChargeStep(CHAIN_FIRST, 500, 501, 100), ChargeStep(CHAIN_MIDDLE, 501, 502, 50), ChargeStep(CHAIN_FINAL, 502, 503, 100)};
        if (withUnreachedStep) {
            spec.steps << ChargeStep(CHAIN_EXTRA, 600, 601, 10);
            spec.steps.last().cleaning = unreachedIsCleaning;
        }
        ProcessSpec process{CHAIN, "Chain", "1.0", {}, 503, 500, {}};
        for (const StepSpec& step : spec.steps)
            process.stepIDs << step.stepID;
        for (long material : {500, 501, 502, 503, 600, 601})
            spec.materials << MaterialSpec{material, QStringLiteral("M%1").arg(material), "Liquid", 1.0, {}};
        spec.processes = {process};
        spec.equipment = {{REACTOR, "R-101", 1, "Reactor", 100000}};
        OpenKeepingParameters(spec);
        EngineEntry engine;
        for (const StepSpec& step : spec.steps) {
            WriteUnitProcedureTransitions(step.stepID, {{"Series", 1, Line(1, step.stepID), "A1"}});
            WriteOperationTransitions(step.stepID, Line(1, step.stepID), {{"Series", 1, Line(2, step.stepID), "B1"}});
            ASSERT_EQ(engine.simulateBatch(nullptr, step.stepID), SIMULATION_COMPLETED);
        }
    }
    void OpenKeepingParameters(const ProjectSpec& spec)
    {
        folder = app.root() + "project/";
        CProjectGenerator generator;
        ASSERT_TRUE(generator.Write(spec, folder)) << generator.ErrorText().toStdString();
        ProjectFileSet& files = app.fileSet();
        files.projectDir = folder;
        files.equipmentDBPath = folder + spec.name + ".eqm";
        files.materialsDBPath = folder + spec.name + ".mtl";
        files.projectDatabase = std::make_unique<CDaoDatabase>();
        files.projectDatabase->Open(folder + spec.name + ".prj", DatabaseRole::ReadWrite);
        CloseSharedEquipmentDB();
        CloseSharedMaterialsDB();
        for (const StepSpec& step : spec.steps) {
            const QString path = folder + CProjectGenerator::StepFileName(step.stepID);
            auto database = std::make_unique<CDaoDatabase>();
            database->Open(path, DatabaseRole::ReadWrite);
            app.stepDatabases().add(step.stepID, std::move(database), path);
        }
    }
    // "ScaleFactor/BatchSize" of each step, a Null ScaleFactor as "-".
    QStringList Scaled(const QList<long>& steps = {CHAIN_FIRST, CHAIN_MIDDLE, CHAIN_FINAL})
    {
        QStringList sizes;
        for (long step : steps) {
            QSqlQuery row = GetStepDatabase(step)->Query("SELECT ScaleFactor, BatchSize FROM Step");
            row.next();
            sizes << (row.value(0).isNull() ? QString("-") : QString::number(row.value(0).toDouble())) + "/" +
                         QString::number(row.value(1).toDouble());
        }
        return sizes;
    }
    void ScaleByN(double n, ScriptedProcessScaling& scaling)
    {
        scaling.answer = [n](CProcessScaleUpDialog& dialog) {
            dialog.OnSelectOption(CProcessScaleUpDialog::N_TIMES);
            static_cast<QLineEdit*>(dialog.Control(1170))->setText(QString::number(n));
        };
        scaling.ScaleRecipe({CONTEXT_PROCESS_EXPLORER, CHAIN_FIRST, CHAIN, -1, {}, {}, {}, true}, {});
    }

public:
    CodedEngineFactory engines;
    using EngineFixture::Edit;

protected:
    EngineFactory* previousFactory = nullptr;
    ScriptedPromptService prompts;
};

// Only a process node of the Process Explorer opens the process dialog; a step node, or a text
// recipe, opens the step's; every other kind opens nothing.
TEST_F(ProcessScalingTest, TheContextPicksTheDialog)
{
    OpenChain();
    for (int kind = CONTEXT_NONE; kind <= CONTEXT_PLAN_EXPLORER; ++kind) {
        for (bool processNode : {false, true}) {
            ScriptedProcessScaling scaling;
            scaling.ScaleRecipe({kind, CHAIN_FIRST, CHAIN, -1, {}, {}, {}, processNode}, {});
            const QString expected = kind == CONTEXT_TEXT_RECIPE || (kind == CONTEXT_PROCESS_EXPLORER && !processNode)
                                         ? "step"
                                         : kind == CONTEXT_PROCESS_EXPLORER ? "process" : "";
            EXPECT_EQ(scaling.dialogs.join(','), expected) << kind << processNode;
        }
    }
}

// N = 2 doubles every step (a Null ScaleFactor counts 1), simulates the process and marks the
// project modified; a second time leaves 4 times the first factor.
TEST_F(ProcessScalingTest, TwiceByTwoIsFourAndTheProcessIsSimulated)
{
    OpenChain();
    Edit("UPDATE Step SET ScaleFactor = NULL", {}, CHAIN_FIRST);
    ScriptedProcessScaling scaling;
    ScaleByN(2, scaling);
    EXPECT_EQ(Scaled(), (QStringList{"2/200", "4/200", "2/200"}));
    EXPECT_TRUE(QFile::exists(ResultsFilePath(folder, ProcessResultsFileName(CHAIN))));
    EXPECT_TRUE(app.modifiedHistory().contains(true));
    EXPECT_DOUBLE_EQ(EngineEntry().getCurrentBatchSizeInKg(CHAIN_FINAL), 200);
    ScaleByN(2, scaling);
    EXPECT_EQ(Scaled(), (QStringList{"4/400", "8/400", "4/400"}));
    EXPECT_TRUE(prompts.texts().isEmpty()) << prompts.texts().join('\n').toStdString();
}

// 300 kg of the key raw material (1 kmole of it per kmole of product, molecular weight 1) makes
// 300 kg of final product.
TEST_F(ProcessScalingTest, KeyRawMaterialTargetScalesThroughTheFirstStep)
{
    OpenChain();
    ScriptedProcessScaling scaling;
    scaling.answer = [](CProcessScaleUpDialog& dialog) {
        dialog.OnSelectOption(CProcessScaleUpDialog::KEY_RAW_MATERIAL);
        static_cast<QLineEdit*>(dialog.Control(1609))->setText("300");
        static_cast<QComboBox*>(dialog.Control(1610))->setCurrentText("kg");
    };
    scaling.ScaleRecipe({CONTEXT_PROCESS_EXPLORER, -1, CHAIN, -1, {}, {}, {}, true}, {});
    EXPECT_EQ(Scaled(), (QStringList{"3/300", "6/300", "3/300"}));
}

TEST_F(ProcessScalingTest, DialogChecksEachTargetsInputs)
{
    OpenChain();
    struct Case {
        int option, edit;
        const char* value;
        bool unit;
        const char* message;
    };
    const Case cases[] = {
        {2, 1607, "", true, "Please enter Final Product Batch Size!"},
        {2, 1607, "-1", true, "Please enter positive Final Product Batch Size!"},
        {2, 1607, "5", false, "Please select Final Product Batch Size Unit!"},
        {3, 1609, "0", true, "Please enter positive Key Raw Material Batch Size!"},
        {3, 1609, "5", false, "Please select Key Raw Material Batch Size Unit!"},
        {4, 1170, "", false, "Please enter number of times of the current Process batch size!"},
        {4, 1170, "0", false, "Please enter positive number of times of the current Process batch size!"},
    };
    for (const Case& c : cases) {
        CProcessScaleUpDialog dialog(CHAIN);
        dialog.SetSizes({100, 100, 100});
        dialog.OnInitDialog();
        dialog.OnSelectOption(c.option);
        static_cast<QLineEdit*>(dialog.Control(c.edit))->setText(c.value);
        if (c.unit)
            static_cast<QComboBox*>(dialog.Control(c.edit + 1))->setCurrentText("kg");
        prompts.expect(IDOK);
        dialog.accept();
        EXPECT_EQ(prompts.lastText(), c.message);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
}

// Each way a run ends part way: the steps handled before stay scaled, the rest untouched, the
// process not simulated, with the message of the end (none for a Cancel).
struct PartWayCase {
    const char* name;
    std::function<void(ProcessScalingTest&, ScriptedProcessScaling&)> arrange;
    QStringList scaled;
    QString message;
};

class ProcessScalingPartWayTest : public ProcessScalingTest {
protected:
    void Check(const PartWayCase& c);
};

const PartWayCase PART_WAY_CASES[] = {
    {"NoBatchSize", [](ProcessScalingTest& t, ScriptedProcessScaling&) { t.Edit("UPDATE Step SET BatchSize = NULL", {}, CHAIN_FIRST); },
     {"1/0", "1/50", "1/100"}, "Step Step 31 (1.0) has no batch size. Simulate it, then run the scale-up again."},
    {"StepRunFails", [](ProcessScalingTest& t, ScriptedProcessScaling&) { t.engines.codes[CHAIN_MIDDLE] = SIMULATION_FAILED; },
     {"2/200", "4/200", "1/100"},
     "The scale-up stopped at step Step 32 (1.0). It and the steps handled before it stay scaled."},
    {"StepRunCancelled", [](ProcessScalingTest& t, ScriptedProcessScaling&) { t.engines.codes[CHAIN_MIDDLE] = SIMULATION_CANCELLED; },
     {"2/200", "4/200", "1/100"}, ""},
    {"CancelBeforeTheWrite",
     [](ProcessScalingTest&, ScriptedProcessScaling& s) { s.cancelAt = "Scaling up Database Records ..."; },
     {"1/100", "1/50", "1/100"}, ""},
};

void ProcessScalingPartWayTest::Check(const PartWayCase& c)
{
    OpenChain();
    ScriptedProcessScaling scaling;
    c.arrange(*this, scaling);
    if (!c.message.isEmpty())
        prompts.expect(IDOK);
    ScaleByN(2, scaling);
    EXPECT_EQ(Scaled(), c.scaled);
    EXPECT_EQ(prompts.lastText(), c.message);
    EXPECT_FALSE(QFile::exists(ResultsFilePath(folder, ProcessResultsFileName(CHAIN))));
    EXPECT_EQ(app.modifiedHistory().contains(true), c.scaled.first() == "2/200");
}

TEST_F(ProcessScalingPartWayTest, NoBatchSize) { Check(PART_WAY_CASES[0]); }
TEST_F(ProcessScalingPartWayTest, StepRunFails) { Check(PART_WAY_CASES[1]); }
TEST_F(ProcessScalingPartWayTest, StepRunCancelled) { Check(PART_WAY_CASES[2]); }
TEST_F(ProcessScalingPartWayTest, CancelBeforeTheWrite) { Check(PART_WAY_CASES[3]); }

// A step nothing asks for must make 0: the run ends there with the five-part text, unless it is a
// cleaning step, which keeps its size.
TEST_F(ProcessScalingTest, AStepAskedForNothingEndsTheRunUnlessItCleans)
{
    OpenChain(true);
    ScriptedProcessScaling scaling;
    prompts.expect(IDOK);
    ScaleByN(2, scaling);
    EXPECT_TRUE(prompts.lastText().startsWith("The process scale-up algorithm indicates that one of the Steps should "
                                              "be scaled to zero. The scale-up will not proceed.\n\n This problem"));
    EXPECT_TRUE(prompts.lastText().endsWith("Process and all the Steps, and run the scale-up again."));
    EXPECT_EQ(Scaled({CHAIN_FIRST, CHAIN_EXTRA}), (QStringList{"2/200", "1/10"}));
}

TEST_F(ProcessScalingTest, ACleaningStepAskedForNothingKeepsItsSize)
{
    OpenChain(true, true);
    ScriptedProcessScaling scaling;
    ScaleByN(2, scaling);
    EXPECT_EQ(Scaled({CHAIN_FIRST, CHAIN_MIDDLE, CHAIN_FINAL, CHAIN_EXTRA}), (QStringList{"2/200", "4/200", "2/200", "1/10"}));
    EXPECT_TRUE(QFile::exists(ResultsFilePath(folder, ProcessResultsFileName(CHAIN))));
}

// Without a step making the final product the dialog never opens: the calculator tells once.
TEST_F(ProcessScalingTest, NoFinalStepNoDialog)
{
    OpenChain();
    app.fileSet().projectDatabase->Execute("UPDATE Process SET FinalProductMaterialID = 999");
    ScriptedProcessScaling scaling;
    prompts.expect(IDOK);
    ScaleByN(2, scaling);
    EXPECT_EQ(prompts.texts().size(), 1);
    EXPECT_TRUE(scaling.dialogs.isEmpty());
}
