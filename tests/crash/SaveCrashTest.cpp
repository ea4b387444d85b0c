// A program killed at a random instant of a save loses no project file: every file passes its
// integrity check and holds either its old or its new content, and the project opens again.
// QV_CRASH_KILLS sets the number of kills (100), QV_CRASH_SEED replays a run.

#include "FakeAppContext.h"
#include "ProjectSession.h"
#include "ProjectSnapshot.h"
#include "QtPrinters.h"
#include "SaveDriverProcess.h"
#include "ScriptedPrompts.h"
#include "foundation/db/DatabaseFiles.h"
#include "foundation/db/ProjectGenerator.h"
#include "foundation/db/SchemaBuilder.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <iostream>
#include <random>

namespace {
const QString RECOVERY_QUESTION = QStringLiteral("A working copy of this Project exists and may contain "
                                                 "unsaved work.\n\nDo you want to try to recover it?");

int EnvironmentNumber(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

// Every content a project file has had in the run, for the backups a kill may leave.
using ContentHistory = QMap<QString, QList<QStringList>>;

void Remember(ContentHistory& history, const ProjectSnapshot& snapshot)
{
    for (auto file = snapshot.cbegin(); file != snapshot.cend(); ++file) {
        if (!history[file.key()].contains(file.value()))
            history[file.key()].append(file.value());
    }
}

QStringList Leftovers(const QString& projectDir)
{
    return QDir(projectDir).entryList({"*.bu", "*.tmp", "*.tmp-*", "*-journal", "*-wal"}, QDir::Files);
}
} // namespace

class SaveCrashTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CProjectGenerator generator;
        ASSERT_TRUE(generator.Write(CProjectGenerator::DemoProject(), projectDir()))
            << generator.ErrorText().toStdString();
        const QString language = app.fakePaths().languageDir() + "QVEnglish.lng";
        ASSERT_TRUE(CSchemaBuilder::Build(DatabaseKind::Language, language));
        app.fileSet().defaultLanguageTemplatePath = language;
    }

    QString projectDir() const { return app.root() + "projects/Demo/"; }
    QString projectFile() const { return projectDir() + "Demo.prj"; }
    QString scratchDir() const { return app.root() + "expected/"; }
    QString sessionRoot(int revision) const
    {
        return app.root() + QStringLiteral("session-%1/").arg(revision);
    }

    // Runs the driver to its end; the files then hold the revision.
    SaveDriverRun CompleteSave(int revision);
    void VerifyAfterKill(const ProjectSnapshot& before, const ProjectSnapshot& after,
                         const ContentHistory& history);
    // Opens the project as a later program instance would, declining the recovery of the killed one.
    void ReopenAndClose(const QString& killedRoot);
    void RemoveSession(const QString& root);

    FakeAppContext app;
    ScriptedPromptService prompts;
};

SaveDriverRun SaveCrashTest::CompleteSave(int revision)
{
    const ProjectSnapshot expected = ExpectedAfterRevision(projectDir(), scratchDir(), revision);
    const SaveDriverRun run = RunSaveDriver(projectFile(), sessionRoot(revision), revision, std::nullopt);
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_TRUE(run.saved);
    EXPECT_EQ(DifferingFiles(TakeSnapshot(projectDir()), expected), QStringList());
    EXPECT_EQ(Leftovers(projectDir()), QStringList());
    RemoveSession(sessionRoot(revision));
    return run;
}

void SaveCrashTest::VerifyAfterKill(const ProjectSnapshot& before, const ProjectSnapshot& after,
                                    const ContentHistory& history)
{
    const ProjectSnapshot now = TakeSnapshot(projectDir());
    EXPECT_EQ(now.keys(), before.keys()) << "a project file name is missing";
    for (auto file = now.cbegin(); file != now.cend(); ++file) {
        EXPECT_TRUE(file.value() == before.value(file.key()) || file.value() == after.value(file.key()))
            << file.key().toStdString() << " holds neither its old nor its new content";
    }
    for (const QString& backup : QDir(projectDir()).entryList({"*.bu"}, QDir::Files)) {
        const DatabaseDump dump = DumpDatabase(projectDir() + backup);
        EXPECT_EQ(dump.integrity, "ok") << backup.toStdString();
        EXPECT_TRUE(history.value(backup.chopped(3)).contains(dump.content))
            << backup.toStdString() << " holds no earlier content of its file";
    }
}

void SaveCrashTest::ReopenAndClose(const QString& killedRoot)
{
    const QString killedCopies = killedRoot + "instance/Demo";
    const bool recoverable =
        QFileInfo::exists(projectDir() + "WorkingPath.txt") && QFileInfo::exists(killedCopies + ".wc") &&
        QFileInfo::exists(killedCopies + ".ewc") && QFileInfo::exists(killedCopies + ".mwc");
    if (recoverable)
        prompts.expect(IDNO);
    {
        CProjectSession session;
        EXPECT_TRUE(session.Open(projectFile())) << prompts.lastText().toStdString();
        EXPECT_EQ(app.stepDatabases().count(), 6);
        EXPECT_TRUE(session.Close());
    }
    EXPECT_EQ(prompts.texts(), recoverable ? QStringList{RECOVERY_QUESTION} : QStringList());
    EXPECT_TRUE(prompts.allAnswersUsed());
    prompts.clear();
    EXPECT_FALSE(QFileInfo::exists(projectDir() + "WorkingPath.txt"));
}

// The killed instance's working copies go through the layer, with their -wal and -shm.
void SaveCrashTest::RemoveSession(const QString& root)
{
    const QString instance = root + "instance/";
    for (const QString& name : QDir(instance).entryList(QDir::Files)) {
        if (!name.endsWith("-wal") && !name.endsWith("-shm") && !name.endsWith("-journal")) {
            EXPECT_TRUE(DeleteDatabaseFile(instance + name)) << name.toStdString();
        }
    }
    EXPECT_TRUE(QDir(root).removeRecursively());
}

TEST_F(SaveCrashTest, AKilledSaveLeavesEveryFileOldOrNewAndTheProjectOpensAgain)
{
    const int kills = EnvironmentNumber("QV_CRASH_KILLS", 100);
    const unsigned seed = unsigned(EnvironmentNumber("QV_CRASH_SEED", int(std::random_device()() >> 1)));
    std::cout << "seed " << seed << ", " << kills << " kills (QV_CRASH_SEED=" << seed << " replays them)\n";
    RecordProperty("seed", int(seed));

    // A complete save first: it rewrites every file, and it measures how long a save takes.
    const ProjectSnapshot original = TakeSnapshot(projectDir());
    const SaveDriverRun measured = CompleteSave(1);
    ASSERT_FALSE(HasFailure());
    const ProjectSnapshot saved = TakeSnapshot(projectDir());
    for (auto file = original.cbegin(); file != original.cend(); ++file) {
        EXPECT_NE(file.value(), saved.value(file.key())) << file.key().toStdString() << " was not rewritten";
    }

    ContentHistory history;
    Remember(history, original);
    std::mt19937 random(seed);
    std::uniform_int_distribution<qint64> delay(0, std::max<qint64>(measured.saveMicros * 5 / 4, 1000));
    int insideSave = 0;
    for (int kill = 0; kill < kills && !HasFailure(); ++kill) {
        const int revision = kill + 2;
        SCOPED_TRACE(QStringLiteral("seed %1, kill %2").arg(seed).arg(kill + 1).toStdString());
        const ProjectSnapshot before = TakeSnapshot(projectDir());
        const ProjectSnapshot after = ExpectedAfterRevision(projectDir(), scratchDir(), revision);
        Remember(history, before);
        const SaveDriverRun run = RunSaveDriver(projectFile(), sessionRoot(revision), revision,
                                                std::chrono::microseconds(delay(random)));
        ASSERT_TRUE(run.started) << run.errors.toStdString();
        insideSave += run.killed && !run.saved;
        VerifyAfterKill(before, after, history);
        ReopenAndClose(sessionRoot(revision));
        RemoveSession(sessionRoot(revision));
    }
    std::cout << insideSave << " of " << kills << " kills came inside the save (" << measured.saveMicros
              << " us)\n";
    // The next save clears whatever the kills left behind.
    CompleteSave(kills + 2);
}
