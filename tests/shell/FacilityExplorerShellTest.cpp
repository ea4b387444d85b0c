// The Facility Explorer in the real application: the Demo's facilities and equipment at open, an
// empty pane after close.

#include "RecipeShellFixture.h"
#include "foundation/common/concerns/CommandDispatcher.h"
#include "library/FacilityCommandIds.h"
#include "library/FacilityTree.h"
#include "library/PlantDialog.h"
#include "modules/calendar/DialogCalendar.h"
#include "shell/bridge/ManagedSideStandIn.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>

// With QV_SHOTS_DIR set, the widget's picture as l1-<name>.png there.
void Shot(QWidget* widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("QV_SHOTS_DIR");
    if (!folder.isEmpty() && QDir().mkpath(folder))
        widget->grab().save(QDir(folder).filePath("l1-" + name + ".png"));
}

class FacilityExplorerShellTest : public RecipeShellFixture {
protected:
    CFacilityTree* facilityPane() const
    {
        return qobject_cast<CFacilityTree*>(frame->pane(PaneID::FacilityExplorer)->widget());
    }
    QTreeWidget* facilityTree() const { return facilityPane() ? facilityPane()->tree() : nullptr; }
    QTreeWidgetItem* facility(const QString& name) const
    {
        const QList<QTreeWidgetItem*> found = facilityTree()->findItems(name, Qt::MatchExactly);
        return found.isEmpty() ? nullptr : found.first();
    }
    void run(int commandID, QTreeWidgetItem* selected)
    {
        facilityTree()->setFocus();
        facilityTree()->setCurrentItem(selected);
        DispatchCommand(commandID, facilityPane());
    }
};

// The calendar editor, from the facility dialog: a calendar with working windows and an exception.
void FillCalendarEditor()
{
    auto* editor = qobject_cast<CDialogCalendar*>(QApplication::activeModalWidget());
    ASSERT_NE(editor, nullptr);
    editor->nameEdit()->setText("Late Shift");
    editor->OnAddCalendar();
    editor->dayCombo()->setCurrentIndex(1);
    editor->dayWindowsEdit()->setText("14:00-22:00, 22:00-24:00");
    editor->OnSetDayWindows();
    editor->exceptionFromEdit()->setText("2026-12-24");
    editor->exceptionToEdit()->setText("2026-12-26");
    editor->exceptionWindowsEdit()->setText("08:00-12:00");
    editor->OnSetException();
    Shot(editor, "calendar");
    editor->accept();
}

TEST_F(FacilityExplorerShellTest, TheDemoShowsItsPlantsAndTheirEquipment)
{
    QTreeWidget* tree = facilityTree();
    ASSERT_NE(tree, nullptr);
    QStringList facilities;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        facilities << tree->topLevelItem(i)->text(0);
    EXPECT_EQ(facilities, QStringList({"Eastfield Kilo Lab", "Ridgemont Pilot Plant"}));
    QTreeWidgetItem* plant = tree->topLevelItem(1);
    ASSERT_GT(plant->childCount(), 0);
    EXPECT_GT(plant->child(0)->childCount(), 0);
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 0);

    tree->setCurrentItem(plant->child(0)->child(0));
    EXPECT_EQ(GetSelectedFacilityID(), CProjectGenerator::PLANT_ID);

    ASSERT_TRUE(app->CloseProject(SaveAnswer::Discard));
    EXPECT_EQ(tree->topLevelItemCount(), 0);
}

// New Equipment reaches the managed side's editor with the selected facility, and the tree is
// filled again afterwards.
TEST_F(FacilityExplorerShellTest, NewEquipmentOpensTheManagedEditorOfTheSelectedFacility)
{
    CManagedSideStandIn side;
    IManagedSide* previous = SetManagedSide(&side);
    QTreeWidget* tree = facilityTree();
    ASSERT_NE(tree, nullptr);
    tree->setFocus();
    tree->setCurrentItem(tree->topLevelItem(1));
    QString shownFacility;
    QTimer::singleShot(0, [&shownFacility] {
        QWidget* editor = QApplication::activeModalWidget();
        ASSERT_TRUE(editor && editor->objectName() == "EquipmentEditor");
        shownFacility = editor->findChild<QLineEdit*>("Facility")->text();
        editor->close();
    });
    DispatchCommand(ID_FACILITY_NEW_EQUIPMENT, facilityPane());
    EXPECT_EQ(shownFacility, "Ridgemont Pilot Plant");
    SetManagedSide(previous);
    EXPECT_EQ(side.notifications(),
              QStringList{QString("InvokeDataEquipment %1 -1").arg(CProjectGenerator::PLANT_ID)});
    EXPECT_EQ(tree->topLevelItemCount(), 2);
}

// A new facility on a new calendar, the Demo's plant refused for deletion, the new facility
// deleted, an export, then save and reopen: the calendar is kept, the deleted facility gone.
TEST_F(FacilityExplorerShellTest, AFacilityWalkIsKeptAcrossSaveAndReopen)
{
    ScriptedFileDialogService files;
    frame->pane(PaneID::FacilityExplorer)->raise();
    Shot(frame, "demo");
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CPlantDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->nameEdit()->setText("Westgate Works");
        QTimer::singleShot(0, FillCalendarEditor);
        dialog->calendarButton()->click();
        Shot(dialog, "new-facility");
        dialog->accept();
    });
    run(ID_FACILITY_NEW_FACILITY, nullptr);
    ASSERT_NE(facility("Westgate Works"), nullptr);
    EXPECT_EQ(facilityTree()->currentItem(), facility("Westgate Works"));
    Shot(frame, "facility-added");

    prompts.expect(IDYES);
    prompts.expect(IDOK);
    run(ID_FACILITY_DELETE, facility("Ridgemont Pilot Plant"));
    EXPECT_TRUE(prompts.lastText().startsWith("Facility Ridgemont Pilot Plant is used in Process"));
    prompts.expect(IDYES);
    run(ID_FACILITY_DELETE, facility("Westgate Works"));
    EXPECT_EQ(facility("Westgate Works"), nullptr);

    const QString workbook = m_root.path() + "/Demo/equipment.xlsx";
    files.expect(workbook);
    run(ID_FACILITY_EXPORT, facility("Ridgemont Pilot Plant"));
    EXPECT_TRUE(QFile::exists(workbook));
    Shot(frame, "after-deletes");

    ASSERT_TRUE(app->SaveOpenProject());
    ASSERT_TRUE(app->CloseProject(SaveAnswer::Discard));
    ASSERT_TRUE(app->OpenProjectByPath(m_project));
    EXPECT_NE(facility("Ridgemont Pilot Plant"), nullptr);
    EXPECT_EQ(facility("Westgate Works"), nullptr);
    QSqlQuery calendar = GetProjectDatabase()->Query("SELECT count(*) FROM TblCalendar WHERE CalendarName = 'Late Shift'");
    EXPECT_TRUE(calendar.next() && calendar.value(0).toInt() == 1);
    Shot(frame, "reopened");
}
