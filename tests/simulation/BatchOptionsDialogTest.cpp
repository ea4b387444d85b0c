// "Simulate Batch" before a run: the operation lines it offers, its radios and combos, its
// messages and help, and the run each choice hands to the batch driver.

#include "BatchSimulationFixture.h"

#include "foundation/common/HelpService.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "recipe/view/QuorvantaView.h"
#include "simulation/SimulationBatchOptionsDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>

namespace {

const QString kSelectAnOperation = QStringLiteral("Please select an Operation.");

class RecordingOptionsHelp : public HelpService {
public:
    void DisplayHelp(const QString& helpFile, long topic) override { shown << qMakePair(helpFile, topic); }
    QList<QPair<QString, long>> shown;
};

class RecordingComboSort : public SortServices {
public:
    void SortComboBoxItems(QComboBox* combo) override { sorted << combo->objectName(); }
    QStringList sorted;
};

// A batch driver whose options dialog is answered by a script instead of the user.
class ScriptedOptionsBatch : public CBatchSimulation {
public:
    std::function<void(CSimulationBatchOptionsDialog&)> script;
    bool asked = false;

protected:
    bool AskBatchOptions(CSimulationBatchOptionsDialog& dialog) override
    {
        asked = true;
        if (script)
            script(dialog);
        return dialog.result() == QDialog::Accepted;
    }
};

class BatchOptionsTest : public BatchSimulationFixture {
protected:
    BatchOptionsTest()
    {
        OpenDemo();
        frame.engine = &engine;
    }
    ~BatchOptionsTest() override
    {
        if (m_area) { // the area owns the view it holds
            frame.windows.remove({int(DocumentKind::ProjectRecipe), DEMO_COUPLING});
            delete m_area;
        }
    }
    // The items of a combo as "text|id".
    static QStringList ComboItems(const QComboBox* combo)
    {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i) + "|" + QString::number(combo->itemData(i).toLongLong());
        return items;
    }
    // What the step's visible operation lines should give, in recipe order.
    QStringList ExpectedItems()
    {
        QStringList items;
        QSqlQuery rows = GetStepDatabase(DEMO_COUPLING)->Query(
            "SELECT Label, OperationName, ID FROM TextRecipe WHERE Type = 'Operation' COLLATE NOCASE AND Hide = 0 "
            "ORDER BY RecipeSequenceNumber");
        while (rows.next())
            items << rows.value(0).toString() + "      " + rows.value(1).toString() + "|" + rows.value(2).toString();
        return items;
    }
    // A recipe view of the step, active in an MDI area, with its line `index` selected.
    CQUORVANTAView& ActiveRecipeViewSelecting(int index)
    {
        m_area = new QMdiArea;
        auto* view = new CQUORVANTAView;
        view->identity().stepID = DEMO_COUPLING;
        QMdiSubWindow* sub = m_area->addSubWindow(view);
        frame.windows.insert({int(DocumentKind::ProjectRecipe), DEMO_COUPLING}, view);
        m_area->resize(640, 400);
        m_area->show();
        m_area->setActiveSubWindow(sub);
        if (!view->linesLoaded())
            view->LoadRecipeLines();
        view->SelectItem(index);
        return *view;
    }
    static void ChooseRadio(CSimulationBatchOptionsDialog& dialog, int choice) { dialog.radio(choice)->click(); }

    ScriptedEngine engine;
    ScriptedOptionsBatch batch;
    QMdiArea* m_area = nullptr;
};

TEST_F(BatchOptionsTest, OpensOnTheEntireRecipeWithEveryVisibleOperationInBothCombos)
{
    ExecuteStep("UPDATE TextRecipe SET Hide = 1 WHERE ID = ?", {qlonglong(OperationLines().at(1).first)});
    ExecuteStep("UPDATE TextRecipe SET Type = 'OPERATION' WHERE ID = ?", {qlonglong(OperationLines().at(2).first)});
    RecordingComboSort sort;
    installed.Install<SortServices>(&sort);
    CSimulationBatchOptionsDialog dialog(DEMO_COUPLING, -1);

    EXPECT_EQ(dialog.windowTitle(), "Simulate Batch");
    EXPECT_EQ(dialog.radio(0)->text(), "The entire Recipe");
    EXPECT_EQ(dialog.radio(1)->text(), "The current Operation");
    EXPECT_EQ(dialog.radio(2)->text(), "From Operation");
    EXPECT_TRUE(dialog.radio(0)->isChecked());
    EXPECT_EQ(dialog.choice(), CSimulationBatchOptionsDialog::ENTIRE_RECIPE);
    EXPECT_FALSE(dialog.radio(1)->isEnabled()); // no current operation line
    const QStringList expected = ExpectedItems();
    ASSERT_GE(expected.size(), 2);
    EXPECT_EQ(ComboItems(dialog.fromCombo()), expected);
    EXPECT_EQ(ComboItems(dialog.toCombo()), expected);
    for (const QComboBox* combo : {dialog.fromCombo(), dialog.toCombo()}) {
        EXPECT_EQ(combo->currentIndex(), 0);
        EXPECT_FALSE(combo->isEnabled());
    }
    EXPECT_EQ(sort.sorted, QStringList({"ctl1179", "ctl1181"}));
    EXPECT_EQ(dialog.fromID(), -1);
    EXPECT_EQ(dialog.toID(), -1);
}

TEST_F(BatchOptionsTest, ACurrentLineEnablesTheCurrentOperation)
{
    CSimulationBatchOptionsDialog dialog(DEMO_COUPLING, OperationLines().at(0).first);
    EXPECT_TRUE(dialog.radio(1)->isEnabled());
}

TEST_F(BatchOptionsTest, AStepWithoutRecipeRowsSaysSoAndLeavesTheCombosEmpty)
{
    prompts.expect(IDOK);
    CSimulationBatchOptionsDialog dialog(4242, -1);
    EXPECT_EQ(prompts.texts(), QStringList{"Can't open TextRecipe Table!"});
    EXPECT_EQ(dialog.fromCombo()->count(), 0);
    EXPECT_EQ(dialog.toCombo()->count(), 0);
}

TEST_F(BatchOptionsTest, OnlyFromOperationEnablesTheCombos)
{
    CSimulationBatchOptionsDialog dialog(DEMO_COUPLING, OperationLines().at(0).first);
    const struct {
        int choice;
        bool combosOn;
    } clicks[] = {{2, true}, {0, false}, {2, true}, {1, false}};
    for (const auto& click : clicks) {
        ChooseRadio(dialog, click.choice);
        EXPECT_EQ(dialog.choice(), click.choice);
        EXPECT_EQ(dialog.fromCombo()->isEnabled(), click.combosOn) << click.choice;
        EXPECT_EQ(dialog.toCombo()->isEnabled(), click.combosOn) << click.choice;
    }
}

struct MissingSelectionCase {
    const char* name;
    int fromIndex;
    int toIndex;
};

class BatchOptionsSelectionTest : public BatchOptionsTest, public ::testing::WithParamInterface<MissingSelectionCase> {};

TEST_P(BatchOptionsSelectionTest, ARangeWithoutBothOperationsAsksForOneAndStaysOpen)
{
    const MissingSelectionCase& c = GetParam();
    CSimulationBatchOptionsDialog dialog(DEMO_COUPLING, -1);
    dialog.show();
    ChooseRadio(dialog, 2);
    dialog.fromCombo()->setCurrentIndex(c.fromIndex);
    dialog.toCombo()->setCurrentIndex(c.toIndex);
    prompts.expect(IDOK);
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    EXPECT_EQ(prompts.texts(), QStringList{kSelectAnOperation});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(dialog.result(), QDialog::Accepted);
}

INSTANTIATE_TEST_SUITE_P(Missing, BatchOptionsSelectionTest,
                         ::testing::Values(MissingSelectionCase{"From", -1, 0}, MissingSelectionCase{"To", 0, -1},
                                           MissingSelectionCase{"Both", -1, -1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(BatchOptionsTest, WithoutARangeAnEmptyComboIsNoReasonToRefuse)
{
    CSimulationBatchOptionsDialog dialog(DEMO_COUPLING, -1);
    dialog.fromCombo()->setCurrentIndex(-1);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(BatchOptionsTest, HelpShowsTopic202)
{
    RecordingOptionsHelp help;
    installed.Install<HelpService>(&help);
    CSimulationBatchOptionsDialog dialog(DEMO_COUPLING, -1);
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Help)->click();
    EXPECT_EQ(help.shown, (QList<QPair<QString, long>>{{"USERMANUAL.CHM", 202}}));
}

// What the command runs for each answer of the dialog, with operation line 1 selected in the
// active recipe view.
struct ChoiceCase {
    const char* name;
    int choice;     // -1: the dialog is cancelled
    int fromLine;   // index into the visible operation lines
    int toLine;
    const char* run; // the engine call, with %1 and %2 the lines' ids
};

class BatchOptionsChoiceTest : public BatchOptionsTest, public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(BatchOptionsChoiceTest, EachChoiceRunsItsMode)
{
    const ChoiceCase& c = GetParam();
    const QList<std::pair<long, long>> lines = OperationLines();
    ASSERT_GE(lines.size(), 4);
    CQUORVANTAView& view = ActiveRecipeViewSelecting(int(lines.at(1).second - 1));
    ASSERT_EQ(view.GetSelectedOperationID(), lines.at(1).first);
    batch.script = [&c](CSimulationBatchOptionsDialog& dialog) {
        if (c.choice < 0)
            return dialog.reject();
        ChooseRadio(dialog, c.choice);
        dialog.fromCombo()->setCurrentIndex(c.fromLine);
        dialog.toCombo()->setCurrentIndex(c.toLine);
        dialog.accept();
    };
    batch.OnSimulateBatchCommand();
    EXPECT_TRUE(batch.asked);
    QString run = QString::fromLatin1(c.run);
    if (run.contains('%'))
        run = run.arg(lines.at(c.fromLine).first).arg(lines.at(c.toLine).first);
    EXPECT_EQ(engine.calls, run.isEmpty() ? QStringList() : run.split(','));
}

INSTANTIATE_TEST_SUITE_P(
    Choices, BatchOptionsChoiceTest,
    ::testing::Values(ChoiceCase{"EntireRecipe", 0, 0, 0, "reset 1001 ReadAndSimulate,batch 1001"},
                      ChoiceCase{"CurrentOperation", 1, 1, 1, "range 1001 %1 %2"},
                      ChoiceCase{"FromOperation", 2, 0, 3, "range 1001 %1 %2"},
                      ChoiceCase{"Cancelled", -1, 0, 0, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BatchOptionsTest, WithoutASelectedOperationTheCurrentOperationIsOffAndRunsNothing)
{
    ASSERT_EQ(ActiveRecipeViewSelecting(0).GetSelectedOperationID(), -1); // a unit procedure line
    batch.script = [](CSimulationBatchOptionsDialog& dialog) {
        EXPECT_FALSE(dialog.radio(1)->isEnabled());
        ChooseRadio(dialog, 1); // a click on a disabled radio does nothing
        dialog.accept();
    };
    batch.OnSimulateBatchCommand();
    EXPECT_EQ(engine.calls, QStringList({"reset 1001 ReadAndSimulate", "batch 1001"}));
}

struct OptionsContextCase {
    const char* name;
    int kind;
    long step;
    bool asks;
};

class BatchOptionsContextTest : public BatchOptionsTest, public ::testing::WithParamInterface<OptionsContextCase> {};

TEST_P(BatchOptionsContextTest, TheDialogOpensOnlyInABatchContext)
{
    const OptionsContextCase& c = GetParam();
    SetContext(c.kind, c.step);
    batch.script = [](CSimulationBatchOptionsDialog& dialog) { dialog.reject(); };
    batch.OnSimulateBatchCommand();
    EXPECT_EQ(batch.asked, c.asks);
    EXPECT_TRUE(engine.calls.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Contexts, BatchOptionsContextTest,
    ::testing::Values(OptionsContextCase{"ProcessExplorer", CONTEXT_PROCESS_EXPLORER, DEMO_COUPLING, true},
                      OptionsContextCase{"TextRecipe", CONTEXT_TEXT_RECIPE, DEMO_COUPLING, true},
                      OptionsContextCase{"Gantt", CONTEXT_GANTT, DEMO_COUPLING, true},
                      OptionsContextCase{"ThreeD", CONTEXT_3D_VIEW, DEMO_COUPLING, true},
                      OptionsContextCase{"QuickResults", CONTEXT_QUICK_RESULTS, DEMO_COUPLING, true},
                      OptionsContextCase{"HtmlView", CONTEXT_HTML_VIEW, DEMO_COUPLING, false},
                      OptionsContextCase{"PlanExplorer", CONTEXT_PLAN_EXPLORER, DEMO_COUPLING, false},
                      OptionsContextCase{"NoStep", CONTEXT_PROCESS_EXPLORER, -1, false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
