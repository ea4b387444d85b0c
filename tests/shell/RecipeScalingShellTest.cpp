// Recipe Scaling from the frame's command on the Demo project: a step doubled with one operation
// kept, the scaling undone, a step doubled into the English unit set, the process doubled, the
// project saved and opened again. With QV_SHOTS_DIR set, each dialog and the frame after it as sc1-<name>.png
// there.

#include "RecipeShellFixture.h"

#include "foundation/controls/MyGXComboBox.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/controls/TitledListCtrl.h"
#include "modules/engine/EngineEntry.h"
#include "recipe/panes/StandardStatementView.h"
#include "simulation/ProcessScaleUpDialog.h"
#include "simulation/ScaleUpDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>

namespace {

void ScalingShot(QWidget* widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("QV_SHOTS_DIR");
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return;
    for (int pass = 0; pass < 10; ++pass)
        QCoreApplication::processEvents();
    const bool screen = QGuiApplication::platformName() == QLatin1String("xcb");
    QPixmap picture = screen ? QGuiApplication::primaryScreen()->grabWindow(0) : widget->grab();
    picture.save(QDir(folder).filePath("sc1-" + name + ".png"));
}

} // namespace

class RecipeScalingShellTest : public RecipeShellFixture {
protected:
    // Runs Recipe Scaling; answer fills the modal dialog it opens, which is then accepted.
    template <typename Dialog> bool RunScaling(const std::function<void(Dialog&)>& answer)
    {
        bool shown = false;
        std::function<void(int)> poll = [&](int left) { // events may be pumped before the dialog opens
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            if (!dialog && left > 0)
                return QTimer::singleShot(10, [&poll, left] { poll(left - 1); });
            ASSERT_NE(dialog, nullptr);
            shown = true;
            answer(*dialog);
            if (dialog->isVisible())
                dialog->accept();
        };
        QTimer::singleShot(0, [&poll] { poll(500); });
        frame->UpdateCommandStates();
        frame->ExecuteCommand(ID_RECIPE_SCALING);
        return shown;
    }
    static double StoredValue(long stepID, const char* column)
    {
        QSqlQuery row = GetStepDatabase(stepID)->Query(QStringLiteral("SELECT %1 FROM Step").arg(column));
        return row.next() ? row.value(0).toDouble() : -1;
    }
    static double CouplingBatchSize() { return StoredValue(SHELL_COUPLING_STEP, "BatchSize"); }
    void SimulateProcessSteps()
    {
        QSqlQuery steps =
            GetProjectDatabase()->Query("SELECT StepID FROM \"Step-To-Process\" WHERE ProcessID = 1");
        while (steps.next())
            frame->AutomationSimulateStep(long(steps.value(0).toLongLong()), QString());
    }
};

TEST_F(RecipeScalingShellTest, StepUndoEnglishSetProcessAndSave)
{
    frame->setGeometry(0, 0, 1600, 900);
    SimulateProcessSteps();
    ASSERT_NE(OpenCouplingFromTheExplorer(), nullptr);
    const double original = CouplingBatchSize();

    ASSERT_TRUE(RunScaling<CScaleUpDialog>([](CScaleUpDialog& dialog) {
        dialog.OnSelectCode(6);
        static_cast<QLineEdit*>(dialog.Control(1170))->setText("2");
        dialog.Grid()->SetValueRowCol(1, 1, dialog.Grid()->GetRegisteredControl(2012)->itemText(0));
        ScalingShot(&dialog, "step-dialog-do-not-scale");
    }));
    EXPECT_DOUBLE_EQ(CouplingBatchSize(), 2 * original);
    ScalingShot(frame, "step-scaled");

    ASSERT_TRUE(RunScaling<CScaleUpDialog>([](CScaleUpDialog& dialog) {
        EXPECT_TRUE(dialog.Control(3)->isEnabled());
        ScalingShot(&dialog, "undo-dialog");
        dialog.OnUndoPrevScaling();
    }));
    EXPECT_NEAR(CouplingBatchSize(), original, 1e-9 * original);

    ASSERT_TRUE(RunScaling<CScaleUpDialog>([](CScaleUpDialog& dialog) {
        dialog.OnSelectCode(6);
        static_cast<QLineEdit*>(dialog.Control(1170))->setText("2");
        static_cast<QCheckBox*>(dialog.Control(1631))->click();
        auto* sets = static_cast<QComboBox*>(dialog.Control(1070));
        sets->setCurrentIndex(sets->findText("English"));
        ScalingShot(&dialog, "english-set-dialog");
    }));
    ScalingShot(frame, "english-set-scaled");
    // Process 1 runs Coupling, Crystallization and Drying, whose product is the process's.
    constexpr long drying = 1003;
    const double dryingSize = StoredValue(drying, "BatchSize");
    const double dryingFactor = StoredValue(drying, "coalesce(ScaleFactor, 1.0)");
    // Every step is asked for what twice the final step's run needs of it: the product factors (kmol
    // of key input per kmol of key output) carry the amount up to Coupling, which is scaled to it.
    constexpr long crystallization = 1002;
    const double couplingNeed =
        2 * dryingSize * StoredValue(drying, "ProductFactor") * StoredValue(crystallization, "ProductFactor");

    frame->CloseDocument(DocumentKind::ProjectRecipe, SHELL_COUPLING_STEP);
    QTreeWidget* tree = frame->pane(PaneID::ProcessExplorer)->widget()->findChild<QTreeWidget*>();
    QApplication::setActiveWindow(frame);
    tree->setFocus();
    tree->setCurrentItem(tree->topLevelItem(0));
    QCoreApplication::processEvents();
    ASSERT_TRUE(frame->CurrentContext().processNodeSelected);
    EXPECT_TRUE(RunScaling<CProcessScaleUpDialog>([](CProcessScaleUpDialog& dialog) {
        dialog.OnSelectOption(CProcessScaleUpDialog::N_TIMES);
        static_cast<QLineEdit*>(dialog.Control(1170))->setText("2");
        ScalingShot(&dialog, "process-dialog");
    }));
    ScalingShot(frame, "process-scaled");
    EXPECT_TRUE(prompts.texts().isEmpty()) << prompts.texts().join('\n').toStdString();
    EXPECT_NEAR(StoredValue(drying, "BatchSize"), 2 * dryingSize, 1e-9 * dryingSize);
    EXPECT_NEAR(StoredValue(drying, "ScaleFactor"), 2 * dryingFactor, 1e-12);
    EXPECT_NEAR(CouplingBatchSize(), couplingNeed, 1e-9 * couplingNeed);

    const double kept = CouplingBatchSize();
    frame->ExecuteCommand(ID_FILE_SAVE);
    frame->ExecuteCommand(ID_FILE_CLOSE);
    ASSERT_FALSE(frame->IsProjectOpen());
    ASSERT_TRUE(app->OpenGivenProjectFile(m_project));
    EXPECT_DOUBLE_EQ(CouplingBatchSize(), kept);
    ScalingShot(frame, "reopened");
}

// The statements pane in front lists the operations' texts as scaling and its undo leave them.
TEST_F(RecipeScalingShellTest, TheStatementsPaneFollowsScalingAndItsUndo)
{
    frame->setGeometry(0, 0, 1600, 900);
    SimulateProcessSteps();
    frame->pane(PaneID::StandardStatements)->raise();
    ASSERT_NE(OpenCouplingFromTheExplorer(), nullptr);
    CStandardStatementView* pane = frame->StandardStatementView();
    auto shown = [pane] {
        QStringList rows;
        for (int row = 0; row < pane->list().GetItemCount(); ++row)
            rows << pane->list().GetItemText(row, 0);
        return rows;
    };
    auto refilled = [&shown, pane] { // what the pane lists when it is filled afresh
        pane->Refresh();
        return shown();
    };
    const QStringList original = shown();
    ASSERT_FALSE(original.isEmpty());

    ASSERT_TRUE(RunScaling<CScaleUpDialog>([](CScaleUpDialog& dialog) {
        dialog.OnSelectCode(6);
        static_cast<QLineEdit*>(dialog.Control(1170))->setText("2");
    }));
    const QStringList scaled = shown();
    EXPECT_NE(scaled, original);
    EXPECT_EQ(scaled, refilled());

    ASSERT_TRUE(RunScaling<CScaleUpDialog>([](CScaleUpDialog& dialog) { dialog.OnUndoPrevScaling(); }));
    const QStringList undone = shown();
    EXPECT_NE(undone, scaled);
    EXPECT_EQ(undone, refilled());
    EXPECT_TRUE(app->CloseProject(SaveAnswer::Discard));
}
