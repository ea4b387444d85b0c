#include "modules/customreport/SqlCustomReportComponent.h"

#include "foundation/common/AutomationFlag.h"
#include "foundation/common/CancellableProgress.h"
#include "foundation/common/DesktopOpener.h"
#include "foundation/common/FileDialogService.h"
#include "modules/customreport/CustomReportDefinition.h"
#include "modules/customreport/ReportQueryConnection.h"
#include "modules/customreport/ReportThreads.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QWidget>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <optional>

namespace {
// How long the progress window waits for the report's thread between two looks at Cancel.
constexpr std::chrono::milliseconds REPORT_CANCEL_POLL{20};
// How long after the user's Cancel the window waits for the statement to stop before it leaves it.
constexpr std::chrono::milliseconds REPORT_CANCEL_GRACE{1000};

using ReportSheets = QList<CustomReportTableSheet>;

// One reading of a report's statements, shared with the thread that runs them: that thread may
// outlive the window's wait.
struct ReportReading {
    ReportQueryConnection connection;
    std::promise<ReportSheets> sheets;
    std::atomic<qsizetype> sheet = 0; // the one whose statement runs
};

// The report's own work, on its thread: the connection is opened there and serves every sheet.
ReportSheets RunCustomReportStatements(ReportReading& reading, const CustomReportDefinition& definition,
                                       const QString& resultsDatabase, const QString& workingCopy)
{
    reading.connection.Open(resultsDatabase, workingCopy);
    ReportSheets sheets;
    for (const CustomReportSheet& sheet : definition.sheets) {
        reading.sheet = sheets.size();
        try {
            sheets.append({sheet.name, reading.connection.Select(sheet.select)});
        } catch (const CustomReportError& error) {
            throw CustomReportError{QStringLiteral("[%1] %2").arg(sheet.name, error.description),
                                    error.cancelled};
        }
    }
    return sheets;
}

std::future<ReportSheets> StartReading(const std::shared_ptr<ReportReading>& reading,
                                       const CustomReportDefinition& definition, const QString& resultsDatabase,
                                       const QString& workingCopy)
{
    std::future<ReportSheets> sheets = reading->sheets.get_future();
    StartReportThread([reading, definition, resultsDatabase, workingCopy] {
        try {
            reading->sheets.set_value(RunCustomReportStatements(*reading, definition, resultsDatabase, workingCopy));
        } catch (...) {
            reading->sheets.set_exception(std::current_exception());
        }
    });
    return sheets;
}

// The sheets once read. After the user's Cancel the statement is interrupted, and one that has not
// stopped within the grace is left to end on its own.
ReportSheets AwaitSheets(std::future<ReportSheets>& sheets, ReportReading& reading,
                         const CustomReportDefinition& definition, CancellableProgressScope& progress)
{
    std::optional<std::chrono::steady_clock::time_point> cancelledAt;
    while (sheets.wait_for(REPORT_CANCEL_POLL) != std::future_status::ready) {
        if (!cancelledAt && progress.Cancelled())
            cancelledAt = std::chrono::steady_clock::now();
        if (!cancelledAt)
            continue;
        // Again at each look: a statement may have started just after the last.
        reading.connection.Interrupt();
        if (std::chrono::steady_clock::now() - *cancelledAt >= REPORT_CANCEL_GRACE)
            throw CustomReportError{QStringLiteral("[%1] The report was cancelled.")
                                        .arg(definition.sheets.value(reading.sheet).name),
                                    true};
    }
    return sheets.get();
}

bool ReportWindowShows()
{
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && !window->isMinimized())
            return true;
    }
    return false;
}
} // namespace

void SqlCustomReportComponent::RunReport(const QString& workingCopy, const QString& resultsDatabase,
                                         const QString& reportFile)
{
    m_written.clear();
    if (m_spreadsheet != QLatin1String("Excel") || m_database != QLatin1String("Access"))
        throw CustomReportError{QStringLiteral("The spreadsheet and database applications were not set.")};
    const QList<CustomReportTableSheet> sheets = ReadSheets(workingCopy, resultsDatabase, reportFile);
    const QString path = ChooseWorkbookPath(resultsDatabase, reportFile);
    if (path.isEmpty())
        return;
    const QString problem = WriteCustomReportWorkbook(path, sheets);
    if (!problem.isEmpty())
        throw CustomReportError{problem};
    m_written = path;
    if (ReportWindowShows())
        OpenOnDesktop(path);
}

QList<CustomReportTableSheet> SqlCustomReportComponent::ReadSheets(const QString& workingCopy, const QString& resultsDatabase,
                                                        const QString& reportFile) const
{
    const CustomReportDefinition definition = ReadCustomReportDefinition(reportFile);
    if (!definition.errorText.isEmpty())
        throw CustomReportError{definition.errorText};
    CancellableProgressScope progress(
        QStringLiteral("Running the custom report %1...").arg(QFileInfo(reportFile).completeBaseName()));
    // The statements run on a thread of their own, so that a row however costly never keeps the
    // window from taking the user's Cancel.
    const auto reading = std::make_shared<ReportReading>();
    std::future<ReportSheets> sheets = StartReading(reading, definition, resultsDatabase, workingCopy);
    return AwaitSheets(sheets, *reading, definition, progress);
}

QString SqlCustomReportComponent::ChooseWorkbookPath(const QString& resultsDatabase, const QString& reportFile)
{
    const QFileInfo results(resultsDatabase);
    const QString name = QStringLiteral("%1 - %2.xlsx").arg(QFileInfo(reportFile).completeBaseName(),
                                                            results.completeBaseName());
    const QString suggested = results.dir().filePath(name);
    if (g_bAutomationActive)
        return suggested;
    FileDialogRequest request;
    request.kind = FileDialogRequest::Save;
    request.title = QStringLiteral("Custom Report");
    request.initialPath = suggested;
    request.filter = QStringLiteral("Excel Workbook (*.xlsx)|*.xlsx||");
    request.defaultExtension = QStringLiteral("xlsx");
    return ChooseFile(request);
}

std::unique_ptr<ICustomReportComponent> SqlCustomReportComponentFactory::CreateComponent()
{
    return std::make_unique<SqlCustomReportComponent>();
}
