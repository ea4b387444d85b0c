#include "projects/CompoundFile.h"
#include "FakeFrameServices.h"
#include "ProjectsTestSupport.h"
#include "modules/packer/CompoundFilePacker.h"

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

const char* const EXPAND_FAILED =
    "Failed to expand Tamro Plenthover Compound file to Quorvanta project files.";
const char* const NAME_FAILED =
    "Failed to get Tamro Plenthover Project file name from Compound file root file";

class CompoundFileTest : public ProjectsFixture {
protected:
    void SetUp() override
    {
        m_previousFactory =
            SetCompoundFilePackerFactory([this] { return std::make_unique<FolderPacker>(m_log); });
    }
    void TearDown() override
    {
        SetCompoundFilePackerFactory(m_previousFactory);
        ProjectsFixture::TearDown();
    }

    QString package(const QString& name, const QByteArray& projectName = "Demo")
    {
        WriteTextFile(pathOf(name), projectName);
        return pathOf(name);
    }
    QString work() { return m_app.fakePaths().workingDir(); }
    // Demo, Demo(1), Demo(2), ... in the working folder.
    QString unpackFolder(int n) { return work() + (n == 0 ? QString("Demo") : QString("Demo(%1)").arg(n)); }
    // An empty package name leaves a plain folder without location file.
    void holdFolder(const QString& folder, const QString& byPackage)
    {
        QDir().mkpath(folder);
        if (!byPackage.isEmpty())
            WriteTextFile(CCompoundFile::LocationFilePath(folder), byPackage.toUtf8());
    }

    PackerLog m_log;
    CompoundFilePackerFactory m_previousFactory;
    CCompoundFile m_state;
};

} // namespace

TEST(CompoundFileKindTest, OnlyTheQvzExtensionIsACompoundFile)
{
    EXPECT_TRUE(CCompoundFile::IsCompoundFile("/p/Demo.QVZ"));
    for (const char* path : {"/p/Demo.qvz.bak", "/p/Demo.prj", "/p/qvz", ""})
        EXPECT_FALSE(CCompoundFile::IsCompoundFile(path)) << path;
}

// A failed unpack marks the state invalid until it is reset; a name that would leave the working
// folder is refused before anything is unpacked.
TEST_F(CompoundFileTest, AnUnpackThatFailsSaysWhyAndWritesNoLocationFile)
{
    const QString qvz = package("Demo.qvz");
    expectOk(4);
    m_log.expandFails = true;
    EXPECT_FALSE(m_state.Expand(qvz));
    EXPECT_FALSE(m_state.IsValid());
    EXPECT_FALSE(CCompoundFile::LocationFileExists(work() + "Demo"));
    m_log.calls.clear();
    EXPECT_FALSE(m_state.Expand(package("Evil.qvz", "../../escaped")));
    EXPECT_FALSE(m_state.Expand(package("Empty.qvz", "")));
    EXPECT_EQ(m_log.calls.filter("Expand"), QStringList());
    SetCompoundFilePackerFactory(nullptr);
    EXPECT_FALSE(m_state.Expand(qvz));
    EXPECT_EQ(m_prompts.texts(), QStringList({EXPAND_FAILED, NAME_FAILED, NAME_FAILED, NAME_FAILED}));
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
    EXPECT_EQ(FileBytes(CCompoundFile::LocationFilePath(work() + "Demo")), qvz.toUtf8()); // no line end
    EXPECT_EQ(m_state.GetCompoundFilePath(pathOf("elsewhere")), qvz);
    EXPECT_EQ(frame.calls(),
              QStringList({"BeginProgress 0 100 Creating Access databases from XML files", "EndProgress"}));
}

// Each row: the packages already unpacked into Demo, Demo(1), ... and the folder chosen. A plain
// folder is taken; another letter case is another package.
TEST_F(CompoundFileTest, UnpacksIntoTheFolderOfThisPackageOrTheFirstFreeOne)
{
    const QString qvz = package("Demo.qvz"), other = "/other/A.qvz";
    const std::pair<QStringList, int> rows[] = {
        {{qvz}, 0}, {{""}, 0}, {{other}, 1}, {{qvz.toUpper()}, 1}, {{other, other, qvz}, 2}};
    for (const auto& [heldBy, chosen] : rows) {
        QDir(work()).removeRecursively();
        for (int n = 0; n < heldBy.size(); ++n)
            holdFolder(unpackFolder(n), heldBy.at(n));
        ASSERT_TRUE(m_state.Expand(qvz)) << chosen;
        EXPECT_EQ(m_state.UnpackedProjectFile(), unpackFolder(chosen) + "/Demo.prj");
        EXPECT_EQ(CCompoundFile::ReadLocationFile(unpackFolder(chosen)), qvz);
    }
    for (int n = 0; n <= 999; ++n)
        holdFolder(unpackFolder(n), other);
    expectOk();
    EXPECT_FALSE(m_state.Expand(qvz));
    EXPECT_EQ(m_prompts.texts(), QStringList{EXPAND_FAILED});
    EXPECT_FALSE(QFileInfo::exists(unpackFolder(1000)));
    EXPECT_EQ(CCompoundFile::ReadLocationFile(unpackFolder(999)), other);
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
    expectOk();
    EXPECT_FALSE(m_state.SaveBack(pathOf("source"), pathOf("project")));
    EXPECT_EQ(m_prompts.lastText(), "Failed to save to Tamro Plenthover Compound file");
    EXPECT_FALSE(m_state.IsExpandedProject(pathOf("project")));
}

// Manage Compound File packs into the default package and names it in the location file.
TEST_F(CompoundFileTest, CreatePacksOnlyAfterASuccessfulSaveAndKeepsAnExistingLocationFile)
{
    FakeFrameServices frame;
    m_app.fileSet().projectDir = pathOf("project/");
    m_app.fileSet().projectFilePath = pathOf("project/Demo.v2.prj");
    QDir().mkpath(pathOf("project"));
    int saves = 0;
    bool saveSucceeds = false;
    m_state.SetProjectSaver([&] { return ++saves, saveSucceeds; });
    EXPECT_FALSE(m_state.Create(pathOf("out.qvz"), 0));
    EXPECT_TRUE(m_log.calls.isEmpty());
    EXPECT_FALSE(CCompoundFile::LocationFileExists(pathOf("project")));
    saveSucceeds = true;
    holdFolder(pathOf("project"), "/other/Old.qvz");
    EXPECT_TRUE(m_state.Create(pathOf("out.qvz"), 0));
    EXPECT_EQ(CCompoundFile::ReadLocationFile(pathOf("project")), "/other/Old.qvz");
    EXPECT_FALSE(m_state.Create("", 0));
    EXPECT_EQ(saves, 2);
    QFile::remove(CCompoundFile::LocationFilePath(pathOf("project")));
    EXPECT_EQ(CCompoundFile::GetDefaultPackagePath(), pathOf("project/Demo.v2.qvz"));
    EXPECT_TRUE(m_state.SaveAs());
    EXPECT_EQ(CCompoundFile::ReadLocationFile(pathOf("project")), pathOf("project/Demo.v2.qvz"));
    EXPECT_EQ(m_log.calls,
              QStringList({"Create " + pathOf("project/") + " -> " + pathOf("out.qvz") + " 0",
                           "Create " + pathOf("project/") + " -> " + pathOf("project/Demo.v2.qvz") + " 1"}));
    m_log.succeed = false;
    expectOk();
    EXPECT_FALSE(m_state.SaveAs());
    EXPECT_EQ(m_prompts.lastText(), "Failed to create Tamro Plenthover Compound File.");
}

TEST_F(CompoundFileTest, CleanUpRemovesTheUnpackedDatabasesOfAValidStateOnly)
{
    const QString folder = pathOf("Demo/");
    for (const char* name : {"Demo.prj", "Demo.eqm", "Demo.mtl", "STEP_1.STP", "STEP_2.stp", "Keep.txt"})
        WriteTextFile(folder + name, "x");
    holdFolder(folder, package("Demo.qvz"));
    m_state.CleanUp(folder, "Demo"); // the package lies elsewhere: its location file stays
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList({"CompoundFileLocation.txt", "Keep.txt"}));
    WriteTextFile(folder + "Demo.prj", "x");
    holdFolder(folder, package("Demo/Demo.qvz"));
    m_state.CleanUp(folder, "Demo");
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList({"Demo.qvz", "Keep.txt"}));

    WriteTextFile(folder + "Demo.prj", "x");
    holdFolder(folder, folder + "Demo.qvz");
    SetCompoundFilePackerFactory(nullptr);
    expectOk();
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
    expectOk();
    EXPECT_FALSE(CCompoundFile::WriteLocationFile("/data/A.qvz", pathOf("no/such")));
    EXPECT_EQ(m_prompts.lastText(),
              "An error occurred while writing " + pathOf("no/such/") + "CompoundFileLocation.txt.");
}
