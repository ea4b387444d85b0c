// A save in place writes only the files whose working copy changed since their target last took
// its data, or whose target was touched since; the rest keep their identity.

#include "ProjectFixture.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/ChangeTracking.h"
#include "foundation/db/files/Compaction.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/schema/SchemaBuilder.h"
#include "projects/CompoundFileState.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QStorageInfo>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>

namespace {
const char* const FIRST_LABEL = "SELECT Label FROM TextRecipe WHERE rowid = 1";

QList<int> ShownProgress(const FakeFrameServices& frame)
{
    QList<int> positions;
    for (const QString& call : frame.callsNamed("SetProgressPos"))
        positions << call.section(' ', 1).toInt();
    return positions;
}

// Writes other bytes into the file, then gives it back its bytes and modification time, as a copy
// restored with `touch -r` would be: only the status-change time tells.
void RestoreWithTouch(const QString& path)
{
    struct stat before {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &before), 0);
    const QByteArray bytes = FileBytes(path);
    WriteTextFile(path, "replaced");
    WriteTextFile(path, bytes);
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

class RecordingSaveBack : public ICompoundFileState {
public:
    bool IsExpandedProject(const QString&) const override { return false; }
    QString GetCompoundFilePath(const QString&) const override { return QString(); }
    void CleanUp(const QString&, const QString&) override {}
    bool SaveBack(const QString&, const QString&) override
    {
        ++calls;
        return succeeds;
    }
    int calls = 0;
    bool succeeds = true;
};
} // namespace

class SaveWhatChangedTest : public ProjectFixture {
protected:
    void OpenForReal() { ASSERT_TRUE(OpenGiven(WriteDemo())); }

    QMap<QString, FileIdentity> Identities() const
    {
        QMap<QString, FileIdentity> identities;
        for (const QString& name : QDir(projectDir()).entryList({"*.prj", "*.eqm", "*.mtl", "*.STP"}, QDir::Files))
            identities.insert(name, *ReadFileIdentity(projectDir() + name));
        return identities;
    }
    // Saves in place and answers the project files the save replaced.
    QStringList SaveAndListWritten()
    {
        const QMap<QString, FileIdentity> before = Identities();
        app.setProjectModified(true);
        EXPECT_TRUE(manager.SaveProject(QString(), false));
        QStringList written;
        const QMap<QString, FileIdentity> after = Identities();
        for (auto file = after.cbegin(); file != after.cend(); ++file) {
            if (before.value(file.key()) != file.value())
                written << file.key();
        }
        EXPECT_EQ(before.keys(), after.keys());
        return written;
    }
    void EditLibrary(const QString& path, const QString& sql)
    {
        CDaoDatabase library; // opened and closed again between two saves
        library.Open(path, DatabaseRole::WorkingCopy);
        library.Execute(sql);
    }
};

// Each edit is seen as a change of its own file; a save after no edit writes nothing, adds no
// journal and shows the whole progress; a baseline taken by a save holds for the next one.
TEST_F(SaveWhatChangedTest, ASaveWritesExactlyTheFilesWhoseWorkingCopyOrTargetChanged)
{
    OpenForReal();
    const QString& materials = app.fileSet().materialsDBPath;
    const struct {
        const char* change;
        std::function<void()> make;
        QStringList written;
    } cases[] = {
        {"nothing", [] {}, {}},
        {"a step row", [&] { EditStep(1002, "UPDATE TextRecipe SET Label = 'Edited' WHERE rowid = 1"); },
         {"STEP_1002.STP"}},
        {"nothing after a save", [] {}, {}},
        {"a step row and the project",
         [&] {
             EditStep(1004, "UPDATE TextRecipe SET Label = 'Edited' WHERE rowid = 1");
             EditProject("UPDATE Process SET Description = 'Edited' WHERE ProcessID = 1");
         },
         {"Demo.prj", "STEP_1004.STP"}},
        {"an index", [&] { EditProject("CREATE INDEX qvTestIndex ON ProjectStep (StepName)"); }, {"Demo.prj"}},
        {"a user version", [&] { EditStep(1001, "PRAGMA user_version = 7"); }, {"STEP_1001.STP"}},
        {"a library closed again", [&] { EditLibrary(materials, "UPDATE ActualMaterialCommon SET Alias = 'x'"); },
         {"Demo.mtl"}},
        {"a target restored with touch", [&] { RestoreWithTouch(projectDir() + "STEP_1005.STP"); },
         {"STEP_1005.STP"}},
        {"a backup beside a target", [&] { WriteTextFile(projectPath(".eqm.bu"), "left"); }, {"Demo.eqm"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.change);
        frame.clearCalls();
        c.make();
        EXPECT_EQ(SaveAndListWritten(), c.written);
        EXPECT_FALSE(app.isProjectModified());
        EXPECT_EQ(frame.callsNamed("StopAutoSaveTimer").size(), 1);
        EXPECT_EQ(ShownProgress(frame), (QList<int>{20, 27, 34, 41, 48, 55, 62, 69, 80, 90, 100}));
        EXPECT_EQ(QDir(projectDir()).entryList({"*.bu", "*.tmp", "*.save"}, QDir::Files), QStringList());
    }
    EXPECT_EQ(LayerValue(projectDir() + "STEP_1002.STP", FIRST_LABEL).toString(), "Edited");
    EXPECT_EQ(LayerValue(projectPath(".mtl"), "SELECT group_concat(DISTINCT Alias) FROM ActualMaterialCommon")
                  .toString(),
              "x");
}

// A template save and a save under a new name write every file and keep the baselines: the next
// save in place writes only what no longer holds its working copy's data.
TEST_F(SaveWhatChangedTest, ATemplateOrANewNameWritesEveryFileAndKeepsTheBaselines)
{
    OpenForReal();
    app.fileSet().isTemplate = true;
    prompts.expect(IDYES);
    ASSERT_TRUE(manager.SaveProject(QString(), false));
    for (const char* extension : {".qvt", ".eqt", ".mtt"})
        EXPECT_TRUE(QFileInfo::exists(projectPath(extension))) << extension;
    app.fileSet().isTemplate = false;
    EXPECT_EQ(SaveAndListWritten(), QStringList());

    const QMap<QString, FileIdentity> before = Identities();
    ASSERT_TRUE(manager.SaveProject("Copy", false));
    QStringList rewritten;
    for (auto file = before.cbegin(); file != before.cend(); ++file) {
        if (*ReadFileIdentity(projectDir() + file.key()) != file.value())
            rewritten << file.key();
    }
    EXPECT_EQ(rewritten.size(), 6); // the steps, shared by both names
    for (const char* extension : {".prj", ".eqm", ".mtl"})
        EXPECT_TRUE(QFileInfo::exists(projectDir() + "Copy" + extension)) << extension;
    // The new name went into the written record only, so the open project's file stays; the
    // rewritten steps no longer match their baseline.
    EXPECT_EQ(SaveAndListWritten(), rewritten);
    EXPECT_EQ(LayerValue(app.fileSet().projectDBPath, "SELECT ProjectName FROM Project").toString(),
              LayerValue(projectDir() + "Demo.prj", "SELECT ProjectName FROM Project").toString());
}

// A failed save keeps every baseline: the next one writes what changed, and only that. What the
// open's conversion wrote counts: a library of the earlier format restamped at open is written.
TEST_F(SaveWhatChangedTest, AfterAFailedSaveOrAConvertingOpenTheNextSaveWritesTheChangedFiles)
{
    const QString project = WriteDemo();
    {
        CDaoDatabase legacy;
        legacy.Open(projectPath(".eqm"), DatabaseRole::ReadWrite);
        legacy.Execute(QStringLiteral("PRAGMA application_id = %1").arg(LEGACY_APPLICATION_ID));
    }
    ASSERT_TRUE(OpenGiven(project));
    EditStep(1003, "UPDATE TextRecipe SET Label = 'Edited' WHERE rowid = 1");
    {
        CompactionStageHook previous = SetCompactionStageHook(
            [](CompactionStage stage) { return stage != CompactionStage::SyncTemporary; });
        const auto restore = qScopeGuard([&previous] { SetCompactionStageHook(std::move(previous)); });
        prompts.expect(IDOK);
        EXPECT_FALSE(manager.SaveProject(QString(), false));
    }
    EXPECT_EQ(prompts.lastText(), "Compaction stopped at stage 2.");
    EXPECT_EQ(SaveAndListWritten(), (QStringList{"Demo.eqm", "STEP_1003.STP"}));
    EXPECT_EQ(quint32(LayerValue(projectPath(".eqm"), "PRAGMA application_id").toLongLong()),
              ApplicationID(DatabaseKind::Equipment));
    EXPECT_EQ(LayerValue(projectDir() + "STEP_1003.STP", FIRST_LABEL).toString(), "Edited");
}

// The package is written back after a save that wrote a file, or after a write-back that failed.
TEST_F(SaveWhatChangedTest, ThePackageIsWrittenBackOnlyWhenAFileWasWrittenOrTheLastWriteBackFailed)
{
    OpenForReal();
    RecordingSaveBack package;
    manager.SetCompoundFileState(&package);
    EXPECT_EQ(SaveAndListWritten(), QStringList());
    EXPECT_EQ(package.calls, 0);
    EditStep(1002, "UPDATE TextRecipe SET Label = 'Edited' WHERE rowid = 1");
    package.succeeds = false;
    EXPECT_FALSE(manager.SaveProject(QString(), false));
    EXPECT_TRUE(app.isProjectModified());
    EXPECT_EQ(package.calls, 1);
    package.succeeds = true; // the failed save took no baseline: the step is written again
    EXPECT_EQ(SaveAndListWritten(), QStringList{"STEP_1002.STP"});
    EXPECT_EQ(package.calls, 2);
    EXPECT_EQ(SaveAndListWritten(), QStringList());
    EXPECT_EQ(package.calls, 2);
    manager.SetCompoundFileState(nullptr);
}

// The room a save asks for is that of the files it writes: one edited step needs its working
// copy's bytes (with its -wal) beyond the reserve, not those of every file of the project.
TEST_F(SaveWhatChangedTest, TheRoomAskedForIsThatOfTheFilesWritten)
{
    OpenForReal();
    EditStep(1002, "UPDATE TextRecipe SET Label = 'Edited' WHERE rowid = 1");
    const DatabaseBytes step = ReadDatabaseBytes(instanceDir() + "STEP_1002.WC");
    const qint64 room = step.file + step.log + 2097152; // the reserve
    const QString notEnough =
        "There is not enough disk space in drive " + QStorageInfo(projectDir()).rootPath() + " to save the project!";
    manager.SetFreeSpaceProbe([room](const QString&) { return room; });
    prompts.expect(IDOK);
    EXPECT_FALSE(manager.SaveProject(QString(), false));
    EXPECT_TRUE(app.isProjectModified());
    manager.SetFreeSpaceProbe([room](const QString&) { return room + 1; });
    EXPECT_EQ(SaveAndListWritten(), QStringList{"STEP_1002.STP"});
    EXPECT_EQ(prompts.texts(), QStringList{notEnough});
    manager.SetFreeSpaceProbe({});
}
