// The frame's part of scripting: the object tree's members, forwarded to its builder, and the
// services a script asks of the frame (the window, the end of the program, progress, the batch
// run of a step and its recipe scaling).

#include "automation/AutomationModelBuilder.h"
#include "automation/QVProcesses.h"
#include "automation/QVProductionPlans.h"
#include "automation/QuorvantaAut.h"
#include "foundation/common/CommandIds.h"
#include "foundation/common/EscapedErrors.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "modules/qvxl/QVXLEntry.h"
#include "modules/qvxl/ReportDelivery.h"
#include "results/RunReport.h"
#include "shell/MainFrame.h"
#include "simulation/BatchSimulation.h"
#include "simulation/ProcessPlanSimulation.h"
#include "simulation/RecipeScaling.h"

#include <QApplication>
#include <QShowEvent>
#include <QTimer>

namespace {
CAutomationModelBuilder* installedTreeBuilder()
{
    return dynamic_cast<CAutomationModelBuilder*>(ServiceSlot<AutomationModel>::Get());
}

QString batchFailureText(long stepID, int engineCode)
{
    if (engineCode == CBatchSimulation::ENGINE_CODE_NONE)
        return QStringLiteral("The batch run of step %1 did not run.").arg(stepID);
    return QStringLiteral("The batch run of step %1 ended with engine code %2.").arg(stepID).arg(engineCode);
}

AutomationRunOutcome runOutcome(const QString& what, long id, int outcome)
{
    if (outcome == 0)
        return {AutomationRunOutcome::Done, QString(), outcome};
    if (outcome == CProcessPlanSimulation::OUTCOME_NONE)
        return {AutomationRunOutcome::Failed, QStringLiteral("The run of %1 %2 did not run.").arg(what).arg(id), outcome};
    return {AutomationRunOutcome::Failed,
            QStringLiteral("The run of %1 %2 ended with engine code %3.").arg(what).arg(id).arg(outcome), outcome};
}

QString scaleRefusalText(long target)
{
    return QStringLiteral("Scaling target %1 does not take these arguments.").arg(target);
}
} // namespace

bool CMainFrame::AutomationTreeExists()
{
    const AutomationModel* model = ServiceSlot<AutomationModel>::Get();
    return model && model->AutomationModelExists();
}

void CMainFrame::BuildAutomationModel()
{
    ::BuildAutomationModel();
}

void CMainFrame::DeleteAutomationModel()
{
    ::DeleteAutomationModel();
}

std::shared_ptr<CQVProcess> CMainFrame::FindAutomationProcess(long processID)
{
    CAutomationModelBuilder* builder = installedTreeBuilder();
    return builder ? builder->FindAutomationProcess(processID) : nullptr;
}

std::shared_ptr<CQVStep> CMainFrame::FindAutomationStep(const CQVProcess* process, long stepID)
{
    return CAutomationModelBuilder::FindAutomationStep(process, stepID);
}

std::shared_ptr<CQVUnitProcedure> CMainFrame::FindAutomationUnitProcedure(const CQVStep* step,
                                                                          long unitProcedureID)
{
    return CAutomationModelBuilder::FindAutomationUnitProcedure(step, unitProcedureID);
}

std::shared_ptr<CQVOperation> CMainFrame::FindAutomationOperation(const CQVUnitProcedure* unitProcedure,
                                                                  long operationID)
{
    return CAutomationModelBuilder::FindAutomationOperation(unitProcedure, operationID);
}

std::shared_ptr<CQuorvantaAut> CMainFrame::GetAutomationApplication() const
{
    CAutomationModelBuilder* builder = installedTreeBuilder();
    return builder ? builder->Application() : nullptr;
}

std::shared_ptr<CQVProcesses> CMainFrame::GetAutomationProcesses() const
{
    CAutomationModelBuilder* builder = installedTreeBuilder();
    return builder ? builder->Processes() : nullptr;
}

std::shared_ptr<CQVProductionPlans> CMainFrame::GetAutomationProductionPlans() const
{
    CAutomationModelBuilder* builder = installedTreeBuilder();
    return builder ? builder->ProductionPlans() : nullptr;
}

bool CMainFrame::GetApplicationVisible() const
{
    return isVisible();
}

void CMainFrame::SetApplicationVisible(bool show)
{
    if (!show) {
        hide();
        return;
    }
    if (m_hasShown)
        this->show();
    else
        showMaximized(); // a window started hidden comes up maximised the first time
    raise();
    activateWindow();
}

void CMainFrame::showEvent(QShowEvent* event)
{
    m_hasShown = true;
    QMainWindow::showEvent(event);
}

// The close runs from the event loop, as the user's would; an accepted one ends the program even
// when the window never showed.
void CMainFrame::QueueQuit()
{
    QTimer::singleShot(0, this, [this] {
        RunGuarded(CommandLabel(ID_APP_EXIT), [this] {
            if (close())
                QCoreApplication::quit();
        });
    });
}

AutomationRunOutcome CMainFrame::AutomationSimulateStep(long stepID, const QString& name)
{
    m_context.stepID = stepID;
    if (!name.isEmpty())
        m_context.stepLabel = name;
    ResetSimulation(stepID, QString());
    SimulateBatch(BATCH_WHOLE, -1, -1, BATCH_CALLER_AUTOMATION);
    UpdateCommandStates(); // as after a run from the menu: the results' commands come on
    const int code = m_batchSimulation->LastEngineCode();
    if (code == 0)
        return {AutomationRunOutcome::Done, QString(), code};
    return {AutomationRunOutcome::Failed, batchFailureText(stepID, code), code};
}

AutomationRunOutcome CMainFrame::AutomationSimulateProcess(long processID, const QString& name)
{
    m_context.processID = processID;
    m_context.processName = name;
    SimulateProcessOrPlan(RUN_CONTEXT_PROCESS);
    UpdateCommandStates(); // as after a run from the menu: the results' commands come on
    return runOutcome(QStringLiteral("process"), processID, m_processPlanSimulation->LastOutcome());
}

AutomationRunOutcome CMainFrame::AutomationSimulatePlan(long planID, const QString& name)
{
    m_context.planID = planID;
    m_context.planName = name;
    SimulateProcessOrPlan(RUN_CONTEXT_PLAN);
    UpdateCommandStates(); // as after a run from the menu: the results' commands come on
    return runOutcome(QStringLiteral("plan"), planID, m_processPlanSimulation->LastOutcome());
}

// The arguments are checked before the step's run is reset: a refused call changes nothing.
AutomationRunOutcome CMainFrame::AutomationScaleRecipe(long stepID, const QString& name, long target,
                                                       long option, double value, const QString& unit,
                                                       double value2)
{
    IsCommandEnabled(ID_RECIPE_SCALING); // refreshes the context; scripts may scale any step
    m_context.stepID = stepID;
    if (!name.isEmpty())
        m_context.stepLabel = name;
    const ScaleRecipeRequest request{SCALE_AUTOMATION, int(target), option, value, unit, value2};
    if (!CRecipeScaling::AcceptsAutomationRequest(request))
        return {AutomationRunOutcome::InvalidArgument, scaleRefusalText(target), -1};
    ResetSimulation(stepID, QString());
    const ScaleRecipeOutcome outcome =
        ScaleRecipe(SCALE_AUTOMATION, int(target), option, value, unit, value2);
    if (outcome.scaled)
        return {AutomationRunOutcome::Done, QString(), 0};
    if (outcome.refused)
        return {AutomationRunOutcome::InvalidArgument, scaleRefusalText(target), -1};
    return {AutomationRunOutcome::Failed,
            outcome.text.isEmpty() ? QStringLiteral("The step was not scaled.") : outcome.text, -1};
}

// A script's run report of a process, step or plan: written to its default file unasked.
AutomationRunOutcome CMainFrame::AutomationExcelReport(const QString& kind, int reportCode, long id)
{
    using ReportOf = bool (QVXLEntry::*)(int, long);
    const ReportOf report = kind == QLatin1String("Process") ? &QVXLEntry::processReport
                            : kind == QLatin1String("Plan")  ? &QVXLEntry::planReport
                            : kind == QLatin1String("Step")  ? &QVXLEntry::stepReport
                                                             : nullptr;
    if (!report)
        return {};
    ClearReportFailure();
    const ScriptedReportScope scripted;
    QVXLEntry entry;
    if ((entry.*report)(reportCode, id))
        return {AutomationRunOutcome::Done, {}, -1};
    const QString failure = LastReportFailure();
    return {AutomationRunOutcome::Failed, failure.isEmpty() ? QStringLiteral("The report was not written.") : failure,
            -1};
}

// A script's schedule window: the run report of the step or plan, or Failed without results.
AutomationRunOutcome CMainFrame::AutomationShowGanttChart(const QString& kind, const QString& name, long id)
{
    const bool plan = kind.compare(QLatin1String("Plan"), Qt::CaseInsensitive) == 0;
    if (!plan && kind.compare(QLatin1String("Step"), Qt::CaseInsensitive) != 0)
        return {};
    QString failure;
    if (OpenScheduleWindow(this, {plan ? ScheduleKind::Plan : ScheduleKind::Step, id, name}, &failure))
        return {AutomationRunOutcome::Done, {}, -1};
    return {AutomationRunOutcome::Failed, failure, -1};
}
