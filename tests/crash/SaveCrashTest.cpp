// A program killed at a random instant of an open, a save or a close loses no project file: every
// file passes its integrity check and holds either its old or its new content, and the project
// opens again, with the killed instance's committed edits when its recovery is accepted (also
// after that instance had left a step out). QV_CRASH_KILLS sets the number of kills (100),
// QV_CRASH_SEED replays a run.

#include "FakeAppContext.h"
#include "ProjectSession.h"
#include "ProjectSnapshot.h"
#include "QtPrinters.h"
#include "SaveDriverProcess.h"
#include "ScriptedPrompts.h"
#include "foundation/db/DatabaseFiles.h"
#include "foundation/db/ProjectGenerator.h"
#include "foundation/db/SchemaBuilder.h"
#include "projects/ProjectFileNames.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
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

// Three kills of five aim at the save, one at the open, one at the close; every third run leaves
// a step out, and every other recoverable kill is recovered.
struct KillPlan {
    DriverPhase phase;
    long refusedStep;
    bool recover;
};

constexpr long REFUSED_STEP = 1003;

KillPlan PlanOf(int kill)
{
    const int slot = kill % 5;
    const DriverPhase phase = slot < 3    ? DriverPhase::Save
                              : slot == 3 ? DriverPhase::Open
                                          : DriverPhase::Close;
    return {phase, kill % 3 == 1 ? REFUSED_STEP : -1, kill % 2 == 0};
}

const char* NameOf(DriverPhase phase)
{
    return phase == DriverPhase::Open ? "open" : phase == DriverPhase::Save ? "save" : "close";
}

// The phase durations the driver reported; the kills aim at their medians, which follow the
// machine's pace better than one measurement.
class PhaseDurations {
public:
    void add(const SaveDriverRun& run)
    {
        for (size_t phase = 0; phase < m_samples.size(); ++phase) {
            if (run.micros.at(phase) >= 0)
                m_samples.at(phase).append(run.micros.at(phase));
        }
    }
    qint64 median(DriverPhase phase) const
    {
        QList<qint64> samples = m_samples.at(size_t(phase));
        std::sort(samples.begin(), samples.end());
        return samples.isEmpty() ? 0 : samples.at(samples.size() / 2);
    }

private:
    std::array<QList<qint64>, 3> m_samples;
};

// The files each hold their old or their new content.
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
    // Opens and closes the project as a later program instance would, recovering the killed
    // instance's working copies or declining them; true when it recovered them.
    bool ReopenAndClose(const QString& killedRoot, bool recover);
    // After a recovery: the killed instance's committed edits are in the files.
    void VerifyRecovered(const SaveDriverRun& run, const ProjectSnapshot& before,
                         const ProjectSnapshot& after);
    void RemoveSession(const QString& root);
    void KillOnce(int kill);

    FakeAppContext app;
    ScriptedPromptService prompts;
    std::mt19937 m_random;
    PhaseDurations m_durations;
    ContentHistory m_history;
    std::array<int, 3> m_aimed{}, m_landed{}; // kills per phase aimed at it and landed in it
    int m_recovered = 0;
};

SaveDriverRun SaveCrashTest::CompleteSave(int revision)
{
    const ProjectSnapshot expected = ExpectedAfterRevision(projectDir(), scratchDir(), revision);
    const SaveDriverRun run = RunSaveDriver(projectFile(), sessionRoot(revision), revision, std::nullopt);
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_TRUE(run.saved());
    EXPECT_EQ(DifferingFiles(TakeSnapshot(projectDir()), expected), QStringList());
    EXPECT_EQ(Leftovers(projectDir()), QStringList());
    RemoveSession(sessionRoot(revision));
    return run;
}

void SaveCrashTest::VerifyAfterKill(const ProjectSnapshot& before, const ProjectSnapshot& after,
                                    const ContentHistory& history)
{
    ExpectOldOrNew(TakeSnapshot(projectDir()), before, after);
    for (const QString& backup : QDir(projectDir()).entryList({"*.bu"}, QDir::Files)) {
        const DatabaseDump dump = DumpDatabase(projectDir() + backup);
        EXPECT_EQ(dump.integrity, "ok") << backup.toStdString();
        EXPECT_TRUE(history.value(backup.chopped(3)).contains(dump.content))
            << backup.toStdString() << " holds no earlier content of its file";
    }
}

bool SaveCrashTest::ReopenAndClose(const QString& killedRoot, bool recover)
{
    const QString killedCopies = killedRoot + "instance/Demo";
    const bool recoverable =
        QFileInfo::exists(projectDir() + "WorkingPath.txt") && QFileInfo::exists(killedCopies + ".wc") &&
        QFileInfo::exists(killedCopies + ".ewc") && QFileInfo::exists(killedCopies + ".mwc");
    if (recoverable)
        prompts.expect(recover ? IDYES : IDNO);
    {
        CProjectSession session(app.fileSet(), app.stepDatabases());
        EXPECT_TRUE(session.Open(projectFile())) << prompts.lastText().toStdString();
        EXPECT_EQ(app.stepDatabases().count(), 6);
        EXPECT_TRUE(session.Close());
    }
    EXPECT_EQ(prompts.texts(), recoverable ? QStringList{RECOVERY_QUESTION} : QStringList());
    EXPECT_TRUE(prompts.allAnswersUsed());
    prompts.clear();
    EXPECT_FALSE(QFileInfo::exists(projectDir() + "WorkingPath.txt"));
    return recoverable && recover;
}

// Edits were committed before the save began; a kill before that leaves each file old or new.
void SaveCrashTest::VerifyRecovered(const SaveDriverRun& run, const ProjectSnapshot& before,
                                    const ProjectSnapshot& after)
{
    const ProjectSnapshot now = TakeSnapshot(projectDir());
    if (run.killedIn == DriverPhase::Save || run.killedIn == DriverPhase::Close)
        EXPECT_EQ(DifferingFiles(now, after), QStringList()) << "committed edits were lost";
    else
        ExpectOldOrNew(now, before, after);
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

// One run of the driver killed by the plan of the kill, the files checked, the project opened again.
void SaveCrashTest::KillOnce(int kill)
{
    const int revision = kill + 2;
    const KillPlan plan = PlanOf(kill);
    SCOPED_TRACE(QStringLiteral("kill %1, %2").arg(kill + 1).arg(NameOf(plan.phase)).toStdString());
    const ProjectSnapshot before = TakeSnapshot(projectDir());
    ProjectSnapshot after = ExpectedAfterRevision(projectDir(), scratchDir(), revision);
    if (plan.refusedStep > 0) // never opened, so never edited
        after[StepDatabaseName(plan.refusedStep)] = before.value(StepDatabaseName(plan.refusedStep));
    Remember(m_history, before);
    // The delays reach a quarter past the phase's usual end: about 80% of the kills land inside.
    const qint64 span = std::max<qint64>(m_durations.median(plan.phase) * 5 / 4, 1000);
    const std::chrono::microseconds delay(std::uniform_int_distribution<qint64>(0, span)(m_random));
    const SaveDriverRun run = RunSaveDriver(projectFile(), sessionRoot(revision), revision,
                                            DriverKill{plan.phase, delay}, plan.refusedStep);
    ASSERT_TRUE(run.started) << run.errors.toStdString();
    m_durations.add(run);
    ++m_aimed.at(size_t(plan.phase));
    m_landed.at(size_t(plan.phase)) += run.killedIn == plan.phase;
    VerifyAfterKill(before, after, m_history);
    if (ReopenAndClose(sessionRoot(revision), plan.recover)) {
        ++m_recovered;
        VerifyRecovered(run, before, after);
    }
    RemoveSession(sessionRoot(revision));
}

TEST_F(SaveCrashTest, AKilledOpenSaveOrCloseLeavesEveryFileOldOrNewAndTheProjectOpensAgain)
{
    const int kills = EnvironmentNumber("QV_CRASH_KILLS", 100);
    const unsigned seed = unsigned(EnvironmentNumber("QV_CRASH_SEED", int(std::random_device()() >> 1)));
    std::cout << "seed " << seed << ", " << kills << " kills (QV_CRASH_SEED=" << seed << " replays them)\n";
    RecordProperty("seed", int(seed));
    m_random.seed(seed);

    // A complete run first: it rewrites every file, and it measures how long each phase takes.
    const ProjectSnapshot original = TakeSnapshot(projectDir());
    m_durations.add(CompleteSave(1));
    ASSERT_FALSE(HasFailure());
    const ProjectSnapshot saved = TakeSnapshot(projectDir());
    for (auto file = original.cbegin(); file != original.cend(); ++file) {
        EXPECT_NE(file.value(), saved.value(file.key())) << file.key().toStdString() << " was not rewritten";
    }
    Remember(m_history, original);
    for (int kill = 0; kill < kills && !HasFailure(); ++kill)
        KillOnce(kill);
    for (DriverPhase phase : {DriverPhase::Open, DriverPhase::Save, DriverPhase::Close}) {
        std::cout << m_landed.at(size_t(phase)) << " of " << m_aimed.at(size_t(phase))
                  << " kills came inside the " << NameOf(phase) << " (median " << m_durations.median(phase)
                  << " us)\n";
    }
    std::cout << m_recovered << " killed instances recovered\n";
    const size_t save = size_t(DriverPhase::Save);
    EXPECT_GT(m_landed.at(save) * 2, m_aimed.at(save)) << "most kills aimed at the save must land in it";
    // The next save clears whatever the kills left behind.
    CompleteSave(kills + 2);
}
