// Simulate > Design... in the running program on Demo: Coupling simulated, the design dialog filled,
// R-101 fixed, OK; the program's own answer box (R-101 needs the volume of its charges); the
// engine's design rows; the dialog reopened filled; saved and reopened: kept.
// With QV_SHOTS_DIR set, each state is kept as ds1-<name>.png there (the screen under X, else the
// window itself).

#include "RecipeShellFixture.h"
#include "foundation/common/BusyGuard.h"
#include "foundation/controls/GridCtrl.h"
#include "foundation/db/schema/ResultsDatabase.h"
#include "modules/engine/EngineEntry.h"
#include "shell/MCStatusBar.h"
#include "simulation/DesignDlg.h"
#include "simulation/FixEquipmentDlg.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMap>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <iostream>
#include <memory>

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
    std::unique_ptr<ScopedPromptService> m_widgetBoxes;
    QString m_answer;
    QMessageBox::Icon m_answerIcon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons m_answerButtons;

    bool DesignEnabled()
    {
        frame->UpdateCommandStates();
        return frame->action(ID_DESIGN)->isEnabled();
    }
    // While the next command runs, its message boxes are the program's own: the first one shown is
    // read, kept as ds1-answer.png and closed with OK.
    void ReadTheProgramsAnswerBox()
    {
        m_widgetBoxes = std::make_unique<ScopedPromptService>(nullptr);
        auto* watch = new QTimer(frame);
        watch->setInterval(20);
        QObject::connect(watch, &QTimer::timeout, frame, [this, watch] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            watch->stop();
            watch->deleteLater();
            m_answer = box->text();
            m_answerIcon = box->icon();
            m_answerButtons = box->standardButtons();
            DesignShot(box, "answer");
            box->button(QMessageBox::Ok)->click();
        });
        watch->start();
    }
    // The answer the run told in its own box, as the user reads it, and its status line.
    void ShowsTheAnswer()
    {
        m_widgetBoxes.reset();
        const QString& answer = m_answer;
        EXPECT_TRUE(answer.startsWith("Design of step Coupling (1.0) completed.\nBatches: ")) << answer.toStdString();
        for (const char* part : {"\nFeasible: ", "\nScale factor: ", "\nEquipment per unit procedure:\n1. "
                                 "Reaction in R-101: R-101 (fixed)"})
            EXPECT_TRUE(answer.contains(part)) << part;
        EXPECT_EQ(m_answerIcon, QMessageBox::Information);
        EXPECT_EQ(m_answerButtons, QMessageBox::StandardButtons(QMessageBox::Ok));
        EXPECT_TRUE(frame->GetStatusBar()->OutcomeText().startsWith("Design: step Coupling (1.0) completed; "))
            << frame->GetStatusBar()->OutcomeText().toStdString();
        std::cout << "Design answer:\n" << answer.toStdString() << std::endl;
    }
    // The litres each item of the design needs, by its item before.
    static QMap<long, double> DesignNeeds()
    {
        QMap<long, double> needs;
        CDaoDatabase results;
        results.Open(ResultsFilePath(GetProjectDir(), StepResultsFileName(SHELL_COUPLING_STEP)),
                     DatabaseRole::ReadOnly);
        QSqlQuery query = results.Query("SELECT EquipmentBefore, Need FROM DesignEquipment");
        while (query.next())
            needs.insert(long(query.value(0).toLongLong()), query.value(1).toDouble());
        return needs;
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

    ReadTheProgramsAnswerBox();
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
    // R-101 holds the charges, about 1,250 l at the batch run's size; R-102 receives them.
    const QMap<long, double> needs = DesignNeeds();
    const double factor = ResultsValue("SELECT ScaleFactor FROM DesignSummary").toDouble();
    EXPECT_GT(needs.value(101), 1100 * factor);
    EXPECT_GT(needs.value(102), 1100 * factor);
    EXPECT_TRUE(m_answer.contains(
        QString("R-101 (fixed), %1 of 2000 l").arg(QString::number(needs.value(101), 'f', 0))))
        << m_answer.toStdString();
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
