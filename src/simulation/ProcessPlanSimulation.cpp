// The process and plan run in its order: the context and the frame's engine checked, the plan's
// requirement calculation, the process's transitions rebuilt, the progress dialog, a local engine
// with the run options, the old results removed, the batches first when asked, the run itself and
// the result windows brought up to date.

#include "simulation/ProcessPlanSimulation.h"

#include "foundation/common/Array.h"
#include "foundation/common/BusyGuard.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/ContextRecord.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/common/concerns/PlanExplorer.h"
#include "foundation/common/concerns/SelectionService.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/project/ProcessStepSet.h"
#include "modules/engine/EngineEntry.h"
#include "recipe/transitions/TransitionBuilder.h"
#include "results/ResultWindows.h"
#include "simulation/AutoSavePause.h"
#include "simulation/ProcessPlanRun.h"
#include "simulation/ProcessPlanRunSupport.h"
#include "simulation/RunOutcome.h"
#include "simulation/SimDialog.h"
#include "simulation/SimulationSummary.h"

class CProcessPlanSimulation::FlagScope {
public:
    explicit FlagScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~FlagScope() { m_flag = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
};

CProcessPlanSimulation::CProcessPlanSimulation(CBatchSimulation& batchSimulation)
    : m_batchSimulation(batchSimulation)
{
}

CProcessPlanSimulation::~CProcessPlanSimulation() = default;

std::unique_ptr<CSimDialog> CProcessPlanSimulation::MakeProgressDialog()
{
    return std::make_unique<CSimDialog>();
}

void CProcessPlanSimulation::SimulateBatchesAndProcess()
{
    const FlagScope flag(m_batchesAndProcess);
    SimulateProcessOrPlan(RUN_BY_CONTEXT);
}

void CProcessPlanSimulation::SimulateBatchesAndPlan()
{
    const FlagScope flag(m_batchesAndPlan);
    SimulateProcessOrPlan(RUN_BY_CONTEXT);
}

void CProcessPlanSimulation::SimulateUserSequencePlan()
{
    const FlagScope flag(m_userSequence);
    SimulateProcessOrPlan(RUN_BY_CONTEXT);
}

bool CProcessPlanSimulation::RunsProcess(const ContextRecord& context)
{
    return context.kind == CONTEXT_PROCESS_EXPLORER && context.processID != -1;
}

bool CProcessPlanSimulation::RunsPlan(const ContextRecord& context)
{
    const bool planKind = context.kind == CONTEXT_PLAN_EXPLORER || context.kind == CONTEXT_GANTT ||
                          context.kind == CONTEXT_3D_VIEW;
    return planKind && context.planID != -1;
}

void CProcessPlanSimulation::SimulateProcessOrPlan(int mode)
{
    m_outcome = OUTCOME_NONE;
    const CBusyScope busy; // the dialogs pump events: no command or script call may start meanwhile
    Run run;
    run.mode = mode;
    if (!Prepare(run) || !RunRequirementCalculation(run))
        return;
    if (run.isProcess && mode == RUN_BY_CONTEXT)
        RegenerateProcessTransitions(run.id);
    const CAutoSavePause timerOff;
    OpenProgressDialog(run);
    if (ConfirmedCancel(*run.dialog)) {
        m_outcome = SIMULATION_CANCELLED;
        return;
    }
    if (!CreateRunEngine(run))
        return;
    DeleteRunResults(run.isProcess ? ProcessResultsFileName(run.id) : PlanResultsFileName(run.id));
    if (run.isProcess && m_batchesAndProcess && !SimulateBatchesFirst(run))
        return;
    m_outcome = run.isProcess ? run.engine->simulateProcess(run.dialog.get(), run.id, run.frameEngine)
                              : run.engine->simulatePlan(run.dialog.get(), run.id,
                                                         mode == RUN_BY_CONTEXT && m_userSequence);
    run.dialog->SetProgress(100.0);
    RefreshResultWindows(QLatin1String(run.isProcess ? "QVPROC" : "QVPLAN"), run.id, QString());
    const SummaryKind kind = run.isProcess ? SummaryKind::Process : SummaryKind::Plan;
    ShowRunOutcome(RunOutcomeText(QLatin1String(run.isProcess ? "Simulate Process" : "Simulate Plan"), kind,
                                  run.id, m_outcome));
    if (m_outcome == SIMULATION_COMPLETED)
        ShowSimulationSummary(RunSummaryText(kind, run.id));
}

// Which process or plan runs; false when the call has nothing to run or no engine to run with.
bool CProcessPlanSimulation::Prepare(Run& run)
{
    const SelectionService* selection = ServiceSlot<SelectionService>::Get();
    run.context = selection ? selection->CurrentContext() : ContextRecord();
    run.frameEngine = GetEngineEntry();
    if (!run.frameEngine)
        return false;
    const ContextRecord& context = run.context;
    run.isProcess = run.mode == RUN_CONTEXT_PROCESS || (run.mode == RUN_BY_CONTEXT && RunsProcess(context));
    const bool plan = run.mode == RUN_CONTEXT_PLAN || (run.mode == RUN_BY_CONTEXT && RunsPlan(context));
    run.id = run.isProcess ? context.processID : context.planID;
    return (run.isProcess || plan) && run.id != -1;
}

bool CProcessPlanSimulation::RunRequirementCalculation(const Run& run)
{
    if (run.isProcess)
        return true;
    if (run.mode == RUN_BY_CONTEXT)
        return PlanExplorer::SimulatePlan(run.id, false, run.frameEngine, m_batchesAndPlan);
    return PlanExplorer::SimulatePlan(run.id, false, nullptr, false);
}

// Every step's transitions, then the process's; a failure has shown its message and is passed over.
void CProcessPlanSimulation::RegenerateProcessTransitions(long processID) const
{
    for (long stepID : ProcessStepIDs(processID)) {
        Array<TransitionRecord> unitProcedures;
        Array<TransitionRecord> operations;
        CTransitionBuilder::BuildStepTransitions(stepID, unitProcedures, operations, false, QStringLiteral("dummy"),
                                                 -1, 1);
    }
    Array<TransitionRecord> steps;
    CTransitionBuilder::BuildProcessTransitions(processID, steps);
}

void CProcessPlanSimulation::OpenProgressDialog(Run& run)
{
    run.dialog = MakeProgressDialog();
    run.dialog->Create();
    run.dialog->setWindowTitle(RunDialogTitle(run.isProcess, run.mode == RUN_BY_CONTEXT && m_userSequence));
    run.dialog->SetTitleLine(run.isProcess ? QStringLiteral("Simulating Process: ") + run.context.processName
                                           : QStringLiteral("Simulating Plan: ") + run.context.planName);
    if (run.dialog->HasWindow())
        run.dialog->show();
    run.dialog->SetStatusLine(QStringLiteral("Setting up Simulation..."));
    run.dialog->UpdateControls();
}

bool CProcessPlanSimulation::ConfirmedCancel(CSimDialog& dialog)
{
    return dialog.IsCancelled() &&
           QvMessageBox(QStringLiteral("Are you sure you want to Cancel?"), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

bool CProcessPlanSimulation::CreateRunEngine(Run& run)
{
    EngineFactory* factory = ServiceSlot<EngineFactory>::Get();
    run.engine.reset(factory ? factory->CreateEngineEntry() : nullptr);
    if (!run.engine) {
        QvMessageBox(QStringLiteral("This is not enough memory to create simulation object! Close some running "
                                    "application, and try again."));
        return false;
    }
    const RunOptionValues options = ReadRunOptions(QLatin1String(run.isProcess ? "BATCH" : "PLAN"));
    run.engine->setRunOptions(options.airEmission, options.resultsDatabase, options.overFlow, options.underFlow);
    return true;
}
