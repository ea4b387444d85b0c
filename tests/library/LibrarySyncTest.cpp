// Synchronisation of the LibraryDemo sample through the library component's stand-in: what is out
// of date, what an applied item writes, how clashes are settled, and that a cancelled or failed
// apply writes nothing.

#include "LibrarySyncFixture.h"

#include "foundation/common/UniqueID.h"

#include <QFile>
#include <functional>
#include <sqlite3.h>

namespace {

const QString QUESTION = "Would you like to syncronize %1 imported component(s) with your database?";
const QString FAILED = "The following imported component(s) could not be updated:\n";
const QString WATER_2_TAKEN =
    "Water (2) already exists in the current Project.\nPlease enter a new name for Water in the imported Data.";
const QString MISSING_COMPONENT =
    "A component needed to check for updates in remote %1 databases is missing.  To reregister the component "
    "please contact your support represenative or perform the following command from a command prompt "
    "while in the Tamro Plenthover bin directory :\n  "
    "C:\\WINDOWS\\Microsoft.NET\\Framework\\v4.0.30319\\regasm.exe Ravelstock.dll  /register";
using Dialogs = ScriptedLibraryDialogs;

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

TEST_F(LibrarySyncFixture, YesUpdatesTheChosenItemsSettlingTheirClashes)
{
    prompts.expect(IDYES);
    dialogs.expectList(std::vector<bool>{true, true, true});
    dialogs.expectClash(Dialogs::External({"Water (2)", "Library Water"}));
    prompts.expect(IDOK); // "Water (2)" is taken
    dialogs.expectClash(Dialogs::Current());
    Synchronise();
    EXPECT_EQ(prompts.texts(), (QStringList{QUESTION.arg(3), WATER_2_TAKEN}));
    EXPECT_EQ(dialogs.lists(), (QList<QStringList>{{"Methanol", "Wash Solvent", "R-101"}}));
    EXPECT_EQ(dialogs.clashTexts(),
              (QStringList{"The material Water exists in both the current Project and the imported Data.",
                           "The equipment Reactor exists in both the current Project and the imported Data."}));
    EXPECT_DOUBLE_EQ(Value(materials, "SELECT DoubleValue FROM ActualMaterialProperty WHERE MaterialID = 4").toDouble(),
                     32.042);
    // The clashing component under its new name and its own id, the other one brought as it is.
    EXPECT_EQ(Value(materials, "SELECT group_concat(c.MaterialName || '=' || m.ComponentID, ',') FROM Mixture m "
                               "JOIN ActualMaterialCommon c ON c.MaterialID = m.ComponentID WHERE m.MaterialID = 20")
                  .toString(),
              "Library Water=504,Acetone=505");
    EXPECT_EQ(Value(materials, "SELECT group_concat(LocalID || ':' || ServerID, ',') FROM LibraryMapping").toString(),
              "504:504,505:505");
    EXPECT_EQ(Value(materials, "SELECT count(*) FROM LibraryImport WHERE ImportStamp = ?",
                    {CLibraryDemo::LIBRARY_STAMP})
                  .toInt(),
              5); // Toluene, Methanol, Wash Solvent and the two components
    // R-101 keeps its place and takes the project's Reactor class.
    EXPECT_EQ(Value(equipment, "SELECT EquipmentClassID || '/' || PlantID || '/' || Capacity || '/' || "
                               "MaterialOfConstruction FROM ActualEquipmentCommon WHERE ActualEquipmentID = 101")
                  .toString(),
              "1/1/2200.0/SS316L");
    EXPECT_TRUE(app.isProjectModified());
    prompts.clear();
    Synchronise(); // all current now: no question, no list
    EXPECT_TRUE(prompts.texts().isEmpty());
}

TEST_F(LibrarySyncFixture, MissingComponentShowsBothMessagesAndNoQuestion)
{
    SetLibraryComponent(nullptr);
    prompts.expect(IDOK);
    prompts.expect(IDOK);
    Synchronise();
    EXPECT_EQ(prompts.texts(),
              (QStringList{MISSING_COMPONENT.arg("material"), MISSING_COMPONENT.arg("equipment")}));
}

// A library that is gone, or an import without a location, is never listed.
TEST_F(LibrarySyncFixture, ItemsOfAMissingLibraryOrWithoutLocationAreSkipped)
{
    ASSERT_TRUE(DeleteDatabaseFile(Library(CLibraryDemo::EquipmentLibraryLocation())));
    materials.Execute("UPDATE LibraryImport SET ServerLocation = '' WHERE LocalID = 4");
    prompts.expect(IDYES);
    dialogs.expectList(std::nullopt);
    Synchronise();
    EXPECT_EQ(prompts.texts(), QStringList{QUESTION.arg(1)});
    EXPECT_EQ(dialogs.lists(), QList<QStringList>{{"Wash Solvent"}});
}

// A library that cannot be opened or read is reported, not passed over: the collect of its kind
// shows the kind's message with the library's description on a line of its own and lists none of
// the kind's items; the other kind goes on.
struct UnreadableLibraryCase {
    const char* name;
    bool equipment;                                  // the equipment library, else the material one
    std::function<void(const QString& path)> damage; // done to the library file; none: locked
    const char* description;                         // "<path>" for the library's
    friend void PrintTo(const UnreadableLibraryCase& c, std::ostream* out) { *out << c.name; }
};

class UnreadableLibraryTest : public LibrarySyncFixture,
                              public ::testing::WithParamInterface<UnreadableLibraryCase> {
protected:
    void TearDown() override
    {
        sqlite3_close(m_lock);
        LibrarySyncFixture::TearDown();
    }
    // Another program in the middle of writing the library.
    void Lock(const QString& path)
    {
        ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &m_lock), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(m_lock, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    }

private:
    sqlite3* m_lock = nullptr;
};

// Garbage over the first page of the library's item table; the schema stays readable.
void DamageItemTable(const QString& path)
{
    sqlite3* library = nullptr;
    sqlite3_stmt* query = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &library), SQLITE_OK);
    sqlite3_prepare_v2(library,
                       "SELECT rootpage, (SELECT page_size FROM pragma_page_size) FROM sqlite_master "
                       "WHERE name = 'ActualEquipmentCommon'",
                       -1, &query, nullptr);
    ASSERT_EQ(sqlite3_step(query), SQLITE_ROW);
    const qint64 root = sqlite3_column_int64(query, 0), page = sqlite3_column_int64(query, 1);
    sqlite3_finalize(query);
    sqlite3_close(library);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.seek((root - 1) * page));
    file.write(QByteArray(int(page), '\x5a'));
}

TEST_P(UnreadableLibraryTest, IsReportedWithItsDescriptionAndItsKindListsNothing)
{
    const UnreadableLibraryCase& c = GetParam();
    const QString path = Library(c.equipment ? CLibraryDemo::EquipmentLibraryLocation()
                                             : CLibraryDemo::MaterialLibraryLocation());
    if (c.damage)
        c.damage(path);
    else
        Lock(path);
    prompts.expect(IDYES);
    prompts.expect(IDOK);
    dialogs.expectList(std::nullopt);
    Synchronise();
    EXPECT_EQ(prompts.texts(), (QStringList{QUESTION.arg(c.equipment ? 2 : 1),
                                            MISSING_COMPONENT.arg(c.equipment ? "equipment" : "material") +
                                                "\n" + QString(c.description).replace("<path>", path)}));
    EXPECT_EQ(dialogs.lists(), (QList<QStringList>{c.equipment ? QStringList{"Methanol", "Wash Solvent"}
                                                               : QStringList{"R-101"}}));
}

INSTANTIATE_TEST_SUITE_P(
    Libraries, UnreadableLibraryTest,
    ::testing::Values(UnreadableLibraryCase{"Locked", false, nullptr,
                                            "The file '<path>' is not a database: database is locked"},
                      UnreadableLibraryCase{"NoDatabase", false,
                                            [](const QString& path) { WriteFile(path, "no database"); },
                                            "The file '<path>' is not a database: file is not a database"},
                      UnreadableLibraryCase{
                          "DamagedItemTable", true, DamageItemTable,
                          "The library '<path>' cannot be read: database disk image is malformed"}),
    [](const auto& info) { return std::string(info.param.name); });

// Both components clash: the first prompt keeps the project's Water but leaves the box unticked,
// the second is cancelled. Nothing of the item is written, and it is listed as not updated.
TEST_F(LibrarySyncFixture, CancelAtTheSecondClashLeavesEveryRowAsItWas)
{
    materials.Execute("INSERT INTO ActualMaterialCommon (MaterialID, MaterialName) VALUES (30, 'Acetone')");
    const QStringList before = Dump(materials);
    prompts.expect(IDYES);
    dialogs.expectList(std::vector<bool>{false, true, false});
    dialogs.expectClash(Dialogs::Current(false));
    dialogs.expectClash(Dialogs::Cancel());
    prompts.expect(IDOK);
    Synchronise();
    EXPECT_EQ(Dump(materials), before);
    EXPECT_EQ(prompts.lastText(), FAILED + "Wash Solvent");
    EXPECT_FALSE(app.isProjectModified());
}

// "For all remaining" ticked: the second clash takes the project's item without a prompt.
TEST_F(LibrarySyncFixture, TickedForAllRemainingSettlesLaterClashesSilently)
{
    materials.Execute("INSERT INTO ActualMaterialCommon (MaterialID, MaterialName) VALUES (30, 'Acetone')");
    prompts.expect(IDYES);
    dialogs.expectList(std::vector<bool>{false, true, false});
    dialogs.expectClash(Dialogs::Current(true));
    Synchronise();
    EXPECT_EQ(Value(materials, "SELECT group_concat(ComponentID, ',') FROM Mixture WHERE MaterialID = 20").toString(),
              "2,30");
}

// A name given to one component cannot be given to the next one of the same apply.
TEST_F(LibrarySyncFixture, OneNewNameGivenTwiceIsRefused)
{
    materials.Execute("INSERT INTO ActualMaterialCommon (MaterialID, MaterialName) VALUES (30, 'Acetone')");
    prompts.expect(IDYES);
    dialogs.expectList(std::vector<bool>{false, true, false});
    dialogs.expectClash(Dialogs::External({"Solvent A"}));
    dialogs.expectClash(Dialogs::External({"Solvent A", "Solvent B"}));
    prompts.expect(IDOK);
    Synchronise();
    EXPECT_EQ(prompts.lastText(), "Solvent A already exists in the current Project.\nPlease enter a new name for "
                                  "Acetone in the imported Data.");
    EXPECT_EQ(Value(materials, "SELECT group_concat(c.MaterialName, ',') FROM Mixture m JOIN ActualMaterialCommon c "
                               "ON c.MaterialID = m.ComponentID WHERE m.MaterialID = 20")
                  .toString(),
              "Solvent A,Solvent B");
}

// A copy whose id is taken in the project gets a new one outside the kept range.
TEST_F(LibrarySyncFixture, ComponentAndClassWhoseIDsAreTakenGetNewOnes)
{
    materials.Execute("INSERT INTO ActualMaterialCommon (MaterialID, MaterialName) VALUES (505, 'Ethanol')");
    EditLibrary(CLibraryDemo::EquipmentLibraryLocation(), "UPDATE EquipmentClass SET ClassName = 'Vessel'");
    equipment.Execute("INSERT INTO EquipmentClass (EquipmentClassID, ClassName) VALUES (7, 'Dryer 7')");
    prompts.expect(IDYES);
    dialogs.expectList(std::vector<bool>{false, true, true});
    dialogs.expectClash(Dialogs::Current());
    Synchronise();
    const long acetone = Value(materials, "SELECT MaterialID FROM ActualMaterialCommon WHERE MaterialName = 'Acetone'").toLongLong();
    EXPECT_NE(acetone, 505);
    EXPECT_FALSE(IdRange({10000, 39999}).contains(acetone));
    const long vessel = Value(equipment, "SELECT EquipmentClassID FROM EquipmentClass WHERE ClassName = 'Vessel'").toLongLong();
    EXPECT_FALSE(IdRange({100001, 1000000}).contains(vessel));
    EXPECT_NE(vessel, 7);
    EXPECT_EQ(Value(equipment, "SELECT EquipmentClassID FROM ActualEquipmentCommon WHERE ActualEquipmentID = 101").toLongLong(),
              vessel);
}

// Column names of a library file reach the project's statements quoted, and only those the project
// table has: a name holding a quote is copied like any other, a name written to look like SQL
// changes nothing, and a column the project lacks is left behind. Both an update of an imported
// item and the insert of a new component go this way.
TEST_F(LibrarySyncFixture, LibraryColumnNamesAreQuotedAndOnlyTheProjectsOwnAreWritten)
{
    const QString library = CLibraryDemo::MaterialLibraryLocation();
    for (const char* column : {R"("Odd""Name")", R"("MaterialName"" = 'Hijacked', ""Alias")", "LibraryOnly"})
        EditLibrary(
            library,
            QStringLiteral("ALTER TABLE ActualMaterialCommon ADD COLUMN %1 TEXT DEFAULT 'from the library'")
                .arg(QString::fromLatin1(column)));
    EditLibrary(library,
                "ALTER TABLE ActualMaterialProperty ADD COLUMN LibraryOnly TEXT DEFAULT 'from the library'");
    materials.Execute(R"(ALTER TABLE ActualMaterialCommon ADD COLUMN "Odd""Name" TEXT)");
    prompts.expect(IDYES);
    dialogs.expectList(std::vector<bool>{true, true, false});
    dialogs.expectClash(Dialogs::External({"Library Water"}));
    Synchronise();
    EXPECT_EQ(prompts.texts(), QStringList{QUESTION.arg(3)});
    EXPECT_EQ(Value(materials,
                    R"(SELECT group_concat(MaterialName || '=' || "Odd""Name", ',') FROM )"
                    R"((SELECT * FROM ActualMaterialCommon WHERE "Odd""Name" IS NOT NULL ORDER BY 1))")
                  .toString(),
              "Methanol=from the library,Wash Solvent=from the library,Library Water=from the library,"
              "Acetone=from the library");
    EXPECT_DOUBLE_EQ(
        Value(materials, "SELECT DoubleValue FROM ActualMaterialProperty WHERE MaterialID = 4").toDouble(),
        32.042);
}

// A write of the copy that fails (the k-th of its kind) rolls the whole item back.
class FailingCopyWriteTest : public LibrarySyncFixture, public ::testing::WithParamInterface<const char*> {};

TEST_P(FailingCopyWriteTest, LeavesEveryRowAsItWas)
{
    materials.Execute(QStringLiteral("CREATE TRIGGER FailingWrite BEFORE INSERT ON %1 "
                                     "WHEN (SELECT count(*) FROM %1) >= (SELECT count(*) FROM %1 WHERE 0) + %2 "
                                     "BEGIN SELECT RAISE(ABORT, 'disk full'); END")
                          .arg(QString::fromLatin1(GetParam()).section(':', 0, 0),
                               QString::fromLatin1(GetParam()).section(':', 1)));
    const QStringList before = Dump(materials);
    prompts.expect(IDYES);
    dialogs.expectList(std::vector<bool>{false, true, false});
    dialogs.expectClash(Dialogs::External({"Library Water"}));
    prompts.expect(IDOK);
    Synchronise();
    EXPECT_EQ(Dump(materials), before);
    EXPECT_EQ(prompts.lastText(), FAILED + "Wash Solvent");
}

// Table and the count of its rows from which an insert fails.
INSTANTIATE_TEST_SUITE_P(Writes, FailingCopyWriteTest,
                         ::testing::Values("LibraryImport:4", "LibraryMapping:1", "Mixture:1",
                                           "ActualMaterialProperty:15"));

} // namespace
