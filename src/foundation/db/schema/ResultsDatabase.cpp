#include "foundation/db/schema/ResultsDatabase.h"

#include "foundation/common/NewFile.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/StatementCache.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/files/DatabaseHeader.h"
#include "foundation/db/schema/ReadTimeGuard.h"
#include "foundation/db/schema/SchemaBuilder.h"
#include "foundation/db/schema/SchemaObjectCheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

namespace {

QString ResultsName(const char* kind, long id)
{
    return QStringLiteral("%1_%2.mdb").arg(QLatin1String(kind)).arg(id);
}

struct ParsedResultsVersion {
    QList<int> numbers;
    bool beta = false;
};

ParsedResultsVersion ParseResultsVersion(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("\\d+(\\.\\d+)*"));
    static const QRegularExpression beta(QStringLiteral("\\bbeta\\b"), QRegularExpression::CaseInsensitiveOption);
    ParsedResultsVersion parsed;
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch())
        return parsed;
    for (const QString& part : match.captured(0).split(u'.'))
        parsed.numbers << part.toInt();
    parsed.beta = beta.match(text).hasMatch();
    return parsed;
}

} // namespace

QString StepResultsFileName(long stepID)
{
    return ResultsName("QVSTEP", stepID);
}

QString ProcessResultsFileName(long processID)
{
    return ResultsName("QVPROC", processID);
}

QString PlanResultsFileName(long planID)
{
    return ResultsName("QVPLAN", planID);
}

QString ResultsFilePath(const QString& folder, const QString& fileName)
{
    const QDir dir(folder);
    for (const QString& entry : dir.entryList(QDir::Files)) {
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return dir.filePath(fileName);
}

bool IsResultsVersionEarlier(const QString& version, const QString& reference)
{
    const ParsedResultsVersion mine = ParseResultsVersion(version);
    const ParsedResultsVersion theirs = ParseResultsVersion(reference);
    if (mine.numbers.isEmpty())
        return true;
    const qsizetype parts = std::max(mine.numbers.size(), theirs.numbers.size());
    for (qsizetype i = 0; i < parts; ++i) {
        const int a = mine.numbers.value(i), b = theirs.numbers.value(i);
        if (a != b)
            return a < b;
    }
    return mine.beta && !theirs.beta;
}

CResultsDatabase::CResultsDatabase() : CResultsDatabase(CReadTimeGuard::DEFAULT_MILLISECONDS) {}

CResultsDatabase::CResultsDatabase(int readMilliseconds) : m_readMilliseconds(readMilliseconds) {}

CResultsDatabase::~CResultsDatabase() = default;

namespace {

// The columns the reader reads, by table: a file without one of them is of another schema.
struct ReadColumns {
    const char* table;
    std::initializer_list<const char*> columns;
};
const ReadColumns READ_COLUMNS[] = {
    {"ResultsInfo", {"VersionNumber", "RowKey"}},
    {"RunSummary", {"BatchSize", "KeyInputBatchSize", "CycleTime", "MaxBatchSize", "MinBatchSize", "RowKey"}},
    {"OperationSchedule",
     {"StepID", "OperationID", "StartTime", "EndTime", "Duration", "EquipmentID", "BatchNumber", "RowKey"}},
    {"EquipmentUsed", {"StepID", "EquipmentID"}},
    {"SimulationRemark",
     {"StepID", "OperationID", "MessageID", "Type", "RemarkText", "BatchNumber", "RowKey"}},
};

// Empty when the file has every table and column the reader reads; else what it lacks.
QString MissingReadColumn(CDaoDatabase& database)
{
    for (const ReadColumns& read : READ_COLUMNS) {
        const QString table = QString::fromLatin1(read.table);
        QSqlQuery query = database.Query(QStringLiteral("SELECT name FROM pragma_table_info(?)"), {table});
        QStringList present;
        while (query.next())
            present << query.value(0).toString();
        if (present.isEmpty())
            return QStringLiteral("there is no table %1").arg(table);
        for (const char* column : read.columns) {
            if (!present.contains(QLatin1String(column), Qt::CaseInsensitive))
                return QStringLiteral("the table %1 has no column %2").arg(table, QLatin1String(column));
        }
    }
    return {};
}

QString ReadTooLongText(int milliseconds)
{
    return QStringLiteral("reading it took longer than %1 seconds").arg(milliseconds / 1000.0);
}

// A step that fails part-way through the rows (a damaged page) ends the read as an error.
void CheckFinished(const QSqlQuery& query)
{
    if (query.lastError().isValid())
        throw CDaoException::fromSqlError(query.lastError());
}

} // namespace

bool CResultsDatabase::Open(const QString& path)
{
    Close();
    m_path = path;
    m_failure.clear();
    if (!QFileInfo(path).isFile())
        return false;
    const std::optional<DatabaseHeader> header = ReadStandaloneHeader(path);
    if (!header || header->applicationID != ApplicationID(DatabaseKind::Results)) {
        Fail(QStringLiteral("the file is not a results database"));
        return false;
    }
    auto database = std::make_unique<CDaoDatabase>();
    try {
        database->Open(path, DatabaseRole::ReadOnly);
        CReadTimeGuard guard(*database, m_readMilliseconds);
        const QString foreign = ForeignSchemaObject(*database, DatabaseKind::Results);
        if (!foreign.isEmpty())
            throw CDaoException(foreign);
        const QString missing = MissingReadColumn(*database);
        if (!missing.isEmpty())
            throw CDaoException(missing);
    } catch (const CDaoException& error) {
        Fail(error.GetErrorDescription());
        return false;
    }
    m_database = std::move(database);
    return true;
}

void CResultsDatabase::Close()
{
    if (m_database)
        m_database->Close();
    m_database.reset();
}

bool CResultsDatabase::IsOpen() const
{
    return m_database != nullptr;
}

void CResultsDatabase::Fail(const QString& reason)
{
    m_failure = reason.isEmpty() ? QStringLiteral("unknown error") : reason;
    Close();
    ReportUnreadableResults(m_path, m_failure);
}

// Runs one read; a database error marks the file unreadable and answers nothing.
template <typename Result, typename Read> Result CResultsDatabase::Guarded(Read read)
{
    if (!m_database)
        return Result();
    CReadTimeGuard guard(*m_database, m_readMilliseconds);
    try {
        return read();
    } catch (const CDaoException& error) {
        Fail(guard.Expired() ? ReadTooLongText(m_readMilliseconds) : error.GetErrorDescription());
        return Result();
    }
}

QString CResultsDatabase::Version()
{
    return Guarded<QString>([this] {
        QSqlQuery query = m_database->Query(
            QStringLiteral("SELECT VersionNumber FROM ResultsInfo ORDER BY RowKey LIMIT 1"));
        const QString version = query.next() ? query.value(0).toString() : QString();
        CheckFinished(query);
        return version;
    });
}

ResultsRunSummary CResultsDatabase::Summary()
{
    return Guarded<ResultsRunSummary>([this] {
        QSqlQuery query = m_database->Query(
            QStringLiteral("SELECT BatchSize, KeyInputBatchSize, CycleTime, MaxBatchSize, MinBatchSize FROM "
                           "RunSummary ORDER BY RowKey LIMIT 1"));
        ResultsRunSummary summary;
        if (query.next())
            summary = {query.value(0).toDouble(), query.value(1).toDouble(), query.value(2).toDouble(),
                       query.value(3).toDouble(), query.value(4).toDouble()};
        CheckFinished(query);
        return summary;
    });
}

namespace {
// The rows a query of (StepID, OperationID, StartTime, EndTime, Duration, EquipmentID, BatchNumber)
// delivers.
QList<ResultsScheduleRow> ReadScheduleRows(QSqlQuery& query)
{
    QList<ResultsScheduleRow> rows;
    while (query.next())
        rows.append({long(query.value(0).toLongLong()), long(query.value(1).toLongLong()),
                     query.value(2).toDouble(), query.value(3).toDouble(), query.value(4).toDouble(),
                     long(query.value(5).toLongLong()), long(query.value(6).toLongLong())});
    CheckFinished(query);
    return rows;
}

// The remarks a query of (StepID, OperationID, MessageID, Type, RemarkText, BatchNumber) delivers.
QList<ResultsRemark> ReadResultsRemarkRows(QSqlQuery& query)
{
    QList<ResultsRemark> remarks;
    while (query.next())
        remarks.append({long(query.value(0).toLongLong()), long(query.value(1).toLongLong()),
                        long(query.value(2).toLongLong()), query.value(3).toString(), query.value(4).toString(),
                        long(query.value(5).toLongLong())});
    CheckFinished(query);
    return remarks;
}
} // namespace

QList<ResultsScheduleRow> CResultsDatabase::Schedule(long stepID)
{
    return Guarded<QList<ResultsScheduleRow>>([this, stepID] {
        QSqlQuery query = m_database->Query(
            QStringLiteral("SELECT StepID, OperationID, StartTime, EndTime, Duration, EquipmentID, 0 FROM "
                           "OperationSchedule WHERE StepID = ? ORDER BY StartTime, RowKey"),
            {qlonglong(stepID)});
        return ReadScheduleRows(query);
    });
}

QList<ResultsScheduleRow> CResultsDatabase::PlanSchedule()
{
    return Guarded<QList<ResultsScheduleRow>>([this] {
        QSqlQuery query = m_database->Query(QStringLiteral(
            "SELECT StepID, OperationID, StartTime, EndTime, Duration, EquipmentID, BatchNumber FROM "
            "OperationSchedule ORDER BY BatchNumber, StartTime, RowKey"));
        return ReadScheduleRows(query);
    });
}

QList<ResultsVesselHold> CResultsDatabase::VesselHolds()
{
    return Guarded<QList<ResultsVesselHold>>([this] {
        QList<ResultsVesselHold> holds;
        QSqlQuery table = m_database->Query(
            QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'VesselHold'"));
        if (!table.next())
            return holds; // written before holds were kept
        QSqlQuery query = m_database->Query(
            QStringLiteral("SELECT StepID, OperationID, UnitProcedureID, EquipmentID, StartTime, EndTime, "
                           "BatchNumber FROM VesselHold ORDER BY BatchNumber, StartTime, RowKey"));
        while (query.next())
            holds.append({long(query.value(0).toLongLong()), long(query.value(1).toLongLong()),
                          long(query.value(2).toLongLong()), long(query.value(3).toLongLong()),
                          query.value(4).toDouble(), query.value(5).toDouble(),
                          long(query.value(6).toLongLong())});
        CheckFinished(query);
        return holds;
    });
}

QList<ResultsRemark> CResultsDatabase::AllRemarks()
{
    return Guarded<QList<ResultsRemark>>([this] {
        QSqlQuery query = m_database->Query(
            QStringLiteral("SELECT StepID, OperationID, MessageID, Type, RemarkText, BatchNumber FROM "
                           "SimulationRemark ORDER BY RowKey"));
        return ReadResultsRemarkRows(query);
    });
}

QList<ResultsRemark> CResultsDatabase::Remarks(long stepID, long operationID)
{
    return Guarded<QList<ResultsRemark>>([this, stepID, operationID] {
        QSqlQuery query = m_database->Query(
            QStringLiteral("SELECT StepID, OperationID, MessageID, Type, RemarkText, 0 FROM SimulationRemark "
                           "WHERE StepID = ? AND OperationID = ? ORDER BY RowKey"),
            {qlonglong(stepID), qlonglong(operationID)});
        return ReadResultsRemarkRows(query);
    });
}

QList<ResultsRemark> CResultsDatabase::StepRemarks(long stepID)
{
    return Guarded<QList<ResultsRemark>>([this, stepID] {
        QSqlQuery query = m_database->Query(
            QStringLiteral("SELECT StepID, OperationID, MessageID, Type, RemarkText, 0 FROM SimulationRemark "
                           "WHERE StepID = ? ORDER BY RowKey"),
            {qlonglong(stepID)});
        return ReadResultsRemarkRows(query);
    });
}

QList<long> CResultsDatabase::EquipmentUsed(long stepID)
{
    return Guarded<QList<long>>([this, stepID] {
        QSqlQuery query = m_database->Query(
            QStringLiteral("SELECT EquipmentID FROM EquipmentUsed WHERE StepID = ? ORDER BY EquipmentID"),
            {qlonglong(stepID)});
        QList<long> equipment;
        while (query.next())
            equipment.append(long(query.value(0).toLongLong()));
        CheckFinished(query);
        return equipment;
    });
}

RemarkSeverity CResultsDatabase::WorstSeverity(long stepID, long operationID)
{
    const int worst = Guarded<int>([this, stepID, operationID] {
        QSqlQuery query = m_database->Query(
            QStringLiteral("SELECT MAX(CASE Type WHEN 'Error' THEN 2 WHEN 'Warning' THEN 1 ELSE 0 END) "
                           "FROM SimulationRemark WHERE StepID = ? AND OperationID = ?"),
            {qlonglong(stepID), qlonglong(operationID)});
        const int value = query.next() ? query.value(0).toInt() : 0;
        CheckFinished(query);
        return value;
    });
    return worst == 2 ? RemarkSeverity::Error : worst == 1 ? RemarkSeverity::Warning : RemarkSeverity::None;
}

bool WriteRunSummary(CSchemaBuilder& builder, const ResultsRunSummary& summary)
{
    return builder.Execute(QStringLiteral("INSERT INTO RunSummary (BatchSize, KeyInputBatchSize, CycleTime, "
                                          "MaxBatchSize, MinBatchSize) VALUES (?, ?, ?, ?, ?)"),
                           {summary.batchSize, summary.keyInputBatchSize, summary.cycleTime,
                            summary.maxBatchSize, summary.minBatchSize});
}

bool WriteScheduleRow(CSchemaBuilder& builder, const ResultsScheduleRow& row)
{
    const bool written = builder.Execute(
        QStringLiteral("INSERT INTO OperationSchedule (StepID, OperationID, StartTime, EndTime, Duration, "
                       "EquipmentID) VALUES (?, ?, ?, ?, ?, ?)"),
        {qlonglong(row.stepID), qlonglong(row.operationID), row.start, row.end, row.duration,
         qlonglong(row.equipmentID)});
    if (!written || row.equipmentID == 0)
        return written;
    return builder.Execute(QStringLiteral("INSERT INTO EquipmentUsed (StepID, EquipmentID) SELECT ?, ? "
                                          "WHERE NOT EXISTS (SELECT 1 FROM EquipmentUsed WHERE StepID = ? "
                                          "AND EquipmentID = ?)"),
                           {qlonglong(row.stepID), qlonglong(row.equipmentID), qlonglong(row.stepID),
                            qlonglong(row.equipmentID)});
}

bool WriteRemark(CSchemaBuilder& builder, const ResultsRemark& remark)
{
    return builder.Execute(QStringLiteral("INSERT INTO SimulationRemark (StepID, OperationID, MessageID, Type, "
                                          "RemarkText) VALUES (?, ?, ?, ?, ?)"),
                           {qlonglong(remark.stepID), qlonglong(remark.operationID),
                            qlonglong(remark.messageID), remark.type, remark.text});
}

namespace {

// A kept statement failed part-way. The cache's statements are finalised first: the builder closes
// its connection on the failure recorded next, and a connection closed with statements still open
// stays open, keeping its memory and its (removed) file. The statement then runs once more through
// the builder, which keeps the engine's text as the error.
bool FailKeptStatement(CSchemaBuilder& builder, CStatementCache& statements, const QString& sql,
                       const QVariantList& values)
{
    statements.clear();
    builder.Execute(sql, values);
    return false;
}

// Runs one statement, prepared once on the builder's engine handle, once per row; the first
// failure is recorded as the builder's error.
template <typename Row, typename Bind>
bool ExecutePerRow(CSchemaBuilder& builder, const QString& sql, const QList<Row>& rows, Bind bind)
{
    CStatementCache statements;
    const StatementKey key{StatementKind::Insert, sql, {}, {}, {}};
    for (const Row& row : rows) {
        const QVariantList values = bind(row);
        try {
            statements.run(builder.Database(), key, [&sql] { return sql; }, values, {});
        } catch (const CDaoException&) {
            return FailKeptStatement(builder, statements, sql, values);
        }
    }
    return true;
}

} // namespace

namespace {

bool DeriveEquipmentUsed(CSchemaBuilder& builder)
{
    return builder.Execute(QStringLiteral(
        "INSERT INTO EquipmentUsed (StepID, EquipmentID) SELECT DISTINCT s.StepID, s.EquipmentID "
        "FROM OperationSchedule s WHERE s.EquipmentID <> 0 AND NOT EXISTS (SELECT 1 FROM "
        "EquipmentUsed u WHERE u.StepID = s.StepID AND u.EquipmentID = s.EquipmentID) "
        "ORDER BY s.StepID, s.EquipmentID"));
}

// Rows per INSERT of the schedule: one statement's work is shared by many rows, well under the
// engine's limit of bound values.
constexpr qsizetype SCHEDULE_ROWS_PER_INSERT = 64;

void AppendScheduleValues(QVariantList& values, const ResultsScheduleRow& row)
{
    values << qlonglong(row.stepID) << qlonglong(row.operationID) << row.start << row.end << row.duration
           << qlonglong(row.equipmentID) << qlonglong(row.batchNumber);
}

// The rows in list order, up to SCHEDULE_ROWS_PER_INSERT by each run of a kept statement.
bool InsertScheduleRows(CSchemaBuilder& builder, const QString& table, const QList<ResultsScheduleRow>& rows)
{
    const QString head = QStringLiteral("INSERT INTO %1 (StepID, OperationID, StartTime, EndTime, Duration, "
                                        "EquipmentID, BatchNumber) VALUES ")
                             .arg(table);
    const QString tuple = QStringLiteral("(?, ?, ?, ?, ?, ?, ?)");
    CStatementCache statements;
    QVariantList values;
    for (qsizetype first = 0; first < rows.size(); first += SCHEDULE_ROWS_PER_INSERT) {
        const qsizetype count = std::min(SCHEDULE_ROWS_PER_INSERT, rows.size() - first);
        const QString sql = head + QStringList(count, tuple).join(QLatin1String(", "));
        values.clear();
        for (qsizetype i = first; i < first + count; ++i)
            AppendScheduleValues(values, rows.at(i));
        try {
            statements.run(builder.Database(), {StatementKind::Insert, table, {}, {}, {QString::number(count)}},
                           [&sql] { return sql; }, values, {});
        } catch (const CDaoException&) {
            return FailKeptStatement(builder, statements, sql, values);
        }
    }
    return true;
}

} // namespace

bool WriteScheduleRows(CSchemaBuilder& builder, const QList<ResultsScheduleRow>& rows)
{
    return InsertScheduleRows(builder, QStringLiteral("OperationSchedule"), rows) && DeriveEquipmentUsed(builder);
}

bool WriteShiftedScheduleRows(CSchemaBuilder& builder, const QList<ResultsScheduleRow>& stepRows,
                              const QList<ResultsBatchShift>& batches)
{
    const bool copied =
        builder.Execute(QStringLiteral("CREATE TEMP TABLE ScheduleTemplate (StepID INTEGER, OperationID INTEGER, "
                                       "StartTime REAL, EndTime REAL, Duration REAL, EquipmentID INTEGER, "
                                       "BatchNumber INTEGER, RowKey INTEGER PRIMARY KEY)")) &&
        InsertScheduleRows(builder, QStringLiteral("temp.ScheduleTemplate"), stepRows) &&
        ExecutePerRow(builder,
                      QStringLiteral("INSERT INTO OperationSchedule (StepID, OperationID, StartTime, EndTime, "
                                     "Duration, EquipmentID, BatchNumber) SELECT StepID, OperationID, StartTime + ?, "
                                     "EndTime + ?, Duration, EquipmentID, ? FROM temp.ScheduleTemplate "
                                     "WHERE StepID = ? ORDER BY RowKey"),
                      batches, [](const ResultsBatchShift& batch) {
                          return QVariantList{batch.offset, batch.offset, qlonglong(batch.batchNumber),
                                              qlonglong(batch.stepID)};
                      });
    // A failed copy has already closed the builder with the engine's text: nothing more runs.
    return copied && builder.Execute(QStringLiteral("DROP TABLE IF EXISTS temp.ScheduleTemplate")) &&
           DeriveEquipmentUsed(builder);
}

bool WriteBatchRemarks(CSchemaBuilder& builder, const QList<ResultsRemark>& stepRemarks,
                       const QList<ResultsBatchShift>& batches)
{
    const bool copied =
        builder.Execute(
            QStringLiteral("CREATE TEMP TABLE RemarkTemplate (StepID INTEGER, OperationID INTEGER, "
                           "MessageID INTEGER, RemarkText TEXT, RowKey INTEGER PRIMARY KEY)")) &&
        ExecutePerRow(
            builder,
            QStringLiteral("INSERT INTO temp.RemarkTemplate (StepID, OperationID, MessageID, RemarkText) "
                           "VALUES (?, ?, ?, ?)"),
            stepRemarks,
            [](const ResultsRemark& remark) {
                return QVariantList{qlonglong(remark.stepID), qlonglong(remark.operationID),
                                    qlonglong(remark.messageID), remark.text};
            }) &&
        ExecutePerRow(
            builder,
            QStringLiteral("INSERT INTO SimulationRemark (StepID, OperationID, MessageID, Type, RemarkText, "
                           "BatchNumber) SELECT t.StepID, t.OperationID, m.MessageID, m.Type, "
                           "COALESCE(NULLIF(t.RemarkText, ''), m.MessageText), "
                           "? FROM temp.RemarkTemplate t JOIN RemarkMessage m ON m.MessageID = t.MessageID "
                           "WHERE t.StepID = ? ORDER BY t.RowKey"),
            batches, [](const ResultsBatchShift& batch) {
                return QVariantList{qlonglong(batch.batchNumber), qlonglong(batch.stepID)};
            });
    return copied && builder.Execute(QStringLiteral("DROP TABLE IF EXISTS temp.RemarkTemplate"));
}

bool WriteVesselHolds(CSchemaBuilder& builder, const QList<ResultsVesselHold>& holds)
{
    return ExecutePerRow(
        builder,
        QStringLiteral("INSERT INTO VesselHold (StepID, OperationID, UnitProcedureID, "
                       "EquipmentID, StartTime, EndTime, BatchNumber) VALUES (?, ?, ?, ?, ?, ?, ?)"),
        holds, [](const ResultsVesselHold& hold) {
            return QVariantList{qlonglong(hold.stepID),
                                qlonglong(hold.operationID),
                                qlonglong(hold.unitProcedureID),
                                qlonglong(hold.equipmentID),
                                hold.start,
                                hold.end,
                                qlonglong(hold.batchNumber)};
        });
}

bool WriteMessageRemarks(CSchemaBuilder& builder, const QList<ResultsRemark>& remarks)
{
    return ExecutePerRow(
        builder,
        QStringLiteral("INSERT INTO SimulationRemark (StepID, OperationID, MessageID, Type, "
                       "RemarkText, BatchNumber) SELECT ?, ?, MessageID, Type, "
                       "COALESCE(NULLIF(?, ''), MessageText), ? FROM RemarkMessage WHERE MessageID = ?"),
        remarks, [](const ResultsRemark& remark) {
            return QVariantList{qlonglong(remark.stepID), qlonglong(remark.operationID), remark.text,
                                qlonglong(remark.batchNumber), qlonglong(remark.messageID)};
        });
}

namespace {

bool FillTemporary(CSchemaBuilder& builder, const QString& temporary, const ResultsFill& fill, QString* error)
{
    bool filled = false;
    try {
        filled = builder.Create(temporary) && fill(builder) && builder.Finish();
    } catch (...) {
        filled = false;
    }
    if (!filled) {
        if (error)
            *error = builder.ErrorText().isEmpty() ? QStringLiteral("The results were not written")
                                                   : builder.ErrorText();
        builder.Abandon();
        QFile::remove(temporary);
    }
    return filled;
}

} // namespace

// The database library creates its file by name: it is made in a staging folder of our own, so that
// nothing standing at the target's name (a link among them) is ever opened, then renamed over it.
bool WriteResultsAtomically(const QString& target, const ResultsFill& fill, QString* error)
{
    const CStagingFolder staging(target);
    if (!staging.isValid()) {
        if (error)
            *error = staging.error();
        return false;
    }
    const QString name = QFileInfo(target).fileName();
    CSchemaBuilder builder(DatabaseKind::Results);
    builder.SetFlushedByCaller(); // flushed by the move, before the rename
    return FillTemporary(builder, staging.filePath(name), fill, error) &&
           staging.MoveIntoPlace(name, target, error);
}
