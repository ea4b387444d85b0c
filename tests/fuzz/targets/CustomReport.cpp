// A custom report definition: sheets named in brackets, each with one statement, run as a report
// runs them: the results of a short run and the open Demo's project working copy attached
// read-only to the report connection, behind its authorizer, every row read. Each statement runs
// under the target's own time limit (a progress handler on the report's in-memory connection) and a
// 16 MB limit on a value; neither file is ever changed. One connection serves the inputs one after
// another, as it serves the sheets of a report.

#include "DatabaseMutation.h"
#include "FuzzEnvironment.h"
#include "FuzzTarget.h"
#include "foundation/common/concerns/AppContext.h"
#include "modules/customreport/CustomReportDefinition.h"
#include "modules/customreport/ICustomReportComponent.h"
#include "modules/customreport/ReportQueryConnection.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <memory>

#include <sqlite3.h>

namespace {

// A statement without end has reached its row reading and its stop long before this; the inputs
// that run into it are common, so it sets the pace of a campaign.
constexpr qint64 STATEMENT_LIMIT_MS = 50;

bool g_limiting = false; // while a report connection is opened
QElapsedTimer g_statementClock;

int StopWhenLate(void*)
{
    return g_statementClock.hasExpired(STATEMENT_LIMIT_MS) ? 1 : 0;
}

// Run by SQLite for every connection it opens: only the report's (in memory) is limited.
int LimitReportConnection(sqlite3* db, const char**, const struct sqlite3_api_routines*)
{
    const char* file = sqlite3_db_filename(db, "main");
    if (g_limiting && (!file || !*file)) {
        sqlite3_progress_handler(db, 1000, StopWhenLate, nullptr);
        sqlite3_limit(db, SQLITE_LIMIT_LENGTH, 16 << 20);
    }
    return SQLITE_OK;
}

void InstallLimits()
{
    static const bool installed = [] {
        using Entry = int (*)(sqlite3*, const char**, const struct sqlite3_api_routines*);
        const Entry entry = LimitReportConnection;
        return sqlite3_auto_extension(reinterpret_cast<void (*)()>(entry)) == SQLITE_OK;
    }();
    if (!installed)
        FuzzFailure("cannot limit the report connection");
}

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The working copy stays open in the program: its size and time, with its log's, tell a change.
QString Stamp(const QString& path)
{
    QString stamp;
    for (const QString& file : {path, path + "-wal", path + "-journal"}) {
        const QFileInfo info(file);
        stamp += QString("%1:%2;").arg(info.size()).arg(info.lastModified().toMSecsSinceEpoch());
    }
    return stamp;
}

// One report connection serves every input, as it serves every sheet of a report; a cancelled
// statement cancels the rest of a report, so the connection is opened again after one.
std::unique_ptr<ReportQueryConnection> g_connection;

ReportQueryConnection& Connection(const QString& results, const QString& workingCopy)
{
    if (g_connection)
        return *g_connection;
    g_connection = std::make_unique<ReportQueryConnection>();
    try {
        g_limiting = true;
        g_connection->Open(results, workingCopy);
        g_limiting = false;
    } catch (const CustomReportError& error) {
        FuzzFailure("the report connection does not open: " + error.description);
    }
    // The connection's own stop check replaces the handler above once it is installed.
    g_connection->SetStopCheck([] { return g_statementClock.hasExpired(STATEMENT_LIMIT_MS); });
    return *g_connection;
}

void Run(const CustomReportDefinition& definition, const QString& results, const QString& workingCopy)
{
    for (const CustomReportSheet& sheet : definition.sheets) {
        g_statementClock.start();
        try {
            Connection(results, workingCopy).Select(sheet.select);
        } catch (const CustomReportError& error) {
            if (error.description.isEmpty())
                FuzzFailure("a statement was refused without a reason");
            if (error.cancelled)
                g_connection.reset();
        }
    }
}

void Entry(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const CustomReportDefinition definition = ParseCustomReportDefinition(bytes);
    if (definition.errorText.isEmpty() && definition.sheets.isEmpty())
        FuzzFailure("a definition without sheets was accepted");
    if (!definition.errorText.isEmpty())
        return;
    InstallLimits();
    OpenedDemoFolder();
    static const QString results = ShortRunResultsFile(), workingCopy = GetProjectDBPath();
    static const QByteArray before = Bytes(results);
    static const QString stamp = Stamp(workingCopy);
    Run(definition, results, workingCopy);
    if (Bytes(results) != before || Stamp(workingCopy) != stamp)
        FuzzFailure("a report changed the files it read");
}

void Seeds(const QString& folder)
{
    WriteSeed(folder, "two-sheets",
              "# Equipment and remarks\n[Equipment]\nSELECT e.EquipmentID, count(*)\n  FROM "
              "results.EquipmentUsed e\n"
              "  GROUP BY e.EquipmentID\n\n[Remarks]\nSELECT Type, RemarkText FROM results.SimulationRemark "
              "ORDER BY 1\n");
    WriteSeed(folder, "project", "[Steps]\nSELECT StepID, StepName FROM project.ProjectStep\n");
    WriteSeed(folder, "joined",
              "[Schedule]\nSELECT s.*, p.* FROM results.OperationSchedule s LEFT JOIN project.ProjectStep p "
              "ON p.StepID = s.StepID WHERE s.StartTime >= 0 ORDER BY s.StartTime\n"
              "[Count]\nWITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 50) "
              "SELECT count(*), max(i), group_concat(i), hex(randomblob(4)) IS NOT NULL FROM n\n");
    WriteSeed(folder, "refused",
              "[Write]\nDELETE FROM results.SimulationRemark\n[Pragma]\nPRAGMA project.user_version\n"
              "[Two]\nSELECT 1; SELECT 2\n[Attach]\nATTACH DATABASE 'x' AS x\n");
}

} // namespace

QV_FUZZ_TARGET(custom_report, Entry, Seeds)
