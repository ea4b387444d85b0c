// Compound files on the real packer and real project files: the open, edit, save-back and close
// of a package, the choice of the unpack folder, the Save As Compound File command and the
// extraction of one library out of a package.

#include "ProjectFixture.h"
#include "SentPackages.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/schema/SchemaBuilder.h"
#include "modules/packer/CompoundFilePacker.h"
#include "modules/packer/QvzPacker.h"
#include "projects/ProjectFileNames.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSqlQuery>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
const char* const PACKAGE_EDIT =
    "UPDATE Process SET Description = 'Edited in the package' WHERE ProcessID = 1";
const char* const READ_PACKAGE_EDIT = "SELECT Description FROM Process WHERE ProcessID = 1";
const char* const SAVE_BACK_FAILED = "Failed to save to Tamro Plenthover Compound file";

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
    // Another project, packed into <root>/Other.qvz.
    QString PackOther()
    {
        WriteDemo("Other", "other");
        app.fileSet().projectName = "Other";
        CQvzPacker packer;
        EXPECT_TRUE(packer.CreatePackage(projectDir(), root() + "Other.qvz", false));
        app.fileSet().projectName.clear();
        return root() + "Other.qvz";
    }
    // The project's own files in the folder (its marker, location file and package aside).
    static QStringList ProjectFiles(const QString& folder)
    {
        return QDir(folder).entryList({"*.prj", "*.eqm", "*.mtl", "*.STP"}, QDir::Files);
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

// While the package is written back, the folder already counts as holding changes the package
// lacks: a crash then leaves a folder no unpack takes.
TEST_F(CompoundPackageTest, AnUnpackedProjectEditedAndClosedWithYesHasTheEditInItsPackage)
{
    struct WriteBackWatch : CQvzPacker {
        explicit WriteBackWatch(QList<bool>& savedBack) : savedBackDuringWrite(savedBack) {}
        bool SavePackage(const QString& folder, const QString& package) override
        {
            const auto record = CCompoundFile::ReadUnpackRecord(folder);
            savedBackDuringWrite << (record && record->savedBack);
            return CQvzPacker::SavePackage(folder, package);
        }
        QList<bool>& savedBackDuringWrite;
    };
    QList<bool> savedBackDuringWrite;
    const CompoundFilePackerFactory previous =
        SetCompoundFilePackerFactory([&] { return std::make_unique<WriteBackWatch>(savedBackDuringWrite); });
    const auto restore = qScopeGuard([&] { SetCompoundFilePackerFactory(previous); });
    const QString package = PackDemo();
    ASSERT_TRUE(OpenGiven(package));
    EXPECT_EQ(app.fileSet().projectDir, work() + "Demo/");
    EXPECT_EQ(CCompoundFile::ReadLocationFile(work() + "Demo"), package);
    EditProject(PACKAGE_EDIT);
    prompts.expect(IDYES);
    ASSERT_TRUE(manager.CloseCurrentProject());
    EXPECT_EQ(savedBackDuringWrite, QList<bool>{false});
    EXPECT_EQ(UnzipTest(package), 0);
    EXPECT_EQ(PackedValue(package, READ_PACKAGE_EDIT).toString(), "Edited in the package");
    // The package lies elsewhere: its databases go, the location file stays for the next unpack.
    EXPECT_EQ(QDir(work() + "Demo").entryList(QDir::Files), QStringList{COMPOUND_LOCATION_NAME});
    ASSERT_TRUE(OpenGiven(package));
    EXPECT_EQ(app.fileSet().projectDir, work() + "Demo/");
    EXPECT_EQ(RawQuery(app.fileSet().projectFilePath, READ_PACKAGE_EDIT).toString(), "Edited in the package");
    ASSERT_TRUE(manager.CloseCurrentProject());
}

// The package is unpacked and checked before the close's question; when the close then writes the
// edit back into that very package, the package is unpacked again: the project opens with the edit,
// in the folder it was unpacked into before, and no staging folder is left.
TEST_F(CompoundPackageTest, APackageReopenedOverItsOwnProjectOpensWithWhatTheCloseWroteBack)
{
    const QString package = PackDemo();
    ASSERT_TRUE(OpenGiven(package));
    EditProject(PACKAGE_EDIT);
    prompts.expect(IDYES);
    ASSERT_TRUE(OpenGiven(package));
    EXPECT_EQ(app.fileSet().projectDir, work() + "Demo/");
    EXPECT_EQ(RawQuery(app.fileSet().projectFilePath, READ_PACKAGE_EDIT).toString(), "Edited in the package");
    EXPECT_EQ(QDir(work()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"Demo"});
    ASSERT_TRUE(manager.CloseCurrentProject());
}

// The working folder need not exist: the stage makes it, and when the package is refused takes it
// away again with every folder above it that it made; a sound package then opens in it.
TEST_F(CompoundPackageTest, ARefusedPackageLeavesNoFolderEvenWhereTheStageMadeTheWorkingFolder)
{
    WriteDemo();
    const QList<SentPackage> packages = WriteSentPackages(projectDir(), "Demo", root() + "sent/");
    app.fakePaths().SetWorkingDirectory(root() + "not/yet/work");
    const SentPackage& noStep = packages.at(4);
    prompts.expect(IDOK);
    EXPECT_FALSE(OpenGiven(noStep.path));
    EXPECT_EQ(prompts.texts(), QStringList{noStep.path + " is not a Tamro Plenthover project: " + noStep.reason});
    EXPECT_FALSE(QFileInfo::exists(root() + "not"));
    ASSERT_TRUE(OpenGiven(packages.last().path)) << prompts.lastText().toStdString();
    EXPECT_EQ(app.fileSet().projectDir, root() + "not/yet/work/Demo/");
    ASSERT_TRUE(manager.CloseCurrentProject());
}

// A package whose material library is from before library imports opens: the stage checks it as an
// older file of ours and leaves it as it is; only the working copy is migrated.
TEST_F(CompoundPackageTest, APackageOfAnOlderLibraryOpensAndTheStageLeavesTheFileAsItIs)
{
    WriteDemo();
    {
        CDaoDatabase old;
        old.Open(projectDir() + "Demo.mtl");
        DropAllTriggers(old);
        for (const char* table : {"LibraryImport", "LibraryMapping", "ReactionDataSetTable", "ReactionTable",
                                  "ReactionCoefficientTable"})
            old.Execute(QStringLiteral("DROP TABLE IF EXISTS %1").arg(QLatin1String(table)));
        old.Execute("ALTER TABLE ActualMaterialCommon DROP COLUMN LibraryStamp");
        old.Execute("PRAGMA user_version = 1");
    }
    app.fileSet().projectName = "Demo";
    CQvzPacker packer;
    ASSERT_TRUE(packer.CreatePackage(projectDir(), root() + "Old.qvz", false)) << packer.ErrorText().toStdString();
    app.fileSet().projectName.clear();
    ASSERT_TRUE(OpenGiven(root() + "Old.qvz")) << prompts.lastText().toStdString();
    EXPECT_EQ(RawQuery(work() + "Demo/Demo.mtl", "PRAGMA user_version").toInt(), 1);
    EXPECT_EQ(RawQuery(app.fileSet().materialsDBPath, "PRAGMA user_version").toInt(),
              CSchemaBuilder::SchemaVersion(DatabaseKind::Material));
    prompts.expect(IDNO); // the migrated working copies are a change
    ASSERT_TRUE(manager.CloseCurrentProject());
}

// Each row: what became of the package Manage Compound File wrote beside an ordinary project, and
// the answer to the close's save question. The project keeps every file; another project's
// package refuses the save-back and stays as it was.
TEST_F(CompoundPackageTest, APackedProjectKeepsItsFilesWhateverBecameOfThePackage)
{
    enum Package { Own, Missing, Foreign };
    const std::tuple<Package, int> rows[] = {{Own, IDYES}, {Own, IDNO}, {Missing, IDYES}, {Foreign, IDYES}};
    const QString other = PackOther();
    for (const auto& [package, answer] : rows) {
        SCOPED_TRACE(testing::Message() << "package " << package << ", answer " << answer);
        QDir(root() + "projects").removeRecursively();
        OpenDemo();
        ASSERT_TRUE(compound().SaveAs());
        const QString qvz = projectDir() + "Demo.qvz";
        const QStringList files = ProjectFiles(projectDir());
        if (package != Own)
            QFile::remove(qvz);
        if (package == Foreign) {
            ASSERT_TRUE(QFile::copy(other, qvz));
        }
        const QByteArray packed = FileBytes(qvz);
        EditProject(PACKAGE_EDIT);
        prompts.expect(answer);
        if (package == Foreign) {
            prompts.expect(IDOK);
            EXPECT_FALSE(manager.CloseCurrentProject());
            EXPECT_EQ(prompts.lastText(), SAVE_BACK_FAILED);
            prompts.expect(IDNO);
        }
        ASSERT_TRUE(manager.CloseCurrentProject());
        EXPECT_EQ(ProjectFiles(projectDir()), files);
        EXPECT_EQ(RawQuery(projectPath(".prj"), READ_PACKAGE_EDIT).toString() == "Edited in the package",
                  answer == IDYES);
        if (package == Own && answer == IDYES) {
            EXPECT_EQ(PackedValue(qvz, READ_PACKAGE_EDIT).toString(), "Edited in the package");
        } else {
            EXPECT_EQ(FileBytes(qvz), packed);
        }
    }
}

// A location file this program never tied to the folder (an unrelated file, or the package of another
// project called the same) is passed over by every save and the close, said once a session; Manage
// Compound File then packs as for a folder without one, and from then on the save writes back.
TEST_F(CompoundPackageTest, ALocationFileThisProgramDidNotTieIsPassedOverWithAWordOnce)
{
    const QString sameName = PackDemo(), unrelated = root() + "notes.txt";
    WriteTextFile(unrelated, "my notes");
    int row = 0;
    for (const QString& named : {unrelated, sameName}) {
        SCOPED_TRACE(named.toStdString());
        ASSERT_TRUE(OpenGiven(WriteDemo("Demo", QString("mine%1/Demo").arg(++row))));
        WriteTextFile(projectDir() + "CompoundFileLocation.txt", named.toUtf8());
        const QByteArray before = FileBytes(named);
        const QString untied =
            QString("The package named in CompoundFileLocation.txt (%1) was not tied to this "
                    "folder by this program and is not updated. Use Manage Compound File "
                    "to tie it.")
                .arg(named);
        for (int save = 0; save < 2; ++save) {
            EditProject(QString("UPDATE Process SET Description = 'Save %1' WHERE ProcessID = 1").arg(save));
            if (save == 0)
                prompts.expect(IDOK);
            ASSERT_TRUE(manager.SaveProject(QString(), false));
        }
        EXPECT_EQ(prompts.texts(), QStringList{untied});
        EditProject(PACKAGE_EDIT);
        prompts.expect(IDYES); // the close's own question: save the changes
        ASSERT_TRUE(manager.CloseCurrentProject());
        EXPECT_EQ(prompts.texts().size(), 2);
        EXPECT_EQ(FileBytes(named), before);
        EXPECT_EQ(RawQuery(projectPath(".prj"), READ_PACKAGE_EDIT).toString(), "Edited in the package");
        prompts.clear();
    }

    ASSERT_TRUE(OpenGiven(projectPath(".prj")));
    ASSERT_TRUE(compound().SaveAs());
    EXPECT_EQ(CCompoundFile::ReadLocationFile(projectDir()), projectDir() + "Demo.qvz");
    EditProject("UPDATE Process SET Description = 'Tied' WHERE ProcessID = 1");
    ASSERT_TRUE(manager.SaveProject(QString(), false));
    EXPECT_EQ(PackedValue(projectDir() + "Demo.qvz", READ_PACKAGE_EDIT).toString(), "Tied");
    ASSERT_TRUE(manager.CloseCurrentProject());
    EXPECT_EQ(prompts.texts(), QStringList());
}

// An unpacked project whose package went missing: the close with Yes is refused naming the folder
// that holds the changes; after No the folder keeps them, and the next unpack passes it over.
TEST_F(CompoundPackageTest, AnUnpackedFolderWhosePackageWentMissingKeepsItsChanges)
{
    const QString package = PackDemo();
    const QByteArray packed = FileBytes(package);
    ASSERT_TRUE(OpenGiven(package));
    QFile::remove(package);
    EditProject(PACKAGE_EDIT);
    prompts.expect(IDYES);
    prompts.expect(IDOK);
    EXPECT_FALSE(manager.CloseCurrentProject());
    EXPECT_EQ(prompts.lastText(),
              QString(SAVE_BACK_FAILED) + "\n\nThe changes are kept in the folder " + work() + "Demo.");
    prompts.expect(IDNO);
    ASSERT_TRUE(manager.CloseCurrentProject());
    EXPECT_EQ(RawQuery(work() + "Demo/Demo.prj", READ_PACKAGE_EDIT).toString(), "Edited in the package");
    WriteTextFile(package, packed);
    const auto kept = Snapshot(work() + "Demo");
    ASSERT_TRUE(OpenGiven(package));
    EXPECT_EQ(app.fileSet().projectDir, work() + "Demo(1)/");
    ASSERT_TRUE(manager.CloseCurrentProject());
    EXPECT_EQ(Snapshot(work() + "Demo"), kept);
}

// A user's project saved where the package would be unpacked is never unpacked over, whatever
// location file it holds: the one its own Manage Compound File wrote (the package lies beside it),
// or one copied from a folder unpacked elsewhere.
TEST_F(CompoundPackageTest, AUsersProjectWhereAnUnpackWouldGoIsNeverUnpackedOver)
{
    const QString elsewhere = PackDemo();
    for (const bool packedByUser : {true, false}) {
        SCOPED_TRACE(packedByUser);
        QDir(work()).removeRecursively();
        ASSERT_TRUE(OpenGiven(WriteDemo("Demo", "work/Demo")));
        EditProject("UPDATE Process SET Description = 'The user''s own' WHERE ProcessID = 1");
        const QString package = packedByUser ? work() + "Demo/Demo.qvz" : elsewhere;
        if (packedByUser) {
            ASSERT_TRUE(compound().SaveAs());
        } else {
            ASSERT_TRUE(manager.SaveProject(QString(), false));
            WriteTextFile(work() + "Demo/CompoundFileLocation.txt",
                          (package + "\nUnpacked from=" + package + "\nUnpacked into=" + root() +
                           "copied/Demo\nState=saved back\n")
                              .toUtf8());
        }
        ASSERT_TRUE(manager.CloseCurrentProject());
        const auto own = Snapshot(work() + "Demo");
        ASSERT_TRUE(OpenGiven(package));
        EXPECT_EQ(app.fileSet().projectDir, work() + "Demo(1)/");
        ASSERT_TRUE(manager.CloseCurrentProject());
        EXPECT_EQ(Snapshot(work() + "Demo"), own);
    }
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
