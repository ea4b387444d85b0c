#include "modules/packer/QvzPacker.h"
#include "Deadline.h"
#include "PackerTestSupport.h"
#include "QtPrinters.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "WrittenBytes.h"
#include "ZerosZip.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "modules/packer/QvzFormat.h"
#include "modules/packer/QvzReader.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

namespace {
const QStringList DEMO_ENTRIES = {"QVZROOT", "Demo.prj", "Demo.eqm", "Demo.mtl"};

// Files of the folder with their bytes, without the folder's own name.
QMap<QString, QByteArray> FolderFiles(const QString& folder)
{
    QMap<QString, QByteArray> files;
    for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden))
        files.insert(info.fileName(), ReadAllBytes(info.filePath()));
    return files;
}

QByteArray Replaced(QByteArray bytes, const QByteArray& from, const QByteArray& to)
{
    return bytes.replace(from, to);
}

class QvzPackerTest : public PackerFixture {
protected:
    bool pack(const QString& package)
    {
        const bool packed = packer.CreatePackage(demoDir(), package, false);
        EXPECT_TRUE(packed) << packer.ErrorText().toStdString();
        return packed;
    }
    QStringList entryNames(const QString& package)
    {
        QString listing;
        EXPECT_EQ(RunUnzip({"-Z1", package}, &listing), 0);
        return listing.split('\n', Qt::SkipEmptyParts);
    }

    CQvzPacker packer;
};
} // namespace

// The package holds the root first, then exactly the project's files; unzip finds it sound; an
// unpack gives back every file as it was packed, and a save-back carries an edit.
TEST_F(QvzPackerTest, DemoRoundTripsThroughAPackageThatUnzipAccepts)
{
    ASSERT_TRUE(pack(demoPackage()));
    EXPECT_EQ(RunUnzip({"-tq", demoPackage()}), 0);
    const QStringList names = entryNames(demoPackage());
    EXPECT_EQ(names.mid(0, 4), DEMO_ENTRIES);
    QStringList steps = QDir(demoDir()).entryList({"STEP_*.STP"}, QDir::Files);
    EXPECT_EQ(names.mid(4), steps);
    EXPECT_FALSE(steps.isEmpty());
    EXPECT_EQ(QDir(root()).entryList({"Demo.qvz.*"}, QDir::Files), QStringList()); // no temporary left

    QString name;
    ASSERT_TRUE(packer.GetProjectFileName(demoPackage(), name));
    EXPECT_EQ(name, "Demo");
    ASSERT_TRUE(packer.ExpandPackage(demoPackage(), root() + "work/Demo"))
        << packer.ErrorText().toStdString();
    EXPECT_EQ(FolderFiles(root() + "work/Demo"), FolderFiles(demoDir()));

    {
        CDaoDatabase project;
        project.Open(demoDir() + "Demo.prj", DatabaseRole::ReadWrite);
        project.Execute("UPDATE Process SET Description = 'Packed again' WHERE ProcessID = 1");
        project.Close();
    }
    ASSERT_TRUE(packer.SavePackage(demoDir(), demoPackage())) << packer.ErrorText().toStdString();
    ASSERT_TRUE(packer.ExpandPackage(demoPackage(), root() + "work/Demo"));
    EXPECT_EQ(FolderFiles(root() + "work/Demo"), FolderFiles(demoDir()));
}

// One member missing fails the pack, and the package it was to replace stays as it was.
TEST_F(QvzPackerTest, APackMissingAMemberFailsAndKeepsTheOldPackage)
{
    ASSERT_TRUE(pack(demoPackage()));
    const QByteArray before = ReadAllBytes(demoPackage());
    const QString step = QDir(demoDir()).entryList({"STEP_*.STP"}, QDir::Files).first();
    for (const QString& missing : {QString("Demo.mtl"), step}) {
        QFile::rename(demoDir() + missing, root() + missing);
        EXPECT_FALSE(packer.SavePackage(demoDir(), demoPackage())) << missing.toStdString();
        EXPECT_TRUE(packer.ErrorText().contains(missing)) << packer.ErrorText().toStdString();
        QFile::rename(root() + missing, demoDir() + missing);
    }
    app.fileSet().projectName = "Other";
    EXPECT_FALSE(packer.CreatePackage(demoDir(), demoPackage(), true));
    EXPECT_EQ(ReadAllBytes(demoPackage()), before);
    EXPECT_EQ(QDir(root()).entryList({"Demo.qvz*"}, QDir::Files), QStringList{"Demo.qvz"});
}

// A project file is read only through the schema review and the read guard: a table made an endless
// view is refused by name at once; an older file's own view made endless (which the review leaves
// to the migration) is stopped by the guard. No package is written either way.
TEST_F(QvzPackerTest, AProjectFileNotOursOrEndlessToReadIsNotPacked)
{
    const QString endless = "(WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) SELECT %1 FROM c)";
    const struct {
        const char* label;
        QStringList changes;
        QString refusal;
        qint64 withinMs;
    } cases[] = {
        {"a table of ours an endless view",
         {"CREATE TABLE S2PReal AS SELECT * FROM \"Step-To-Process\"", "DROP TABLE \"Step-To-Process\"",
          "CREATE VIEW \"Step-To-Process\" AS SELECT * FROM S2PReal UNION ALL SELECT * FROM " +
              endless.arg("1001, 1, 100 + x, 1000 + x")},
         "the view \"Step-To-Process\" is not one of ours", 2000},
        {"an older file's view of ours endless",
         {"DROP VIEW QryStepInProject", "CREATE VIEW QryStepInProject AS SELECT x AS StepID, 1 AS ProcessID FROM " +
                                            endless.arg("x"),
          "PRAGMA user_version = 1"},
         "reading it took longer than 3 seconds", 5000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ASSERT_TRUE(QDir(demoDir()).removeRecursively());
        ASSERT_TRUE(CProjectGenerator().Write(CProjectGenerator::DemoProject(), demoDir()));
        {
            CDaoDatabase project;
            project.Open(demoDir() + "Demo.prj", DatabaseRole::ReadWrite);
            for (const QString& change : c.changes)
                project.Execute(change);
        }
        const auto before = TreeSnapshot(root());
        QElapsedTimer clock;
        clock.start();
        {
            const Deadline deadline(std::chrono::seconds(60), c.label);
            EXPECT_FALSE(packer.CreatePackage(demoDir(), demoPackage(), false));
        }
        EXPECT_LT(clock.elapsed(), c.withinMs);
        EXPECT_EQ(packer.ErrorText(), "The steps of " + demoDir() + "Demo.prj cannot be read: " + c.refusal);
        EXPECT_EQ(TreeSnapshot(root()), before);
    }
}

// A user's files named like the zip library's temporaries beside the package, and a link under the
// package's own name: a pack and a save-back replace only the package (the link itself, not what
// it names) and leave every other file of the folder byte for byte.
TEST_F(QvzPackerTest, APackageWriteTouchesNothingBesideThePackageButItsName)
{
    WriteAllBytes(root() + "Demo.qvz.tmp.notes", "my notes");
    WriteAllBytes(root() + "Demo.qvz.tmp.1", "my draft");
    WriteAllBytes(root() + "user.qvz", "the user's own package");
    ASSERT_TRUE(QFile::link(root() + "user.qvz", root() + "Demo.qvz.tmp"));
    ASSERT_TRUE(QFile::link(root() + "user.qvz", demoPackage()));
    QMap<QString, QByteArray> others = FolderFiles(root());
    others.remove("Demo.qvz");
    ASSERT_TRUE(pack(demoPackage()));
    ASSERT_TRUE(packer.SavePackage(demoDir(), demoPackage())) << packer.ErrorText().toStdString();
    EXPECT_FALSE(QFileInfo(demoPackage()).isSymLink());
    EXPECT_EQ(RunUnzip({"-tq", demoPackage()}), 0);
    QMap<QString, QByteArray> after = FolderFiles(root());
    after.remove("Demo.qvz");
    EXPECT_EQ(after, others);
    EXPECT_TRUE(QFileInfo(root() + "Demo.qvz.tmp").isSymLink());
    EXPECT_EQ(QDir(root()).entryList({".Demo.qvz*"}, QDir::AllEntries | QDir::Hidden), QStringList());
}

// Each row: a package that must be refused. Nothing is written anywhere: not the target, not
// beside it, not above it.
TEST_F(QvzPackerTest, MalformedPackagesAreRefusedAndNothingIsWritten)
{
    const QList<ZipEntrySpec> good = MinimalPackageEntries();
    const auto with = [&](const ZipEntrySpec& extra) { return QList<ZipEntrySpec>(good) << extra; };
    QList<ZipEntrySpec> rootLast = good.mid(1);
    rootLast << good.first();
    QList<ZipEntrySpec> noRoot = good.mid(1);
    QList<ZipEntrySpec> noMaterials = good.mid(0, 3);
    QList<ZipEntrySpec> otherVersion = good;
    otherVersion[0].bytes = Replaced(good[0].bytes, "project 1", "project 2");
    QList<ZipEntrySpec> escapingName = MinimalPackageEntries("..");
    QByteArray noPageCount = DatabaseLikeBytes("s");
    noPageCount.replace(28, 4, QByteArray(4, '\0'));
    const QByteArray sequence(1 << 20, 'q'); // as long as a sequence file may be
    const QList<std::pair<const char*, QList<ZipEntrySpec>>> rows = {
        {"no root", noRoot},
        {"root not first", rootLast},
        {"another format version", otherVersion},
        {"root naming a path", escapingName},
        {"a member missing", noMaterials},
        {"../x", with({"../x", "x"})},
        {"/abs", with({"/abs", "x"})},
        {"a path inside", with({"sub/STEP_1.STP", "x"})},
        {"stray name", with({"notes.txt", "x"})},
        {"a step of another case", with({"step_1.stp", "x"})},
        {"another project's file", with({"Other.prj", "x"})},
        {"a sequence file's name ending in a line break", with({"n_User_Sim_Def_1.txt\n", "x"})},
        {"a step's name ending in a line break", with({"STEP_1.STP\n", "x"})},
        {"a step that is no database", with({"STEP_1.STP", "x"})},
        {"a step shorter than its header says", with({"STEP_1.STP", DatabaseLikeBytes("s", 2).left(600)})},
        {"a step whose header counts no pages", with({"STEP_1.STP", noPageCount})},
        {"a sequence file over 1 MiB", with({"n_User_Sim_Def_1.txt", sequence + "q"})},
    };
    const QString box = root() + "box/";
    QDir().mkpath(box);
    for (const auto& [label, entries] : rows) {
        WriteStoredZip(box + "p.qvz", entries);
        const auto before = TreeSnapshot(root());
        EXPECT_FALSE(packer.ExpandPackage(box + "p.qvz", box + "work/Demo")) << label;
        EXPECT_EQ(TreeSnapshot(root()), before) << label;
    }
    // The rows differ from a sound package only in their fault.
    WriteStoredZip(box + "p.qvz", with({"n_User_Sim_Def_1.txt", sequence})
                                      << ZipEntrySpec{"STEP_1.STP", DatabaseLikeBytes("s", 2)});
    EXPECT_TRUE(packer.ExpandPackage(box + "p.qvz", box + "work/Demo")) << packer.ErrorText().toStdString();
}

// Each row: a member of 4 or 2 GiB of zeros packed into a few megabytes. Each is refused before a
// byte of it is written: past its kind's bound by its declared size, within it by its header.
TEST_F(QvzPackerTest, AMemberPastWhatItsKindHoldsIsRefusedBeforeAnyOfItIsWritten)
{
    QList<ZerosZipMember> sound;
    for (const ZipEntrySpec& entry : MinimalPackageEntries())
        sound.append({entry.name, entry.bytes});
    const QString step = "STEP_1.STP", sequence = "n_User_Sim_Def_1.txt";
    const struct {
        QString member;
        quint64 zeros;
        QString reason;
    } rows[] = {
        {step, quint64(4) << 30,
         "\"STEP_1.STP\" declares 4294967296 bytes, more than a database of a project holds (2147483648)"},
        {sequence, quint64(4) << 30,
         "\"n_User_Sim_Def_1.txt\" declares 4294967296 bytes, more than a sequence file of a project holds "
         "(1048576)"},
        {step, quint64(2) << 30, "\"STEP_1.STP\" is no database of the 2147483648 bytes it declares"},
    };
    const QString package = root() + "zeros.qvz";
    for (const auto& row : rows) {
        ASSERT_TRUE(WriteZerosZip(package, QList<ZerosZipMember>(sound)
                                               << ZerosZipMember{row.member, {}, row.zeros}));
        const auto before = TreeSnapshot(root());
        const quint64 written = BytesWrittenSoFar();
        {
            const Deadline deadline(std::chrono::seconds(10), "the unpack of " + row.reason.toStdString());
            EXPECT_FALSE(packer.ExpandPackage(package, root() + "work/Demo"));
        }
        EXPECT_LE(BytesWrittenSoFar() - written, quint64(1) << 20) << row.reason.toStdString();
        EXPECT_EQ(packer.RefusalReason(), row.reason);
        EXPECT_EQ(TreeSnapshot(root()), before) << row.reason.toStdString();
    }
}

// The directory is read in one pass: a package of 40,000 empty steps is refused as damaged before
// anything is written, in far less time than a scan per member would take; one at the limit opens.
TEST_F(QvzPackerTest, APackageOfMoreMembersThanTheLimitIsRefusedAtOnce)
{
    const auto withSteps = [](int steps) {
        QList<ZipEntrySpec> entries = MinimalPackageEntries();
        for (int k = 0; k < steps; ++k)
            entries << ZipEntrySpec{QStringLiteral("STEP_%1.STP").arg(2000000 + k), QByteArray()};
        return entries;
    };
    const QString package = root() + "many.qvz";
    WriteStoredZip(package, withSteps(10000 - 3));
    CQvzReader atTheLimit;
    EXPECT_TRUE(atTheLimit.Open(package)) << atTheLimit.ErrorText().toStdString();

    WriteStoredZip(package, withSteps(40000));
    const auto before = TreeSnapshot(root());
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(packer.ExpandPackage(package, root() + "work/Demo"));
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_EQ(packer.ErrorText(), package + ": it holds more than 10000 members");
    EXPECT_EQ(TreeSnapshot(root()), before);
}

// Damage found only while reading (a truncated file, a wrong CRC, a duplicate name) or sizes
// that do not fit also refuse, leave no part file, and keep a folder unpacked earlier as it was.
TEST_F(QvzPackerTest, DamagedContentOrSizesThatDoNotFitLeaveAnEarlierUnpackAlone)
{
    QList<ZipEntrySpec> entries = MinimalPackageEntries();
    entries << ZipEntrySpec{"STEP_1.STP", DatabaseLikeBytes("first step")}
            << ZipEntrySpec{"STEP_2.STP", DatabaseLikeBytes("other step")};
    const QString box = root() + "box/", package = box + "p.qvz", target = box + "Demo";
    QDir().mkpath(box);
    WriteStoredZip(package, entries);
    ASSERT_TRUE(packer.ExpandPackage(package, target));
    const QByteArray sound = ReadAllBytes(package);
    const QList<std::pair<const char*, QByteArray>> rows = {
        {"truncated", sound.left(sound.size() / 2)},
        {"bad CRC", Replaced(sound, "contents of Demo.eqm", "contents of Demo.EQM")},
        {"duplicate", Replaced(sound, "STEP_2.STP", "STEP_1.STP")},
        {"empty", QByteArray()},
    };
    for (const auto& [label, bytes] : rows) {
        WriteAllBytes(package, bytes);
        const auto before = TreeSnapshot(root());
        EXPECT_FALSE(packer.ExpandPackage(package, target)) << label;
        EXPECT_EQ(TreeSnapshot(root()), before) << label;
    }
    WriteAllBytes(package, sound);
    qint64 needed = 0;
    for (const ZipEntrySpec& entry : entries.mid(1))
        needed += entry.bytes.size();
    for (const qint64 free : {needed - 1, qint64(0)}) {
        CQvzPacker::SetFreeSpaceProbe(
            [free](const QString& folder) { return QDir(folder).exists() ? free : -2; });
        EXPECT_FALSE(packer.ExpandPackage(package, root() + "new/deeper/Demo")) << free;
        EXPECT_FALSE(QFileInfo::exists(root() + "new"));
    }
    CQvzPacker::SetFreeSpaceProbe([needed](const QString&) { return needed; });
    EXPECT_TRUE(packer.ExpandPackage(package, root() + "new/deeper/Demo"));
}

// The root names one plain project name in the one known format; the members follow its name.
TEST(QvzFormatTest, TheRootNamesOnePlainProjectName)
{
    QString name;
    EXPECT_TRUE(ParseQvzRoot(QvzRootText("Demo v2"), name));
    EXPECT_EQ(name, "Demo v2");
    for (const QByteArray& text :
         {QvzRootText("a/b"), QvzRootText(".."), QvzRootText(""), QvzRootText("Demo") + "x\n",
          QByteArray("Quorvanta compound project 1\nDemo")})
        EXPECT_FALSE(ParseQvzRoot(text, name)) << text.toStdString();
    EXPECT_TRUE(IsQvzMemberName("STEP_42.STP", "Demo"));
    for (const char* entry : {"STEP_0.STP", "STEP_01.STP", "STEP_1.STP.part", "STEP_.STP", "Demo.qvt"})
        EXPECT_FALSE(IsQvzMemberName(entry, "Demo")) << entry;
}
