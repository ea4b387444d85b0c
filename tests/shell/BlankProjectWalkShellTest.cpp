// A new user's first recipe in a project made from the blank template: a facility and a vessel
// made with the equipment editor, a process and a step, a unit procedure in the vessel and a Charge
// of Water from the template's material library chosen in the operation editor; the batch run
// charges it. With QV_SHOTS_DIR set, the charge's editor and the run are kept as bw1-<name>.png.

#include "RecipeShellFixture.h"
#include "ScriptedProjectDialogs.h"
#include "foundation/common/concerns/CommandDispatcher.h"
#include "foundation/db/connection/SharedDatabases.h"
#include "library/FacilityCommandIds.h"
#include "library/FacilityTree.h"
#include "library/PlantDialog.h"
#include "modules/addnew/AddNewProcessDialog.h"
#include "modules/addnew/AddNewStepDialog.h"
#include "modules/engine/EngineEntry.h"
#include "projects/NewProject.h"
#include "projects/WizardEndDialog.h"
#include "recipe/explorer/ProcessTree.h"
#include "shell/MCStatusBar.h"
#include "shell/bridge/EquipmentEditorDialog.h"
#include "shell/bridge/OperationEditorDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Names every new unit procedure and puts it in the vessel the test made.
class VesselDialogs : public NamingOperationDialogs {
public:
    std::optional<NewUnitProcedureInput> AskUnitProcedure(const QString&) override
    {
        return NewUnitProcedureInput{"Charging", {}};
    }
    std::optional<UnitProcedureEditInput> AskUnitProcedureEdit(const UnitProcedureEditInput& current,
                                                                const QList<EquipmentChoice>&) override
    {
        return UnitProcedureEditInput{current.name, vessel, current.comment};
    }
    long vessel = -1;
};

// The open dialog's line edits set, then OK.
template <typename Dialog> void AnswerAddNew(const QMap<QString, QString>& texts)
{
    auto* dialog = dynamic_cast<Dialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    for (auto it = texts.cbegin(); it != texts.cend(); ++it)
        dialog->template findChild<QLineEdit*>(it.key())->setText(it.value());
    dialog->template findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

void DoubleClick(CRecipeButton* line)
{
    QMouseEvent event(QEvent::MouseButtonDblClick, QPointF(5, 5), line->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(line, &event);
}

} // namespace

class BlankProjectWalkShellTest : public RecipeShellFixture {
protected:
    void TearDown() override
    {
        if (app->isProjectModified())
            prompts.expect(IDNO); // the save question at exit
        RecipeShellFixture::TearDown();
    }
    // The command, with its focus in the pane, and the dialog it opens answered by fill.
    static void Run(int commandID, CommandTarget* pane, QTreeWidget* tree, QTreeWidgetItem* selected,
                    const std::function<void()>& fill)
    {
        bool filled = false;
        QTimer::singleShot(0, [&] {
            fill();
            filled = true;
        });
        tree->setFocus();
        if (selected)
            tree->setCurrentItem(selected);
        DispatchCommand(commandID, pane);
        EXPECT_TRUE(filled) << commandID;
    }
    void NewBlankProject()
    {
        ScriptedProjectDialogs projectDialogs;
        projectDialogs.expectDialog<CNewProject>([this](CNewProject& dialog) {
            dialog.NameEdit()->setText("First");
            dialog.DirectoryEdit()->setText(m_root.path() + "/First");
            return dialog.OnOK() ? int(IDOK) : int(IDCANCEL);
        });
        frame->action(ID_FILE_NEW)->trigger();
        ASSERT_TRUE(app->IsProjectOpen());
        if (CWizardEndDialog* info = frame->ProjectInfoDialog())
            info->OnOK();
    }
    // A facility and its vessel V-1 of 500 l; answers the vessel's id.
    long MakeVessel()
    {
        auto* facilities = qobject_cast<CFacilityTree*>(frame->pane(PaneID::FacilityExplorer)->widget());
        Run(ID_FACILITY_NEW_FACILITY, facilities, facilities->tree(), nullptr, [] {
            auto* dialog = qobject_cast<CPlantDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->nameEdit()->setText("Pilot Bay");
            dialog->accept();
        });
        const QList<QTreeWidgetItem*> bay = facilities->tree()->findItems("Pilot Bay", Qt::MatchRecursive);
        EXPECT_EQ(bay.size(), 1);
        Run(ID_FACILITY_NEW_EQUIPMENT, facilities, facilities->tree(), bay.value(0), [] {
            auto* editor = dynamic_cast<CEquipmentEditorDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(editor, nullptr);
            editor->tagEdit()->setText("V-1");
            editor->classCombo()->setEditText("Vessel");
            editor->capacityEdit()->setText("500");
            editor->accept();
        });
        QSqlQuery vessel =
            GetSharedEquipmentDB()->Query("SELECT ActualEquipmentID FROM ActualEquipmentCommon WHERE QVTag = 'V-1'");
        return vessel.next() ? long(vessel.value(0).toLongLong()) : -1;
    }
    // A process with one new step; answers the step's id.
    long MakeStep()
    {
        auto* processes = qobject_cast<CProcessTree*>(frame->pane(PaneID::ProcessExplorer)->widget());
        Run(ID_PROCESS_NEW_PROCESS, processes, processes->tree(), nullptr, [] {
            AnswerAddNew<CAddNewProcessDialog>({{"ProcessName", "Solution"}, {"ProcessVersion", "1.0"}});
        });
        Run(ID_PROCESS_NEW_STEP, processes, processes->tree(), processes->tree()->topLevelItem(0), [] {
            AnswerAddNew<CAddNewStepDialog>({{"StepName", "Charging"}, {"StepVersion", "1.0"}});
        });
        QSqlQuery step = GetProjectDatabase()->Query("SELECT StepID FROM ProjectStep WHERE StepName = 'Charging'");
        return step.next() ? long(step.value(0).toLongLong()) : -1;
    }

    VesselDialogs vesselDialogs;
};

TEST_F(BlankProjectWalkShellTest, AChargeOfWaterIsNamedAndRun)
{
    NewBlankProject();
    QSqlQuery water = GetSharedMaterialsDB()->Query(
        "SELECT COUNT(*) FROM ActualMaterialCommon WHERE MaterialName IN ('Water', 'Nitrogen', 'Toluene')");
    ASSERT_TRUE(water.next());
    EXPECT_EQ(water.value(0).toInt(), 3) << "the template's material library";
    vesselDialogs.vessel = MakeVessel();
    ASSERT_GT(vesselDialogs.vessel, 0);
    const long stepID = MakeStep();
    ASSERT_GT(stepID, 0);
    ServiceInstallations installed;
    installed.Install<OperationDialogService>(&vesselDialogs);
    CQUORVANTAView* view = OpenRecipeFromTheExplorer(0, stepID);
    ASSERT_NE(view, nullptr);

    if (view->LineCount() == 0)
        frame->action(ID_INSERT_UNIT_PROCEDURE)->trigger();
    ASSERT_GT(view->LineCount(), 0);
    Click(*view, view->Line(0)->text());
    ClickEditMenu("Insert Batch Operation/Operation A to D/Charge");
    int charge = 0;
    while (charge < view->LineCount() && view->Line(charge)->line().kind != RECIPE_LINE_OPERATION)
        ++charge;
    ASSERT_LT(charge, view->LineCount());
    DoubleClick(view->Line(0)); // the unit procedure's editor puts it in V-1: the charge's text follows
    EXPECT_TRUE(view->Line(charge)->text().startsWith("Charge 100 kg to V-1."))
        << view->Line(charge)->text().toStdString();

    bool edited = false;
    QTimer::singleShot(0, [&] {
        auto* editor = dynamic_cast<COperationEditorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(editor, nullptr);
        auto* material = editor->findChild<QComboBox*>("Choice100005");
        ASSERT_NE(material, nullptr);
        material->setCurrentIndex(material->findText("Water"));
        SaveShellShot(editor, "bw1-charge-editor.png");
        edited = true;
        editor->accept();
    });
    DoubleClick(view->Line(charge));
    ASSERT_TRUE(edited);
    EXPECT_TRUE(view->Line(charge)->text().startsWith("Charge 100 kg of Water to V-1."))
        << view->Line(charge)->text().toStdString();

    frame->SimulateBatch(1, -1, -1, 0);
    EXPECT_NEAR(EngineEntry().getCurrentBatchSizeInKg(stepID), 100.0, 1e-9);
    EXPECT_TRUE(frame->GetStatusBar()->OutcomeText().startsWith(
        "Simulate Batch: step Charging (1.0) completed; batch size 100.00 kg, cycle time "))
        << frame->GetStatusBar()->OutcomeText().toStdString();
    SaveShellShot(frame, "bw1-run.png");
}
