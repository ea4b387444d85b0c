#pragma once
// A connection that can only read: the results database and the project working copy are
// attached read-only as `results` and `project` (never created), trusted_schema and extension
// loading are off, and an authorizer lets a statement read tables and call functions only.
// A statement stops when Interrupt() is called (from any thread: the user's Cancel while the
// statements run on a worker thread), when the stop check says so, and when its rows pass the row
// or memory limit; instr() and replace() look at both inside a call as well.

#include "modules/customreport/ReportFormatFunctions.h"
#include "modules/customreport/ReportSearchFunctions.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

struct sqlite3;
struct sqlite3_stmt;

struct ReportLimits {
    qsizetype rows = 1048575; // a sheet's rows below its heading
    qsizetype bytes = qsizetype(256) << 20;
};

struct ReportTable {
    QStringList columns;
    QList<QVariantList> rows;
};

class ReportQueryConnection {
public:
    ReportQueryConnection() = default;
    ~ReportQueryConnection();
    ReportQueryConnection(const ReportQueryConnection&) = delete;
    ReportQueryConnection& operator=(const ReportQueryConnection&) = delete;

    // Throws CustomReportError when either file is missing or cannot be read.
    void Open(const QString& resultsDatabase, const QString& workingCopy);
    // Asked every so many engine steps on the thread running a statement; true stops it
    // (CustomReportError, cancelled).
    void SetStopCheck(std::function<bool()> stop) { m_stop = std::move(stop); }
    // Stops the running statement at its next row and every later one (CustomReportError,
    // cancelled). Safe from any thread while another runs Open or Select; a statement started just
    // as it is called may run on, so a caller waiting for the end calls it again now and then.
    void Interrupt();
    void SetLimits(const ReportLimits& limits) { m_limits = limits; }
    // Runs exactly one reading statement; throws CustomReportError otherwise.
    ReportTable Select(const QString& select);

private:
    void Attach(const QString& path, const char* schema);
    void AppendRow(ReportTable& table, sqlite3_stmt* statement, qsizetype& bytes) const;
    [[noreturn]] void Fail(const QString& what) const;
    static int CheckStop(void* connection);

    std::mutex m_engineLock; // held where m_db is set or closed, and to interrupt it
    sqlite3* m_db = nullptr;   // closed before m_formats, whose functions it calls
    std::unique_ptr<ReportFormatFunctions> m_formats;
    const ReportSearchStop m_searchStop{&ReportQueryConnection::CheckStop, this};
    std::function<bool()> m_stop;
    ReportLimits m_limits;
    bool m_stopped = false;
    std::atomic<bool> m_interrupted = false;
};
