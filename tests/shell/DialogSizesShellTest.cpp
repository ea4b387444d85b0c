// Every dialog of the table opened in the running program on the Demo project: it fits a 1280x800
// screen, its title is not cut by the title bar, and no caption of a label, button or group box is
// narrower than its text. Sheets and tab dialogs are checked on each of their pages.

#include "RecipeShellFixture.h"

#include "library/LookupEntryDialog.h"
#include "library/PlantDialog.h"
#include "library/UpdateDlg.h"
#include "modules/addnew/AddNewProcessDialog.h"
#include "modules/addnew/AddNewStepDialog.h"
#include "modules/opdialog/NewOperationDialog.h"
#include "modules/opdialog/NewUnitProcedureDialog.h"
#include "planning/NewPlanDialog.h"
#include "planning/ProductionPlanDialog.h"
#include "preferences/costs/CalculatedItemsDialog.h"
#include "preferences/costs/CostFactorPreferenceDialog.h"
#include "preferences/emissions/PreferAirEmissionDialog.h"
#include "preferences/hub/OperationModelPreferenceDialog.h"
#include "preferences/hub/PhysicalPropertyPreferenceDialog.h"
#include "preferences/hub/Preference.h"
#include "preferences/hub/ResultsPreferenceDialog.h"
#include "preferences/hub/RouteSelectionPreferencesDlg.h"
#include "preferences/lists/CommentTypePreferencesDialog.h"
#include "preferences/lists/CustomizeFavOperationDlg.h"
#include "preferences/lists/LaborPreferenceDialog.h"
#include "preferences/lists/OPDefaultsDialog.h"
#include "preferences/lists/RangeTypePreferencesDialog.h"
#include "preferences/lists/StreamCategoryPreferenceDialog.h"
#include "preferences/options/MessageHiddenDlg.h"
#include "preferences/options/ToolOptionDialog.h"
#include "preferences/shared/UpDownControl.h"
#include "preferences/units/ConvertUnitsDialog.h"
#include "preferences/units/UOMPreferencesDialog.h"
#include "projects/NewProject.h"
#include "projects/OpenProjectDialog.h"
#include "projects/SaveAsProjectDialog.h"
#include "projects/WizardEndDialog.h"
#include "recipe/view/FindDialog.h"
#include "results/CaseCompareDialog.h"
#include "results/SelectStepDialog.h"
#include "results/SelectStepOrProjectDialog.h"
#include "shell/bridge/EquipmentEditorDialog.h"
#include "simulation/DefSimSequenceDlg.h"
#include "simulation/ProcessScaleUpDialog.h"
#include "simulation/ScaleUpDialog.h"
#include "simulation/SimDialog.h"
#include "simulation/SimulationBatchOptionsDialog.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

namespace {

constexpr QSize SMALL_SCREEN(1280, 800);
constexpr int TITLE_BAR_HEIGHT = 32;   // what a window manager's title bar takes above the dialog
constexpr int TITLE_BAR_BUTTONS = 120; // its icon and buttons beside the title

using DialogFactory = std::function<QDialog*()>;
struct DialogCase {
    const char* name;
    DialogFactory make;
};

ProcessForm DemoProcessForm()
{
    return ProcessForm{true, 1, "Fine Chemical Intermediate", "1.0", "The sample's process"};
}

StepForm DemoStepForm()
{
    StepForm form;
    form.processLabel = "Fine Chemical Intermediate (1.0)";
    form.name = "Coupling";
    form.version = "1.0";
    form.facilities = {{1, "Pilot Plant"}};
    form.linkable = {{1002, "Crystallization (1.0)"}};
    return form;
}

const DialogCase DIALOG_CASES[] = {
    {"NewProject", [] { return new CNewProject; }},
    {"OpenProject", [] { return new COpenProjectDialog; }},
    {"SaveAsProject", [] { return new CSaveAsProjectDialog(false); }},
    {"WizardEnd", [] { return new CWizardEndDialog; }},
    {"AddNewProcess", [] { return new CAddNewProcessDialog(DemoProcessForm()); }},
    {"AddNewStep", [] { return new CAddNewStepDialog(DemoStepForm()); }},
    {"NewUnitProcedure", [] { return new CNewUnitProcedureDialog("Reaction"); }},
    {"NewOperation", [] { return new CNewOperationDialog("Charge", "Reaction in R-101"); }},
    {"Plant", [] { return new CPlantDialog("New Plant"); }},
    {"EquipmentEditor",
     [] {
         const EquipmentEditorChoices choices{"Edit Equipment R-101",
                                              "Ridgemont Pilot Plant",
                                              {"Reactor"},
                                              {"liter", "Cubic m"},
                                              {{1, "Main Factory"}},
                                              {},
                                              {}};
         EquipmentItemData item;
         item.tag = "R-101";
         item.className = "Reactor";
         return new CEquipmentEditorDialog(choices, item, {});
     }},
    {"LookupArea", [] { return new CLookupEntryDialog(AREA_ENTRY); }},
    {"Update", [] { return new CUpdateDlg; }},
    {"Find", [] { return new CFindDialog; }},
    {"NewPlan", [] { return new CNewPlanDialog; }},
    {"ProductionPlan", [] { return new CProductionPlanDialog(-1); }},
    {"SelectStep", [] { return new CSelectStepDialog; }},
    {"SelectStepOrProject", [] { return new CSelectStepOrProjectDialog; }},
    {"CaseCompare", [] { return new CCaseCompareDialog(SHELL_COUPLING_STEP, "Coupling"); }},
    {"ScaleUp",
     [] {
         return new CScaleUpDialog(SHELL_COUPLING_STEP, 1, ScaleUpSizesKg{100, 100, 200, 50, 80});
     }},
    {"ProcessScaleUp", [] { return new CProcessScaleUpDialog(1); }},
    {"SimulationBatchOptions", [] { return new CSimulationBatchOptionsDialog(SHELL_COUPLING_STEP, -1); }},
    {"DefSimSequence", [] { return new CDefSimSequenceDlg(1, "Weekly"); }},
    {"SimProgress",
     [] {
         auto* dialog = new CSimDialog;
         dialog->Create();
         dialog->setWindowTitle("Tamro Plenthover Simulate Batch");
         return dialog;
     }},
    {"ToolsOptions", [] { return new CToolOptionDialog; }},
    {"Preferences", [] { return new CPreference; }},
    {"OPDefaults", [] { return new COPDefaultsDialog; }},
    {"OperationModels", [] { return new COperationModelPreferenceDialog; }},
    {"RouteSelection", [] { return new CRouteSelectionPreferencesDlg; }},
    {"MessageHidden", [] { return new CMessageHiddenDlg; }},
    {"ResultsPreferences", [] { return new CResultsPreferenceDialog; }},
    {"FavouriteOperations", [] { return new CCustomizeFavOperationDlg; }},
    {"Labor", [] { return new CLaborPreferenceDialog; }},
    {"PhysicalProperties", [] { return new CPhysicalPropertyPreferenceDialog; }},
    {"AirEmission", [] { return new CPreferAirEmissionDialog; }},
    {"UnitSets", [] { return new CUOMPreferencesDialog; }},
    {"CalculatedItems", [] { return new CCalculatedItemsDialog; }},
    {"ConvertUnits", [] { return new CConvertUnitsDialog; }},
    {"CommentTypes", [] { return new CCommentTypePreferencesDialog; }},
    {"RangeTypes", [] { return new CRangeTypePreferencesDialog; }},
    {"StreamCategories", [] { return new CStreamCategoryPreferenceDialog; }},
    {"CostFactors", [] { return new CCostFactorPreferenceDialog; }},
};

QString Describe(const QWidget& widget, const QString& text)
{
    return QStringLiteral("%1 \"%2\"").arg(QString::fromLatin1(widget.metaObject()->className()), text);
}

// The shown widgets of the dialog whose caption is cut: narrower than the text asks for.
QStringList CutCaptions(const QDialog& dialog)
{
    QStringList cut;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->isVisibleTo(&dialog) && !label->wordWrap() && !label->text().isEmpty() &&
            label->width() < label->sizeHint().width())
            cut << Describe(*label, label->text());
    }
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        const bool captioned = qobject_cast<const QCheckBox*>(button) ||
                               qobject_cast<const QRadioButton*>(button) ||
                               qobject_cast<const QPushButton*>(button);
        if (captioned && button->isVisibleTo(&dialog) && !button->text().isEmpty() &&
            button->width() < button->sizeHint().width())
            cut << Describe(*button, button->text());
    }
    for (const QGroupBox* group : dialog.findChildren<QGroupBox*>()) {
        if (group->isVisibleTo(&dialog) && group->width() < group->minimumSizeHint().width())
            cut << Describe(*group, group->title());
    }
    return cut;
}

// Arrows of an up-down control that stick out above or below its edit.
QStringList MisplacedArrows(const QDialog& dialog)
{
    QStringList misplaced;
    for (const CUpDownControl* control : dialog.findChildren<CUpDownControl*>()) {
        if (!control->isVisibleTo(&dialog))
            continue;
        const QRect edit = control->edit()->geometry();
        for (const QWidget* child : control->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (child != control->edit() &&
                (child->geometry().top() < edit.top() - 1 || child->geometry().bottom() > edit.bottom() + 1))
                misplaced << Describe(*control, control->edit()->objectName());
        }
    }
    return misplaced;
}

QStringList FitProblems(const QDialog& dialog)
{
    QStringList problems;
    if (dialog.width() > SMALL_SCREEN.width() || dialog.height() + TITLE_BAR_HEIGHT > SMALL_SCREEN.height())
        problems << QStringLiteral("size %1x%2").arg(dialog.width()).arg(dialog.height());
    const int titleWidth = dialog.fontMetrics().horizontalAdvance(dialog.windowTitle()) + TITLE_BAR_BUTTONS;
    if (dialog.width() < titleWidth)
        problems << QStringLiteral("title \"%1\" needs %2, has %3")
                        .arg(dialog.windowTitle())
                        .arg(titleWidth)
                        .arg(dialog.width());
    return problems + CutCaptions(dialog) + MisplacedArrows(dialog);
}

void Settle()
{
    for (int pass = 0; pass < 5; ++pass)
        QCoreApplication::processEvents();
}

// With QV_SHOTS_DIR set, the dialog's picture as dlg-<name>.png there.
void DialogShot(QWidget& dialog, const QString& name)
{
    const QString folder = qEnvironmentVariable("QV_SHOTS_DIR");
    if (!folder.isEmpty() && QDir().mkpath(folder))
        dialog.grab().save(QDir(folder).filePath("dlg-" + name + ".png"));
}

} // namespace

class DialogSizesShellTest : public RecipeShellFixture, public ::testing::WithParamInterface<DialogCase> {};

TEST_P(DialogSizesShellTest, FitsASmallScreenWithEveryCaptionWhole)
{
    std::unique_ptr<QDialog> dialog(GetParam().make());
    ASSERT_NE(dialog, nullptr);
    dialog->show();
    Settle();
    const QString name = QString::fromLatin1(GetParam().name);
    DialogShot(*dialog, name);
    QStringList problems = FitProblems(*dialog);
    for (QTabBar* tabs : dialog->findChildren<QTabBar*>()) {
        for (int page = 0; page < tabs->count(); ++page) {
            tabs->setCurrentIndex(page);
            Settle();
            DialogShot(*dialog, name + '-' + QString::number(page));
            for (const QString& problem : FitProblems(*dialog))
                problems << tabs->tabText(page) + ": " + problem;
        }
    }
    problems.removeDuplicates();
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
    dialog->hide();
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogSizesShellTest, ::testing::ValuesIn(DIALOG_CASES),
                         [](const auto& info) { return std::string(info.param.name); });
