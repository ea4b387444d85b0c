#include "shell/ReportCommands.h"

#include "foundation/common/CommandIds.h"
#include "foundation/common/concerns/ProjectControl.h"
#include "results/DataReportCommands.h"
#include "results/HtmlViewsView.h"
#include "results/QVCustomReportHelper.h"
#include "results/RunReport.h"
#include "results/ScheduleWindow.h"
#include "shell/MainFrame.h"
#include "shell/QuorvantaApp.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace {
CustomReportContext customReportContextOf(const ContextRecord& c)
{
    CustomReportContext context;
    context.processExplorerActive = c.kind == CONTEXT_PROCESS_EXPLORER;
    context.selectedProcessID = c.processNodeSelected ? c.processID : -1;
    context.selectedStepID = c.stepID;
    context.currentPlanID = c.planID;
    context.currentStepID = c.stepID;
    return context;
}

void installCustomReports(CQuorvantaApp& app, CMainFrame& frame)
{
    auto helper = std::make_shared<CQVCustomReportHelper>(); // one for the frame's life
    frame.SetCommandHandler(ID_REPORT_CUSTOM, [&app, &frame, helper] {
        const CustomReportScope scope = ChooseCustomReportScope(customReportContextOf(frame.CurrentContext()));
        const QString definition = RunCustomReportCommand(*helper, scope);
        if (!definition.isEmpty())
            app.AddToRecentCustomReports(definition);
    });
    frame.SetRecentCustomReports([&app] { return app.recentCustomReportSlots(); },
                                 [&app, &frame, helper](const QString& definition) {
                                     if (!IsProjectOpen())
                                         return;
                                     const CustomReportContext context = customReportContextOf(frame.CurrentContext());
                                     const CustomReportScope scope = ChooseCustomReportScope(context);
                                     helper->RunCustomReport(scope.id, scope.kind, definition);
                                     app.AddToRecentCustomReports(definition);
                                 });
}

// An active HTML view sets context kind 4 and shows its menu entries and toolbar; an active
// schedule window sets kind 3 with its step, process or plan.
void followHtmlViews(CMainFrame& frame)
{
    auto* area = frame.findChild<QMdiArea*>();
    if (!area)
        return;
    QObject::connect(area, &QMdiArea::subWindowActivated, &frame, [&frame](QMdiSubWindow* sub) {
        const bool html = sub && qobject_cast<CHtmlViewsView*>(sub->widget());
        frame.ShowHtmlViewCommands(html);
        if (auto* schedule = sub ? qobject_cast<CScheduleWindow*>(sub->widget()) : nullptr)
            schedule->ReportActive();
        if (!html)
            return;
        ContextRecord context;
        context.kind = CONTEXT_HTML_VIEW;
        frame.ReportActive(nullptr, context);
    });
}
} // namespace

void InstallReportCommands(CQuorvantaApp& app, CMainFrame& frame)
{
    frame.SetCommandHandler(ID_REPORT_MATERIAL_DATA, [] { RunMaterialDataReport(); });
    frame.SetCommandHandler(ID_REPORT_UTILITY_DATA, [] { RunUtilityDataReport(); });
    frame.SetCommandHandler(ID_REPORT_STEP_EQUIPMENT, [] { RunStepEquipmentReport(); });
    frame.SetCommandHandler(ID_REPORT_CASE_COMPARE, [&frame] {
        const ContextRecord& c = frame.CurrentContext();
        RunCaseCompare(c.stepID, c.stepLabel);
    });
    frame.SetCommandHandler(ID_VIEW_RUN_REPORT,
                            [&frame] { OpenScheduleWindow(&frame, ChooseRunReportTarget(frame.CurrentContext())); });
    frame.SetCommandHandler(ID_VIEW_SCHEDULE,
                            [&frame] { OpenScheduleWindow(&frame, ChooseScheduleTarget(frame.CurrentContext())); });
    frame.SetCommandHandler(ID_HELP_HOME_PAGE, [&frame] { OpenHomePage(&frame, frame.IsProjectOpen()); });
    installCustomReports(app, frame);
    followHtmlViews(frame);
}
