// The plan dialog's shared-exclusive equipment: batch items of the campaign steps per facility,
// chosen by id whatever their tags, reselected by facility id, pruned at save only when every
// campaign step's equipment was read.

#include "PlanDialogFixture.h"
#include "ScriptedPrompts.h"
#include "foundation/controls/QVGridWnd.h"
#include "foundation/db/connection/DaoDatabase.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QPushButton>

namespace {
QStringList ComboTexts(QComboBox* combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

QStringList ListTexts(QListWidget* list, bool selectedOnly = false)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) {
        if (!selectedOnly || list->item(i)->isSelected())
            texts << list->item(i)->text();
    }
    return texts;
}

void ChooseFacility(CProductionPlanDialog& dialog, const QString& name)
{
    auto* combo = dialog.findChild<QComboBox*>("1179");
    combo->setCurrentIndex(combo->findText(name));
    dialog.OnSelChangeFacility();
}

void SelectTag(CProductionPlanDialog& dialog, const QString& tag, bool selected = true)
{
    auto* list = dialog.findChild<QListWidget*>("1034");
    for (QListWidgetItem* item : list->findItems(tag, Qt::MatchExactly))
        item->setSelected(selected);
}
} // namespace

class PlanDialogEquipmentTest : public PlanDialogFixture {
protected:
    QComboBox* Facilities(CProductionPlanDialog& dialog) { return dialog.findChild<QComboBox*>("1179"); }
    QListWidget* Equipment(CProductionPlanDialog& dialog) { return dialog.findChild<QListWidget*>("1034"); }
};

TEST_F(PlanDialogEquipmentTest, OffersOnlyBatchItemsOfTheCampaignStepsPerFacility)
{
    // A deleted unit procedure keeps its row but has no recipe line: its item is not used.
    app.stepDatabases().database(REACTION)->Execute(
        "INSERT INTO UnitProcedure (UnitProcedureName, PrimaryEquipmentID) VALUES ('Gone', 602)");
    auto dialog = OpenDialog();
    // The process runs Reaction (first facility) and Separation (second); the cleaning step V-301.
    // Without a main window the lists keep their table and candidate order.
    EXPECT_EQ(ComboTexts(Facilities(*dialog)), QStringList({"", "Works Two", "Works"}));
    EXPECT_EQ(Facilities(*dialog)->currentText(), "Works Two");
    EXPECT_EQ(ListTexts(Equipment(*dialog)), QStringList({"R-101", "V-301"}));
    ChooseFacility(*dialog, "Works");
    EXPECT_EQ(ListTexts(Equipment(*dialog)), QStringList({"R-101", "F-201"}));
    QList<long> ids;
    for (const CandidateEquipment& c : dialog->Candidates())
        ids << c.equipmentID;
    EXPECT_EQ(ids, QList<long>({501, 601, 602, 506}));
}

TEST_F(PlanDialogEquipmentTest, EqualTagsOfTwoFacilitiesAreChosenAndSavedByTheirIds)
{
    auto dialog = OpenDialog();
    SelectTag(*dialog, "R-101");
    ChooseFacility(*dialog, "Works");
    EXPECT_EQ(Facilities(*dialog)->currentText(), "Works"); // by id, not the first name "Works..."
    EXPECT_TRUE(ListTexts(Equipment(*dialog), true).isEmpty());
    SelectTag(*dialog, "R-101");
    dialog->OnOK();
    ASSERT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(SharedEquipment(), QList<long>({501, 601}));

    auto again = OpenDialog();
    EXPECT_EQ(ListTexts(Equipment(*again), true), QStringList({"R-101"}));
    ChooseFacility(*again, "Works");
    EXPECT_EQ(ListTexts(Equipment(*again), true), QStringList({"R-101"}));
}

TEST_F(PlanDialogEquipmentTest, ACampaignAddedLaterOffersItsEquipmentAndARemovedOneTakesItsChoicesAlong)
{
    ExecuteProject("DELETE FROM PlanRequirements WHERE StepOrProcess = 'process'");
    ExecuteProject("INSERT INTO SharedExclusiveEquipment (EquipmentID, PlanID) VALUES (506, 1), (601, 1)");
    auto dialog = OpenDialog();
    EXPECT_EQ(ComboTexts(Facilities(*dialog)), QStringList({"", "Works Two"}));
    // A blank row before the new campaign does not hide it.
    PlanDialogFixture::SetRow(*dialog, 5, "Separation(1)|2|kg");
    ChooseFacility(*dialog, "Works Two");
    EXPECT_EQ(ComboTexts(Facilities(*dialog)), QStringList({"", "Works Two", "Works"}));
    ChooseFacility(*dialog, "Works");
    EXPECT_EQ(ListTexts(Equipment(*dialog), true), QStringList({"R-101"}));
    PlanDialogFixture::SetRow(*dialog, 1, "");
    dialog->OnOK();
    ASSERT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(SharedEquipment(), QList<long>({601}));
}

TEST_F(PlanDialogEquipmentTest, ChoicesOfAStepWhoseEquipmentWasNotReadStayAtSave)
{
    ExecuteProject("INSERT INTO SharedExclusiveEquipment (EquipmentID, PlanID) VALUES (602, 1)");
    app.stepDatabases().database(SEPARATION)->Execute("DROP TABLE UnitProcedure");
    prompts.expect(IDOK);
    auto dialog = OpenDialog();
    EXPECT_EQ(prompts.lastText(), "Cannot open Step Equipment Database!");
    ASSERT_TRUE(dialog->IsLoadComplete());
    prompts.expect(IDOK);
    dialog->OnOK();
    ASSERT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(SharedEquipment(), QList<long>({602}));
}

TEST_F(PlanDialogEquipmentTest, AnUnreadableEquipmentTableLeavesOkDisabled)
{
    ExecuteProject("ALTER TABLE SharedExclusiveEquipment RENAME TO Elsewhere");
    prompts.expect(IDOK);
    auto dialog = OpenDialog();
    EXPECT_EQ(prompts.lastText(), "Can't open Shared Exclusive Equipment Database!");
    EXPECT_FALSE(dialog->IsLoadComplete());
    EXPECT_FALSE(dialog->findChild<QPushButton*>("1")->isEnabled());
}

// With QV_SHOTS_DIR set, pictures of the dialog as pl2-dialog-<name>.png there: a process, the
// cleaning step in batches and R-101 shared; after an export, an import and OK.
TEST_F(PlanDialogEquipmentTest, PicturesOfEditExportImportAndOk)
{
    const QString shots = qEnvironmentVariable("QV_SHOTS_DIR");
    const auto picture = [&shots](QWidget& widget, const QString& name) {
        if (!shots.isEmpty())
            widget.grab().save(QDir(shots).filePath("pl2-dialog-" + name + ".png"));
    };
    ExecuteProject("INSERT INTO SharedExclusiveEquipment (EquipmentID, PlanID) VALUES (501, 1)");
    auto dialog = OpenDialog();
    dialog->show();
    QApplication::processEvents();
    EXPECT_EQ(ListTexts(Equipment(*dialog), true), QStringList({"R-101"}));
    picture(*dialog, "edit");
    ScriptedFileDialogService files;
    const QString path = folder + "plan.txt";
    files.expect(path);
    dialog->OnExportPlan();
    picture(*dialog, "export");
    dialog->Grid()->SetCurrentCell(3, 1);
    files.expect(path);
    dialog->OnImportPlan();
    QApplication::processEvents();
    EXPECT_EQ(dialog->Grid()->GetValueRowCol(4, 1), "Clean(1)");
    picture(*dialog, "import");
    PlanDialogFixture::SetRow(*dialog, 3, "");
    PlanDialogFixture::SetRow(*dialog, 4, "");
    dialog->OnOK();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(Requirements().size(), 2);
    picture(*dialog, "ok");
}
