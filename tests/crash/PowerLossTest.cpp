// A power loss at any instant of an editing session brings back, when the recovery is accepted,
// every action completed before it (of the action under way each database as before or after it,
// the project only with all of it). One at any instant of a save, of a recovery's write-back or of
// the open's finishing of a save journal leaves a project that the next open turns into the whole
// old or the whole new project (the whole new one when the recovery is accepted), every file
// passing its integrity check. One during a process copy, an Import Step or a paste leaves the
// project, at the next open, wholly before or wholly after it. The driver runs under the recording
// library (tests/crashdriver/FsLogShim.c); every state its log allows under four models (every
// prefix; unsynced data lost; unsynced names lost; both lost) and seeded random subsets of the
// unsynced operations is written out and opened. Under the sanitizers a seeded sample of crash points is
// checked; QV_POWERLOSS_FULL=1 checks them all, QV_POWERLOSS_SEED names another seed or "random"
// (CrashSeed.h), QV_POWERLOSS_SKIP_SYNC=<file suffix> drops those flushes (with /instance the
// working-copy folder's own, after which opens find no recovery to offer and the test fails), and
// <file suffix>@<mark> only those after the driver's mark: "-wal@edited 1" drops the log flushes of
// an action window's own action (its revision before, "edited 1", stays durable).

#include "CrashSeed.h"
#include "FakeAppContext.h"
#include "FileOperationLog.h"
#include "ProjectSession.h"
#include "ProjectSnapshot.h"
#include "foundation/common/MessageBox.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "foundation/db/schema/SchemaBuilder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <iostream>
#include <random>
#include <map>

namespace {
const QString RECOVERY_QUESTION = QStringLiteral("A working copy of this Project exists and may contain "
                                                 "unsaved work.\n\nDo you want to try to recover it?");
// The driver's actions, each a revision: two that change every file around one that changes the
// project and one step; the partial session's one action leaves the other files alone.
const QList<int> SESSION{5, 6, 7}, PARTIAL_SESSION{6};
constexpr int FULL_REVISION = 5;
enum Model { PREFIX, DATA_LOST, NAMES_LOST, ALL_LOST, RANDOM, MODELS };
const char* const MODEL_NAMES[] = {"every prefix", "unsynced data lost", "unsynced names lost",
                                   "unsynced data and names lost", "random subsets"};

// What the next open must make of a state.
enum class Expectation {
    ActionsKept,     // an editing session: Yes gives every completed action, No the old project
    OldOrNew,        // a save of completed edits: Yes gives the whole new project, No whole old or new
    RecoveredOrOld,  // a recovery's write-back: Yes gives the whole new project, No each file old or new
    LastActionWhole, // as ActionsKept, but of the last action under way every file is before or after it
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

// The actions the driver had completed once count operations had run.
int CompletedActions(const CFileOperationLog& log, int count)
{
    int completed = 0;
    for (int i = 0; i < count; ++i) {
        const CFileOperationLog::Operation& op = log.operations().at(i);
        completed +=
            op.kind == CFileOperationLog::Kind::Mark && op.label.startsWith(QLatin1String("edited "));
    }
    return completed;
}

// Whether the operation before point c ends a durable step of the working copies: a mark, a flush of
// a working copy or of its log, or a folder flush after its last name operation named one (the
// scratch files and caches of the instance's folder left out).
bool EndsWorkingCopyStep(const CFileOperationLog& log, int c)
{
    static const QRegularExpression copy(QStringLiteral("\\.(wc|ewc|mwc)(-wal)?$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QList<CFileOperationLog::Operation>& ops = log.operations();
    const CFileOperationLog::Operation& flush = ops.at(c - 1);
    if (flush.kind == CFileOperationLog::Kind::Mark)
        return true;
    for (int i = c - 2; i >= 0; --i) {
        const CFileOperationLog::Operation& op = ops.at(i);
        if (op.kind != CFileOperationLog::Kind::Name)
            continue;
        const bool named = flush.kind == CFileOperationLog::Kind::SyncFile ? op.inode == flush.inode
                                                                           : op.folder == flush.folder;
        if (named)
            return copy.match(op.newName.isEmpty() ? op.name : op.newName).hasMatch();
    }
    return false;
}

QString RevisionList(const QList<int>& revisions)
{
    QStringList list;
    for (int revision : revisions)
        list << QString::number(revision);
    return list.join(QLatin1Char(','));
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
        m_random.seed(CrashSeed("QV_POWERLOSS_SEED", 1));
    }
    // The actions run 1 makes before it saves, and the project after each.
    void EditAndSave(const QList<int>& session)
    {
        m_session = session;
        m_afterActions = {m_old};
        for (qsizetype k = 1; k <= session.size(); ++k)
            m_afterActions << ExpectedAfterRevisions(projectDir(), app.root() + "expected/",
                                                     session.mid(0, k));
        m_new = m_afterActions.last();
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
        const QString actions = RevisionList(m_session) + (m_action.isEmpty() ? QString() : "," + m_action);
        driver.start(QStringLiteral(QV_SAVE_DRIVER),
                     {projectDir() + "Demo.prj", sessionRoot(run), run == 1 ? actions : "0"});
        ASSERT_TRUE(driver.waitForFinished(120000));
        ASSERT_EQ(driver.exitCode(), 0) << driver.readAllStandardError().toStdString();
        QString error;
        ASSERT_TRUE(log.Load(logPath, initial, &error)) << error.toStdString();
    }

    // Opens and closes the state's project as the next program instance; empty when it came out
    // as expected, else what went wrong. completed: the actions the driver had completed.
    QString Check(const FolderState& state, int answer, Expectation expectation, int completed, bool* asked)
    {
        QString error;
        if (!MaterializeState(state, &error))
            return error;
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
        const bool recovered = *asked && answer == IDYES;
        switch (expectation) {
        case Expectation::ActionsKept:
        case Expectation::LastActionWhole:
            return CheckActionsKept(after, answer, completed, *asked,
                                    expectation == Expectation::LastActionWhole);
        case Expectation::RecoveredOrOld:
            if (recovered && after != m_new)
                return "the recovery did not bring back the whole new project: " + DifferingFiles(after, m_new).join(',');
            return EachOldOrNew(after, m_old, m_new) ? QString() : QStringLiteral("a file is neither old nor new");
        case Expectation::OldOrNew:
            break;
        }
        if (after != m_old && after != m_new) {
            return QStringLiteral("a mix: old %1, new %2")
                .arg(DifferingFiles(after, m_new).join(','), DifferingFiles(after, m_old).join(','));
        }
        // Every edit was on disk before the save began: the recovery brings all of them back.
        if (answer == IDYES && after != m_new)
            return *asked ? QStringLiteral("the recovery did not bring back the completed edits")
                          : QStringLiteral("the recovery of the completed edits was not offered");
        return QString();
    }

    // The recovery brings back the completed actions; of the one under way each database holds its
    // content before or after it, and the project, committed last, only with all of it (lastWhole:
    // of the last action every file before it or every file after it).
    QString CheckActionsKept(const ProjectSnapshot& after, int answer, int completed, bool asked,
                             bool lastWhole) const
    {
        if (!asked)
            return QStringLiteral("the recovery was not offered");
        if (answer == IDNO)
            return after == m_old ? QString() : QStringLiteral("declining the recovery changed the project");
        const ProjectSnapshot& done = m_afterActions.at(completed);
        if (after == done)
            return QString();
        if (completed + 1 < m_afterActions.size()) {
            const ProjectSnapshot& next = m_afterActions.at(completed + 1);
            const QString project = QStringLiteral("Demo.prj");
            const bool whole = lastWhole && completed + 2 == m_afterActions.size();
            if (after == next || (!whole && EachOldOrNew(after, done, next) &&
                                  after.value(project) != next.value(project)))
                return QString();
        }
        return QStringLiteral("%1 actions completed, the recovered files differing from them: %2")
            .arg(completed)
            .arg(DifferingFiles(after, done).join(','));
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

    // Every crash point of the window under every model (a seeded sample of them under the
    // sanitizers), each distinct state opened with Yes and with No. A sample is drawn from the points
    // after the window's first completed action (sampleFrom), where a lost flush puts completed work
    // at risk; the whole window where that stretch holds fewer points than the sample. everyFlush:
    // every point of that stretch where a durable step of the working copies has just ended besides.
    void CheckWindow(const char* title, const CFileOperationLog& log, int begin, int end, Expectation expectation,
                     int sampleFrom = -1, bool everyFlush = false)
    {
        const bool full = EnvironmentNumber("QV_POWERLOSS_FULL", 0) != 0;
        const int randomPerPoint = full ? 4 : 1;
        const int budget = EnvironmentNumber("QV_POWERLOSS_POINTS", 6);
        if (!full && sampleFrom > begin && end - sampleFrom + 1 >= budget)
            begin = sampleFrom;
        std::vector<int> points;
        for (int c = begin; c <= end; ++c)
            points.push_back(c);
        if (!full) {
            // Points around every flush and name operation first, the rest at random; with
            // everyFlush, every point after a working copy's flush or a mark besides.
            std::vector<int> flushes, chosen, rest;
            for (int c : points) {
                const auto at = [&](int i) { return i >= 0 && i < log.operations().size() ? log.operations().at(i).kind : CFileOperationLog::Kind::Data; };
                const CFileOperationLog::Kind before = at(c - 1);
                const bool flushed = before != CFileOperationLog::Kind::Data && before != CFileOperationLog::Kind::Name;
                if (everyFlush && flushed && EndsWorkingCopyStep(log, c))
                    flushes.push_back(c);
                else
                    (before != CFileOperationLog::Kind::Data ? chosen : rest).push_back(c);
            }
            std::shuffle(chosen.begin(), chosen.end(), m_random);
            std::shuffle(rest.begin(), rest.end(), m_random);
            chosen.resize(std::min<size_t>(chosen.size(), size_t(budget)));
            rest.resize(std::min<size_t>(rest.size(), size_t(budget / 3)));
            points = flushes;
            points.insert(points.end(), chosen.begin(), chosen.end());
            points.insert(points.end(), rest.begin(), rest.end());
        }
        std::array<Tally, MODELS> tallies;
        std::map<QByteArray, int> seen; // each state opened, with its failing opens
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
                    // The same files after more completed actions must bring back more.
                    const int completed = CompletedActions(log, c);
                    // A state reached before is not opened again; its failures count for this model too.
                    const auto [known, isNew] = seen.try_emplace(Fingerprint(state) + QByteArray::number(completed), 0);
                    if (!isNew) {
                        tally.failures += known->second;
                        continue;
                    }
                    ++tally.states;
                    for (int answer : {IDYES, IDNO}) {
                        bool asked = true;
                        const QString failure = Check(state, answer, expectation, completed, &asked);
                        if (!failure.isEmpty()) {
                            ++tally.failures;
                            ++known->second;
                            if (tally.examples.size() < 3)
                                tally.examples << QStringLiteral("after %1 of %2 operations, %3: %4")
                                                      .arg(c - begin).arg(end - begin)
                                                      .arg(answer == IDYES ? "Yes" : "No", failure);
                        }
                        if (!asked) // the recovery was not offered: No would open the same
                            break;
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

    // One of the program's actions after a revision of every file, so that it starts on working
    // copies that keep write-ahead logs; its crash points are those after each flush of a working
    // copy and a sample of the others. The project the driver saves is the one the action leaves.
    void CheckActionWindow(const char* title, const QString& action, const QStringList& changedFiles)
    {
        EditAndSave({FULL_REVISION});
        m_action = action;
        CFileOperationLog log;
        ASSERT_NO_FATAL_FAILURE(Record(1, log));
        m_new = TakeSnapshot(projectDir());
        ASSERT_EQ(DifferingFiles(m_afterActions.last(), m_new).join(' '), changedFiles.join(' '));
        m_afterActions << m_new;
        const int editing = log.IndexAfterMark("editing"), saving = log.IndexAfterMark("saving");
        ASSERT_EQ(CompletedActions(log, saving), 2);
        std::cout << title << ": " << saving - log.IndexAfterMark("edited 1") << " operations\n";
        CheckWindow(title, log, editing, saving - 1, Expectation::LastActionWhole,
                    log.IndexAfterMark("edited 1"), true);
    }

    MemoryTemporaryFolder m_memory;
    FakeAppContext app;
    ProjectSnapshot m_old, m_new;
    QList<ProjectSnapshot> m_afterActions; // the project after none, one, ... of the session's actions
    QList<int> m_session = SESSION;
    QString m_action; // one of the program's actions after the session's revisions (SaveDriverActions.h)
    std::mt19937 m_random;
    int m_recordings = 0;
};

TEST_F(PowerLossTest, APowerLossDuringEditsASaveARecoveryOrAJournalsFinishKeepsTheCompletedWork)
{
    EditAndSave(SESSION);
    CFileOperationLog save;
    ASSERT_NO_FATAL_FAILURE(Record(1, save));
    const int editing = save.IndexAfterMark("editing");
    const int saving = save.IndexAfterMark("saving"), saved = save.IndexAfterMark("saved");
    ASSERT_GT(editing, 0);
    ASSERT_EQ(CompletedActions(save, saving), SESSION.size());
    ASSERT_GT(saved, saving);
    CheckWindow("edits", save, editing, saving - 1, Expectation::ActionsKept, save.IndexAfterMark("edited 1"));
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
    EditAndSave(PARTIAL_SESSION);
    ASSERT_EQ(DifferingFiles(m_old, m_new), (QStringList{"Demo.prj", "STEP_1002.STP"}));
    CFileOperationLog save;
    ASSERT_NO_FATAL_FAILURE(Record(1, save));
    const int saving = save.IndexAfterMark("saving"), saved = save.IndexAfterMark("saved");
    ASSERT_GT(saved, saving);
    CheckWindow("partial save", save, saving, saved - 1, Expectation::OldOrNew);
}

// The program's actions that write many rows or several files are as safe: a power loss at any
// instant of one leaves, at the next open, the project wholly before it or wholly after it.
TEST_F(PowerLossTest, APowerLossDuringAProcessCopyLeavesTheProjectWhollyBeforeOrAfterIt)
{
    const QString other = app.root() + "other/";
    ProjectSpec spec = CProjectGenerator::DemoProject();
    spec.name = QStringLiteral("Other");
    CProjectGenerator generator;
    ASSERT_TRUE(generator.Write(spec, other)) << generator.ErrorText().toStdString();
    CheckActionWindow("process copy", "process-copy=" + other + "Other.prj",
                      {"Demo.prj", "STEP_1007.STP", "STEP_1008.STP", "STEP_1009.STP"});
}

TEST_F(PowerLossTest, APowerLossDuringAnImportStepLeavesTheProjectWhollyBeforeOrAfterIt)
{
    CheckActionWindow("import step", "import-step", {"Demo.prj", "STEP_1007.STP"});
}

TEST_F(PowerLossTest, APowerLossDuringAPasteLeavesTheProjectWhollyBeforeOrAfterIt)
{
    CheckActionWindow("paste", "paste", {"STEP_1001.STP"});
}
