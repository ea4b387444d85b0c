// Compound files on the real packer and real project files: the open, edit, save-back and close
// of a package, the choice of the unpack folder, the Save As Compound File command and the
// extraction of one library out of a package.

#include "ProjectFixture.h"
#include "modules/packer/CompoundFilePacker.h"
#include "modules/packer/QvzPacker.h"
#include "projects/ProjectFileNames.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
const char* const PACKAGE_EDIT =
    "UPDATE Process SET Description = 'Edited in the package' WHERE ProcessID = 1";
const char* const READ_PACKAGE_EDIT = "SELECT Description FROM Process WHERE ProcessID = 1";

int UnzipTest(const QString& package)
{
    QProcess unzip;
    unzip.start("unzip", {"-tq", package});
    return unzip.waitForFinished(60000) ? unzip.exitCode() : -1;
}

// Another instance holding the in-use marker of the folder.
bool HoldMarker(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder + IN_USE_MARKER_NAME).constData(), O_RDWR | O_CREAT, 0644);
    return fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}
} // namespace

class CompoundPackageTest : public ProjectFixture {
protected:
    // Demo packed into <root>/Demo.qvz, as a user who received it would find it.
    QString PackDemo()
    {
        WriteDemo();
        app.fileSet().projectName = "Demo";
        CQvzPacker packer;
        EXPECT_TRUE(packer.CreatePackage(projectDir(), root() + "Demo.qvz", false))
            << packer.ErrorText().toStdString();
        app.fileSet().projectName.clear();
        return root() + "Demo.qvz";
    }
    QString work() { return app.fakePaths().workingDir(); }
    QVariant PackedValue(const QString& package, const QString& sql)
    {
        CQvzPacker packer;
        const QString check = root() + "check/Demo";
        QDir(check).removeRecursively();
        EXPECT_TRUE(packer.ExpandPackage(package, check)) << packer.ErrorText().toStdString();
        return RawQuery(check + "/Demo.prj", sql);
    }

    CCompoundFile& compound() { return manager.CompoundFile(); }
};

TEST_F(CompoundPackageTest, AnUnpackedProjectEditedAndClosedWithYesHasTheEditInItsPackage)
{
    const QString package = PackDemo();
    ASSERT_TRUE(OpenGiven(package));
    EXPECT_EQ(app.fileSet().projectDir, work() + "Demo/");
    EXPECT_EQ(CCompoundFile::ReadLocationFile(work() + "Demo"), package);
    EditProject(PACKAGE_EDIT);
    prompts.expect(IDYES);
    ASSERT_TRUE(manager.CloseCurrentProject());
    EXPECT_EQ(UnzipTest(package), 0);
    EXPECT_EQ(PackedValue(package, READ_PACKAGE_EDIT).toString(), "Edited in the package");
    // The package lies elsewhere: its databases go, the location file stays for the next unpack.
    EXPECT_EQ(QDir(work() + "Demo").entryList(QDir::Files), QStringList{COMPOUND_LOCATION_NAME});
    ASSERT_TRUE(OpenGiven(package));
    EXPECT_EQ(app.fileSet().projectDir, work() + "Demo/");
    EXPECT_EQ(RawQuery(app.fileSet().projectFilePath, READ_PACKAGE_EDIT).toString(), "Edited in the package");
    ASSERT_TRUE(manager.CloseCurrentProject());
}

// A folder of the user's own project is never unpacked over; one another instance has open
// refuses the unpack with nothing written.
TEST_F(CompoundPackageTest, TheUnpackPassesTheUsersOwnProjectAndRefusesOneOpenElsewhere)
{
    const QString package = PackDemo();
    WriteDemo("Demo", "work/Demo");
    const auto own = Snapshot(work() + "Demo");
    ASSERT_TRUE(compound().Expand(package));
    EXPECT_EQ(compound().UnpackedProjectFile(), work() + "Demo(1)/Demo.prj");
    EXPECT_EQ(Snapshot(work() + "Demo"), own);

    const ChildProcess otherInstance([&] { return HoldMarker(work() + "Demo(1)/"); });
    ASSERT_TRUE(otherInstance.succeeded());
    const auto held = Snapshot(work() + "Demo(1)");
    prompts.expect(IDOK);
    EXPECT_FALSE(compound().Expand(package));
    EXPECT_EQ(prompts.lastText(),
              "This project is already open.\n\nA copy of the project may be made to continue working.");
    EXPECT_EQ(Snapshot(work() + "Demo(1)"), held);
    EXPECT_FALSE(QFileInfo::exists(work() + "Demo(2)"));
    EXPECT_FALSE(compound().IsValid());
}

// The dialog asks for the package; Cancel packs nothing; an untitled project is first given a name.
TEST_F(CompoundPackageTest, SaveAsCompoundFileAsksForThePackageAndPacksTheSavedProject)
{
    OpenDemo();
    dialogs.expect("");
    EXPECT_FALSE(compound().SaveAsCompoundFile());
    ASSERT_EQ(dialogs.requests().size(), 1);
    const FileDialogRequest& request = dialogs.requests().first();
    EXPECT_EQ(request.kind, FileDialogRequest::Save);
    EXPECT_EQ(request.filter, "Tamro Plenthover Compound Files (*.qvz)|*.qvz||");
    EXPECT_EQ(request.defaultExtension, ".qvz");
    EXPECT_EQ(request.initialPath, projectDir() + "Demo");
    EXPECT_FALSE(CCompoundFile::LocationFileExists(projectDir()));

    EditProject(PACKAGE_EDIT);
    dialogs.expect(root() + "out/../Sent.qvz");
    ASSERT_TRUE(compound().SaveAsCompoundFile());
    EXPECT_EQ(CCompoundFile::ReadLocationFile(projectDir()), root() + "Sent.qvz");
    EXPECT_EQ(PackedValue(root() + "Sent.qvz", READ_PACKAGE_EDIT).toString(), "Edited in the package");
    EXPECT_EQ(UnzipTest(root() + "Sent.qvz"), 0);

    manager.m_bUntitled = true; // a refused Save As gives it no name: nothing is packed
    projectDialogs.expect([](QDialog&) { return int(IDCANCEL); });
    EXPECT_FALSE(compound().SaveAsCompoundFile());
    projectDialogs.expect([](QDialog&) { return int(IDCANCEL); });
    EXPECT_FALSE(compound().SaveAs());
    EXPECT_EQ(projectDialogs.titles(), (QStringList{"Save As", "Save As"}));
    EXPECT_EQ(dialogs.requests().size(), 2);
    manager.m_bUntitled = false;
    ASSERT_TRUE(manager.CloseCurrentProject());
}

// Kind 0 gives the materials, 1 the equipment, each alone in a folder of its own that the frame
// removes later; any other kind and a missing package give nothing.
TEST_F(CompoundPackageTest, OneLibraryComesOutOfAPackageIntoAFolderOfItsOwn)
{
    PackDemo();
    int packers = 0;
    const CompoundFilePackerFactory previous = SetCompoundFilePackerFactory([&] {
        ++packers;
        return std::make_unique<CQvzPacker>();
    });
    const std::pair<int, const char*> kinds[] = {{0, "mtl"}, {1, "eqm"}};
    for (const auto& [kind, extension] : kinds) {
        QString result = "stale";
        ASSERT_TRUE(CCompoundFile::GetMaterialOrEquipmentFileFromQvzFile(kind, root(), "Demo", result));
        const QFileInfo library(result);
        EXPECT_EQ(library.fileName(), QString("Demo.") + extension);
        EXPECT_TRUE(library.path().startsWith(root() + "Demo_" + extension + "_")) << result.toStdString();
        EXPECT_TRUE(QRegularExpression("_\\w{3}_\\w{3}_[_\\d]\\d_\\d\\d_\\d\\d_\\d\\d_\\d{4}$")
                        .match(library.path())
                        .hasMatch())
            << result.toStdString();
        EXPECT_EQ(QDir(library.path()).entryList(QDir::Files), QStringList{library.fileName()});
        EXPECT_EQ(frame.callsNamed("RegisterTemporaryFolder").last(),
                  "RegisterTemporaryFolder " + library.path());
        QDir(library.path()).removeRecursively();
    }
    EXPECT_EQ(packers, 2);
    QString result = "stale";
    EXPECT_FALSE(CCompoundFile::GetMaterialOrEquipmentFileFromQvzFile(2, root(), "Demo", result));
    EXPECT_EQ(packers, 2);
    EXPECT_FALSE(CCompoundFile::GetMaterialOrEquipmentFileFromQvzFile(0, root(), "Missing", result));
    EXPECT_EQ(result, "");
    EXPECT_EQ(QDir(root()).entryList({"*_mtl_*", "*_eqm_*"}, QDir::Dirs), QStringList());
    SetCompoundFilePackerFactory(previous);
}
