#include "foundation/db/ResultsDatabase.h"

#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DaoException.h"
#include "foundation/db/DatabaseFiles.h"
#include "foundation/db/DatabaseHeader.h"
#include "foundation/db/SchemaBuilder.h"
#include "foundation/db/StatementCache.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
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

CResultsDatabase::CResultsDatabase() = default;
CResultsDatabase::~CResultsDatabase() = default;

bool CResultsDatabase::Open(const QString& path)
{
    Close();
    const std::optional<DatabaseHeader> header = ReadStandaloneHeader(path);
    if (!header || header->applicationID != ApplicationID(DatabaseKind::Results))
        return false;
    auto database = std::make_unique<CDaoDatabase>();
    try {
        database->Open(path, DatabaseRole::ReadOnly);
    } catch (const CDaoException&) {
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

QString CResultsDatabase::Version()
{
    QSqlQuery query = m_database->Query(QStringLiteral("SELECT VersionNumber FROM ResultsInfo ORDER BY RowKey LIMIT 1"));
    return query.next() ? query.value(0).toString() : QString();
}

ResultsRunSummary CResultsDatabase::Summary()
{
    QSqlQuery query = m_database->Query(QStringLiteral(
        "SELECT BatchSize, KeyInputBatchSize, CycleTime, MaxBatchSize, MinBatchSize FROM RunSummary "
        "ORDER BY RowKey LIMIT 1"));
    ResultsRunSummary summary;
    if (query.next())
        summary = {query.value(0).toDouble(), query.value(1).toDouble(), query.value(2).toDouble(),
                   query.value(3).toDouble(), query.value(4).toDouble()};
    return summary;
}

QList<ResultsScheduleRow> CResultsDatabase::Schedule(long stepID)
{
    QSqlQuery query = m_database->Query(
        QStringLiteral("SELECT StepID, OperationID, StartTime, EndTime, Duration, EquipmentID FROM "
                       "OperationSchedule WHERE StepID = ? ORDER BY StartTime, RowKey"),
        {qlonglong(stepID)});
    QList<ResultsScheduleRow> rows;
    while (query.next())
        rows.append({long(query.value(0).toLongLong()), long(query.value(1).toLongLong()),
                     query.value(2).toDouble(), query.value(3).toDouble(), query.value(4).toDouble(),
                     long(query.value(5).toLongLong())});
    return rows;
}

QList<ResultsScheduleRow> CResultsDatabase::PlanSchedule()
{
    QSqlQuery query = m_database->Query(
        QStringLiteral("SELECT StepID, OperationID, StartTime, EndTime, Duration, EquipmentID, BatchNumber FROM "
                       "OperationSchedule ORDER BY BatchNumber, StartTime, RowKey"));
    QList<ResultsScheduleRow> rows;
    while (query.next())
        rows.append({long(query.value(0).toLongLong()), long(query.value(1).toLongLong()),
                     query.value(2).toDouble(), query.value(3).toDouble(), query.value(4).toDouble(),
                     long(query.value(5).toLongLong()), long(query.value(6).toLongLong())});
    return rows;
}

QList<ResultsRemark> CResultsDatabase::AllRemarks()
{
    QSqlQuery query = m_database->Query(
        QStringLiteral("SELECT StepID, OperationID, MessageID, Type, RemarkText, BatchNumber FROM SimulationRemark "
                       "ORDER BY RowKey"));
    QList<ResultsRemark> remarks;
    while (query.next())
        remarks.append({long(query.value(0).toLongLong()), long(query.value(1).toLongLong()),
                        long(query.value(2).toLongLong()), query.value(3).toString(), query.value(4).toString(),
                        long(query.value(5).toLongLong())});
    return remarks;
}

// The remarks a query of (StepID, OperationID, MessageID, Type, RemarkText) delivers.
static QList<ResultsRemark> ReadResultsRemarkRows(QSqlQuery& query)
{
    QList<ResultsRemark> remarks;
    while (query.next())
        remarks.append({long(query.value(0).toLongLong()), long(query.value(1).toLongLong()),
                        long(query.value(2).toLongLong()), query.value(3).toString(),
                        query.value(4).toString()});
    return remarks;
}

QList<ResultsRemark> CResultsDatabase::Remarks(long stepID, long operationID)
{
    QSqlQuery query = m_database->Query(
        QStringLiteral("SELECT StepID, OperationID, MessageID, Type, RemarkText FROM SimulationRemark "
                       "WHERE StepID = ? AND OperationID = ? ORDER BY RowKey"),
        {qlonglong(stepID), qlonglong(operationID)});
    return ReadResultsRemarkRows(query);
}

QList<ResultsRemark> CResultsDatabase::StepRemarks(long stepID)
{
    QSqlQuery query = m_database->Query(
        QStringLiteral("SELECT StepID, OperationID, MessageID, Type, RemarkText FROM SimulationRemark "
                       "WHERE StepID = ? ORDER BY RowKey"),
        {qlonglong(stepID)});
    return ReadResultsRemarkRows(query);
}

QList<long> CResultsDatabase::EquipmentUsed(long stepID)
{
    QSqlQuery query = m_database->Query(
        QStringLiteral("SELECT EquipmentID FROM EquipmentUsed WHERE StepID = ? ORDER BY EquipmentID"),
        {qlonglong(stepID)});
    QList<long> equipment;
    while (query.next())
        equipment.append(long(query.value(0).toLongLong()));
    return equipment;
}

RemarkSeverity CResultsDatabase::WorstSeverity(long stepID, long operationID)
{
    QSqlQuery query = m_database->Query(
        QStringLiteral("SELECT MAX(CASE Type WHEN 'Error' THEN 2 WHEN 'Warning' THEN 1 ELSE 0 END) "
                       "FROM SimulationRemark WHERE StepID = ? AND OperationID = ?"),
        {qlonglong(stepID), qlonglong(operationID)});
    const int worst = query.next() ? query.value(0).toInt() : 0;
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
            builder.Execute(sql, values); // fails again and keeps the engine's text as the error
            return false;
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

bool InsertScheduleRows(CSchemaBuilder& builder, const QString& table, const QList<ResultsScheduleRow>& rows)
{
    return ExecutePerRow(builder,
                         QStringLiteral("INSERT INTO %1 (StepID, OperationID, StartTime, EndTime, Duration, "
                                        "EquipmentID, BatchNumber) VALUES (?, ?, ?, ?, ?, ?, ?)")
                             .arg(table),
                         rows, [](const ResultsScheduleRow& row) {
                             return QVariantList{qlonglong(row.stepID), qlonglong(row.operationID), row.start,
                                                 row.end,           row.duration, qlonglong(row.equipmentID),
                                                 qlonglong(row.batchNumber)};
                         });
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
    return builder.Execute(QStringLiteral("DROP TABLE IF EXISTS temp.ScheduleTemplate")) && copied &&
           DeriveEquipmentUsed(builder);
}

bool WriteBatchRemarks(CSchemaBuilder& builder, const QList<ResultsRemark>& stepRemarks,
                       const QList<ResultsBatchShift>& batches)
{
    const bool copied =
        builder.Execute(QStringLiteral("CREATE TEMP TABLE RemarkTemplate (StepID INTEGER, OperationID INTEGER, "
                                       "MessageID INTEGER, RowKey INTEGER PRIMARY KEY)")) &&
        ExecutePerRow(builder,
                      QStringLiteral("INSERT INTO temp.RemarkTemplate (StepID, OperationID, MessageID) VALUES (?, ?, ?)"),
                      stepRemarks, [](const ResultsRemark& remark) {
                          return QVariantList{qlonglong(remark.stepID), qlonglong(remark.operationID),
                                              qlonglong(remark.messageID)};
                      }) &&
        ExecutePerRow(builder,
                      QStringLiteral("INSERT INTO SimulationRemark (StepID, OperationID, MessageID, Type, RemarkText, "
                                     "BatchNumber) SELECT t.StepID, t.OperationID, m.MessageID, m.Type, m.MessageText, "
                                     "? FROM temp.RemarkTemplate t JOIN RemarkMessage m ON m.MessageID = t.MessageID "
                                     "WHERE t.StepID = ? ORDER BY t.RowKey"),
                      batches, [](const ResultsBatchShift& batch) {
                          return QVariantList{qlonglong(batch.batchNumber), qlonglong(batch.stepID)};
                      });
    return builder.Execute(QStringLiteral("DROP TABLE IF EXISTS temp.RemarkTemplate")) && copied;
}

bool WriteMessageRemarks(CSchemaBuilder& builder, const QList<ResultsRemark>& remarks)
{
    return ExecutePerRow(builder,
                         QStringLiteral("INSERT INTO SimulationRemark (StepID, OperationID, MessageID, Type, "
                                        "RemarkText, BatchNumber) SELECT ?, ?, MessageID, Type, MessageText, ? "
                                        "FROM RemarkMessage WHERE MessageID = ?"),
                         remarks, [](const ResultsRemark& remark) {
                             return QVariantList{qlonglong(remark.stepID), qlonglong(remark.operationID),
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

bool WriteResultsAtomically(const QString& target, const ResultsFill& fill, QString* error)
{
    const QString temporary = target + QStringLiteral(".writing");
    DeleteDatabaseFile(temporary); // left by a crash during an earlier run
    CSchemaBuilder builder(DatabaseKind::Results);
    builder.SetFlushedByCaller(); // flushed below, before the rename
    if (!FillTemporary(builder, temporary, fill, error))
        return false;
    try {
        SyncFile(temporary);
        ReplaceFile(temporary, target);
        SyncFolderOf(target);
    } catch (const CDaoException& failure) {
        if (error)
            *error = failure.GetErrorDescription();
        QFile::remove(temporary);
        return false;
    }
    return true;
}
