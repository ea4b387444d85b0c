// The three emission pages in a sheet on the Demo, as a user goes through them: a path changed and
// a row added, a new path made in the path dialog through "...", a worst-case status chosen, a
// gas added; then written as the sheet writes at OK. With QV_SHOTS_DIR set, each state is saved
// as em1-paths-<name>.png there.

#include "EmissionPageFixture.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/controls/QVPropertySheet.h"
#include "modules/opdialog/EmissionControlPathDialog.h"
#include "preferences/emissions/EmissionControlPathTab.h"
#include "preferences/emissions/MaxEmissionModelPreferenceTab.h"
#include "preferences/emissions/NonCondensablePreferenceTab.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>

namespace {

void EmissionShot(QWidget* widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("QV_SHOTS_DIR");
    if (!folder.isEmpty() && QDir().mkpath(folder))
        widget->grab().save(QDir(folder).filePath("em1-paths-" + name + ".png"));
}

class FlarePathScript : public EmissionPathDialogRunner {
public:
    int Run(CEmissionControlPathDialog& dialog) override
    {
        dialog.resize(520, 260);
        dialog.show();
        dialog.nameEdit()->setText("Flare");
        dialog.destinationCombo()->setCurrentIndex(dialog.destinationCombo()->findText("R-102"));
        dialog.streamEdit()->setText("Flare Gas");
        EmissionShot(&dialog, "3-path-dialog");
        return dialog.AddPath() ? QDialog::Accepted : QDialog::Rejected;
    }
};

} // namespace

TEST_F(EmissionPageTest, PagesInASheetWithAPathMadeThroughTheButton)
{
    FlarePathScript script;
    m_installed.Install<EmissionPathDialogRunner>(&script);
    CQVPropertySheet sheet("Vapor Emission Defaults - Preferences");
    sheet.AddPage("Emission Control Paths", [] { return new CEmissionControlPathTab; });
    sheet.AddPage("Worst Case Emissions", [] { return new CMaxEmissionModelPreferenceTab; });
    sheet.AddPage("Non-Condensable Gasses", [] { return new CNonCondensablePreferenceTab; });
    sheet.resize(640, 520);
    sheet.show();
    ASSERT_TRUE(sheet.SetActivePage(0));
    auto* paths = static_cast<CEmissionControlPathTab*>(sheet.GetPage(0));
    EmissionShot(&sheet, "1-opened");
    paths->grid()->SetValueWithItemData(4, 1, "C-201", 201);
    paths->grid()->SetValueWithItemData(4, 3, "Vent Header", 1);
    EmissionShot(&sheet, "2-row-added");
    paths->grid()->ClickButton(2, CEmissionControlPathTab::COL_PATH_MORE);
    EXPECT_EQ(paths->grid()->GetValueRowCol(2, 3), "Flare");
    EmissionShot(&sheet, "4-flare-chosen");

    ASSERT_TRUE(sheet.SetActivePage(1));
    auto* worstCase = static_cast<CMaxEmissionModelPreferenceTab*>(sheet.GetPage(1));
    worstCase->modelCombo()->setCurrentIndex(worstCase->modelCombo()->findData(1004));
    worstCase->OnSelChangeModel();
    worstCase->grid()->SetValueRowCol(3, 2, "Target");
    EmissionShot(&sheet, "5-worst-case");

    ASSERT_TRUE(sheet.SetActivePage(2));
    auto* gases = static_cast<CNonCondensablePreferenceTab*>(sheet.GetPage(2));
    gases->grid()->SetValueWithItemData(2, 1, "Argon", ARGON);
    EmissionShot(&sheet, "6-gases");

    for (int page = 0; page < 3; ++page) {
        auto* emission = static_cast<CEmissionSheetPage*>(sheet.GetPage(page));
        ASSERT_TRUE(emission->CheckEntries());
        EXPECT_EQ(writeLikeSheet(*emission), "wrote") << page;
    }
    EXPECT_EQ(defaultPaths(), "1:101>1 1:102>4 1:301>1 1:201>1");
    EXPECT_EQ(value("SELECT Value FROM \"PREFER-MaximumEmissions\" WHERE AirEmissionModelID = 1004 AND "
                    "Parameter = 'Sweep Gas Temperature'"),
              "Target");
    EXPECT_EQ(value("SELECT group_concat(MaterialID, ' ') FROM \"PREFER-NonCondensableMaterials\""), "1 20");
    sheet.hide();
}
