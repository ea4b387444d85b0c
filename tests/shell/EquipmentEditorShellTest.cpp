// The equipment editor from the Facility Explorer of the real application: a vessel made in a new
// project, a rename that the recipe texts follow, refusals that keep the dialog open, and Cancel.

#include "RecipeShellFixture.h"
#include "ScriptedProjectDialogs.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/CommandDispatcher.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/db/connection/SharedDatabases.h"
#include "library/FacilityCommandIds.h"
#include "library/FacilityTree.h"
#include "library/PlantDialog.h"
#include "preferences/emissions/EmissionControlPathTab.h"
#include "preferences/emissions/PreferAirEmissionDialog.h"
#include "preferences/hub/Preference.h"
#include "projects/NewProject.h"
#include "projects/WizardEndDialog.h"
#include "shell/bridge/EquipmentEditorDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSqlRecord>

namespace equipment_editor_test {

constexpr long COUPLING = 1001;

CEquipmentEditorDialog* Editor()
{
    return dynamic_cast<CEquipmentEditorDialog*>(QApplication::activeModalWidget());
}

// Every row the editor may write, as text.
QStringList EquipmentRows()
{
    QStringList rows;
    for (const char* table : {"ActualEquipmentCommon", "ActualEquipmentProperty", "EquipmentClass"}) {
        QSqlQuery query =
            GetSharedEquipmentDB()->Query(QStringLiteral("SELECT * FROM %1 ORDER BY 1").arg(table));
        while (query.next()) {
            QStringList cells{QString::fromLatin1(table)};
            for (int i = 0; i < query.record().count(); ++i)
                cells << query.value(i).toString();
            rows << cells.join('|');
        }
    }
    return rows;
}

QStringList RecipeTexts(long stepID)
{
    QStringList texts;
    QSqlQuery query = GetStepDatabase(stepID)->Query("SELECT RecipeText FROM Operation ORDER BY OperationID");
    while (query.next())
        texts << query.value(0).toString();
    return texts;
}

// Records the steps marked for simulating again, and passes each mark on.
class RecordingResets : public ResultWindowServices {
public:
    RecordingResets() : m_inner(ServiceSlot<ResultWindowServices>::Get())
    {
        m_installed.Install<ResultWindowServices>(this);
    }
    void ResetStepSimulation(long stepID, const QString& mode) override
    {
        resets << QString("%1 %2").arg(stepID).arg(mode);
        if (m_inner)
            m_inner->ResetStepSimulation(stepID, mode);
    }
    QStringList resets;

private:
    ResultWindowServices* m_inner;
    ServiceInstallations m_installed;
};

class EquipmentEditorShellTest : public RecipeShellFixture {
protected:
    void TearDown() override
    {
        if (app->isProjectModified())
            prompts.expect(IDNO); // the save question at exit
        RecipeShellFixture::TearDown();
    }
    CFacilityTree* facilityPane() const
    {
        return qobject_cast<CFacilityTree*>(frame->pane(PaneID::FacilityExplorer)->widget());
    }
    QTreeWidgetItem* item(const QString& text) const
    {
        const QList<QTreeWidgetItem*> found =
            facilityPane()->tree()->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.first();
    }
    // The command on the selected item, with the dialog it opens handled by fill.
    void run(int commandID, QTreeWidgetItem* selected, const std::function<void()>& fill)
    {
        bool filled = false;
        QTimer::singleShot(0, [&] {
            fill();
            filled = true;
        });
        facilityPane()->tree()->setFocus();
        facilityPane()->tree()->setCurrentItem(selected);
        DispatchCommand(commandID, facilityPane());
        EXPECT_TRUE(filled);
    }
};

// A new project's first facility gets a vessel of a class the editor adds, with its capacity and
// minimum volume in the unit library's units; the Facility Explorer shows it, the engine's columns
// and the explorer's property rows hold it, and the project is modified.
TEST_F(EquipmentEditorShellTest, AVesselIsMadeInANewProject)
{
    ScriptedProjectDialogs projectDialogs;
    projectDialogs.expectDialog<CNewProject>([this](CNewProject& dialog) {
        dialog.NameEdit()->setText("Fresh");
        dialog.DirectoryEdit()->setText(m_root.path() + "/Fresh");
        return dialog.OnOK() ? int(IDOK) : int(IDCANCEL);
    });
    frame->action(ID_FILE_NEW)->trigger();
    ASSERT_TRUE(app->IsProjectOpen());
    if (CWizardEndDialog* info = frame->ProjectInfoDialog())
        info->OnOK();
    run(ID_FACILITY_NEW_FACILITY, nullptr, [] {
        auto* dialog = qobject_cast<CPlantDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->nameEdit()->setText("Harbour Works");
        dialog->accept();
    });
    ASSERT_NE(item("Harbour Works"), nullptr);

    run(ID_FACILITY_NEW_EQUIPMENT, item("Harbour Works"), [] {
        CEquipmentEditorDialog* editor = Editor();
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->windowTitle(), "New Equipment");
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::ArrowCursor)
            << "not the command's wait cursor";
        EXPECT_EQ(editor->capacityUnitCombo()->currentText(), "liter");
        EXPECT_GE(editor->capacityUnitCombo()->findText("gal"), 0) << "the unit library's volume units";
        editor->tagEdit()->setText("V-101");
        editor->descriptionEdit()->setText("Receiver for the mother liquor");
        editor->classCombo()->setEditText("Vessel");
        editor->capacityEdit()->setText("4000");
        editor->minimumVolumeEdit()->setText("0.4");
        editor->minimumVolumeUnitCombo()->setCurrentText("Cubic m");
        editor->materialEdit()->setText("SS316L");
        editor->unitsSpin()->setValue(2);
        SaveShellShot(editor, "equipment-editor-new-vessel.png");
        editor->accept();
    });
    ASSERT_NE(item("Vessel"), nullptr);
    ASSERT_NE(item("V-101 (4000.00 liter; SS316L)"), nullptr);
    EXPECT_EQ(item("V-101 (4000.00 liter; SS316L)")->parent(), item("Vessel"));
    EXPECT_EQ(item("Vessel")->parent(), item("Harbour Works"));
    QSqlQuery row = GetSharedEquipmentDB()->Query(
        "SELECT e.Description, c.ClassName, e.EquipmentType, e.Capacity, e.CapacityUOM, e.MinimumVolume,"
        " e.MinimumVolumeUOM, e.MaterialOfConstruction, e.NumberOfUnits, e.Pool, p.PlantName"
        " FROM ActualEquipmentCommon e JOIN EquipmentClass c ON c.EquipmentClassID = e.EquipmentClassID"
        " JOIN Plant p ON p.PlantID = e.PlantID WHERE e.QVTag = 'V-101'");
    ASSERT_TRUE(row.next());
    QStringList stored;
    for (int i = 0; i < 11; ++i)
        stored << row.value(i).toString();
    EXPECT_EQ(stored.join('|'),
              "Receiver for the mother liquor|Vessel|Batch|4000|liter|0.4|Cubic m|SS316L|2|0|Harbour Works");
    EXPECT_TRUE(app->isProjectModified());
}

// R-101 renamed and resized from the Facility Explorer's Edit: the Coupling texts that named it name
// the new tag and no other text changes; the tree shows the new tag and capacity.
TEST_F(EquipmentEditorShellTest, ARenameRegeneratesTheTextsThatNameTheItem)
{
    RecordingResets resets;
    const QStringList before = RecipeTexts(COUPLING);
    ASSERT_TRUE(before.join('\n').contains("to R-101.")) << before.join('\n').toStdString();
    run(ID_FACILITY_EDIT, item("R-101 (2000.00 liter; SS316)"), [] {
        CEquipmentEditorDialog* editor = Editor();
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->windowTitle(), "Edit Equipment R-101");
        EXPECT_EQ(editor->classCombo()->currentText(), "Reactor");
        EXPECT_EQ(editor->capacityEdit()->text(), "2000");
        editor->tagEdit()->setText("R-111");
        editor->capacityEdit()->setText("2200");
        editor->materialEdit()->clear();
        editor->accept();
    });
    QStringList expected = before;
    expected.replaceInStrings("R-101", "R-111");
    EXPECT_EQ(RecipeTexts(COUPLING), expected);
    EXPECT_NE(item("R-111 (2200.00 liter)"), nullptr) << "no material any more";
    EXPECT_EQ(item("R-101 (2000.00 liter; SS316)"), nullptr);
    EXPECT_TRUE(app->isProjectModified());
    EXPECT_TRUE(resets.resets.contains("1001 SimulateOnly"))
        << "the new capacity: the facility's steps run again";
}

// OK is refused, the dialog staying open, for each fault in turn; Cancel then writes nothing, as
// does OK on an unchanged item. A tag is unique in its facility only: another facility takes R-101.
TEST_F(EquipmentEditorShellTest, RefusedEntriesKeepTheDialogAndCancelWritesNothing)
{
    ASSERT_FALSE(app->isProjectModified());
    RecordingResets resets;
    const QStringList rows = EquipmentRows();
    const QStringList texts = RecipeTexts(COUPLING);
    struct Case {
        QString tag, className, capacity, minimum, message;
        QString capacityUnit = QStringLiteral("liter");
    };
    const QList<Case> cases = {
        {"r-101", "Reactor", "2500", "",
         "Ridgemont Pilot Plant already has an equipment item tagged R-101. Please "
         "enter a tag that no other item of the facility has."},
        {" ", "Reactor", "2500", "", "Please enter a tag for the equipment item."},
        {"R-109", "", "2500", "", "Please enter an equipment class."},
        {"R-109", "Reactor", "big", "", "Please enter a number for Capacity."},
        {"R-109", "Reactor", "1e300", "", "Please enter a number for Capacity."},
        {"R-109", "Reactor", "inf", "", "Please enter a number for Capacity."},
        {"R-109", "Reactor", "2500", "nan", "Please enter a number for Minimum Volume."},
        {"R-109", "Reactor", "1e35", "", "Please enter a number for Capacity."},
        {"R-109", "Reactor", "9e34", "", "Please enter a number for Capacity.", "Cubic m"}, // 9e37 litres
        {"R-109", "Reactor", "-5", "", "Please enter a positive number for Capacity."},
        {"R-109", "Reactor", "0", "", "Please enter a positive number for Capacity."},
        {"R-109", "Reactor", "2500", "-1", "Please enter a non-negative number for Minimum Volume."},
        {"R-109", "Reactor", "2500", "", "Please select Unit Of Measure for Capacity!", "Liter"}, // as stored
        {"R-109", "Reactor", "2500", "3000", "The minimum volume may not exceed the capacity."},
    };
    run(ID_FACILITY_EDIT, item("R-102 (2500.00 liter; Glass-lined)"), [&] {
        CEquipmentEditorDialog* editor = Editor();
        ASSERT_NE(editor, nullptr);
        for (const Case& c : cases) {
            editor->tagEdit()->setText(c.tag);
            editor->classCombo()->setEditText(c.className);
            editor->capacityEdit()->setText(c.capacity);
            editor->minimumVolumeEdit()->setText(c.minimum);
            if (editor->capacityUnitCombo()->findText(c.capacityUnit) < 0)
                editor->capacityUnitCombo()->addItem(c.capacityUnit); // as the editor shows a stored unit
            editor->capacityUnitCombo()->setCurrentText(c.capacityUnit);
            prompts.expect(IDOK);
            editor->accept();
            EXPECT_EQ(prompts.lastText(), c.message);
            EXPECT_TRUE(editor->isVisible()) << c.message.toStdString();
        }
        editor->reject();
    });
    run(ID_FACILITY_EDIT, item("R-102 (2500.00 liter; Glass-lined)"), [] { Editor()->accept(); });
    EXPECT_EQ(EquipmentRows(), rows) << "nothing changed, nothing written";
    EXPECT_EQ(RecipeTexts(COUPLING), texts);
    EXPECT_FALSE(app->isProjectModified());
    EXPECT_TRUE(resets.resets.isEmpty());

    run(ID_FACILITY_NEW_EQUIPMENT, item("Eastfield Kilo Lab"), [] {
        CEquipmentEditorDialog* editor = Editor();
        ASSERT_NE(editor, nullptr);
        editor->tagEdit()->setText("R-101");
        editor->classCombo()->setEditText("reactor");
        editor->accept();
    });
    ASSERT_NE(item("Eastfield Kilo Lab"), nullptr);
    ASSERT_EQ(item("Eastfield Kilo Lab")->childCount(), 1);
    EXPECT_EQ(item("Eastfield Kilo Lab")->child(0)->text(0), "Reactor") << "the class, found ignoring case";
    EXPECT_EQ(item("Eastfield Kilo Lab")->child(0)->child(0)->text(0), "R-101");
}

// The "..." of an equipment row on the emission control path page opens the editor on the row's
// item; the row shows the item's new tag afterwards.
TEST_F(EquipmentEditorShellTest, ThePathPagesButtonEditsTheRowsItem)
{
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* hub = qobject_cast<CPreference*>(QApplication::activeModalWidget());
        ASSERT_NE(hub, nullptr);
        QTimer::singleShot(0, [&] {
            auto* sheet = qobject_cast<CPreferAirEmissionDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(sheet, nullptr);
            ASSERT_TRUE(sheet->SetActivePage(3));
            auto* paths = dynamic_cast<CEmissionControlPathTab*>(sheet->GetPage(3));
            ASSERT_NE(paths, nullptr);
            const QString tag = paths->grid()->GetValueRowCol(1, CEmissionControlPathTab::COL_EQUIPMENT);
            QTimer::singleShot(0, [&] {
                CEquipmentEditorDialog* editor = Editor();
                ASSERT_NE(editor, nullptr);
                shown = editor->tagEdit()->text();
                editor->tagEdit()->setText(shown + "A");
                editor->accept();
            });
            paths->grid()->ClickButton(1, CEmissionControlPathTab::COL_EQUIPMENT_MORE);
            EXPECT_EQ(shown, tag);
            EXPECT_EQ(paths->grid()->GetValueRowCol(1, CEmissionControlPathTab::COL_EQUIPMENT), tag + "A");
            sheet->close();
        });
        hub->button(1378)->click();
        hub->reject();
    });
    frame->action(ID_TOOLS_PREFERENCES)->trigger();
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_EQ(
        facilityPane()->tree()->findItems(shown + "A (", Qt::MatchStartsWith | Qt::MatchRecursive).size(), 1)
        << "the Facility Explorer shows the new tag";
}

} // namespace equipment_editor_test
