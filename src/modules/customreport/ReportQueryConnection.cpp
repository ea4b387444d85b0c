#include "modules/customreport/ReportQueryConnection.h"

#include "modules/customreport/ICustomReportComponent.h"
#include "modules/customreport/ReportFormatFunctions.h"

#include <QFileInfo>
#include <QUrl>
#include <memory>
#include <sqlite3.h>

namespace {
// Reading only: no write, no schema change, no pragma, no attach, no transaction.
int ReportReadAuthorizer(void*, int action, const char* first, const char*, const char*, const char*)
{
    switch (action) {
    case SQLITE_SELECT:
    case SQLITE_READ:
    case SQLITE_RECURSIVE:
        return SQLITE_OK;
    case SQLITE_FUNCTION:
        return first && sqlite3_stricmp(first, "load_extension") == 0 ? SQLITE_DENY : SQLITE_OK;
    default:
        return SQLITE_DENY;
    }
}

QVariant ReportColumnValue(sqlite3_stmt* statement, int column)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(statement, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(statement, column));
    case SQLITE_NULL:
        return QVariant();
    default:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                                          sqlite3_column_bytes(statement, column)));
    }
}

// What a value holds on to in the rows kept for the sheet.
qsizetype ValueBytes(const QVariant& value)
{
    return qsizetype(sizeof(QVariant)) +
           (value.typeId() == QMetaType::QString ? value.toString().size() * 2 : 0);
}

// Virtual-machine steps between two stop checks.
constexpr int STEPS_BETWEEN_CHECKS = 20000;

// The longest text or blob a statement may build: one value is made whole before the stop check
// can run, so a value that no sheet cell could show would hold the report for seconds and gigabytes.
constexpr int LONGEST_VALUE_BYTES = 16 << 20;

CustomReportError ReportCancelledError()
{
    return {QStringLiteral("The report was cancelled."), true};
}

QString ReadOnlyUri(const QString& path)
{
    return QString::fromUtf8(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toEncoded()) +
           QStringLiteral("?mode=ro");
}
} // namespace

ReportQueryConnection::~ReportQueryConnection()
{
    const std::lock_guard lock(m_engineLock);
    sqlite3_close_v2(m_db);
    m_db = nullptr;
}

void ReportQueryConnection::Open(const QString& resultsDatabase, const QString& workingCopy)
{
    bool opened = false;
    {
        const std::lock_guard lock(m_engineLock);
        opened = sqlite3_open_v2(":memory:", &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_URI, nullptr) == SQLITE_OK;
    }
    if (!opened)
        Fail(QStringLiteral("The report connection cannot be opened"));
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_limit(m_db, SQLITE_LIMIT_LENGTH, LONGEST_VALUE_BYTES);
    sqlite3* formatting = nullptr; // a file-less connection for the engine's own printf()
    const bool formats = sqlite3_open_v2(":memory:", &formatting, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK;
    m_formats = std::make_unique<ReportFormatFunctions>(formatting, LONGEST_VALUE_BYTES);
    if (!formats || !m_formats->InstallOn(m_db) || !InstallReportSearchFunctions(m_db, &m_searchStop))
        Fail(QStringLiteral("The report connection cannot be opened"));
    Attach(resultsDatabase, "results");
    Attach(workingCopy, "project");
    sqlite3_set_authorizer(m_db, ReportReadAuthorizer, nullptr);
    sqlite3_progress_handler(m_db, STEPS_BETWEEN_CHECKS, &ReportQueryConnection::CheckStop, this);
}

int ReportQueryConnection::CheckStop(void* connection)
{
    auto* self = static_cast<ReportQueryConnection*>(connection);
    self->m_stopped = self->m_stopped || self->m_interrupted || (self->m_stop && self->m_stop());
    return self->m_stopped ? 1 : 0;
}

void ReportQueryConnection::Interrupt()
{
    m_interrupted = true;
    const std::lock_guard lock(m_engineLock);
    if (m_db)
        sqlite3_interrupt(m_db);
}

void ReportQueryConnection::Attach(const QString& path, const char* schema)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        throw CustomReportError{QStringLiteral("The file %1 does not exist.").arg(path)};
    sqlite3_stmt* attach = nullptr;
    const QByteArray sql = QByteArray("ATTACH DATABASE ?1 AS ") + schema;
    if (sqlite3_prepare_v2(m_db, sql.constData(), -1, &attach, nullptr) != SQLITE_OK)
        Fail(QStringLiteral("The file %1 cannot be opened").arg(path));
    const QByteArray uri = ReadOnlyUri(path).toUtf8();
    sqlite3_bind_text(attach, 1, uri.constData(), int(uri.size()), SQLITE_TRANSIENT);
    const int stepped = sqlite3_step(attach);
    sqlite3_finalize(attach);
    if (stepped != SQLITE_DONE)
        Fail(QStringLiteral("The file %1 cannot be opened").arg(path));
}

ReportTable ReportQueryConnection::Select(const QString& select)
{
    if (m_interrupted)
        throw ReportCancelledError();
    const QByteArray sql = select.toUtf8();
    sqlite3_stmt* statement = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.constData(), int(sql.size()), &statement, &tail) != SQLITE_OK)
        Fail(QStringLiteral("The statement cannot be run"));
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> owned(statement, sqlite3_finalize);
    if (!statement || !sqlite3_stmt_readonly(statement) || !QByteArray(tail).trimmed().isEmpty())
        throw CustomReportError{QStringLiteral("Each sheet needs exactly one SELECT statement.")};
    ReportTable table;
    for (int column = 0; column < sqlite3_column_count(statement); ++column)
        table.columns << QString::fromUtf8(sqlite3_column_name(statement, column));
    int stepped;
    qsizetype bytes = 0;
    while ((stepped = sqlite3_step(statement)) == SQLITE_ROW)
        AppendRow(table, statement, bytes);
    if (m_stopped || m_interrupted)
        throw ReportCancelledError();
    if (stepped != SQLITE_DONE)
        Fail(QStringLiteral("The statement failed"));
    return table;
}

void ReportQueryConnection::AppendRow(ReportTable& table, sqlite3_stmt* statement, qsizetype& bytes) const
{
    if (table.rows.size() == m_limits.rows)
        throw CustomReportError{
            QStringLiteral("The query returns more than %1 rows, more than a sheet holds; the report stops.")
                .arg(m_limits.rows)};
    QVariantList row;
    for (int column = 0; column < table.columns.size(); ++column) {
        row << ReportColumnValue(statement, column);
        bytes += ValueBytes(row.constLast());
    }
    if (bytes > m_limits.bytes)
        throw CustomReportError{QStringLiteral("The query's rows take more than %1 MB; the report stops.")
                                    .arg(m_limits.bytes >> 20)};
    table.rows << row;
}

void ReportQueryConnection::Fail(const QString& what) const
{
    if (m_interrupted) // the engine's failure is the interruption's
        throw ReportCancelledError();
    throw CustomReportError{QStringLiteral("%1: %2").arg(what, QString::fromUtf8(sqlite3_errmsg(m_db)))};
}
