#include "simulation/DesignRun.h"

#include "foundation/common/BusyGuard.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/common/concerns/SelectionService.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/project/SimulationOptionsSet.h"
#include "modules/engine/EngineEntry.h"
#include "simulation/DesignAnswer.h"
#include "simulation/DesignDlg.h"
#include "simulation/RunOutcome.h"
#include "simulation/SimDialog.h"

namespace {

constexpr double kDesignUnset = 1e35;

ContextRecord DesignContext()
{
    const SelectionService* selection = ServiceSlot<SelectionService>::Get();
    return selection ? selection->CurrentContext() : ContextRecord();
}

// No window shows a design's answer: it is told whatever the end-of-simulation option says. A run
// that wrote none (cancelled, failed, or with the results database option off) is told as such:
// the step's results may still hold an earlier design's answer.
void TellDesignEnd(long stepID, int code, bool resultsWritten)
{
    if (code != SIMULATION_COMPLETED) {
        ShowRunOutcome(RunOutcomeText(QStringLiteral("Design"), SummaryKind::Step, stepID, code));
        QvMessageBox(DesignNoAnswerText(stepID), MB_OK | MB_ICONINFORMATION);
        return;
    }
    ShowRunOutcome(DesignOutcomeText(stepID, resultsWritten));
    QvMessageBox(resultsWritten ? DesignAnswerText(stepID) : DesignNoAnswerText(stepID),
                 MB_OK | MB_ICONINFORMATION);
}

std::unique_ptr<EngineEntry> LocalEngine()
{
    EngineFactory* factory = ServiceSlot<EngineFactory>::Get();
    return std::unique_ptr<EngineEntry>(factory ? factory->CreateEngineEntry() : nullptr);
}

Array<long> FixedList(const CDesignDlg& dialog)
{
    Array<long> fixed;
    const long count = std::min(dialog.equipmentIDs.GetSize(), dialog.fixedFlags.GetSize());
    for (long i = 0; i < count; ++i)
        if (dialog.fixedFlags[i] != 0)
            fixed.Add(dialog.equipmentIDs[i]);
    return fixed;
}

} // namespace

CDesignRun::CDesignRun() = default;
CDesignRun::~CDesignRun() = default;

bool CDesignRun::AcceptsContext(const ContextRecord& context)
{
    switch (context.kind) {
    case CONTEXT_HTML_VIEW:
    case CONTEXT_CHEMISTRY:
    case CONTEXT_FACILITY_EXPLORER:
    case CONTEXT_PLAN_EXPLORER:
        return false;
    default:
        return context.stepID != -1 && context.processID != -1;
    }
}

std::unique_ptr<CSimDialog> CDesignRun::MakeProgressDialog()
{
    return std::make_unique<CSimDialog>();
}

int CDesignRun::ExecDesignDialog(CDesignDlg& dialog)
{
    return dialog.exec();
}

EngineRunOptions CDesignRun::ReadDesignOptions()
{
    EngineRunOptions options;
    CSimulationOptionsSet set;
    set.SetErrorMode(DaoErrorMode::Quiet);
    if (!set.OpenSet(QStringLiteral("DESIGN")) || set.IsEOF())
        return options;
    const auto flag = [&set](const char* field, int& value) {
        if (!set.IsFieldNull(QLatin1String(field)))
            value = set.GetBool(QLatin1String(field)) ? 1 : 0;
    };
    flag("ResultsDatabase", options.resultsDatabase);
    flag("OverFlow", options.overFlow);
    flag("UnderFlow", options.underFlow);
    if (!set.IsFieldNull(QStringLiteral("MaxDesignIterations")))
        options.maxDesignIterations = set.GetShort(QStringLiteral("MaxDesignIterations"));
    set.CloseSet();
    return options;
}

bool CDesignRun::CheckBatchResults(double batchKg, double cycleSeconds, double maxKg) const
{
    const char* message = nullptr;
    if (batchKg == kDesignUnset || cycleSeconds == kDesignUnset || maxKg == kDesignUnset)
        message = "Please do Simulate Batch before Design!";
    else if (batchKg == 0)
        message = "The Batch Size for the selected step is 0.0.  Please check your Simulate Batch results!";
    else if (cycleSeconds == 0)
        message = "The Cycle Time for the selected step is 0.0.  Please check your Simulate Batch results!";
    if (message)
        QvMessageBox(QString::fromLatin1(message), MB_OK | MB_ICONINFORMATION);
    return message == nullptr;
}

void CDesignRun::DesignStep()
{
    const ContextRecord context = DesignContext();
    if (!AcceptsContext(context))
        return;
    const std::unique_ptr<EngineEntry> engine = LocalEngine();
    if (!engine)
        return;
    const long stepID = context.stepID;
    const double batchKg = engine->getCurrentBatchSizeInKg(stepID);
    const double cycleSeconds = engine->getCycleTime(stepID);
    const double maxKg = engine->getMaxBatchSizeInKg(stepID);
    if (!CheckBatchResults(batchKg, cycleSeconds, maxKg))
        return;
    const double rate = batchKg * 3600.0 / cycleSeconds;
    const auto dialog =
        std::make_unique<CDesignDlg>(stepID, context.processID, batchKg, rate, maxKg, engine.get());
    if (ExecDesignDialog(*dialog) != QDialog::Accepted)
        return;
    Run(*engine, stepID, *dialog);
}

void CDesignRun::Run(EngineEntry& engine, long stepID, const CDesignDlg& dialog)
{
    const CBusyScope busy; // the progress dialog pumps events: no command may start inside the run
    const std::unique_ptr<CSimDialog> progress = MakeProgressDialog();
    progress->Create();
    progress->setWindowTitle(QStringLiteral("Tamro Plenthover Design"));
    if (progress->HasWindow())
        progress->show();
    progress->SetStatusLine(QStringLiteral("Setting up..."));
    progress->UpdateControls();
    if (progress->IsCancelled() && QvMessageBox(QStringLiteral("Are you sure you want to Cancel?"),
                                                MB_YESNO | MB_ICONQUESTION) == IDYES) {
        progress->DestroyWindow();
        return;
    }
    const Array<long> fixed = FixedList(dialog);
    const EngineRunOptions options = ReadDesignOptions();
    engine.setDesignOptions(options.resultsDatabase, options.overFlow, options.underFlow,
                            options.maxDesignIterations);
    const int code = engine.designStep(progress.get(), stepID, dialog.amount, dialog.amountUOM,
                                       dialog.timeHorizon, dialog.timeHorizonUOM, fixed);
    progress->SetProgress(100.0);
    progress->DestroyWindow();
    TellDesignEnd(stepID, code, options.resultsDatabase != 0);
}
