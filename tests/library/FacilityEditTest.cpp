// Facility dialog saves, lookup entries and the delete cascade on the Demo project.

#include "FacilityFixture.h"
#include "foundation/common/HelpService.h"
#include "foundation/common/ServiceSlot.h"
#include "library/FacilityDelete.h"
#include "library/LookupEntryDialog.h"
#include "library/PlantDialog.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

TEST_F(FacilityFixture, FailingLinkRowLeavesNoPlantRowAndTheDialogOpenThenOkWritesOneEach)
{
    equipment.Execute("CREATE TRIGGER FailLink BEFORE INSERT ON \"Plant-To-Project\" BEGIN "
                      "SELECT RAISE(ABORT, 'link refused'); END");
    CPlantDialog dialog("Add a new Facility");
    dialog.OnInitDialog();
    dialog.nameEdit()->setText("Westgate");
    prompts.expect(IDOK);
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(prompts.lastText().contains("link refused"));
    EXPECT_EQ(Count(equipment, "SELECT COUNT(*) FROM Plant WHERE PlantName = 'Westgate'"), 0);
    equipment.Execute("DROP TRIGGER FailLink");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Count(equipment, "SELECT COUNT(*) FROM Plant WHERE PlantName = 'Westgate'"), 1);
    EXPECT_EQ(Count(equipment, "SELECT COUNT(*) FROM \"Plant-To-Project\" WHERE PlantName = 'Westgate'"), 1);
    EXPECT_EQ(Count(equipment, "SELECT PlantID FROM Plant WHERE PlantName = 'Westgate'"), dialog.plantID());
    EXPECT_EQ(Count(equipment, "SELECT COUNT(*) FROM Plant WHERE PlantName = 'Westgate' AND CalendarID IS NULL"), 1);
}

TEST_F(FacilityFixture, FacilityNameChecks)
{
    struct Case {
        const char* name;
        long edited;
        const char* message;
    };
    const Case cases[] = {
        {"ridgemont pilot plant", -1,
         "The facility name already exists in the database. Please enter a different facility name!"},
        {"Ridgemont Pilot Plant", 1, nullptr}, // its own name while edited
        {"A name of fifty-one characters, one more than allowed", -1, "Please enter no more than 50 characters."}};
    for (const Case& c : cases) {
        CPlantDialog dialog("Facility");
        dialog.SetPlantID(c.edited);
        dialog.setPlantIDValue(c.edited);
        dialog.OnInitDialog();
        dialog.nameEdit()->setText(c.name);
        if (c.message)
            prompts.expect(IDOK);
        dialog.accept();
        EXPECT_EQ(dialog.result() == QDialog::Accepted, c.message == nullptr) << c.name;
        if (c.message) {
            EXPECT_EQ(prompts.lastText(), c.message);
        }
    }
    EXPECT_EQ(Count(equipment, "SELECT COUNT(*) FROM Plant"), 2);
}

TEST_F(FacilityFixture, LookupEntriesAreTrimmedUniqueAndKeyedByFreshIds)
{
    struct Case {
        const LookupEntryKind* kind;
        const char* name;
        const char* message; // null: saved
    };
    const Case cases[] = {{&AREA_ENTRY, "  Bay 2 ", nullptr},
                          {&AREA_ENTRY, "synthesis bay", "The Area name already exists in the database. Please enter "
                                                         "a different Area name!"},
                          {&FACTORY_ENTRY, "   ", "Please specify Factory name!"},
                          {&BUILDING_ENTRY, "Building 2", nullptr}};
    for (const Case& c : cases) {
        CLookupEntryDialog dialog(*c.kind);
        dialog.nameEdit()->setText(c.name);
        if (c.message)
            prompts.expect(IDOK);
        dialog.accept();
        EXPECT_EQ(dialog.result() == QDialog::Accepted, c.message == nullptr) << c.name;
        if (c.message) {
            EXPECT_EQ(prompts.lastText(), c.message);
        }
    }
    EXPECT_EQ(Count(equipment, "SELECT COUNT(*) FROM Area WHERE AreaName = 'Bay 2' AND AreaID NOT IN (0, -1)"), 1);
    EXPECT_EQ(Count(equipment, "SELECT COUNT(*) FROM Building"), 2);
}

class FacilityDeleteTest : public FacilityFixture {
protected:
    // Facility 3 with one item, its properties, a path with its sequence and a device with every
    // detail table; no step runs in it.
    void SetUp() override
    {
        FacilityFixture::SetUp();
        equipment.Execute("INSERT INTO Plant (PlantID, PlantName) VALUES (3, 'Old Works')");
        equipment.Execute("INSERT INTO \"Plant-To-Project\" (PlantID, ProjectID, PlantName) VALUES (3, 1, 'Old Works')");
        equipment.Execute("INSERT INTO ActualEquipmentCommon (ActualEquipmentID, QVTag, EquipmentClassID, PlantID) "
                          "VALUES (950, 'V-9', 1, 3)");
        equipment.Execute("INSERT INTO ActualEquipmentProperty (ActualEquipmentID, PropertyName, DoubleValue) "
                          "VALUES (950, 'Capacity', 3)");
        project().Execute("INSERT INTO TblEmissionControlPath (EmissionControlPathID, PlantID) VALUES (7, 3)");
        project().Execute("INSERT INTO TblECPEquipmentSequence (EmissionControlPathID, EquipmentID) VALUES (7, 950)");
        project().Execute("INSERT INTO TblEmissionControlDevice (PlantID, EquipmentID) VALUES (3, 950)");
        project().Execute("INSERT INTO \"PREFER-DefaultECP\" (PlantID, EquipmentID, EmissionControlPathID) "
                          "VALUES (3, 950, 7)");
        for (const char* table : kDetailTables)
            project().Execute(QString("INSERT INTO %1 (EquipmentID) VALUES (950)").arg(table));
    }
    QList<long> Counts()
    {
        QList<long> counts{Count(equipment, "SELECT COUNT(*) FROM Plant"),
                           Count(equipment, "SELECT COUNT(*) FROM \"Plant-To-Project\""),
                           Count(equipment, "SELECT COUNT(*) FROM ActualEquipmentCommon"),
                           Count(equipment, "SELECT COUNT(*) FROM ActualEquipmentProperty"),
                           Count(project(), "SELECT COUNT(*) FROM TblEmissionControlPath"),
                           Count(project(), "SELECT COUNT(*) FROM TblECPEquipmentSequence"),
                           Count(project(), "SELECT COUNT(*) FROM TblEmissionControlDevice"),
                           Count(project(), "SELECT COUNT(*) FROM \"PREFER-DefaultECP\"")};
        for (const char* table : kDetailTables)
            counts << Count(project(), QString("SELECT COUNT(*) FROM %1").arg(table));
        return counts;
    }
    static constexpr const char* kDetailTables[] = {"TblECDCategoryEfficiency", "TblECDComponentEfficiency",
                                                    "TblECDFlashDetail", "TblECDGeneratedComponent"};
};

TEST_F(FacilityDeleteTest, CascadeRemovesExactlyTheFacilitysRows)
{
    const QList<long> before = Counts();
    prompts.expect(IDYES);
    int refreshed = 0;
    EXPECT_TRUE(DeleteFacility(3, "Old Works", [&] { ++refreshed; }));
    EXPECT_EQ(refreshed, 1);
    const QList<long> after = Counts();
    const QList<long> gone{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    for (int i = 0; i < before.size(); ++i)
        EXPECT_EQ(before[i] - after[i], gone[i]) << i;
}

TEST_F(FacilityDeleteTest, AFailingStatementRollsBothDatabasesBackWithOneMessage)
{
    const char* failures[] = {"BEFORE DELETE ON ActualEquipmentProperty", "BEFORE DELETE ON TblECPEquipmentSequence",
                              "BEFORE DELETE ON TblEmissionControlPath", "BEFORE DELETE ON TblECDFlashDetail",
                              "BEFORE DELETE ON TblEmissionControlDevice", "BEFORE DELETE ON \"PREFER-DefaultECP\"",
                              "BEFORE DELETE ON Plant"};
    const QList<long> before = Counts();
    for (const char* failure : failures) {
        CDaoDatabase& target =
            QString(failure).contains("Tbl") || QString(failure).contains("PREFER") ? project() : equipment;
        target.Execute(QString("CREATE TRIGGER Fail %1 BEGIN SELECT RAISE(ABORT, 'refused'); END").arg(failure));
        prompts.expect(IDYES);
        prompts.expect(IDOK);
        int refreshed = 0;
        EXPECT_FALSE(DeleteFacility(3, "Old Works", [&] { ++refreshed; })) << failure;
        EXPECT_EQ(refreshed, 0);
        EXPECT_EQ(Counts(), before) << failure;
        EXPECT_TRUE(prompts.lastText().contains("refused")) << failure;
        target.Execute("DROP TRIGGER Fail");
    }
}

TEST_F(FacilityDeleteTest, AFacilityInUseOrANoDeletesNothing)
{
    const QList<long> before = Counts();
    prompts.expect(IDNO);
    EXPECT_FALSE(DeleteFacility(3, "Old Works", {}));
    prompts.expect(IDYES);
    prompts.expect(IDOK);
    EXPECT_FALSE(DeleteFacility(1, "Ridgemont Pilot Plant", {}));
    EXPECT_TRUE(prompts.lastText().startsWith("Facility Ridgemont Pilot Plant is used in Process: Amidol (Free Base) "
                                              "Step:Coupling"));
    EXPECT_EQ(Counts(), before);
}

TEST_F(FacilityDeleteTest, EquipmentInUseIsRefusedAndOtherwiseDeletedAndMarked)
{
    prompts.expect(IDOK);
    EXPECT_FALSE(DeleteEquipment(950, "V-9 (3.00 )"));
    EXPECT_EQ(prompts.lastText(), "The equipment V-9 (3.00 ) is used in an emission control path. It cannot be deleted.");
    equipment.Execute("INSERT INTO ActualEquipmentCommon (ActualEquipmentID, QVTag, EquipmentClassID, PlantID) "
                      "VALUES (960, 'V-10', 1, 3)");
    equipment.Execute("INSERT INTO ActualEquipmentProperty (ActualEquipmentID, PropertyName) VALUES (960, 'Capacity')");
    project().Execute("INSERT INTO \"PREFER-DefaultECP\" (PlantID, EquipmentID, EmissionControlPathID) "
                      "VALUES (3, 960, 7)");
    prompts.expect(IDYES);
    EXPECT_TRUE(DeleteEquipment(960, "V-10")) << prompts.lastText().toStdString();
    EXPECT_EQ(Count(equipment, "SELECT COUNT(*) FROM ActualEquipmentProperty WHERE ActualEquipmentID = 960"), 0);
    // Its default path goes with it; the facility's other item keeps its own.
    EXPECT_EQ(Count(project(), "SELECT group_concat(EquipmentID) FROM \"PREFER-DefaultECP\" WHERE PlantID = 3"), 950);
    EXPECT_TRUE(app.isProjectModified());
}

namespace {
class RecordingFacilityHelp : public HelpService {
public:
    RecordingFacilityHelp() { m_installed.Install<HelpService>(this); }
    void DisplayHelp(const QString&, long topic) override { topics << topic; }
    QList<long> topics;

private:
    ServiceInstallations m_installed;
};
} // namespace

// F1 in each dialog shows its own help topic.
TEST_F(FacilityFixture, EachDialogShowsItsHelpTopicOnF1)
{
    RecordingFacilityHelp help;
    CPlantDialog plant("Add a new Facility");
    CLookupEntryDialog area(AREA_ENTRY), factory(FACTORY_ENTRY), building(BUILDING_ENTRY);
    for (QDialog* dialog : std::initializer_list<QDialog*>{&plant, &area, &factory, &building}) {
        QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QCoreApplication::sendEvent(dialog, &f1);
    }
    EXPECT_EQ(help.topics, QList<long>({20008, 20009, 20010, 20011}));
}
