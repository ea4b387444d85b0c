#include "modules/customreport/SqlCustomReportComponent.h"

#include "foundation/common/AutomationFlag.h"
#include "foundation/common/CancellableProgress.h"
#include "foundation/common/DesktopOpener.h"
#include "foundation/common/FileDialogService.h"
#include "modules/customreport/CustomReportDefinition.h"
#include "modules/customreport/ReportQueryConnection.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QWidget>

#include <chrono>
#include <future>

namespace {
// How long the progress window waits for the report's thread between two looks at Cancel.
constexpr std::chrono::milliseconds REPORT_CANCEL_POLL{20};

// The report's own work, on its thread: the connection is opened there and serves every sheet.
QList<CustomReportTableSheet> RunCustomReportStatements(ReportQueryConnection& connection,
                                                        const CustomReportDefinition& definition,
                                                        const QString& resultsDatabase,
                                                        const QString& workingCopy)
{
    connection.Open(resultsDatabase, workingCopy);
    QList<CustomReportTableSheet> sheets;
    for (const CustomReportSheet& sheet : definition.sheets) {
        try {
            sheets.append({sheet.name, connection.Select(sheet.select)});
        } catch (const CustomReportError& error) {
            throw CustomReportError{QStringLiteral("[%1] %2").arg(sheet.name, error.description),
                                    error.cancelled};
        }
    }
    return sheets;
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
    // window from taking the user's Cancel; Cancel interrupts the statement running.
    ReportQueryConnection connection;
    std::future<QList<CustomReportTableSheet>> reading = std::async(std::launch::async, [&] {
        return RunCustomReportStatements(connection, definition, resultsDatabase, workingCopy);
    });
    bool cancelled = false;
    while (reading.wait_for(REPORT_CANCEL_POLL) != std::future_status::ready) {
        cancelled = cancelled || progress.Cancelled();
        if (cancelled) // again at each look: a statement may have started just after the last
            connection.Interrupt();
    }
    return reading.get();
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
