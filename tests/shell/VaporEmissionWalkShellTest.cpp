// Preferences > Vapor Emission in the running program on Demo with the batch run computing air
// emissions: an edit on each of the six pages (Demo's one gas taken off the last), a new control
// path made and chosen through "...";
// OK marks every step for simulating again; saved, closed, reopened and kept. With QV_SHOTS_DIR
// set, each state is kept as em1-walk-<name>.png there (the screen under X, else the window).

#include "RecipeShellFixture.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "modules/opdialog/EmissionControlPathDialog.h"
#include "preferences/emissions/EmissionControlPathTab.h"
#include "preferences/emissions/MaxEmissionModelPreferenceTab.h"
#include "preferences/emissions/NonCondensablePreferenceTab.h"
#include "preferences/emissions/PreferAirEmissionDialog.h"
#include "preferences/emissions/VaporEmissionCtrlEfficiencyTab.h"
#include "preferences/emissions/VaporEmissionModelPreferenceTab.h"
#include "preferences/emissions/VaporEmissionParameterTab.h"
#include "preferences/hub/Preference.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr long WALK_CHARGE_TYPE = 4;
constexpr long WALK_GAS_SWEEP = 1004, WALK_DISPLACEMENT = 1001;

void VaporShot(QWidget* window, const QString& name)
{
    SaveShellShot(window, "em1-walk-" + name + ".png");
}

QString VaporValue(const QString& sql)
{
    QSqlQuery query = GetProjectDatabase()->Query(sql);
    return query.next() ? query.value(0).toString() : QString("no row");
}

int VaporRowOf(CObjectGridWnd* grid, const QString& name)
{
    for (int row = 1; row <= grid->GetRowCount(); ++row)
        if (grid->GetValueRowCol(row, 1) == name)
            return row;
    return -1;
}

// The path dialog as a user fills it: a new path "Flare" ending at R-102, added and chosen.
class FlarePathWalk : public EmissionPathDialogRunner {
public:
    int Run(CEmissionControlPathDialog& dialog) override
    {
        dialog.resize(520, 260);
        dialog.show();
        dialog.nameEdit()->setText("Flare");
        dialog.destinationCombo()->setCurrentIndex(dialog.destinationCombo()->findText("R-102"));
        dialog.streamEdit()->setText("Flare Gas");
        VaporShot(&dialog, "path-dialog");
        return dialog.AddPath() ? QDialog::Accepted : QDialog::Rejected;
    }
};

// Records the steps marked for simulating again and passes each mark on to the program's own.
class RecordingResets : public ResultWindowServices {
public:
    explicit RecordingResets(ResultWindowServices* inner) : m_inner(inner) {}
    void ResetStepSimulation(long stepID, const QString& mode) override
    {
        resets << QString("%1 %2").arg(stepID).arg(mode);
        if (m_inner)
            m_inner->ResetStepSimulation(stepID, mode);
    }
    QStringList resets;

private:
    ResultWindowServices* m_inner;
};

bool WithVaporSheet(CMainFrame* frame, const std::function<void(CPreferAirEmissionDialog&)>& walk)
{
    bool walked = false;
    QTimer::singleShot(0, [&] {
        auto* hub = qobject_cast<CPreference*>(QApplication::activeModalWidget());
        ASSERT_NE(hub, nullptr);
        ASSERT_TRUE(hub->button(1378)->isEnabled());
        QTimer::singleShot(0, [&] {
            auto* sheet = qobject_cast<CPreferAirEmissionDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(sheet, nullptr);
            sheet->resize(760, 560);
            walk(*sheet);
            walked = true;
        });
        hub->button(1378)->click();
        hub->findChild<QPushButton*>(QString::number(IDOK))->click();
    });
    frame->action(ID_TOOLS_PREFERENCES)->trigger();
    return walked;
}
} // namespace

class VaporEmissionWalkShellTest : public RecipeShellFixture {
protected:
    void SetUp() override
    {
        RecipeShellFixture::SetUp();
        frame->setGeometry(0, 0, 1400, 860);
        GetProjectDatabase()->Execute(
            "UPDATE SimulationOptions SET AirEmission = 1 WHERE OptionType = 'BATCH'");
    }
    template <typename Page> Page* Show(CPreferAirEmissionDialog& sheet, int index)
    {
        EXPECT_TRUE(sheet.SetActivePage(index));
        return dynamic_cast<Page*>(sheet.GetPage(index));
    }
    void EditEveryPage(CPreferAirEmissionDialog& sheet)
    {
        auto* models = Show<CVaporEmissionModelPreferenceTab>(sheet, 0);
        ASSERT_NE(models, nullptr);
        models->OperationCombo()->setCurrentIndex(
            models->OperationCombo()->findData(qlonglong(WALK_CHARGE_TYPE)));
        models->OnSelChangeOperation();
        models->Grid()->SetValueWithItemData(1, 2, "Gas Sweep", WALK_GAS_SWEEP);
        models->Grid()->SetValueWithItemData(2, 2, "Displacement", WALK_DISPLACEMENT);
        VaporShot(&sheet, "1-models");

        CObjectGridWnd* parameters = Show<CVaporEmissionParameterTab>(sheet, 1)->Grid();
        parameters->SetValueRowCol(VaporRowOf(parameters, "Headspace Pressure"), 2, "2");
        VaporShot(&sheet, "2-parameters");

        Show<CVaporEmissionCtrlEfficiencyTab>(sheet, 2)->Grid()->SetValueRowCol(2, 2, "80");
        VaporShot(&sheet, "3-efficiencies");

        auto* paths = Show<CEmissionControlPathTab>(sheet, 3);
        paths->grid()->ClickButton(2, CEmissionControlPathTab::COL_PATH_MORE);
        EXPECT_EQ(paths->grid()->GetValueRowCol(2, 3), "Flare");
        VaporShot(&sheet, "4-paths");

        auto* worstCase = Show<CMaxEmissionModelPreferenceTab>(sheet, 4);
        worstCase->modelCombo()->setCurrentIndex(
            worstCase->modelCombo()->findData(qlonglong(WALK_GAS_SWEEP)));
        worstCase->OnSelChangeModel();
        worstCase->grid()->SetValueRowCol(VaporRowOf(worstCase->grid(), "Sweep Gas Temperature"), 2,
                                          "Target");
        VaporShot(&sheet, "5-worst-case");

        auto* gases = Show<CNonCondensablePreferenceTab>(sheet, 5);
        ASSERT_EQ(gases->grid()->GetValueRowCol(1, 1), "Nitrogen"); // Demo's only gas, taken off the list
        gases->grid()->SetValueRowCol(1, 1, "");
        VaporShot(&sheet, "6-gases");
    }
    void ExpectKept()
    {
        EXPECT_EQ(
            VaporValue(
                "SELECT group_concat(SequenceNumber || ':' || AirEmissionModelID, ',') FROM (SELECT * "
                "FROM \"PREFER-AirEmission\" WHERE OperationTypeID = 4 AND EquipmentFieldTypeID = 100501 "
                "ORDER BY SequenceNumber, RowKey)"),
            "1:1004,2:1001");
        EXPECT_EQ(VaporValue("SELECT CurrentDefaultValue || ' ' || CurrentValueUOM FROM OperationDefaults "
                             "WHERE DefaultName = 'Headspace Pressure'"),
                  "2.0 atm");
        EXPECT_EQ(VaporValue("SELECT ControlEfficiency FROM \"PREFER-ControlEfficiency\" "
                             "WHERE ComponentCategory = 'Volatile Organic Compound'"),
                  "80");
        EXPECT_EQ(VaporValue("SELECT p.EmissionControlPathName FROM \"PREFER-DefaultECP\" d JOIN "
                             "TblEmissionControlPath p USING (EmissionControlPathID) WHERE d.PlantID = 1 "
                             "ORDER BY d.RowKey LIMIT 1 OFFSET 1"),
                  "Flare");
        EXPECT_EQ(
            VaporValue("SELECT Value FROM \"PREFER-MaximumEmissions\" WHERE AirEmissionModelID = 1004 AND "
                       "Parameter = 'Sweep Gas Temperature'"),
            "Target");
        EXPECT_EQ(VaporValue("SELECT count(*) FROM \"PREFER-NonCondensableMaterials\""), "0");
    }
};

TEST_F(VaporEmissionWalkShellTest, AnEditOnEveryPageIsKeptAndMarksTheSteps)
{
    FlarePathWalk pathWalk;
    RecordingResets resets(ServiceSlot<ResultWindowServices>::Get());
    ServiceInstallations walkServices;
    walkServices.Install<EmissionPathDialogRunner>(&pathWalk);
    walkServices.Install<ResultWindowServices>(&resets);

    ASSERT_TRUE(WithVaporSheet(frame, [&](CPreferAirEmissionDialog& sheet) {
        EditEveryPage(sheet);
        sheet.OkButton()->click();
        EXPECT_EQ(sheet.result(), IDOK);
    }));
    EXPECT_EQ(resets.resets, QStringList{"-1 SimulateOnly"});
    EXPECT_TRUE(app->isProjectModified());

    ASSERT_TRUE(app->SaveOpenProject());
    ASSERT_TRUE(app->CloseProject(SaveAnswer::Discard));
    ASSERT_TRUE(app->OpenProjectByPath(m_project));
    ExpectKept();
    ASSERT_TRUE(WithVaporSheet(frame, [&](CPreferAirEmissionDialog& sheet) {
        auto* paths = Show<CEmissionControlPathTab>(sheet, 3);
        EXPECT_EQ(paths->grid()->GetValueRowCol(2, 3), "Flare");
        VaporShot(&sheet, "7-reopened-paths");
        EXPECT_EQ(Show<CNonCondensablePreferenceTab>(sheet, 5)->grid()->GetValueRowCol(1, 1), "");
        sheet.PressCancel();
    }));
}
