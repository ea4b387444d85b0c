// A program killed at a random instant of an open, a save or a close loses no project file: every
// file passes its integrity check and holds either its old or its new content, and the project
// opens again, with the killed instance's committed edits when its recovery is accepted (also
// after that instance had left a step out, and after a save that left unchanged files alone).
// QV_CRASH_KILLS sets the number of kills (100); every run draws the same delays unless
// QV_CRASH_SEED names another seed or "random" (CrashSeed.h). How many kills landed inside the phase
// they aimed at depends on the machine's pace: it is reported, and only a run in which no kill
// landed inside a save fails, since it has not tested what it is for.

#include "CrashSeed.h"
#include "FakeAppContext.h"
#include "ProjectSession.h"
#include "ProjectSnapshot.h"
#include "QtPrinters.h"
#include "SaveDriverProcess.h"
#include "ScriptedPrompts.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "foundation/db/schema/SchemaBuilder.h"
#include "projects/ProjectFileNames.h"

#include <algorithm>
#include <iostream>
#include <random>

namespace {
const QString RECOVERY_QUESTION = QStringLiteral("A working copy of this Project exists and may contain "
                                                 "unsaved work.\n\nDo you want to try to recover it?");
constexpr long REFUSED_STEP = 1003;
const char* const PHASE_NAMES[] = {"open", "save", "close"};

int EnvironmentNumber(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

qint64 Median(QList<qint64> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples.isEmpty() ? 0 : samples.at(samples.size() / 2);
}

QStringList Leftovers(const QString& projectDir)
{
    return QDir(projectDir).entryList({"*.bu", "*.tmp", "*.tmp-*", "*-journal", "*-wal"}, QDir::Files);
}

void ExpectOldOrNew(const ProjectSnapshot& now, const ProjectSnapshot& before, const ProjectSnapshot& after)
{
    EXPECT_EQ(now.keys(), before.keys()) << "a project file name is missing";
    for (auto file = now.cbegin(); file != now.cend(); ++file) {
        EXPECT_TRUE(file.value() == before.value(file.key()) || file.value() == after.value(file.key()))
            << file.key().toStdString() << " holds neither its old nor its new content";
    }
}
} // namespace

class SaveCrashTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteDemoProject(app, projectDir());
    }

    QString projectDir() const { return app.root() + "projects/Demo/"; }
    QString sessionRoot(int revision) const
    {
        return app.root() + QStringLiteral("session-%1/").arg(revision);
    }
    ProjectSnapshot expectedAfter(int revision) const
    {
        return ExpectedAfterRevision(projectDir(), app.root() + "expected/", revision);
    }

    // The kills aim at the medians of the phase durations the driver reported, which follow the
    // machine's pace better than one measurement.
    SaveDriverRun runDriver(int revision, std::optional<DriverKill> kill, long refusedStep = -1)
    {
        const SaveDriverRun run =
            RunSaveDriver(projectDir() + "Demo.prj", sessionRoot(revision), revision, kill, refusedStep);
        for (size_t phase = 0; phase < run.micros.size(); ++phase) {
            if (run.micros.at(phase) >= 0)
                m_durations.at(DurationSlot(DriverPhase(phase), revision)) << run.micros.at(phase);
        }
        return run;
    }

    // Runs the driver to its end; the files then hold the revision, and nothing else is left.
    void CompleteSave(int revision)
    {
        const ProjectSnapshot expected = expectedAfter(revision);
        const SaveDriverRun run = runDriver(revision, std::nullopt);
        EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
        EXPECT_TRUE(run.saved());
        EXPECT_EQ(DifferingFiles(TakeSnapshot(projectDir()), expected), QStringList());
        EXPECT_EQ(Leftovers(projectDir()), QStringList());
        RemoveSession(sessionRoot(revision));
    }

    void Remember(const ProjectSnapshot& snapshot)
    {
        for (auto file = snapshot.cbegin(); file != snapshot.cend(); ++file) {
            if (!m_history[file.key()].contains(file.value()))
                m_history[file.key()].append(file.value());
        }
    }

    // A backup a kill left is sound and holds an earlier content of its file.
    void VerifyBackups()
    {
        for (const QString& backup : QDir(projectDir()).entryList({"*.bu"}, QDir::Files)) {
            const DatabaseDump dump = DumpDatabase(projectDir() + backup);
            EXPECT_EQ(dump.integrity, "ok") << backup.toStdString();
            EXPECT_TRUE(m_history.value(backup.chopped(3)).contains(dump.content))
                << backup.toStdString() << " holds no earlier content of its file";
        }
    }

    // Opens and closes the project as a later program instance would, recovering the killed
    // instance's working copies or declining them; true when it recovered them.
    bool ReopenAndClose(const QString& killedRoot, bool recover)
    {
        // Recovery is offered when the marker names the killed instance's folder (a kill may come
        // between its creation and its write) and the three working copies are there.
        const QString killedDir = killedRoot + "instance/";
        QFile marker(projectDir() + "WorkingPath.txt");
        const bool recoverable =
            marker.open(QIODevice::ReadOnly) && marker.readAll() == QFile::encodeName(killedDir) &&
            QFileInfo::exists(killedDir + "Demo.wc") && QFileInfo::exists(killedDir + "Demo.ewc") &&
            QFileInfo::exists(killedDir + "Demo.mwc");
        marker.close();
        if (recoverable)
            prompts.expect(recover ? IDYES : IDNO);
        {
            CProjectSession session(app.fileSet(), app.stepDatabases());
            EXPECT_TRUE(session.Open(projectDir() + "Demo.prj")) << prompts.lastText().toStdString();
            EXPECT_EQ(app.stepDatabases().count(), 6);
            EXPECT_TRUE(session.Close());
        }
        EXPECT_EQ(prompts.texts(), recoverable ? QStringList{RECOVERY_QUESTION} : QStringList());
        EXPECT_TRUE(prompts.allAnswersUsed());
        prompts.clear();
        EXPECT_FALSE(QFileInfo::exists(projectDir() + "WorkingPath.txt"));
        return recoverable && recover;
    }

    // The killed instance's working copies go through the layer, with their -wal and -shm.
    void RemoveSession(const QString& root)
    {
        const QString instance = root + "instance/";
        for (const QString& name : QDir(instance).entryList(QDir::Files)) {
            if (!name.endsWith("-wal") && !name.endsWith("-shm") && !name.endsWith("-journal")) {
                EXPECT_TRUE(DeleteDatabaseFile(instance + name)) << name.toStdString();
            }
        }
        EXPECT_TRUE(QDir(root).removeRecursively());
    }

    void KillOnce(int kill);
    // The save of a partial revision writes two files: its durations are kept apart.
    static size_t DurationSlot(DriverPhase phase, int revision)
    {
        return phase == DriverPhase::Save && IsPartialRevision(revision) ? 3 : size_t(phase);
    }

    FakeAppContext app;
    ScriptedPromptService prompts;
    std::mt19937 m_random;
    std::array<QList<qint64>, 4> m_durations;    // by phase, then the partial saves
    QMap<QString, QList<QStringList>> m_history; // every content each file has had in the run
    std::array<int, 3> m_aimed{}, m_landed{};    // kills per phase aimed at it and landed in it
    int m_recovered = 0;
};

// Three kills of five aim at the save, one at the open, one at the close; every third run leaves
// a step out, and every other recoverable kill is recovered. The files are checked after the kill
// and after the project was opened again.
void SaveCrashTest::KillOnce(int kill)
{
    const int revision = kill + 2, slot = kill % 5;
    const DriverPhase phase = slot < 3    ? DriverPhase::Save
                              : slot == 3 ? DriverPhase::Open
                                          : DriverPhase::Close;
    const long refusedStep = kill % 3 == 1 ? REFUSED_STEP : -1;
    SCOPED_TRACE(QStringLiteral("kill %1, %2").arg(kill + 1).arg(PHASE_NAMES[int(phase)]).toStdString());
    const ProjectSnapshot before = TakeSnapshot(projectDir());
    ProjectSnapshot after = expectedAfter(revision);
    if (refusedStep > 0) // never opened, so never edited
        after[StepDatabaseName(refusedStep)] = before.value(StepDatabaseName(refusedStep));
    Remember(before);
    // The delays reach a quarter past the phase's usual end: about 80% of the kills land inside.
    const qint64 span = std::max<qint64>(Median(m_durations.at(DurationSlot(phase, revision))) * 5 / 4, 1000);
    const std::chrono::microseconds delay(std::uniform_int_distribution<qint64>(0, span)(m_random));
    const SaveDriverRun run = runDriver(revision, DriverKill{phase, delay}, refusedStep);
    ASSERT_TRUE(run.started) << run.errors.toStdString();
    ++m_aimed.at(size_t(phase));
    m_landed.at(size_t(phase)) += run.killedIn == phase;
    ExpectOldOrNew(TakeSnapshot(projectDir()), before, after);
    VerifyBackups();
    if (ReopenAndClose(sessionRoot(revision), kill % 2 == 0)) {
        ++m_recovered;
        // The edits were committed before the save began; a kill before that leaves each file old or new.
        const ProjectSnapshot now = TakeSnapshot(projectDir());
        if (run.killedIn == DriverPhase::Save || run.killedIn == DriverPhase::Close)
            EXPECT_EQ(DifferingFiles(now, after), QStringList()) << "committed edits were lost";
        else
            ExpectOldOrNew(now, before, after);
    }
    RemoveSession(sessionRoot(revision));
}

TEST_F(SaveCrashTest, AKilledOpenSaveOrCloseLeavesEveryFileOldOrNewAndTheProjectOpensAgain)
{
    const int kills = EnvironmentNumber("QV_CRASH_KILLS", 100);
    std::cout << kills << " kills\n";
    m_random.seed(CrashSeed("QV_CRASH_SEED", 1));

    // A complete run first: it rewrites every file, and it measures how long each phase takes.
    const ProjectSnapshot original = TakeSnapshot(projectDir());
    CompleteSave(1);
    ASSERT_FALSE(HasFailure());
    EXPECT_EQ(DifferingFiles(original, TakeSnapshot(projectDir())), original.keys()) << "not all rewritten";
    Remember(original);
    // A partial revision's complete save: only its files change.
    const ProjectSnapshot full = TakeSnapshot(projectDir());
    const int partial = 3 * (kills + 3);
    CompleteSave(partial);
    ASSERT_FALSE(HasFailure());
    EXPECT_EQ(DifferingFiles(full, TakeSnapshot(projectDir())),
              (QStringList{"Demo.prj", StepDatabaseName(PARTIAL_REVISION_STEP)}));
    Remember(full);
    for (int kill = 0; kill < kills && !HasFailure(); ++kill)
        KillOnce(kill);
    for (size_t phase = 0; phase < 3; ++phase) {
        std::cout << m_landed.at(phase) << " of " << m_aimed.at(phase) << " kills came inside the "
                  << PHASE_NAMES[phase] << " (median " << Median(m_durations.at(phase)) << " us)\n";
        RecordProperty(std::string("kills_inside_") + PHASE_NAMES[phase],
                       std::to_string(m_landed.at(phase)) + " of " + std::to_string(m_aimed.at(phase)));
    }
    if (kills > 0) {
        EXPECT_GT(m_landed.at(size_t(DriverPhase::Save)), 0) << "no kill landed inside a save";
    }
    std::cout << "median partial save " << Median(m_durations.at(3)) << " us\n";
    std::cout << m_recovered << " killed instances recovered\n";
    // The next save clears whatever the kills left behind.
    CompleteSave(kills + 2);
}
