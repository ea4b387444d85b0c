// The batch run: context check, the timer held off, transitions rebuilt, the progress dialog, the
// engine call and its code, then the windows of the step brought up to date.

#include "simulation/BatchSimulation.h"

#include "foundation/common/Array.h"
#include "foundation/common/BusyGuard.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/common/concerns/SelectionService.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "modules/engine/EngineEntry.h"
#include "recipe/transitions/TransitionBuilder.h"
#include "results/ResultWindows.h"
#include "simulation/AutoSavePause.h"
#include "simulation/QuickResultsRefresh.h"
#include "simulation/RunOutcome.h"
#include "simulation/SimDialog.h"
#include "simulation/SimulationSummary.h"

#include <QApplication>
#include <QMainWindow>

namespace {

const char* const kReadAndSimulate = "ReadAndSimulate";

ContextRecord BatchContext()
{
    const SelectionService* selection = ServiceSlot<SelectionService>::Get();
    return selection ? selection->CurrentContext() : ContextRecord();
}

bool IsGiveUpCode(int code) { return code == SIMULATION_FAILED || code == SIMULATION_CANCELLED; }

} // namespace

CBatchSimulation::CBatchSimulation() = default;
CBatchSimulation::~CBatchSimulation() = default;

std::unique_ptr<CSimDialog> CBatchSimulation::MakeProgressDialog()
{
    return std::make_unique<CSimDialog>();
}

bool CBatchSimulation::AcceptsContext(const ContextRecord& context)
{
    switch (context.kind) {
    case CONTEXT_PROCESS_EXPLORER:
    case CONTEXT_TEXT_RECIPE:
    case CONTEXT_GANTT:
    case CONTEXT_HTML_VIEW:
    case CONTEXT_3D_VIEW:
    case CONTEXT_QUICK_RESULTS:
        return context.stepID != -1;
    default:
        return false;
    }
}

void CBatchSimulation::SimulateBatch(int mode, long fromID, long toID, int caller)
{
    m_engineCode = ENGINE_CODE_NONE;
    const ContextRecord context = BatchContext();
    if (caller == BATCH_CALLER_USER && !AcceptsContext(context))
        return;
    const long stepID = context.stepID;
    const CAutoSavePause timerOff;
    EngineEntry* engine = GetEngineEntry();
    if (mode == BATCH_WHOLE && engine)
        engine->resetSimulation(stepID, QString::fromLatin1(kReadAndSimulate));
    DeleteProgressDialog();
    if (!RegenerateTransitions(stepID, QStringLiteral("dumy")))
        return;
    OpenProgressDialog(context);
    if (ConfirmedCancelBeforeRun())
        return;
    if (!engine) {
        QvMessageBox(QStringLiteral("This is not enough memory to create simulation object! Close some running "
                                    "application, and try again."));
        DeleteProgressDialog();
        return;
    }
    const long before = engine->getSimulationStoppedRecipeSequenceNumber(stepID);
    m_engineCode = RunEngine(*engine, mode, stepID, fromID, toID);
    HandleRunCode(*engine, stepID, m_engineCode);
    AfterRun(stepID, m_engineCode, before, engine->getSimulationStoppedRecipeSequenceNumber(stepID));
}

bool CBatchSimulation::RegenerateTransitions(long stepID, const QString& placeholder) const
{
    Array<TransitionRecord> unitProcedures;
    Array<TransitionRecord> operations;
    return CTransitionBuilder::BuildStepTransitions(stepID, unitProcedures, operations, false, placeholder, -1, 1);
}

void CBatchSimulation::OpenProgressDialog(const ContextRecord& context)
{
    m_dialog = MakeProgressDialog();
    m_dialog->Create();
    m_dialog->setWindowTitle(QStringLiteral("Tamro Plenthover Simulate Batch"));
    if (m_dialog->HasWindow())
        m_dialog->show();
    m_dialog->SetTitleLine(QStringLiteral("Simulating Batch: ") + context.stepLabel);
    m_dialog->SetStatusLine(QStringLiteral("Setting up Simulation..."));
    m_dialog->UpdateControls();
}

bool CBatchSimulation::ConfirmedCancelBeforeRun()
{
    if (!m_dialog->IsCancelled())
        return false;
    if (QvMessageBox(QStringLiteral("Are you sure you want to Cancel?"), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;
    DeleteProgressDialog();
    return true;
}

int CBatchSimulation::RunEngine(EngineEntry& engine, int mode, long stepID, long fromID, long toID)
{
    const CBusyScope busy; // the dialog pumps events: no command may start inside the run
    if (mode == BATCH_WHOLE)
        return engine.simulateBatch(m_dialog.get(), stepID);
    return engine.simulateBatch(m_dialog.get(), stepID, fromID, toID);
}

// Codes 1 and 2 give the run up; any other keeps the paused state for stepping.
void CBatchSimulation::HandleRunCode(EngineEntry& engine, long stepID, int code)
{
    if (IsGiveUpCode(code)) {
        engine.resetSimulation(stepID, QString::fromLatin1(kReadAndSimulate));
        if (m_dialog) {
            m_dialog->SetProgress(100.0);
            DeleteProgressDialog();
        }
        return;
    }
    HidePausedDialog();
    RaiseMainWindow();
}

void CBatchSimulation::HidePausedDialog()
{
    if (!m_dialog)
        return;
    if (m_dialog->isVisible())
        m_dialog->hide();
    m_dialog->EnableOwner();
}

void CBatchSimulation::AfterRun(long stepID, int code, long before, long after)
{
    if (code == SIMULATION_COMPLETED)
        RefreshQuickResultsOfStep(stepID);
    RefreshRecipeText(stepID); // the run's remarks mark their lines, stale marks go
    if (after != before)
        SelectRecipeLine(stepID, int(after - 2)); // the view ignores an index outside its lines
    RefreshResultWindows(QStringLiteral("QVSTEP"), stepID, QString());
    EndBatchRun(stepID, code);
}

// The status line always, the summary message when the option asks for it.
void CBatchSimulation::EndBatchRun(long stepID, int code)
{
    ShowRunOutcome(RunOutcomeText(QStringLiteral("Simulate Batch"), SummaryKind::Step, stepID, code));
    if (code == SIMULATION_COMPLETED)
        ShowSimulationSummary(RunSummaryText(SummaryKind::Step, stepID));
}

void CBatchSimulation::DeleteProgressDialog()
{
    if (!m_dialog)
        return;
    m_dialog->DestroyWindow();
    m_dialog.reset();
}

void CBatchSimulation::ResetSimulation(long stepID, const QString& mode)
{
    if (EngineEntry* engine = GetEngineEntry())
        engine->resetSimulation(stepID, mode.isEmpty() ? QString::fromLatin1(kReadAndSimulate) : mode);
    RefreshRecipeText(stepID);
    DeleteProgressDialog();
}

void RaiseMainWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMainWindow*>(widget) && widget->isVisible()) {
            widget->raise();
            widget->activateWindow();
            return;
        }
    }
}
