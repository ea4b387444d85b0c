// Simulate > Design... in the running program on Demo: Coupling simulated, the design dialog filled,
// R-101 fixed, OK; the engine's design rows; the dialog reopened filled; saved and reopened: kept.
// With QV_SHOTS_DIR set, each state is kept as ds1-<name>.png there (the screen under X, else the
// window itself).

#include "RecipeShellFixture.h"
#include "foundation/common/BusyGuard.h"
#include "foundation/controls/GridCtrl.h"
#include "foundation/db/ResultsDatabase.h"
#include "modules/engine/EngineEntry.h"
#include "shell/MCStatusBar.h"
#include "simulation/DesignDlg.h"
#include "simulation/FixEquipmentDlg.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

namespace {

void DesignShot(QWidget* window, const QString& name)
{
    SaveShellShot(window, "ds1-" + name + ".png");
}

void ChooseText(CDesignDlg& dialog, const char* id, const QString& text)
{
    auto* combo = dialog.findChild<QComboBox*>(id);
    ASSERT_NE(combo, nullptr) << id;
    combo->setCurrentIndex(combo->findText(text));
}

QVariant ResultsValue(const QString& sql)
{
    CDaoDatabase results;
    results.Open(ResultsFilePath(GetProjectDir(), StepResultsFileName(SHELL_COUPLING_STEP)),
                 DatabaseRole::ReadOnly);
    QSqlQuery query = results.Query(sql);
    return query.next() ? query.value(0) : QVariant();
}

QString StoredTargets()
{
    QSqlQuery query = GetStepDatabase(SHELL_COUPLING_STEP)
                          ->Query("SELECT Amount || ' ' || AmountUOM || ' ' || TimeHorizon || ' ' || "
                                  "TimeHorizonUOM || ' ' || FacilityID || ' ' "
                                  "|| Heuristic FROM DesignSpecifications");
    return query.next() ? query.value(0).toString() : QString("no row");
}

} // namespace

class DesignShellTest : public RecipeShellFixture {
protected:
    void SetUp() override
    {
        RecipeShellFixture::SetUp();
        frame->setGeometry(0, 0, 1400, 860);
    }
    bool DesignEnabled()
    {
        frame->UpdateCommandStates();
        return frame->action(ID_DESIGN)->isEnabled();
    }
    // The answer the run told, as the user reads it, and its status line.
    void ShowsTheAnswer()
    {
        const QString answer = prompts.lastText();
        EXPECT_TRUE(answer.startsWith("Design of step Coupling (1.0) completed.\nBatches: ")) << answer.toStdString();
        for (const char* part : {"\nFeasible: ", "\nScale factor: ", "\nEquipment per unit procedure:\n1. "
                                 "Reaction in R-101: R-101 (fixed)"})
            EXPECT_TRUE(answer.contains(part)) << part;
        EXPECT_EQ(prompts.flags().last(), unsigned(MB_OK | MB_ICONINFORMATION));
        EXPECT_TRUE(frame->GetStatusBar()->OutcomeText().startsWith("Design: step Coupling (1.0) completed; "))
            << frame->GetStatusBar()->OutcomeText().toStdString();
        QMessageBox box(QMessageBox::Information, "Tamro Plenthover", answer, QMessageBox::Ok, frame);
        box.setTextInteractionFlags(Qt::TextSelectableByMouse);
        box.show();
        DesignShot(&box, "answer");
    }
    // Runs script on the design dialog once the command opens it.
    void RunDesign(const std::function<void(CDesignDlg&)>& script)
    {
        bool shown = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<CDesignDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            shown = true;
            script(*dialog);
        });
        frame->action(ID_DESIGN)->trigger();
        EXPECT_TRUE(shown);
    }
};

TEST_F(DesignShellTest, ADesignWalkIsKeptAcrossSaveAndReopen)
{
    EXPECT_EQ(frame->action(ID_DESIGN)->statusTip(), "Call design dialog");
    EXPECT_FALSE(DesignEnabled());
    ASSERT_NE(OpenCouplingFromTheExplorer(), nullptr);
    ASSERT_TRUE(DesignEnabled());
    frame->SimulateBatch(1, -1, -1, 0); // the whole batch, its transitions built first
    ASSERT_GT(EngineEntry().getCurrentBatchSizeInKg(SHELL_COUPLING_STEP), 0);
    DesignShot(frame, "simulated");

    prompts.expect(IDOK); // the design's answer
    RunDesign([](CDesignDlg& dialog) {
        dialog.findChild<QLineEdit*>("1003")->setText("20000");
        ChooseText(dialog, "1005", "kg");
        dialog.findChild<QLineEdit*>("1004")->setText("30");
        ChooseText(dialog, "1006", "day");
        ChooseText(dialog, "1179", "Ridgemont Pilot Plant");
        dialog.findChild<QRadioButton*>("1485")->setChecked(true);
        DesignShot(&dialog, "dialog-filled");
        QTimer::singleShot(0, [] {
            auto* fix = qobject_cast<CFixEquipmentDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(fix, nullptr);
            fix->Grid()->SetRow(1);
            fix->Grid()->SetCol(2);
            ASSERT_EQ(fix->Grid()->GetText(), "NO");
            fix->OnDblClickGrid();
            DesignShot(fix, "fix-r101");
            fix->accept();
        });
        dialog.findChild<QPushButton*>("1008")->click();
        EXPECT_EQ(dialog.equipmentTags[0], "R-101");
        EXPECT_EQ(dialog.fixedFlags[0], 1);
        dialog.findChild<QPushButton*>("1")->click();
    });
    EXPECT_TRUE(frame->isEnabled());
    EXPECT_FALSE(IsBusy());
    ShowsTheAnswer();
    EXPECT_EQ(StoredTargets(), "20000.0 kg 30.0 day 1 Closest vessels first");
    EXPECT_EQ(ResultsValue("SELECT count(*) FROM DesignSummary").toInt(), 1);
    EXPECT_EQ(ResultsValue(
                  "SELECT EquipmentAfter || ' ' || Fixed FROM DesignEquipment WHERE EquipmentBefore = 101"),
              "101 1");
    EXPECT_GT(ResultsValue("SELECT count(*) FROM OperationSchedule").toInt(), 0) << "the batch rows stay";
    DesignShot(frame, "designed");

    RunDesign([](CDesignDlg& dialog) {
        EXPECT_EQ(dialog.findChild<QLineEdit*>("1003")->text(), "20000");
        EXPECT_EQ(dialog.findChild<QComboBox*>("1006")->currentText(), "day");
        EXPECT_TRUE(dialog.findChild<QRadioButton*>("1485")->isChecked());
        DesignShot(&dialog, "reopened");
        dialog.reject();
    });

    ASSERT_TRUE(app->SaveOpenProject());
    ASSERT_TRUE(app->CloseProject(SaveAnswer::Discard));
    ASSERT_TRUE(app->OpenProjectByPath(m_project));
    EXPECT_EQ(StoredTargets(), "20000.0 kg 30.0 day 1 Closest vessels first");
    DesignShot(frame, "reopened-project");
}
