#pragma once
// The results database of a run (schema/results.sql): its file names, a read-only reader and the
// atomic writer a run uses, so that a cancelled or failed run leaves the previous results as they were.

#include <QList>
#include <QString>
#include <functional>
#include <memory>

class CDaoDatabase;
class CSchemaBuilder;

// "QVSTEP_<id>.mdb", "QVPROC_<id>.mdb", "QVPLAN_<id>.mdb".
QString StepResultsFileName(long stepID);
QString ProcessResultsFileName(long processID);
QString PlanResultsFileName(long planID);
// The results file of that name in the folder, matched case-insensitively; the canonical path
// when none exists.
QString ResultsFilePath(const QString& folder, const QString& fileName);

// The version every new results file carries.
inline constexpr const char* RESULTS_VERSION = "Version 20.0";
// True when `version` ("Version 20.0 Beta", "Version 19.5", ...) is older than `reference`: the
// numbers compare part by part; at equal numbers a "Beta" is older than the release. A text
// without a number is older than any reference.
bool IsResultsVersionEarlier(const QString& version, const QString& reference);

enum class RemarkSeverity { None, Warning, Error };

struct ResultsRunSummary {
    double batchSize = 1e35;
    double keyInputBatchSize = 1e35;
    double cycleTime = 1e35;
    double maxBatchSize = 1e35;
    double minBatchSize = 1e35;
};

struct ResultsScheduleRow {
    long stepID = 0;
    long operationID = 0;
    double start = 0;
    double end = 0;
    double duration = 0;
    long equipmentID = 0;
    long batchNumber = 0; // the plan's batch; 0 outside a plan's results
};

// A plan batch's hold on the vessel a transfer fills, from the transfer's start until the batch's
// first operation there; the transfer's own row stays on the vessel it empties.
struct ResultsVesselHold {
    long stepID = 0;
    long operationID = 0;     // the transfer
    long unitProcedureID = 0; // the unit procedure it fills
    long equipmentID = 0;     // the vessel it fills
    double start = 0;
    double end = 0;
    long batchNumber = 0;
};

struct ResultsRemark {
    long stepID = 0;
    long operationID = 0;
    long messageID = 0;
    QString type; // "Error" or "Warning"
    QString text;
    long batchNumber = 0;
};

// A results file that exists and cannot be read (another schema, damaged, not a results database)
// is handled as if there were none: Open answers false, or a read answers nothing and ReadFailed
// holds. The user is told once per version of the file (UnreadableResultsText); the file itself is
// never written or removed by a reader.
class CResultsDatabase {
public:
    // The open's review and each read may take as long as CReadTimeGuard's default, or readMilliseconds.
    CResultsDatabase();
    explicit CResultsDatabase(int readMilliseconds);
    ~CResultsDatabase();
    CResultsDatabase(const CResultsDatabase&) = delete;
    CResultsDatabase& operator=(const CResultsDatabase&) = delete;

    // Opens the file read-only; false when it is missing or cannot be read.
    bool Open(const QString& path);
    void Close();
    bool IsOpen() const;
    // True once the file was found unreadable, at the open or at a later read.
    bool ReadFailed() const { return !m_failure.isEmpty(); }

    QString Version();
    ResultsRunSummary Summary();
    QList<ResultsScheduleRow> Schedule(long stepID);
    // A plan's rows of every step with their batch numbers, by batch, then start.
    QList<ResultsScheduleRow> PlanSchedule();
    // The holds of vessels that transfers fill, by batch, then start; none in a file without them.
    QList<ResultsVesselHold> VesselHolds();
    // Every remark of the file with its batch number, in the order written.
    QList<ResultsRemark> AllRemarks();
    QList<ResultsRemark> Remarks(long stepID, long operationID);
    // Every remark of the step's operations, in one read.
    QList<ResultsRemark> StepRemarks(long stepID);
    // The equipment the step's operations used, by id.
    QList<long> EquipmentUsed(long stepID);
    // The worst remark type of the operation; None when it has no remark.
    RemarkSeverity WorstSeverity(long stepID, long operationID);

private:
    template <typename Result, typename Read> Result Guarded(Read read);
    void Fail(const QString& reason);

    std::unique_ptr<CDaoDatabase> m_database;
    QString m_path;
    QString m_failure;
    int m_readMilliseconds;
};

// "The results of <step, process or plan> cannot be read: <reason>. Run the simulation again."
// The item is named from the project database by the file's name ("QVSTEP_12.mdb": step 12),
// else by its kind and id.
QString UnreadableResultsText(const QString& path, const QString& reason);
// Shows that text, once for each version of the file (its identity: inode, size, times of change).
void ReportUnreadableResults(const QString& path, const QString& reason);
// Forgets which files were reported.
void ForgetReportedResults();

// Fills a results database into a temporary file beside `target` inside one transaction, then
// flushes it and renames it over `target`, flushing the folder. When fill answers false or
// throws, nothing replaces `target` and the temporary is removed. False with a description on failure.
using ResultsFill = std::function<bool(CSchemaBuilder& builder)>;
bool WriteResultsAtomically(const QString& target, const ResultsFill& fill, QString* error = nullptr);
// Rows for a fill.
bool WriteRunSummary(CSchemaBuilder& builder, const ResultsRunSummary& summary);
bool WriteScheduleRow(CSchemaBuilder& builder, const ResultsScheduleRow& row);
bool WriteRemark(CSchemaBuilder& builder, const ResultsRemark& remark);
// Bulk forms, each through one prepared statement: the schedule rows, then the EquipmentUsed rows
// derived from them in one statement; remarks of the fixed messages with their type, and their own
// text where one is given (else the message's).
bool WriteScheduleRows(CSchemaBuilder& builder, const QList<ResultsScheduleRow>& rows);
bool WriteMessageRemarks(CSchemaBuilder& builder, const QList<ResultsRemark>& remarks);
// Through one prepared statement.
bool WriteVesselHolds(CSchemaBuilder& builder, const QList<ResultsVesselHold>& holds);
// Batches that keep their step's schedule, moved in time: each step's rows (from time 0) go once
// into a temporary table, then each batch in one statement with its offset and number.
struct ResultsBatchShift {
    long stepID = 0;
    long batchNumber = 0;
    double offset = 0;
};
bool WriteShiftedScheduleRows(CSchemaBuilder& builder, const QList<ResultsScheduleRow>& stepRows,
                              const QList<ResultsBatchShift>& batches);
// Each step's remarks (of the fixed messages) once into a temporary table, then each batch's copy
// in one statement with its number.
bool WriteBatchRemarks(CSchemaBuilder& builder, const QList<ResultsRemark>& stepRemarks,
                       const QList<ResultsBatchShift>& batches);
