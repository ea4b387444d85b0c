#include "results/RunReport.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/DocumentHost.h"
#include "modules/qvxl/ReportNames.h"
#include "results/ScheduleWindow.h"

#include <memory>

namespace {
CScheduleWindow* FindScheduleWindow(const DocumentHost& host, const ScheduleTarget& target)
{
    const QString fileName = ScheduleResultsFileName(target.kind, target.id);
    for (const HostedDocument& document : host.ListDocuments(DocumentKind::Gantt)) {
        auto* window = dynamic_cast<CScheduleWindow*>(document.window);
        if (window && document.id == ScheduleKey(target.kind, target.id) &&
            window->ResultsFileName().compare(fileName, Qt::CaseInsensitive) == 0)
            return window;
    }
    return nullptr;
}

// A titled window with the target's results read; null when they schedule nothing.
std::unique_ptr<CScheduleWindow> MakeScheduleWindow(const ScheduleTarget& target)
{
    auto window = std::make_unique<CScheduleWindow>(target.kind, target.id, target.name);
    window->Initialize(GetProjectDir(), window->ResultsFileName(), GetInstallDir());
    if (window->EntryCount() == 0)
        return nullptr;
    const QString title = ScheduleTitle(target);
    window->SetTitles(title, title.section(QLatin1Char(':'), 0, 0));
    return window;
}

CScheduleWindow* NoResults(const ScheduleTarget& target, QString* failure)
{
    const QString text = QStringLiteral("There are no results for %1.").arg(target.name);
    if (failure)
        *failure = text;
    else
        QvMessageBox(text, MB_OK | MB_ICONINFORMATION);
    return nullptr;
}
} // namespace

ScheduleTarget ChooseRunReportTarget(const ContextRecord& c)
{
    if (c.stepID >= 0)
        return {ScheduleKind::Step, c.stepID, c.stepLabel};
    return {ScheduleKind::Plan, c.planID, c.planName};
}

ScheduleTarget ChooseScheduleTarget(const ContextRecord& c)
{
    if (c.processNodeSelected && c.processID >= 0)
        return {ScheduleKind::Process, c.processID, c.processName};
    return ChooseRunReportTarget(c);
}

QString ScheduleTitle(const ScheduleTarget& target)
{
    const char* kind = target.kind == ScheduleKind::Process ? "Process - "
                       : target.kind == ScheduleKind::Plan  ? "Plan - "
                                                            : "";
    return QStringLiteral("Schedule: ") + QLatin1String(kind) + target.name;
}

CScheduleWindow* OpenScheduleWindow(DocumentHost* host, const ScheduleTarget& target, QString* failure)
{
    if (!host || target.id < 0) { // nothing chosen: nothing to tell the user beyond the command's rule
        if (failure)
            *failure = QStringLiteral("There are no results for %1.").arg(target.name);
        return nullptr;
    }
    if (CScheduleWindow* open = FindScheduleWindow(*host, target)) {
        host->ActivateDocument(DocumentKind::Gantt, open->Key());
        return open;
    }
    std::unique_ptr<CScheduleWindow> window = MakeScheduleWindow(target);
    if (!window)
        return NoResults(target, failure);
    const QString title = window->windowTitle();
    host->AddDocTab(window.get(), DocumentKind::Gantt, window->Key(), title);
    return window.release();
}

void SelectScheduledOperation(long stepID, long operationID)
{
    const DocumentHost* host = ServiceSlot<DocumentHost>::Get();
    if (!host)
        return;
    for (const HostedDocument& document : host->ListDocuments(DocumentKind::Gantt)) {
        if (auto* window = dynamic_cast<CScheduleWindow*>(document.window))
            window->SelectOperation(stepID, operationID);
    }
}

ScheduleTarget ScheduleTargetOfKey(long key)
{
    if (key >= 99000)
        return {ScheduleKind::Plan, key - 99000, ReportPlanName(key - 99000)};
    if (key >= 98000)
        return {ScheduleKind::Process, key - 98000, ReportProcessName(key - 98000)};
    return {ScheduleKind::Step, key, ReportStepName(key)};
}

QWidget* CreateScheduleWindowOfKey(long key)
{
    return MakeScheduleWindow(ScheduleTargetOfKey(key)).release();
}
