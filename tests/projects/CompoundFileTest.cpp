#include "projects/CompoundFile.h"
#include "FakeFrameServices.h"
#include "ProjectsTestSupport.h"
#include "modules/packer/CompoundFilePacker.h"
#include "projects/UnpackRegistry.h"

#include <QDir>

namespace {

// A packer that works on plain folders: the "package" is a text file whose first line names the
// project and whose further lines name its members. An unpack writes each member as a blank
// database of its kind, from the files in `blanks` (by extension).
struct PackerLog {
    QStringList calls;
    bool succeed = true;
    bool expandFails = false;
    QMap<QString, QString> blanks;
};

class FolderPacker : public ICompoundFilePacker {
public:
    explicit FolderPacker(PackerLog& log) : m_log(log) {}
    bool ExpandPackage(const QString& package, const QString& target) override
    {
        if (!Log("Expand " + package + " -> " + target) || m_log.expandFails || !QDir().mkpath(target))
            return false;
        for (const QString& member : Lines(package).mid(1))
            WriteTextFile(QDir(target).filePath(member),
                          FileBytes(m_log.blanks.value(QFileInfo(member).suffix().toLower())));
        return true;
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
        name = Lines(package).value(0);
        return Log("Name " + package);
    }
    bool GetPackageMembers(const QString& package, QStringList& entryNames) override
    {
        entryNames = Lines(package).mid(1);
        return Log("Members " + package);
    }

private:
    static QStringList Lines(const QString& package)
    {
        return QString::fromUtf8(FileBytes(package)).split('\n');
    }
    bool Log(const QString& call) { return m_log.calls << call, m_log.succeed; }
    PackerLog& m_log;
};

const char* const EXPAND_FAILED =
    "Failed to expand Tamro Plenthover Compound file to Quorvanta project files.";
const char* const NAME_FAILED =
    "Failed to get Tamro Plenthover Project file name from Compound file root file";
const char* const UNTIED =
    "The package named in CompoundFileLocation.txt (%1) was not tied to this folder by this "
    "program and is not updated. Use Manage Compound File to tie it.";

class CompoundFileTest : public ProjectsFixture {
protected:
    void SetUp() override
    {
        const std::pair<const char*, DatabaseKind> kinds[] = {{"prj", DatabaseKind::Project},
                                                              {"eqm", DatabaseKind::Equipment},
                                                              {"mtl", DatabaseKind::Material},
                                                              {"stp", DatabaseKind::Step}};
        for (const auto& [extension, kind] : kinds)
            m_log.blanks.insert(extension, build(kind, QString("blank.%1").arg(extension)));
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
        const QByteArray members = projectName == "Demo" ? "\nDemo.prj\nDemo.eqm\nDemo.mtl\nSTEP_1.STP" : "";
        WriteTextFile(pathOf(name), projectName + members);
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
    EXPECT_EQ(
        FileBytes(CCompoundFile::LocationFilePath(work() + "Demo")),
        (qvz + "\nUnpacked from=" + qvz + "\nUnpacked into=" + work() + "Demo\nState=saved back\n").toUtf8());
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

// Each row: how the project folder is tied to its package (none, a pack's location file, an unpack,
// a location file this program never tied to the folder), what became of the package, what the
// save-back answers and whether it wrote the package. A failure in a folder unpacked here names the
// folder, which keeps changes its package lacks: the next unpack of the package passes it over. An
// untied location file is passed over with a word, once.
TEST_F(CompoundFileTest, SaveBackWritesOnlyAPackageOfThisProjectAndKeepsAFolderItCouldNotWriteBack)
{
    m_app.fileSet().projectName = "Demo";
    enum Tie { None, Packed, Unpacked, Untied };
    enum Package { Own, Missing, Foreign, PackerFails };
    struct Row {
        Tie tie;
        Package package;
        bool answer, written;
    };
    const Row rows[] = {{None, Own, true, false},
                        {Packed, Own, true, true},
                        {Packed, Missing, true, false},
                        {Packed, Foreign, false, false},
                        {Packed, PackerFails, false, false},
                        {Unpacked, Own, true, true},
                        {Unpacked, Missing, false, false},
                        {Unpacked, Foreign, false, false},
                        {Unpacked, PackerFails, false, false},
                        {Untied, Own, true, false},
                        {Untied, Foreign, true, false}};
    int folders = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "tie " << row.tie << ", package " << row.package);
        QDir(work()).removeRecursively();
        m_state.Reset();
        m_log.succeed = true;
        const QString qvz = package("Demo.qvz");
        QString folder = pathOf(QString("project%1").arg(++folders)); // each row's tie its own
        QDir().mkpath(folder);
        if (row.tie == Packed || row.tie == Untied) {
            ASSERT_TRUE(CCompoundFile::WriteLocationFile(qvz, folder));
        }
        if (row.tie == Packed) {
            ASSERT_TRUE(UnpackRegistry::Tie(folder, qvz));
        }
        if (row.tie == Unpacked) {
            ASSERT_TRUE(m_state.Expand(qvz));
            folder = unpackFolder(0);
        }
        if (row.package == Missing)
            QFile::remove(qvz);
        if (row.package == Foreign)
            package("Demo.qvz", "Other");
        m_log.calls.clear();
        m_log.succeed = row.package != PackerFails;
        if (!row.answer || row.tie == Untied)
            expectOk();
        const qsizetype shown = m_prompts.texts().size();
        EXPECT_EQ(m_state.SaveBack(pathOf("source"), folder), row.answer);
        if (row.tie == Untied) {
            EXPECT_TRUE(m_state.SaveBack(pathOf("source"), folder));
        }
        EXPECT_EQ(m_log.calls.filter("Save ").size(), row.written ? 1 : 0);
        const QString keptIn =
            row.tie == Unpacked ? "\n\nThe changes are kept in the folder " + unpackFolder(0) + "." : "";
        QStringList said;
        if (row.tie == Untied)
            said << QString(UNTIED).arg(qvz); // the first save of the folder only
        else if (!row.answer)
            said << "Failed to save to Tamro Plenthover Compound file" + keptIn;
        EXPECT_EQ(m_prompts.texts().mid(shown), said);
        if (row.tie != Unpacked)
            continue;
        package("Demo.qvz");
        m_log.succeed = true;
        m_state.Reset();
        ASSERT_TRUE(m_state.Expand(qvz));
        EXPECT_EQ(m_state.UnpackedProjectFile(), unpackFolder(row.answer ? 0 : 1) + "/Demo.prj");
    }
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
    // A location file this program did not tie to the folder counts as none: replaced by the pack's,
    // and put back when the save fails.
    holdFolder(pathOf("project"), "/other/Untied.qvz");
    EXPECT_FALSE(m_state.Create(pathOf("out.qvz"), 0));
    EXPECT_EQ(CCompoundFile::ReadLocationFile(pathOf("project")), "/other/Untied.qvz");
    saveSucceeds = true;
    EXPECT_TRUE(m_state.Create(pathOf("out.qvz"), 0));
    EXPECT_EQ(m_state.GetCompoundFilePath(pathOf("project")), pathOf("out.qvz"));
    holdFolder(pathOf("project"), "/other/Old.qvz");
    ASSERT_TRUE(UnpackRegistry::Tie(pathOf("project"), "/other/Old.qvz"));
    EXPECT_TRUE(m_state.Create(pathOf("out.qvz"), 0));
    EXPECT_EQ(CCompoundFile::ReadLocationFile(pathOf("project")), "/other/Old.qvz");
    EXPECT_FALSE(m_state.Create("", 0));
    EXPECT_EQ(saves, 4);
    QFile::remove(CCompoundFile::LocationFilePath(pathOf("project")));
    EXPECT_EQ(CCompoundFile::GetDefaultPackagePath(), pathOf("project/Demo.v2.qvz"));
    EXPECT_TRUE(m_state.SaveAs());
    EXPECT_EQ(CCompoundFile::ReadLocationFile(pathOf("project")), pathOf("project/Demo.v2.qvz"));
    const QString packOut = "Create " + pathOf("project/") + " -> " + pathOf("out.qvz") + " 0";
    EXPECT_EQ(m_log.calls,
              QStringList({packOut, packOut,
                           "Create " + pathOf("project/") + " -> " + pathOf("project/Demo.v2.qvz") + " 1"}));
    m_log.succeed = false;
    expectOk();
    EXPECT_FALSE(m_state.SaveAs());
    EXPECT_EQ(m_prompts.lastText(), "Failed to create Tamro Plenthover Compound File.");

    // Another project's package in the default place is refused before anything is written.
    m_log = {};
    m_app.fileSet().projectName = "Demo.v2";
    QFile::remove(CCompoundFile::LocationFilePath(pathOf("project")));
    package("project/Demo.v2.qvz", "Other");
    const int savesBefore = saves;
    expectOk();
    EXPECT_FALSE(m_state.SaveAs());
    EXPECT_EQ(m_prompts.lastText(), "Failed to create Tamro Plenthover Compound File.");
    EXPECT_EQ(m_log.calls, QStringList{"Name " + pathOf("project/Demo.v2.qvz")});
    EXPECT_FALSE(CCompoundFile::LocationFileExists(pathOf("project")));
    EXPECT_EQ(saves, savesBefore);
}

// Each row: the folder's tie to its package and what became of the package; the files the
// clean-up leaves and the folder the next unpack of the package takes. Only a folder unpacked here
// whose package holds what it holds is emptied, and only of the package's members; one whose
// package is gone or another project's is kept and passed over from then on.
TEST_F(CompoundFileTest, CleanUpEmptiesOnlyAFolderUnpackedHereOfItsPackagesMembers)
{
    enum Case { PackageElsewhere, PackageInFolder, PackWroteLocation, Moved, Missing, Foreign, FailedCall };
    const QStringList all = {"CompoundFileLocation.txt",
                             "Demo.eqm",
                             "Demo.mtl",
                             "Demo.prj",
                             "Keep.txt",
                             "STEP_1.STP",
                             "STEP_9.STP"};
    const std::tuple<Case, QStringList, int> rows[] = {
        {PackageElsewhere, {"CompoundFileLocation.txt", "Keep.txt", "STEP_9.STP"}, 0},
        {PackageInFolder, {"Demo.qvz", "Keep.txt", "STEP_9.STP"}, 1},
        {PackWroteLocation, all, 1},
        {Moved, all, 0},
        {Missing, all, 1},
        {Foreign, all, 1},
        {FailedCall, all, 0}};
    for (const auto& [which, left, nextUnpack] : rows) {
        SCOPED_TRACE(testing::Message() << "case " << which);
        QDir(work()).removeRecursively();
        m_state.Reset();
        QString qvz = package("Demo.qvz"), folder = unpackFolder(0);
        if (which == PackageInFolder) {
            qvz = folder + "/Demo.qvz";
            WriteTextFile(qvz, FileBytes(pathOf("Demo.qvz")));
        }
        ASSERT_TRUE(m_state.Expand(qvz));
        for (const char* extra : {"Keep.txt", "STEP_9.STP"})
            WriteTextFile(folder + "/" + extra, "x");
        if (which == PackWroteLocation) {
            ASSERT_TRUE(CCompoundFile::WriteLocationFile(qvz, folder));
        }
        if (which == Moved) {
            folder = work() + "Moved";
            ASSERT_TRUE(QDir().rename(unpackFolder(0), folder));
        }
        if (which == Missing)
            QFile::remove(qvz);
        if (which == Foreign)
            package("Demo.qvz", "Other");
        if (which == FailedCall) {
            m_log.expandFails = true;
            expectOk();
            EXPECT_FALSE(m_state.Expand(package("Other.qvz", "Other")));
            m_log.expandFails = false;
        }
        m_state.CleanUp(folder + "/", "Demo");
        EXPECT_EQ(QDir(folder).entryList(QDir::Files), left);
        if (which != PackageInFolder)
            package("Demo.qvz");
        m_state.Reset();
        ASSERT_TRUE(m_state.Expand(qvz));
        EXPECT_EQ(m_state.UnpackedProjectFile(), unpackFolder(nextUnpack) + "/Demo.prj");
    }
}

TEST_F(CompoundFileTest, TheLocationFileIsReadUpToItsFirstLineEnd)
{
    QDir().mkpath(pathOf("f"));
    EXPECT_EQ(m_state.GetCompoundFilePath(pathOf("f")), "");
    WriteTextFile(CCompoundFile::LocationFilePath(pathOf("f")), "/data/A.qvz\r\nignored\n");
    EXPECT_EQ(CCompoundFile::ReadLocationFile(pathOf("f")), "/data/A.qvz");
    EXPECT_EQ(m_state.GetCompoundFilePath(pathOf("f")), ""); // this program never tied the two
    ASSERT_TRUE(UnpackRegistry::Tie(pathOf("f"), "/data/A.qvz"));
    EXPECT_EQ(m_state.GetCompoundFilePath(pathOf("f")), "/data/A.qvz");
    expectOk();
    EXPECT_FALSE(CCompoundFile::WriteLocationFile("/data/A.qvz", pathOf("no/such")));
    EXPECT_EQ(m_prompts.lastText(),
              "An error occurred while writing " + pathOf("no/such/") + "CompoundFileLocation.txt.");
}

// The unpack registry as a link to a user's file: a record replaces the link, and the user's file
// keeps its bytes.
TEST_F(CompoundFileTest, TheUnpackRegistryIsNeverWrittenThroughALink)
{
    const QString registry = UnpackRegistry::FilePath(), user = pathOf("outside/thesis.docx");
    QDir().mkpath(pathOf("outside"));
    QDir().mkpath(QFileInfo(registry).absolutePath());
    WriteTextFile(user, "precious");
    QFile::remove(registry);
    ASSERT_TRUE(QFile::link(user, registry));
    QDir().mkpath(pathOf("f"));
    EXPECT_TRUE(UnpackRegistry::Tie(pathOf("f"), "/data/A.qvz"));
    EXPECT_FALSE(QFileInfo(registry).isSymLink());
    EXPECT_EQ(m_state.GetCompoundFilePath(pathOf("f")), "");
    WriteTextFile(CCompoundFile::LocationFilePath(pathOf("f")), "/data/A.qvz\n");
    EXPECT_EQ(m_state.GetCompoundFilePath(pathOf("f")), "/data/A.qvz");
    EXPECT_EQ(FileBytes(user), "precious");
}

// A record the program did not write, whether copied in or crafted to name the folder's own path,
// or one left in a folder made again at the same path, never lets the folder be emptied or
// unpacked into.
TEST_F(CompoundFileTest, OnlyAFolderThisProgramListsAsUnpackedIsItsOwn)
{
    const QStringList all = {"CompoundFileLocation.txt", "Demo.eqm", "Demo.mtl", "Demo.prj", "STEP_1.STP"};
    for (const bool remade : {false, true}) {
        SCOPED_TRACE(remade ? "folder made again" : "record written by hand");
        QDir(work()).removeRecursively();
        m_state.Reset();
        const QString qvz = package("Demo.qvz"), folder = unpackFolder(0);
        QDir().mkpath(folder);
        if (remade) {
            ASSERT_TRUE(m_state.Expand(qvz));
            QDir(folder).removeRecursively();
            QDir().mkpath(folder);
        }
        for (const char* member : {"Demo.prj", "Demo.eqm", "Demo.mtl", "STEP_1.STP"})
            WriteTextFile(folder + "/" + member, "the user's");
        WriteTextFile(CCompoundFile::LocationFilePath(folder),
                      (qvz + "\nUnpacked from=" + qvz + "\nUnpacked into=" + folder + "\nState=saved back\n")
                          .toUtf8());
        EXPECT_FALSE(m_state.IsExpandedProject(folder + "/"));
        m_state.CleanUp(folder + "/", "Demo");
        EXPECT_EQ(QDir(folder).entryList(QDir::Files), all);
        m_state.Reset();
        ASSERT_TRUE(m_state.Expand(qvz));
        EXPECT_EQ(m_state.UnpackedProjectFile(), unpackFolder(1) + "/Demo.prj");
    }
}
