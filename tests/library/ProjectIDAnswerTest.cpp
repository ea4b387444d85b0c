// A sub-item whose name the project reports taken, yet whose project id then answers -1: the
// apply of its item fails before any copy and writes nothing, and the item is listed as not
// updated. The real stand-in never answers so; a forwarding component in front of it does, for
// chosen names, and counts the copies asked of its library objects.

#include "LibrarySyncFixture.h"

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/FacilityExplorer.h"

namespace {

const QString NOT_UPDATED = "The following imported component(s) could not be updated:\n";
const QString SYNC_QUESTION_3 = "Would you like to syncronize 3 imported component(s) with your database?";

// Forwards every project-side call to the real object, but answers -1 for an id by a chosen name.
template <typename Interface> class IDAnswerForwarder : public Interface {
public:
    IDAnswerForwarder(std::unique_ptr<Interface> real, const QStringList& unknownNames)
        : m_real(std::move(real)), m_unknownNames(unknownNames)
    {
    }
    bool SetProjectDatabase(const QString& path) override { return m_real->SetProjectDatabase(path); }
    long CountChangedItems() override { return m_real->CountChangedItems(); }
    bool ListImportedItems(ImportedItemLists& lists) override { return m_real->ListImportedItems(lists); }
    bool IsNameTaken(const QString& name) override { return m_real->IsNameTaken(name); }
    bool IsIDTaken(long id) override { return m_real->IsIDTaken(id); }
    long ProjectIDByName(const QString& name) override
    {
        return m_unknownNames.contains(name) ? -1 : m_real->ProjectIDByName(name);
    }
    std::optional<KnownMapping> FindMapping(long subItemID) override { return m_real->FindMapping(subItemID); }

protected:
    std::unique_ptr<Interface> m_real;

private:
    QStringList m_unknownNames;
};

class IDAnswerMaterialProject : public IDAnswerForwarder<IMaterialProject> {
public:
    using IDAnswerForwarder::IDAnswerForwarder;
    bool LookUpLibraryItem(long serverID, const QString& location, LibraryItemInfo& info) override
    {
        return m_real->LookUpLibraryItem(serverID, location, info);
    }
    bool NeedsNoCopy(const QString& subItemName) override { return m_real->NeedsNoCopy(subItemName); }
    bool RecordMapping(long serverID, long localID, const QString& name, bool newCopy) override
    {
        return m_real->RecordMapping(serverID, localID, name, newCopy);
    }
};

class IDAnswerEquipmentProject : public IDAnswerForwarder<IEquipmentProject> {
public:
    using IDAnswerForwarder::IDAnswerForwarder;
    long ItemHandle(long localID) override { return m_real->ItemHandle(localID); }
    bool NeedsNoCopy(long subItemID) override { return m_real->NeedsNoCopy(subItemID); }
    bool IsNameTakenFor(long handle, const QString& name) override { return m_real->IsNameTakenFor(handle, name); }
};

class CopyCountingMaterialLibrary : public IMaterialLibrary {
public:
    CopyCountingMaterialLibrary(std::unique_ptr<IMaterialLibrary> real, int& copies)
        : m_real(std::move(real)), m_copies(copies)
    {
    }
    long GetState() override { return m_real->GetState(); }
    bool OpenLibrary(const QString& location) override { return m_real->OpenLibrary(location); }
    bool SetProjectDatabase(const QString& path) override { return m_real->SetProjectDatabase(path); }
    bool CopyItem(long serverID, long localID, const QString& localName) override
    {
        ++m_copies;
        return m_real->CopyItem(serverID, localID, localName);
    }
    IMaterialSubItems* QuerySubItems() override { return m_real->QuerySubItems(); }

private:
    std::unique_ptr<IMaterialLibrary> m_real;
    int& m_copies;
};

class CopyCountingEquipmentLibrary : public IEquipmentLibrary {
public:
    CopyCountingEquipmentLibrary(std::unique_ptr<IEquipmentLibrary> real, int& copies)
        : m_real(std::move(real)), m_copies(copies)
    {
    }
    ILibraryObject* QueryMain() override { return m_real->QueryMain(); }
    bool LookUpLibraryItem(long serverID, const QString& location, LibraryItemInfo& info) override
    {
        return m_real->LookUpLibraryItem(serverID, location, info);
    }
    bool ListSubItems(int list, long serverID, SubItemLists& lists) override
    {
        return m_real->ListSubItems(list, serverID, lists);
    }
    bool RecordMapping(int list, long serverID, long localID, const QString& name, bool newCopy) override
    {
        return m_real->RecordMapping(list, serverID, localID, name, newCopy);
    }
    bool CopyEquipment(long handle, long serverID, long localID, const QString& localName) override
    {
        ++m_copies;
        return m_real->CopyEquipment(handle, serverID, localID, localName);
    }

private:
    std::unique_ptr<IEquipmentLibrary> m_real;
    int& m_copies;
};

class IDAnswerComponent : public LibraryComponent {
public:
    IDAnswerComponent(LibraryComponent& real, QStringList unknownNames)
        : m_real(real), m_unknownNames(std::move(unknownNames))
    {
    }
    std::unique_ptr<IMaterialProject> CreateMaterialProject() override
    {
        return std::make_unique<IDAnswerMaterialProject>(m_real.CreateMaterialProject(), m_unknownNames);
    }
    std::unique_ptr<IMaterialLibrary> CreateMaterialLibrary() override
    {
        return std::make_unique<CopyCountingMaterialLibrary>(m_real.CreateMaterialLibrary(), copies);
    }
    std::unique_ptr<IEquipmentProject> CreateEquipmentProject(const QString& projectDatabase) override
    {
        return std::make_unique<IDAnswerEquipmentProject>(m_real.CreateEquipmentProject(projectDatabase),
                                                          m_unknownNames);
    }
    std::unique_ptr<IEquipmentLibrary> CreateEquipmentLibrary(const QString& projectDatabase) override
    {
        return std::make_unique<CopyCountingEquipmentLibrary>(m_real.CreateEquipmentLibrary(projectDatabase), copies);
    }
    void EndRun() override { m_real.EndRun(); }

    int copies = 0;

private:
    LibraryComponent& m_real;
    QStringList m_unknownNames;
};

class CountingFacilityPane : public FacilityExplorerServices {
public:
    bool RefreshFacilityTree() override
    {
        ++refreshes;
        return true;
    }
    int refreshes = 0;
};

class ProjectIDAnswerTest : public LibrarySyncFixture {
protected:
    void SetUp() override
    {
        LibrarySyncFixture::SetUp();
        m_previousPane = ServiceSlot<FacilityExplorerServices>::Set(&pane);
    }
    void TearDown() override
    {
        ServiceSlot<FacilityExplorerServices>::Set(m_previousPane);
        LibrarySyncFixture::TearDown();
    }
    // Synchronises with the names given answering -1 for their project ids; the copies asked.
    int SynchroniseWithUnknownIDs(const QStringList& names)
    {
        IDAnswerComponent forwarding(component, names);
        SetLibraryComponent(&forwarding);
        Synchronise();
        SetLibraryComponent(&component);
        return forwarding.copies;
    }

    CountingFacilityPane pane;

private:
    FacilityExplorerServices* m_previousPane = nullptr;
};

struct IDAnswerCase {
    const char* name;
    const char* projectSql;    // run on the material working copy first; may be empty
    std::vector<bool> marks;   // Methanol, Wash Solvent, R-101
    bool keepForAllRemaining;  // the one clash prompt's box
    const char* unknownName;   // whose project id answers -1
    const char* failedItem;
};

void PrintTo(const IDAnswerCase& c, std::ostream* os)
{
    *os << c.name;
}

class UnknownProjectIDTest : public ProjectIDAnswerTest, public ::testing::WithParamInterface<IDAnswerCase> {};

TEST_P(UnknownProjectIDTest, FailsTheApplyWritesNothingAndListsTheItem)
{
    const IDAnswerCase& c = GetParam();
    if (*c.projectSql)
        materials.Execute(c.projectSql);
    const QStringList materialsBefore = Dump(materials);
    const QStringList equipmentBefore = Dump(equipment);
    prompts.expect(IDYES);
    dialogs.expectList(c.marks);
    dialogs.expectClash(ScriptedLibraryDialogs::Current(c.keepForAllRemaining));
    prompts.expect(IDOK);
    EXPECT_EQ(SynchroniseWithUnknownIDs({c.unknownName}), 0);
    EXPECT_EQ(prompts.texts(), (QStringList{SYNC_QUESTION_3, NOT_UPDATED + c.failedItem}));
    EXPECT_EQ(Dump(materials), materialsBefore);
    EXPECT_EQ(Dump(equipment), equipmentBefore);
    EXPECT_FALSE(app.isProjectModified());
    EXPECT_EQ(pane.refreshes, 0);
}

INSTANTIATE_TEST_SUITE_P(
    SubItems, UnknownProjectIDTest,
    ::testing::Values(
        // The clashing component kept at its prompt.
        IDAnswerCase{"MaterialComponentKeptAtThePrompt", "", {false, true, false}, false, "Water", "Wash Solvent"},
        // The first component settled, the second kept without a prompt: the first one's queued
        // record is not written either.
        IDAnswerCase{"MaterialComponentKeptForAllRemaining",
                     "INSERT INTO ActualMaterialCommon (MaterialID, MaterialName) VALUES (30, 'Acetone')",
                     {false, true, false}, true, "Acetone", "Wash Solvent"},
        // The equipment item's class kept at its prompt.
        IDAnswerCase{"EquipmentClassKeptAtThePrompt", "", {false, false, true}, true, "Reactor", "R-101"}),
    [](const ::testing::TestParamInfo<IDAnswerCase>& info) { return std::string(info.param.name); });

// The failed item does not hold up the others of the walk, nor leave records for them.
TEST_F(ProjectIDAnswerTest, OtherChosenItemsStillApply)
{
    prompts.expect(IDYES);
    dialogs.expectList(std::vector<bool>{true, true, true});
    dialogs.expectClash(ScriptedLibraryDialogs::Current(false));
    dialogs.expectClash(ScriptedLibraryDialogs::Current());
    prompts.expect(IDOK);
    EXPECT_EQ(SynchroniseWithUnknownIDs({"Water"}), 2);
    EXPECT_EQ(prompts.lastText(), NOT_UPDATED + "Wash Solvent");
    EXPECT_DOUBLE_EQ(Value(materials, "SELECT DoubleValue FROM ActualMaterialProperty WHERE MaterialID = 4").toDouble(),
                     32.042);
    EXPECT_EQ(Value(materials, "SELECT ImportStamp FROM LibraryImport WHERE LocalID = ?",
                    {qlonglong(CLibraryDemo::WASH_SOLVENT)})
                  .toDouble(),
              CLibraryDemo::OLD_IMPORT_STAMP);
    EXPECT_EQ(Value(materials, "SELECT count(*) FROM LibraryMapping").toInt(), 0);
    EXPECT_EQ(Value(equipment, "SELECT EquipmentClassID FROM ActualEquipmentCommon WHERE ActualEquipmentID = 101")
                  .toLongLong(),
              1);
    EXPECT_TRUE(app.isProjectModified());
    EXPECT_EQ(pane.refreshes, 1); // for R-101 alone
}

} // namespace
