// A power loss at any instant of a save, of a recovery's write-back or of the open's finishing of
// a save journal leaves a project that the next open turns into the whole old or the whole new
// project, with the recovery accepted and declined, every file passing its integrity check. The
// driver runs under the recording library (tests/crashdriver/FsLogShim.c); every state its log
// allows under four models (every prefix; unsynced data lost; unsynced names lost; both lost) and
// seeded random subsets of the unsynced operations is written out and opened. Under the
// sanitizers a seeded sample of crash points is checked; QV_POWERLOSS_FULL=1 checks them all,
// QV_POWERLOSS_SEED replays a sample, QV_POWERLOSS_SKIP_SYNC=<file suffix> drops those flushes.

#include "FakeAppContext.h"
#include "FileOperationLog.h"
#include "ProjectSession.h"
#include "ProjectSnapshot.h"
#include "foundation/common/MessageBox.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/ProjectGenerator.h"
#include "foundation/db/SchemaBuilder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <iostream>
#include <random>
#include <set>

namespace {
const QString RECOVERY_QUESTION = QStringLiteral("A working copy of this Project exists and may contain "
                                                 "unsaved work.\n\nDo you want to try to recover it?");
constexpr int REVISION = 7, PARTIAL_REVISION = 6; // every file changed; the project and one step
enum Model { PREFIX, DATA_LOST, NAMES_LOST, ALL_LOST, RANDOM, MODELS };
const char* const MODEL_NAMES[] = {"every prefix", "unsynced data lost", "unsynced names lost",
                                   "unsynced data and names lost", "random subsets"};

// What the next open must make of a state.
enum class Expectation {
    OldOrNew,       // a save: whole old or whole new either way; new with Yes once the folder changed
    RecoveredOrOld, // a recovery's write-back: Yes gives the whole new project, No each file old or new
};

int EnvironmentNumber(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

// Answers the recovery question as told and every other prompt with its default; keeps the texts.
class RecoveryAnswer : public PromptService {
public:
    explicit RecoveryAnswer(int answer) : m_answer(answer) {}
    int prompt(const QString& text, unsigned flags, const QString&) override
    {
        m_texts << text;
        return text == RECOVERY_QUESTION ? m_answer : DefaultAnswer(flags);
    }
    QStringList texts() const { return m_texts; }

private:
    int m_answer;
    QStringList m_texts;
    ScopedPromptService m_installed{this};
};

QByteArray Fingerprint(const FolderState& state)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (auto folder = state.cbegin(); folder != state.cend(); ++folder) {
        for (auto file = folder.value().cbegin(); file != folder.value().cend(); ++file) {
            hash.addData(folder.key().toUtf8() + file.key().toUtf8() + '\0');
            hash.addData(QCryptographicHash::hash(file.value(), QCryptographicHash::Sha1));
        }
    }
    return hash.result();
}

// Each file holds its old or its new content, or all of them hold one of the two.
bool EachOldOrNew(const ProjectSnapshot& now, const ProjectSnapshot& old, const ProjectSnapshot& fresh)
{
    if (now.keys() != old.keys())
        return false;
    for (auto file = now.cbegin(); file != now.cend(); ++file) {
        if (file.value() != old.value(file.key()) && file.value() != fresh.value(file.key()))
            return false;
    }
    return true;
}

// The project file a working copy is written into.
QString ProjectFileOf(const QString& workingCopy)
{
    if (workingCopy.endsWith(QLatin1String(".ewc")))
        return workingCopy.chopped(4) + QStringLiteral(".eqm");
    if (workingCopy.endsWith(QLatin1String(".mwc")))
        return workingCopy.chopped(4) + QStringLiteral(".mtl");
    if (workingCopy.startsWith(QLatin1String("STEP_"), Qt::CaseInsensitive))
        return workingCopy.chopped(3).toUpper() + QStringLiteral(".STP");
    return workingCopy.chopped(3) + QStringLiteral(".prj");
}

// The runs and the opens flush every file they write; the model, not the disk, decides what a power
// loss keeps, so the test's root lies in memory where there is such a file system.
class MemoryTemporaryFolder {
public:
    MemoryTemporaryFolder() : m_previous(qgetenv("TMPDIR")), m_wasSet(qEnvironmentVariableIsSet("TMPDIR"))
    {
        if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
            qputenv("TMPDIR", "/dev/shm");
    }
    void restore() const { m_wasSet ? qputenv("TMPDIR", m_previous) : qunsetenv("TMPDIR"); }

private:
    QByteArray m_previous;
    bool m_wasSet;
};

struct Tally {
    int points = 0, states = 0, failures = 0;
    QStringList examples;
};
} // namespace

class PowerLossTest : public ::testing::Test {
protected:
    PowerLossTest() { m_memory.restore(); }
    void SetUp() override
    {
        WriteDemoProject(app, projectDir());
        m_old = TakeSnapshot(projectDir());
        m_random.seed(m_seed);
    }
    // The revision run 1 saves, and the project it leaves.
    void SaveRevision(int revision)
    {
        m_revision = revision;
        m_new = ExpectedAfterRevision(projectDir(), app.root() + "expected/", revision);
    }

    QString projectDir() const { return app.root() + "projects/Demo/"; }
    QString sessionRoot(int run) const { return app.root() + QStringLiteral("driver-%1/").arg(run); }
    QString instanceOf(int run) const { return sessionRoot(run) + "instance/"; }
    QStringList watched() const { return {projectDir(), instanceOf(1), instanceOf(2)}; }

    FolderState ReadFolders() const
    {
        FolderState state;
        for (const QString& folder : watched()) {
            state[folder];
            for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
                QFile file(folder + name);
                if (!name.endsWith(QLatin1String("-shm")) && file.open(QIODevice::ReadOnly))
                    state[folder][name] = file.readAll();
            }
        }
        return state;
    }

    // Runs the driver (run 1 saves the revision, run 2 only opens and closes) under the recording
    // library and loads its log against the folders as they were before.
    void Record(int run, CFileOperationLog& log)
    {
        const FolderState initial = ReadFolders();
        const QString logPath = app.root() + QStringLiteral("fslog-%1").arg(++m_recordings);
        QFile::remove(logPath); // the library appends
        QFile::remove(logPath + ".data");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LD_PRELOAD", QV_FSLOG_SHIM);
        environment.insert("ASAN_OPTIONS", environment.value("ASAN_OPTIONS") + ":verify_asan_link_order=0");
        environment.insert("QV_FSLOG", logPath);
        environment.insert("QV_FSLOG_DIRS", watched().join(QLatin1Char(':')));
        environment.insert("QV_FSLOG_SKIP_SYNC", qEnvironmentVariable("QV_POWERLOSS_SKIP_SYNC"));
        QProcess driver;
        driver.setProcessEnvironment(environment);
        driver.start(QStringLiteral(QV_SAVE_DRIVER),
                     {projectDir() + "Demo.prj", sessionRoot(run), QString::number(run == 1 ? m_revision : 0)});
        ASSERT_TRUE(driver.waitForFinished(120000));
        ASSERT_EQ(driver.exitCode(), 0) << driver.readAllStandardError().toStdString();
        QString error;
        ASSERT_TRUE(log.Load(logPath, initial, &error)) << error.toStdString();
    }

    // Opens and closes the state's project as the next program instance; empty when it came out
    // as expected, else what went wrong.
    QString Check(const FolderState& state, int answer, Expectation expectation, bool* asked)
    {
        QString error;
        if (!MaterializeState(state, &error))
            return error;
        const ProjectSnapshot before = QuietSnapshot(projectDir());
        const bool folderOld = before == m_old && QDir(projectDir()).entryList({"*.save"}).isEmpty();
        RecoveryAnswer prompts(answer);
        {
            CProjectSession session(app.fileSet(), app.stepDatabases());
            if (!session.Open(projectDir() + "Demo.prj"))
                return "the open failed: " + prompts.texts().join(" / ");
            if (!session.Close())
                return "the close failed: " + prompts.texts().join(" / ");
        }
        *asked = prompts.texts().contains(RECOVERY_QUESTION);
        const ProjectSnapshot after = QuietSnapshot(projectDir());
        if (after.contains(QStringLiteral("!")))
            return "a file fails its integrity check: " + after.value("!").join(' ');
        const bool whole = after == m_old || after == m_new;
        const bool recovered = prompts.texts().contains(RECOVERY_QUESTION) && answer == IDYES;
        if (expectation == Expectation::RecoveredOrOld) {
            if (recovered && after != m_new)
                return "the recovery did not bring back the whole new project";
            return EachOldOrNew(after, m_old, m_new) ? QString() : QStringLiteral("a file is neither old nor new");
        }
        // Edits made durable before the save committed are offered for recovery.
        if (answer == IDYES && folderOld && !*asked && WorkingCopiesHoldNew(state))
            return QStringLiteral("the recovery of the saved edits was not offered");
        if (whole && !(recovered && !folderOld && after != m_new))
            return QString();
        // Edits lost before the save made them durable come back as they were on disk.
        if (recovered && folderOld && !WorkingCopiesHoldNew(state) && EachOldOrNew(after, m_old, m_new))
            return QString();
        if (recovered && !folderOld && whole)
            return QStringLiteral("the recovery undid a committed save");
        return QStringLiteral("a mix: old %1, new %2")
            .arg(DifferingFiles(after, m_new).join(','), DifferingFiles(after, m_old).join(','));
    }

    // The logical content of the project files; a file failing its check is listed under "!".
    static ProjectSnapshot QuietSnapshot(const QString& folder)
    {
        static const QRegularExpression kind(QStringLiteral("^(STEP_\\d+\\.STP|.*\\.(prj|eqm|mtl))$"));
        ProjectSnapshot snapshot;
        for (const QString& name : QDir(folder).entryList(QDir::Files, QDir::Name)) {
            if (!kind.match(name).hasMatch())
                continue;
            const DatabaseDump dump = DumpDatabase(folder + name);
            if (dump.integrity != QLatin1String("ok"))
                snapshot["!"] << name + ": " + dump.integrity;
            snapshot.insert(name, dump.content);
        }
        return snapshot;
    }

    // Whether the saving instance's working copies, as the state has them, hold every edit.
    bool WorkingCopiesHoldNew(const FolderState& state)
    {
        const QString scratch = app.root() + "wc-check/";
        QDir(scratch).removeRecursively();
        QDir().mkpath(scratch);
        const QMap<QString, QByteArray> copies = state.value(instanceOf(1));
        for (auto file = copies.cbegin(); file != copies.cend(); ++file) {
            QFile out(scratch + file.key());
            if (!out.open(QIODevice::WriteOnly) || out.write(file.value()) != file.value().size())
                return false;
        }
        for (auto file = copies.cbegin(); file != copies.cend(); ++file) {
            const QString& name = file.key();
            if (name.endsWith(QLatin1String("-wal")) || name.endsWith(QLatin1String("-journal")) ||
                name.endsWith(QLatin1String(".tmp")))
                continue;
            {
                CDaoDatabase database; // brings the log into the file
                try {
                    database.Open(scratch + name, DatabaseRole::ReadWrite);
                } catch (...) {
                    return false;
                }
            }
            if (DumpDatabase(scratch + name).content != m_new.value(ProjectFileOf(name)))
                return false;
        }
        return !copies.isEmpty();
    }

    // Every crash point of the window under every model (a seeded sample of them under the
    // sanitizers), each distinct state opened with Yes and with No.
    void CheckWindow(const char* title, const CFileOperationLog& log, int begin, int end, Expectation expectation)
    {
        const bool full = EnvironmentNumber("QV_POWERLOSS_FULL", 0) != 0;
        const int randomPerPoint = full ? 4 : 1;
        const int budget = EnvironmentNumber("QV_POWERLOSS_POINTS", 6);
        std::vector<int> points;
        for (int c = begin; c <= end; ++c)
            points.push_back(c);
        if (!full) {
            // Points around every flush and name operation first, the rest at random.
            std::vector<int> chosen, rest;
            for (int c : points) {
                const auto at = [&](int i) { return i >= 0 && i < log.operations().size() ? log.operations().at(i).kind : CFileOperationLog::Kind::Data; };
                (at(c - 1) != CFileOperationLog::Kind::Data ? chosen : rest).push_back(c);
            }
            std::shuffle(chosen.begin(), chosen.end(), m_random);
            std::shuffle(rest.begin(), rest.end(), m_random);
            chosen.resize(std::min<size_t>(chosen.size(), size_t(budget)));
            rest.resize(std::min<size_t>(rest.size(), size_t(budget / 3)));
            points = chosen;
            points.insert(points.end(), rest.begin(), rest.end());
        }
        std::array<Tally, MODELS> tallies;
        std::set<QByteArray> seen;
        for (int c : points) {
            for (int model = 0; model < MODELS; ++model) {
                for (int variant = 0; variant < (model == RANDOM ? randomPerPoint : 1); ++variant) {
                    std::vector<bool> bits(static_cast<size_t>(c));
                    for (auto&& bit : bits)
                        bit = (m_random() & 1) != 0;
                    const auto keep = [&](int i) {
                        const CFileOperationLog::Kind kind = log.operations().at(i).kind;
                        switch (model) {
                        case PREFIX: return true;
                        case DATA_LOST: return kind == CFileOperationLog::Kind::Name;
                        case NAMES_LOST: return kind == CFileOperationLog::Kind::Data;
                        case ALL_LOST: return false;
                        default: return bool(bits.at(size_t(i)));
                        }
                    };
                    const FolderState state = log.StateAt(c, keep);
                    Tally& tally = tallies.at(size_t(model));
                    ++tally.points;
                    if (!seen.insert(Fingerprint(state)).second)
                        continue;
                    ++tally.states;
                    for (int answer : {IDYES, IDNO}) {
                        bool asked = true;
                        const QString failure = Check(state, answer, expectation, &asked);
                        if (!asked) // the recovery was not offered: No would open the same
                            break;
                        if (failure.isEmpty())
                            continue;
                        ++tally.failures;
                        if (tally.examples.size() < 3)
                            tally.examples << QStringLiteral("after %1 of %2 operations, %3: %4")
                                                  .arg(c - begin).arg(end - begin)
                                                  .arg(answer == IDYES ? "Yes" : "No", failure);
                    }
                }
            }
        }
        for (int model = 0; model < MODELS; ++model) {
            const Tally& tally = tallies.at(size_t(model));
            std::cout << title << ", " << MODEL_NAMES[model] << ": " << tally.points << " crash points, "
                      << tally.states << " new states, " << tally.failures << " failing opens\n";
            for (const QString& example : tally.examples)
                std::cout << "    " << example.toStdString() << "\n";
            EXPECT_EQ(tally.failures, 0) << title << ", " << MODEL_NAMES[model];
        }
    }

    MemoryTemporaryFolder m_memory;
    FakeAppContext app;
    ProjectSnapshot m_old, m_new;
    unsigned m_seed = unsigned(EnvironmentNumber("QV_POWERLOSS_SEED", int(std::random_device()() >> 1)));
    std::mt19937 m_random;
    int m_recordings = 0;
    int m_revision = REVISION;
};

TEST_F(PowerLossTest, APowerLossDuringASaveARecoveryOrAJournalsFinishLeavesTheOldOrTheNewProject)
{
    std::cout << "seed " << m_seed << " (QV_POWERLOSS_SEED=" << m_seed << " replays it)\n";
    RecordProperty("seed", int(m_seed));
    SaveRevision(REVISION);
    CFileOperationLog save;
    ASSERT_NO_FATAL_FAILURE(Record(1, save));
    const int saving = save.IndexAfterMark("saving"), saved = save.IndexAfterMark("saved");
    ASSERT_GT(saving, 0);
    ASSERT_GT(saved, saving);
    CheckWindow("save", save, saving, saved - 1, Expectation::OldOrNew);

    // The saving instance's working copies, all written, and the old folder: the recovery's write-back.
    const auto all = [](int) { return true; };
    QString error;
    ASSERT_TRUE(MaterializeState(save.StateAt(saving, all), &error)) << error.toStdString();
    CFileOperationLog recovery;
    ASSERT_NO_FATAL_FAILURE(Record(2, recovery));
    CheckWindow("recovery", recovery, recovery.IndexAfterMark("opening"), recovery.IndexAfterMark("opened") - 1,
                Expectation::RecoveredOrOld);

    // The save's journal durable and none of its renames made: the open's finishing of it.
    int firstRename = -1;
    for (int i = saving; i < saved && firstRename < 0; ++i) {
        const CFileOperationLog::Operation& op = save.operations().at(i);
        if (op.kind == CFileOperationLog::Kind::Name && op.name.endsWith(".tmp") &&
            op.nameOp == CFileOperationLog::Operation::NameOp::Rename &&
            QDir(op.folder) == QDir(projectDir()))
            firstRename = i;
    }
    const FolderState committed = save.StateAt(std::max(firstRename, saving), all);
    const bool hasJournal = committed.value(projectDir()).contains("Demo.prj.save");
    std::cout << (hasJournal ? "a save journal is finished by the open\n" : "no save journal was written\n");
    EXPECT_TRUE(hasJournal);
    if (!hasJournal)
        return;
    QDir(sessionRoot(2)).removeRecursively();
    ASSERT_TRUE(MaterializeState(committed, &error)) << error.toStdString();
    CFileOperationLog finish;
    ASSERT_NO_FATAL_FAILURE(Record(2, finish));
    CheckWindow("journal", finish, finish.IndexAfterMark("opening"), finish.IndexAfterMark("opened") - 1,
                Expectation::OldOrNew);
}

// A save that leaves the unchanged files alone (its journal names two files) is as safe.
TEST_F(PowerLossTest, APowerLossDuringASaveThatSkipsUnchangedFilesLeavesTheOldOrTheNewProject)
{
    std::cout << "seed " << m_seed << " (QV_POWERLOSS_SEED=" << m_seed << " replays it)\n";
    RecordProperty("seed", int(m_seed));
    SaveRevision(PARTIAL_REVISION);
    ASSERT_EQ(DifferingFiles(m_old, m_new), (QStringList{"Demo.prj", "STEP_1002.STP"}));
    CFileOperationLog save;
    ASSERT_NO_FATAL_FAILURE(Record(1, save));
    const int saving = save.IndexAfterMark("saving"), saved = save.IndexAfterMark("saved");
    ASSERT_GT(saved, saving);
    CheckWindow("partial save", save, saving, saved - 1, Expectation::OldOrNew);
}
