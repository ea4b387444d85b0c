#include "results/RunReport.h"

#include "foundation/common/AppContext.h"
#include "foundation/common/DocumentHost.h"
#include "foundation/common/MessageBox.h"
#include "foundation/db/ResultsDatabase.h"
#include "results/RunReportWindow.h"

namespace {
QString RunReportFileName(const RunReportTarget& target)
{
    return target.plan ? PlanResultsFileName(target.id) : StepResultsFileName(target.id);
}

// The schedule window already showing that file, found among the Gantt kind's windows.
HostedDocument FindRunReportWindow(const DocumentHost& host, const QString& fileName)
{
    for (const HostedDocument& document : host.ListDocuments(DocumentKind::Gantt)) {
        auto* window = dynamic_cast<ResultWindowDocument*>(document.window);
        if (window && window->ResultsFileName().compare(fileName, Qt::CaseInsensitive) == 0)
            return document;
    }
    return {};
}
} // namespace

RunReportTarget ChooseRunReportTarget(long stepID, const QString& stepName, long planID, const QString& planName)
{
    if (stepID >= 0)
        return {false, stepID, stepName};
    return {true, planID, planName};
}

CRunReportWindow* OpenRunReport(DocumentHost* host, const RunReportTarget& target, QString* failure)
{
    if (!host || target.id < 0) {
        if (failure)
            *failure = QStringLiteral("There are no results for %1.").arg(target.name);
        return nullptr;
    }
    const QString fileName = RunReportFileName(target);
    const HostedDocument open = FindRunReportWindow(*host, fileName);
    if (open.window) {
        host->ActivateDocument(DocumentKind::Gantt, open.id);
        return dynamic_cast<CRunReportWindow*>(open.window);
    }
    auto window = std::make_unique<CRunReportWindow>(fileName);
    window->Initialize(GetProjectDir(), fileName, GetInstallDir());
    if (window->RowCount() == 0) {
        const QString text = QStringLiteral("There are no results for %1.").arg(target.name);
        if (failure)
            *failure = text;
        else
            QvMessageBox(text, MB_OK | MB_ICONINFORMATION);
        return nullptr;
    }
    const QString title = window->TitlePrefix() + (target.plan ? QStringLiteral("Plan - ") : QString()) + target.name;
    window->SetTitles(title, title.section(QLatin1Char(':'), 0, 0));
    host->AddDocTab(window.get(), DocumentKind::Gantt, target.id, title);
    return window.release();
}
