#include "projects/CompoundFile.h"
#include "FakeFrameServices.h"
#include "ProjectsTestSupport.h"
#include "ScriptedPrompts.h"
#include "projects/CompoundFilePacker.h"

#include <QDir>

namespace {

// A packer that works on plain folders: the "package" is a text file holding the project name.
struct PackerLog {
    QStringList calls;
    bool succeed = true;
    bool expandFails = false;
};

class FolderPacker : public ICompoundFilePacker {
public:
    explicit FolderPacker(PackerLog& log) : m_log(log) {}
    bool ExpandPackage(const QString& package, const QString& target) override
    {
        return Log("Expand " + package + " -> " + target) && !m_log.expandFails && QDir().mkpath(target);
    }
    bool SavePackage(const QString& folder, const QString& package) override
    {
        return Log("Save " + folder + " -> " + package);
    }
    bool CreatePackage(const QString& folder, const QString& package, bool fromManage) override
    {
        return Log(QString("Create %1 -> %2 %3").arg(folder, package).arg(fromManage));
    }
    bool GetProjectFileName(const QString& package, QString& name) override
    {
        name = QString::fromUtf8(FileBytes(package));
        return Log("Name " + package);
    }

private:
    bool Log(const QString& call) { return m_log.calls << call, m_log.succeed; }
    PackerLog& m_log;
};

} // namespace

class CompoundFileTest : public ProjectsFixture {
protected:
    void SetUp() override
    {
        m_previousFactory =
            SetCompoundFilePackerFactory([this] { return std::make_unique<FolderPacker>(m_log); });
    }
    void TearDown() override { SetCompoundFilePackerFactory(m_previousFactory); }

    QString package(const QString& name, const QByteArray& projectName = "Demo")
    {
        WriteTextFile(pathOf(name), projectName);
        return pathOf(name);
    }
    QString work() { return m_app.fakePaths().workingDir(); }
    void holdFolder(const QString& folder, const QString& byPackage)
    {
        QDir().mkpath(folder);
        WriteTextFile(CCompoundFile::LocationFilePath(folder), byPackage.toUtf8());
    }

    PackerLog m_log;
    CompoundFilePackerFactory m_previousFactory;
    CCompoundFile m_state;
};

TEST(CompoundFileKindTest, OnlyTheQvzExtensionIsACompoundFile)
{
    EXPECT_TRUE(CCompoundFile::IsCompoundFile("/p/Demo.QVZ"));
    for (const char* path : {"/p/Demo.qvz.bak", "/p/Demo.prj", "/p/qvz", ""})
        EXPECT_FALSE(CCompoundFile::IsCompoundFile(path)) << path;
}

// A failed unpack marks the state invalid until it is reset.
TEST_F(CompoundFileTest, AnUnpackThatFailsSaysWhyAndWritesNoLocationFile)
{
    const QString qvz = package("Demo.qvz");
    ScriptedPromptService prompts;
    prompts.expect(IDOK);
    prompts.expect(IDOK);
    m_log.expandFails = true;
    EXPECT_FALSE(m_state.Expand(qvz));
    EXPECT_FALSE(m_state.IsValid());
    EXPECT_FALSE(CCompoundFile::LocationFileExists(work() + "Demo"));
    SetCompoundFilePackerFactory(nullptr);
    EXPECT_FALSE(m_state.Expand(qvz));
    EXPECT_EQ(prompts.texts(),
              QStringList({"Failed to expand Tamro Plenthover Compound file to Quorvanta project files.",
                           "Failed to get Tamro Plenthover Project file name from Compound file root file"}));
    m_state.Reset();
    EXPECT_TRUE(m_state.IsValid());
}

TEST_F(CompoundFileTest, UnpackPointsTheProjectAtTheUnpackedFile)
{
    FakeFrameServices frame;
    const QString qvz = package("Demo.qvz");
    ASSERT_TRUE(m_state.Expand(qvz));
    EXPECT_EQ(m_state.UnpackedProjectFile(), work() + "Demo/Demo.prj");
    EXPECT_EQ(m_app.recentFiles(), QStringList({qvz}));
    EXPECT_EQ(CCompoundFile::ReadLocationFile(work() + "Demo"), qvz);
    EXPECT_EQ(FileBytes(CCompoundFile::LocationFilePath(work() + "Demo")), qvz.toUtf8()); // no line end
    EXPECT_EQ(m_state.GetCompoundFilePath(pathOf("elsewhere")), qvz);
    EXPECT_EQ(frame.calls(),
              QStringList({"BeginProgress 0 100 Creating Access databases from XML files", "EndProgress"}));
}

struct FolderCase {
    const char* label;
    QStringList
        heldBy; // packages already unpacked into Demo, Demo(1), ... ("" = folder without location file)
    const char* expectedFolder;
};

class CompoundFileFolderTest : public CompoundFileTest, public ::testing::WithParamInterface<FolderCase> {};

TEST_P(CompoundFileFolderTest, ChoosesTheFolderOfThisPackageOrTheFirstFreeOne)
{
    const QString qvz = package("Demo.qvz");
    for (int n = 0; n < GetParam().heldBy.size(); ++n) {
        const QString folder = work() + (n == 0 ? QString("Demo") : QString("Demo(%1)").arg(n));
        const QString owner = GetParam().heldBy.at(n);
        if (owner.isEmpty())
            QDir().mkpath(folder);
        else
            holdFolder(folder, owner == "self" ? qvz : owner == "SELF" ? qvz.toUpper() : owner);
    }
    ASSERT_TRUE(m_state.Expand(qvz));
    EXPECT_EQ(m_state.UnpackedProjectFile(), work() + GetParam().expectedFolder + "/Demo.prj");
    EXPECT_EQ(CCompoundFile::ReadLocationFile(work() + GetParam().expectedFolder), qvz);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, CompoundFileFolderTest,
    ::testing::Values(FolderCase{"Fresh", {}, "Demo"}, FolderCase{"ReusesItsOwn", {"self"}, "Demo"},
                      FolderCase{"PlainFolderIsTaken", {""}, "Demo"},
                      FolderCase{"NextFreeNumber", {"/other/A.qvz"}, "Demo(1)"},
                      FolderCase{"OtherLetterCaseIsAnotherPackage", {"SELF"}, "Demo(1)"},
                      FolderCase{"OwnFurtherOn", {"/other/A.qvz", "/other/B.qvz", "self"}, "Demo(2)"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(CompoundFileTest, AllThousandFoldersHeldByOtherPackagesRefuseTheUnpack)
{
    holdFolder(work() + "Demo", "/other/A.qvz");
    for (int n = 1; n <= 999; ++n)
        holdFolder(work() + QString("Demo(%1)").arg(n), "/other/A.qvz");
    ScriptedPromptService prompts;
    prompts.expect(IDOK);
    EXPECT_FALSE(m_state.Expand(package("Demo.qvz")));
    EXPECT_EQ(prompts.lastText(),
              "Failed to expand Tamro Plenthover Compound file to Quorvanta project files.");
    EXPECT_FALSE(QFileInfo::exists(work() + "Demo(1000)"));
    EXPECT_EQ(CCompoundFile::ReadLocationFile(work() + "Demo(999)"), "/other/A.qvz");
}

TEST_F(CompoundFileTest, ANameThatLeavesTheWorkingFolderIsRefused)
{
    ScriptedPromptService prompts;
    prompts.expect(IDOK);
    prompts.expect(IDOK);
    EXPECT_FALSE(m_state.Expand(package("Evil.qvz", "../../escaped")));
    EXPECT_FALSE(m_state.Expand(package("Empty.qvz", "")));
    EXPECT_EQ(prompts.texts().size(), 2);
    EXPECT_EQ(m_log.calls.filter("Expand").size(), 0);
}

// A project without a location file, or whose package is gone, is no package.
TEST_F(CompoundFileTest, SaveBackRepacksOnlyThePackageNamedByTheProject)
{
    QDir().mkpath(pathOf("project"));
    EXPECT_TRUE(m_state.SaveBack(pathOf("source"), pathOf("project")));
    holdFolder(pathOf("project"), pathOf("gone.qvz"));
    EXPECT_TRUE(m_state.SaveBack(pathOf("source"), pathOf("project")));
    EXPECT_TRUE(m_log.calls.isEmpty());
    const QString qvz = package("Demo.qvz");
    holdFolder(pathOf("project"), qvz);
    EXPECT_TRUE(m_state.SaveBack(pathOf("source"), pathOf("project")));
    EXPECT_EQ(m_log.calls, QStringList({"Save " + pathOf("source") + " -> " + qvz}));
    m_log.succeed = false;
    ScriptedPromptService prompts;
    prompts.expect(IDOK);
    EXPECT_FALSE(m_state.SaveBack(pathOf("source"), pathOf("project")));
    EXPECT_EQ(prompts.lastText(), "Failed to save to Tamro Plenthover Compound file");
    EXPECT_FALSE(m_state.IsExpandedProject(pathOf("project")));
}

class CompoundFileCreateTest : public CompoundFileTest {
protected:
    void SetUp() override
    {
        CompoundFileTest::SetUp();
        m_app.fileSet().projectDir = pathOf("project/");
        m_app.fileSet().projectFilePath = pathOf("project/Demo.v2.prj");
        QDir().mkpath(pathOf("project"));
        m_state.SetProjectSaver([this] { return ++m_saves, m_saveSucceeds; });
    }
    int m_saves = 0;
    bool m_saveSucceeds = true;
    FakeFrameServices m_frame;
};

// Manage Compound File packs into the default package and names it in the location file.
TEST_F(CompoundFileCreateTest, PacksOnlyAfterASuccessfulSaveAndKeepsAnExistingLocationFile)
{
    m_saveSucceeds = false;
    EXPECT_FALSE(m_state.Create(pathOf("out.qvz"), 0));
    EXPECT_TRUE(m_log.calls.isEmpty());
    EXPECT_FALSE(CCompoundFile::LocationFileExists(pathOf("project")));
    m_saveSucceeds = true;
    holdFolder(pathOf("project"), "/other/Old.qvz");
    EXPECT_TRUE(m_state.Create(pathOf("out.qvz"), 0));
    EXPECT_EQ(CCompoundFile::ReadLocationFile(pathOf("project")), "/other/Old.qvz");
    EXPECT_FALSE(m_state.Create("", 0));
    EXPECT_EQ(m_saves, 2);
    QFile::remove(CCompoundFile::LocationFilePath(pathOf("project")));
    EXPECT_EQ(CCompoundFile::GetDefaultPackagePath(), pathOf("project/Demo.v2.qvz"));
    EXPECT_TRUE(m_state.SaveAs());
    EXPECT_EQ(CCompoundFile::ReadLocationFile(pathOf("project")), pathOf("project/Demo.v2.qvz"));
    EXPECT_EQ(m_log.calls,
              QStringList({"Create " + pathOf("project/") + " -> " + pathOf("out.qvz") + " 0",
                           "Create " + pathOf("project/") + " -> " + pathOf("project/Demo.v2.qvz") + " 1"}));
    m_log.succeed = false;
    ScriptedPromptService prompts;
    prompts.expect(IDOK);
    EXPECT_FALSE(m_state.SaveAs());
    EXPECT_EQ(prompts.lastText(), "Failed to create Tamro Plenthover Compound File.");
}

TEST_F(CompoundFileTest, CleanUpRemovesTheUnpackedDatabasesOfAValidStateOnly)
{
    const QString folder = pathOf("Demo/");
    for (const char* name : {"Demo.prj", "Demo.eqm", "Demo.mtl", "STEP_1.STP", "STEP_2.stp", "Keep.txt"})
        WriteTextFile(folder + name, "x");
    const QString elsewhere = package("Demo.qvz");
    holdFolder(folder, elsewhere);
    m_state.CleanUp(folder, "Demo"); // the package lies elsewhere: its location file stays
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList({"CompoundFileLocation.txt", "Keep.txt"}));
    WriteTextFile(folder + "Demo.prj", "x");
    holdFolder(folder, package("Demo/Demo.qvz"));
    m_state.CleanUp(folder, "Demo");
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList({"Demo.qvz", "Keep.txt"}));

    WriteTextFile(folder + "Demo.prj", "x");
    holdFolder(folder, folder + "Demo.qvz");
    SetCompoundFilePackerFactory(nullptr);
    ScriptedPromptService prompts;
    prompts.expect(IDOK);
    m_state.Expand(package("Other.qvz"));
    m_state.CleanUp(folder, "Demo");
    EXPECT_TRUE(QFile::exists(folder + "Demo.prj"));
}

TEST_F(CompoundFileTest, TheLocationFileIsReadUpToItsFirstLineEnd)
{
    QDir().mkpath(pathOf("f"));
    EXPECT_EQ(m_state.GetCompoundFilePath(pathOf("f")), "");
    WriteTextFile(CCompoundFile::LocationFilePath(pathOf("f")), "/data/A.qvz\r\nignored\n");
    EXPECT_EQ(m_state.GetCompoundFilePath(pathOf("f")), "/data/A.qvz");
    ScriptedPromptService prompts;
    prompts.expect(IDOK);
    EXPECT_FALSE(CCompoundFile::WriteLocationFile("/data/A.qvz", pathOf("no/such/folder")));
    EXPECT_TRUE(prompts.lastText().startsWith("An error occurred while writing "));
}
