#include "CaseSpelledObjects.h"
#include "DbFixture.h"
#include "KeptResources.h"
#include "ScriptedPrompts.h"
#include "foundation/db/schema/ResultsDatabase.h"
#include "foundation/db/schema/SchemaBuilder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <limits>
#include <stdexcept>

namespace {

const ResultsRunSummary RESULTS_SUMMARY{250.0, 120.5, 5400.0, 300.0, 50.0};
const QList<ResultsScheduleRow> RESULTS_SCHEDULE = {
    {7, 11, 0.0, 600.0, 600.0, 3}, {7, 12, 600.0, 1800.0, 1200.0, 0}, {7, 13, 300.0, 600.0, 300.0, 3}};
const QList<ResultsRemark> RESULTS_REMARKS = {{7, 12, 1001, "Warning", "No equipment"},
                                              {7, 13, 1001, "Warning", "No equipment"},
                                              {7, 13, 1002, "Error", "Too full"}};

bool FillSampleResults(CSchemaBuilder& builder)
{
    bool written = WriteRunSummary(builder, RESULTS_SUMMARY);
    for (const ResultsScheduleRow& row : RESULTS_SCHEDULE)
        written = written && WriteScheduleRow(builder, row);
    for (const ResultsRemark& remark : RESULTS_REMARKS)
        written = written && WriteRemark(builder, remark);
    return written;
}

// What a failed write may still hold when it returns: its error text. A connection left open keeps
// some 85 KB.
constexpr long long KEPT_BYTES_LIMIT = 16 * 1024;

} // namespace

class ResultsDatabaseTest : public DbFixture {};

TEST_F(ResultsDatabaseTest, FileNamesFollowTheKindAndId)
{
    EXPECT_EQ(StepResultsFileName(42), "QVSTEP_42.mdb");
    EXPECT_EQ(ProcessResultsFileName(7), "QVPROC_7.mdb");
    EXPECT_EQ(PlanResultsFileName(-3), "QVPLAN_-3.mdb");
    QFile(pathOf("qvStep_42.MDB")).open(QIODevice::WriteOnly);
    EXPECT_EQ(ResultsFilePath(pathOf(""), StepResultsFileName(42)), pathOf("qvStep_42.MDB"));
    EXPECT_EQ(ResultsFilePath(pathOf(""), ProcessResultsFileName(42)), pathOf("QVPROC_42.mdb"));
}

TEST_F(ResultsDatabaseTest, VersionComparison)
{
    const struct {
        const char* version;
        const char* reference;
        bool earlier;
    } cases[] = {
        {RESULTS_VERSION, "Version 20.0 Beta", false}, {"Version 20.0 Beta", "Version 20.0 Beta", false},
        {"Version 19.9", "Version 20.0 Beta", true},   {"Version 20.0 Beta", "Version 20.0", true},
        {"Version 20.1 Beta", "Version 20.0", false},  {"Version 20", "Version 20.0.1", true},
        {"", "Version 20.0 Beta", true},               {"Version 3.10", "Version 3.9", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsResultsVersionEarlier(c.version, c.reference), c.earlier) << c.version << " vs " << c.reference;
}

TEST_F(ResultsDatabaseTest, WrittenResultsReadBack)
{
    const QString path = pathOf(StepResultsFileName(7));
    ASSERT_TRUE(WriteResultsAtomically(path, FillSampleResults));
    EXPECT_EQ(scalar(path, "PRAGMA application_id").toLongLong(), qlonglong(FourCharacterID("QVRS")));
    CResultsDatabase results;
    ASSERT_TRUE(results.Open(path));
    EXPECT_FALSE(IsResultsVersionEarlier(results.Version(), "Version 20.0 Beta"));
    const ResultsRunSummary summary = results.Summary();
    EXPECT_EQ(summary.batchSize, 250.0);
    EXPECT_EQ(summary.keyInputBatchSize, 120.5);
    EXPECT_EQ(summary.cycleTime, 5400.0);
    EXPECT_EQ(summary.maxBatchSize, 300.0);
    EXPECT_EQ(summary.minBatchSize, 50.0);
    const QList<ResultsScheduleRow> schedule = results.Schedule(7);
    ASSERT_EQ(schedule.size(), 3);
    EXPECT_EQ(schedule[1].operationID, 13); // ordered by start time
    EXPECT_EQ(schedule[2].duration, 1200.0);
    EXPECT_EQ(schedule[2].equipmentID, 0);
    EXPECT_EQ(scalar(path, "SELECT COUNT(*) FROM EquipmentUsed").toInt(), 1);
    ASSERT_EQ(results.Remarks(7, 13).size(), 2);
    EXPECT_EQ(results.Remarks(7, 13)[1].text, "Too full");
    EXPECT_EQ(results.WorstSeverity(7, 11), RemarkSeverity::None);
    EXPECT_EQ(results.WorstSeverity(7, 12), RemarkSeverity::Warning);
    EXPECT_EQ(results.WorstSeverity(7, 13), RemarkSeverity::Error);
    EXPECT_EQ(results.WorstSeverity(8, 13), RemarkSeverity::None);
    EXPECT_EQ(scalar(path, "SELECT Type FROM RemarkMessage WHERE MessageID = 1002").toString(), "Error");
}

// Schedule rows are written many to a statement: every row arrives, in list order.
TEST_F(ResultsDatabaseTest, ScheduleRowsArriveInListOrder)
{
    const QString path = pathOf(StepResultsFileName(7));
    QList<ResultsScheduleRow> rows;
    for (int i = 0; i < 130; ++i)
        rows.append({7, 1000L - i, double(i), double(i) + 1, 1.0, i % 3, i / 64});
    ASSERT_TRUE(WriteResultsAtomically(path, [&](CSchemaBuilder& b) { return WriteScheduleRows(b, rows); }));
    EXPECT_EQ(scalar(path, "SELECT COUNT(*) || ' ' || SUM(OperationID + RowKey = 1001) || ' ' || MAX(BatchNumber) "
                           "FROM OperationSchedule")
                  .toString(),
              "130 130 2");
    EXPECT_EQ(scalar(path, "SELECT group_concat(EquipmentID) FROM EquipmentUsed").toString(), "1,2");
}

// A write that fails part-way (a start time that is no number reaches the engine as NULL) is
// reported with the engine's text, and leaves the earlier results, no partial file and none of the
// engine's memory: the failed file's connection closes with it.
TEST_F(ResultsDatabaseTest, AWriteFailingPartWayIsReportedAndLeavesNothingBehind)
{
    constexpr double NOT_A_NUMBER = std::numeric_limits<double>::quiet_NaN();
    QList<ResultsScheduleRow> rows;
    for (int i = 0; i < 130; ++i)
        rows.append({7, 1000L - i, double(i), double(i) + 1, 1.0, i % 3});
    QList<ResultsScheduleRow> lastRowUnset = rows;
    lastRowUnset[129].start = NOT_A_NUMBER;
    const QList<ResultsBatchShift> secondBatchUnset = {{7, 1, 0.0}, {7, 2, NOT_A_NUMBER}};
    const QList<ResultsVesselHold> secondHoldUnset = {{7, 13, 2, 101, 300.0, 600.0, 1},
                                                      {7, 13, 2, 101, NOT_A_NUMBER, 900.0, 2}};
    const struct {
        const char* writer;
        ResultsFill fill;
        const char* column;
    } cases[] = {
        {"schedule rows, many to a kept statement",
         [&](CSchemaBuilder& b) { return WriteScheduleRows(b, lastRowUnset); },
         "OperationSchedule.StartTime"},
        {"a plan's batches shifted from their step's rows",
         [&](CSchemaBuilder& b) { return WriteShiftedScheduleRows(b, rows, secondBatchUnset); },
         "OperationSchedule.StartTime"},
        {"vessel holds, a row to a kept statement",
         [&](CSchemaBuilder& b) { return WriteVesselHolds(b, secondHoldUnset); }, "VesselHold.StartTime"},
    };
    const QString path = pathOf(StepResultsFileName(7));
    ASSERT_TRUE(WriteResultsAtomically(path, [&](CSchemaBuilder& b) { return WriteScheduleRows(b, rows); }));
    for (const auto& c : cases) {
        const long long heapBefore = HeapBytesInUse();
        const qsizetype filesBefore = OpenFileCount();
        QString error;
        EXPECT_FALSE(WriteResultsAtomically(path, c.fill, &error)) << c.writer;
        EXPECT_LT(HeapBytesInUse() - heapBefore, KEPT_BYTES_LIMIT) << c.writer << ": bytes kept";
        EXPECT_EQ(OpenFileCount(), filesBefore) << c.writer << ": files kept open";
        EXPECT_TRUE(error.contains(QStringLiteral("NOT NULL constraint failed: ") + c.column))
            << c.writer << ": " << qPrintable(error);
        EXPECT_FALSE(QFileInfo::exists(path + ".writing")) << c.writer;
        EXPECT_EQ(scalar(path, "SELECT COUNT(*) FROM OperationSchedule").toInt(), 130) << c.writer;
    }
}

// A plan's holds of the vessels transfers fill are rows of their own beside the schedule; a file
// written before they were kept reads as one without holds, and nothing else of it changes.
TEST_F(ResultsDatabaseTest, VesselHoldsReadBackAndOlderFilesHaveNone)
{
    const QString path = pathOf(PlanResultsFileName(4));
    const QList<ResultsVesselHold> holds = {{7, 13, 2, 101, 900.0, 1200.0, 2},
                                            {7, 13, 2, 101, 300.0, 600.0, 1}};
    ASSERT_TRUE(WriteResultsAtomically(path, [&](CSchemaBuilder& b) {
        return WriteScheduleRows(b, RESULTS_SCHEDULE) && WriteVesselHolds(b, holds);
    }));
    EXPECT_EQ(scalar(path, "SELECT COUNT(*) FROM OperationSchedule").toInt(), RESULTS_SCHEDULE.size());
    {
        CResultsDatabase results;
        ASSERT_TRUE(results.Open(path));
        const QList<ResultsVesselHold> read = results.VesselHolds();
        ASSERT_EQ(read.size(), 2);
        EXPECT_EQ(read[0].batchNumber, 1); // by batch, then start
        EXPECT_EQ(read[1].start, 900.0);
        EXPECT_EQ(read[1].end, 1200.0);
        EXPECT_EQ(read[1].equipmentID, 101);
        EXPECT_EQ(read[1].unitProcedureID, 2);
        EXPECT_EQ(read[1].operationID, 13);
    }
    {
        CDaoDatabase older;
        older.Open(path, DatabaseRole::ReadWrite);
        older.Execute("DROP TABLE VesselHold");
    }
    ScriptedPromptService prompts; // none expected: the file reads
    CResultsDatabase results;
    ASSERT_TRUE(results.Open(path));
    EXPECT_TRUE(results.VesselHolds().isEmpty());
    EXPECT_FALSE(results.ReadFailed());
    EXPECT_EQ(results.PlanSchedule().size(), RESULTS_SCHEDULE.size());
}

TEST_F(ResultsDatabaseTest, AFailedRunLeavesThePreviousResults)
{
    const QString path = pathOf(StepResultsFileName(7));
    ASSERT_TRUE(WriteResultsAtomically(path, FillSampleResults));
    const std::function<bool(CSchemaBuilder&)> failures[] = {
        [](CSchemaBuilder& b) { return WriteRunSummary(b, {1, 1, 1, 1, 1}) && false; },
        [](CSchemaBuilder& b) { return WriteRemark(b, {7, 1, 1001, "Notice", "bad type word"}); },
        [](CSchemaBuilder& b) -> bool { WriteRunSummary(b, {}); throw std::runtime_error("cancelled"); },
    };
    for (const auto& fail : failures) {
        QString error;
        EXPECT_FALSE(WriteResultsAtomically(path, fail, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(scalar(path, "SELECT CycleTime FROM RunSummary").toDouble(), 5400.0);
        EXPECT_EQ(QDir(pathOf("")).entryList(QDir::Files), QStringList{StepResultsFileName(7)});
    }
}

// Links a received project folder holds at a run's names: a dangling one at the step's and the
// plan's temporary name, and one at the plan's results naming a user's file. The run writes its
// results under its own names only: nothing is made where a link points, the user's file keeps its
// bytes, and the links at the temporary names are left as they are.
TEST_F(ResultsDatabaseTest, LinksAtTheRunsNamesAreNeverWrittenThrough)
{
    QTemporaryDir outside;
    const QString user = outside.filePath("thesis.docx");
    {
        QFile file(user);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("precious") == 8);
    }
    const QString step = pathOf(StepResultsFileName(1001)), plan = pathOf(PlanResultsFileName(1));
    ASSERT_TRUE(QFile::link(outside.filePath("made-by-run.db"), step + ".writing"));
    ASSERT_TRUE(QFile::link(outside.filePath("new.db"), plan + ".writing"));
    ASSERT_TRUE(QFile::link(user, plan));
    for (const QString& path : {step, plan}) {
        QString error;
        EXPECT_TRUE(WriteResultsAtomically(path, FillSampleResults, &error)) << qPrintable(error);
        EXPECT_FALSE(QFileInfo(path).isSymLink());
        EXPECT_EQ(scalar(path, "SELECT CycleTime FROM RunSummary").toDouble(), 5400.0);
        EXPECT_TRUE(QFileInfo(path + ".writing").isSymLink());
    }
    EXPECT_EQ(QDir(outside.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"thesis.docx"});
    QFile file(user);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "precious");
}

TEST_F(ResultsDatabaseTest, OnlyAResultsFileOpens)
{
    ScriptedPromptService prompts;
    CResultsDatabase results;
    EXPECT_FALSE(results.Open(pathOf("missing.mdb")));
    EXPECT_FALSE(results.ReadFailed()) << "a missing file is no results, not unreadable ones";
    const QString step = pathOf("step.stp");
    ASSERT_TRUE(CSchemaBuilder::Build(DatabaseKind::Step, step));
    prompts.expect(IDOK);
    EXPECT_FALSE(results.Open(step));
    EXPECT_FALSE(results.IsOpen());
    EXPECT_EQ(prompts.lastText(), "The results of step.stp cannot be read: the file is not a results "
                                  "database. Run the simulation again.");
}

// A results file of another schema or a damaged one reads as no results, is reported once per
// version of the file, and is left as it was.
TEST_F(ResultsDatabaseTest, AnUnreadableFileIsReportedOnceAndLeftAlone)
{
    const struct {
        const char* label;
        std::function<void(const QString& path)> damage;
        const char* reason;
    } cases[] = {
        {"a renamed column",
         [](const QString& path) {
             scalar(path, "ALTER TABLE OperationSchedule RENAME COLUMN StepID TO StepKey");
         },
         "the table OperationSchedule has no column StepID"},
        {"a column renamed in the file's bytes",
         [](const QString& path) {
             QFile file(path);
             ASSERT_TRUE(file.open(QIODevice::ReadWrite));
             QByteArray bytes = file.readAll();
             ASSERT_TRUE(bytes.contains("RemarkText TEXT"));
             bytes.replace("RemarkText TEXT", "RemarkTaxt TEXT");
             file.seek(0);
             file.write(bytes);
         },
         "the table SimulationRemark has no column RemarkText"},
        {"a missing table", [](const QString& path) { scalar(path, "DROP TABLE RunSummary"); },
         "there is no table RunSummary"},
        {"an endless view in the place of a table",
         [](const QString& path) {
             scalar(path, "DROP TABLE OperationSchedule");
             scalar(path,
                    "CREATE VIEW OperationSchedule AS WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT "
                    "x + 1 FROM c) SELECT 7 AS StepID, 1 AS OperationID, x AS StartTime, x AS EndTime, "
                    "1 AS Duration, 0 AS EquipmentID, x AS RowKey, 1 AS BatchNumber FROM c");
         },
         "the view \"OperationSchedule\" is not one of ours"},
        {"a trigger of another making",
         [](const QString& path) {
             scalar(path, "CREATE TRIGGER Extra AFTER DELETE ON RunSummary BEGIN SELECT 1; END");
         },
         "the trigger \"Extra\" is not one of ours"},
        {"an endless view spelled \"VIEW\"",
         [](const QString& path) { SpellObjectInCapitals(path, "OperationSchedule", CaseSpelled::View); },
         "the view \"OperationSchedule\" is not one of ours"},
        {"an endless trigger spelled \"TRIGGER\"",
         [](const QString& path) { SpellObjectInCapitals(path, "RunSummary", CaseSpelled::Trigger, "DELETE"); },
         "the trigger \"fz6_RunSummary\" is not one of ours"},
    };
    ScriptedPromptService prompts;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const QString path = pathOf(StepResultsFileName(7));
        ASSERT_TRUE(WriteResultsAtomically(path, FillSampleResults));
        c.damage(path);
        const QByteArray before = [&path] {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }();
        prompts.clear();
        prompts.expect(IDOK);
        for (int read = 0; read < 2; ++read) {
            CResultsDatabase results;
            EXPECT_FALSE(results.Open(path));
            EXPECT_TRUE(results.ReadFailed());
            EXPECT_TRUE(results.Schedule(7).isEmpty());
            EXPECT_EQ(results.Summary().cycleTime, 1e35);
        }
        EXPECT_EQ(prompts.texts(), QStringList{QString("The results of step 7 cannot be read: %1. Run the "
                                                       "simulation again.")
                                                   .arg(c.reason)});
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), before);
        EXPECT_EQ(QDir(pathOf("")).entryList(QDir::Files), QStringList{StepResultsFileName(7)});
    }
}

// A results file of our schema, only its own tables, whose schedule holds more rows than a read can
// take within the guard's time: the read stops there, the user is told once, the file is left as
// it was. The guard's time is a quarter of what the whole read takes on this machine, timed on the
// same file by a reader whose guard does not expire.
TEST_F(ResultsDatabaseTest, AReadOutlastingTheGuardsTimeIsRefused)
{
    constexpr int ADDED_ROWS = 300000;
    const QString path = pathOf(StepResultsFileName(7));
    ASSERT_TRUE(WriteResultsAtomically(path, FillSampleResults));
    scalar(path, QString("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c LIMIT %1) "
                         "INSERT INTO OperationSchedule (StepID, OperationID, StartTime, EndTime, Duration, "
                         "EquipmentID, BatchNumber) SELECT 7, x, x * 60.0, x * 60.0 + 30, 30, x % 5, x % 50 FROM c")
                     .arg(ADDED_ROWS));
    const QByteArray before = bytesOf(path);
    qint64 wholeRead = 0;
    {
        CResultsDatabase patient(600000);
        ASSERT_TRUE(patient.Open(path));
        QElapsedTimer clock;
        clock.start();
        ASSERT_EQ(patient.PlanSchedule().size(), ADDED_ROWS + RESULTS_SCHEDULE.size());
        wholeRead = clock.elapsed();
    }
    const int guardTime = int(std::max<qint64>(wholeRead / 4, 1));
    ScriptedPromptService prompts;
    prompts.expect(IDOK);
    {
        CResultsDatabase results(guardTime);
        ASSERT_TRUE(results.Open(path));
        EXPECT_TRUE(results.PlanSchedule().isEmpty()) << "read whole in " << wholeRead << " ms";
        EXPECT_TRUE(results.ReadFailed());
    }
    ASSERT_EQ(prompts.texts().size(), 1);
    EXPECT_EQ(prompts.texts()[0], QString("The results of step 7 cannot be read: reading it took longer than %1 "
                                          "seconds. Run the simulation again.")
                                      .arg(guardTime / 1000.0));
    EXPECT_EQ(bytesOf(path), before);
}

TEST_F(ResultsDatabaseTest, TheFileOpensInTheSqliteShell)
{
    const QString shell = QStandardPaths::findExecutable("sqlite3");
    ASSERT_FALSE(shell.isEmpty()) << "no sqlite3 shell";
    const QString path = pathOf(ProcessResultsFileName(3));
    ASSERT_TRUE(WriteResultsAtomically(path, FillSampleResults));
    QProcess process;
    process.start(shell, {path, "PRAGMA integrity_check; SELECT COUNT(*) FROM OperationSchedule;"});
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardOutput()), "ok\n3\n");
}
