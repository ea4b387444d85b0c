// The Plan Explorer in the real application on the Demo: filled at open and emptied at close, its
// toolbar reaching the pane while the focus is in another pane, New, a copy, Delete and Plan
// Sequence, the rows kept across save and reopen.

#include "RecipeShellFixture.h"
#include "foundation/common/DesktopOpener.h"
#include "foundation/common/concerns/CommandDispatcher.h"
#include "planning/NewPlanDialog.h"
#include "planning/PlanCommandIds.h"
#include "planning/PlanList.h"

#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace {

// With QV_SHOTS_DIR set, the widget's picture as pl2-<name>.png there.
void PlanExplorerShot(QWidget* widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("QV_SHOTS_DIR");
    if (!folder.isEmpty() && QDir().mkpath(folder))
        widget->grab().save(QDir(folder).filePath("pl2-" + name + ".png"));
}

class RecordingPlanOpener : public DesktopOpener {
public:
    bool OpenDocument(const QString& path) override
    {
        opened << path;
        return true;
    }
    QStringList opened;
};

} // namespace

class PlanExplorerShellTest : public RecipeShellFixture {
protected:
    void SetUp() override
    {
        RecipeShellFixture::SetUp();
        // The sample's plans: a weekly one of the free base by weight and batches of milling.
        CDaoDatabase& project = *GetProjectDatabase();
        project.Execute("INSERT INTO ProductionPlan (PlanID, PlanName, StartDateTime, OutputUOMSetID) "
                        "VALUES (1, 'Weekly', 46027.25, 1), (2, 'Spare', NULL, 999)");
        project.Execute("INSERT INTO \"ProductionPlan-To-Project\" (PlanID, ProjectID, PlanName) "
                        "SELECT PlanID, 1, PlanName FROM ProductionPlan");
        project.Execute("INSERT INTO PlanRequirements (PlanID, StepOrProcessID, StepOrProcess, Quantity, QuantityUOM, "
                        "FirstBatchOverlap, IntraCampaignBatchOverlap) VALUES (1, 1, 'process', 500, 'kg', 0, 1), "
                        "(1, 1005, 'step', 2, 'batches', 0, 1)");
        planPane()->RefillPlanList();
        frame->pane(PaneID::PlanExplorer)->raise();
    }
    CPlanList* planPane() const { return qobject_cast<CPlanList*>(frame->pane(PaneID::PlanExplorer)->widget()); }
    QStringList texts() const
    {
        QStringList names;
        for (int row = 0; row < planPane()->list()->count(); ++row)
            names << planPane()->list()->item(row)->text();
        return names;
    }
    // Clicks the toolbar button of the command while the Process Explorer has the focus.
    void clickToolbar(int commandID)
    {
        frame->pane(PaneID::ProcessExplorer)->widget()->findChild<QTreeWidget*>()->setFocus();
        for (QAction* action : planPane()->toolBar()->actions()) {
            if (action->data().toInt() == commandID)
                action->trigger();
        }
    }
};

TEST_F(PlanExplorerShellTest, FilledAtOpenEmptiedAtClose)
{
    ASSERT_NE(planPane(), nullptr);
    EXPECT_EQ(texts(), QStringList({"Spare", "Weekly"})); // sorted by the frame
    EXPECT_EQ(frame->pane(PaneID::PlanExplorer)->windowTitle(), "Plan Explorer");
    PlanExplorerShot(frame, "demo");
    ASSERT_TRUE(app->CloseProject(SaveAnswer::Discard));
    EXPECT_TRUE(texts().isEmpty());
}

// New, then a copy of Weekly and Delete of the copy, all from the toolbar while the Process
// Explorer holds the focus; then Plan Sequence; saved and reopened, the rows are there.
TEST_F(PlanExplorerShellTest, ToolbarCommandsReachThePaneWithTheFocusElsewhere)
{
    RecordingPlanOpener opener;
    ServiceInstallations installed;
    installed.Install<DesktopOpener>(&opener);
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CNewPlanDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->nameEdit()->setText("Monthly");
        PlanExplorerShot(dialog, "new");
        dialog->accept();
    });
    clickToolbar(ID_PLAN_NEW);
    EXPECT_EQ(texts().last(), "Monthly");

    planPane()->SelectPlan(1);
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CNewPlanDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->copyRadio()->click();
        dialog->planCombo()->setCurrentIndex(dialog->planCombo()->findText("Weekly"));
        PlanExplorerShot(dialog, "copy");
        dialog->accept();
    });
    clickToolbar(ID_PLAN_NEW);
    ASSERT_EQ(texts().last(), "Weekly copy (1)");
    PlanExplorerShot(frame, "after-copy");

    prompts.expect(IDYES);
    clickToolbar(ID_PLAN_DELETE); // the copy is selected
    EXPECT_EQ(prompts.lastText(), "Do you really want to delete this production plan ?");
    EXPECT_FALSE(texts().contains("Weekly copy (1)"));
    PlanExplorerShot(frame, "delete");

    planPane()->SelectPlan(1);
    clickToolbar(ID_PLAN_SEQUENCE);
    const QString sequence = QDir(GetProjectDir()).filePath("PlanSequence.txt");
    ASSERT_EQ(opener.opened, QStringList{sequence}) << prompts.texts().join('|').toStdString();
    QFile file(sequence);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QPlainTextEdit shown;
    const QByteArray bytes = file.readAll();
    shown.setPlainText(QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2), (bytes.size() - 2) / 2));
    shown.setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    shown.resize(720, 360);
    PlanExplorerShot(&shown, "plan-sequence");

    const QString path = GetProjectFilePath();
    ASSERT_TRUE(app->CloseProject(SaveAnswer::Save));
    ASSERT_TRUE(app->OpenProjectByPath(path));
    EXPECT_EQ(texts(), QStringList({"Monthly", "Spare", "Weekly"}));
    QSqlQuery summary = GetProjectDatabase()->Query("SELECT count(*) FROM PlanSummary WHERE PlanID = 1");
    ASSERT_TRUE(summary.next());
    EXPECT_GT(summary.value(0).toInt(), 0);
}

// A right-click on another plan selects it, and the menu comes up with the plan's commands,
// the pane's and the frame's, already enabled; a left click is not needed first.
TEST_F(PlanExplorerShellTest, ARightClickShowsTheMenuWithThePlansCommandsEnabled)
{
    QListWidget* list = planPane()->list();
    list->setFocus();
    list->setCurrentRow(texts().indexOf("Spare"));
    QCoreApplication::processEvents();
    QWidget* viewport = list->viewport();
    const QPoint weekly = list->visualItemRect(list->item(texts().indexOf("Weekly"))).center();
    const QPoint global = viewport->mapToGlobal(weekly);
    QMouseEvent press(QEvent::MouseButtonPress, weekly, global, Qt::RightButton, Qt::RightButton,
                      Qt::NoModifier);
    QApplication::sendEvent(viewport, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, weekly, global, Qt::RightButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(viewport, &release);
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, weekly, global);
    QApplication::sendEvent(viewport, &menuEvent);

    QMenu* menu = planPane()->contextMenu();
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(list->currentItem()->text(), "Weekly");
    for (const char* command : {"Edit...", "Delete", "Simulate Plan", "Simulate Batches and Plan"}) {
        QAction* action = ActionTitled(*menu, command);
        ASSERT_NE(action, nullptr) << command;
        EXPECT_TRUE(action->isEnabled()) << command;
    }
    EXPECT_TRUE(frame->action(ID_SIMULATE_PLAN)->isEnabled());
    menu->hide();
}
