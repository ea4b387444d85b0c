#include "simulation/ProcessScaling.h"

#include "foundation/common/BusyGuard.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/UnitConversion.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "library/FacilityDelete.h"
#include "modules/engine/EngineEntry.h"
#include "recipe/transitions/TransitionBuilder.h"
#include "simulation/PlanRequirementCalculator.h"
#include "simulation/ProcessScaleUpDialog.h"
#include "simulation/RecipeScaling.h"
#include "simulation/SimDialog.h"
#include "simulation/SimulationSummary.h"

#include <QSqlQuery>
#include <cmath>

namespace {

const char* const PROCESS_SCALE_MODE = "Process";
const char* const PLAN_SCALE_MODE = "Production Plan";

QString ZeroAmountText()
{
    return QStringLiteral(
               "The process scale-up algorithm indicates that one of the Steps should be scaled to zero. "
               "The scale-up will not proceed.") +
           QStringLiteral("\n\n This problem is most likely because of incorrect input or output") +
           QStringLiteral(" intermediates for a Step or Process.") +
           QStringLiteral("\n Please verify the input and output intermediates of the Process") +
           QStringLiteral(" and all the Steps, and run the scale-up again.");
}

QString UnsizedStepText(const QString& step)
{
    return QStringLiteral("Step %1 has no batch size. Simulate it, then run the scale-up again.").arg(step);
}

QString ScaledStepLabel(const PlanRequirementCalculator& calculator, int index)
{
    const PlanFactorItem& item = calculator.Items[size_t(index)];
    return QStringLiteral("%1 (%2)").arg(item.StepName, item.StepVersionName);
}

bool IsUnsetProcessSize(double kg)
{
    return kg >= 1e35;
}

long ProcessKeyRawMaterial(long processID)
{
    CDaoDatabase* project = GetProjectDatabase();
    if (!project)
        return 0;
    QSqlQuery row = project->Query(QStringLiteral("SELECT KeyRawMaterialID FROM Process WHERE ProcessID = ?"),
                                   {qlonglong(processID)});
    return row.next() ? (row.value(0).isNull() ? -1 : long(row.value(0).toLongLong())) : 0;
}

int FirstItemConsuming(const PlanRequirementCalculator& calculator, long materialID)
{
    for (int i = 0; i < calculator.GetItemCount(); ++i)
        if (calculator.GetItemKeyInputID(i) == materialID)
            return calculator.GetItemStepID(i) == -1 ? -1 : i;
    return -1;
}

} // namespace

CProcessScaling::CProcessScaling(ProgressFactory makeProgress, DialogRunner runDialog)
    : m_makeProgress(std::move(makeProgress)), m_runDialog(std::move(runDialog))
{
}

void CProcessScaling::Tell(const QString& text, unsigned flags)
{
    m_lastMessage = text;
    QvMessageBox(text, flags);
}

// A size the engine was asked for and has none of names the step to simulate; any other unset
// size ends without a word here (the calculator told why).
bool CProcessScaling::IsSized(const PlanRequirementCalculator& calculator, double kg)
{
    if (!IsUnsetProcessSize(kg))
        return true;
    if (calculator.GetEngineStepID() > 0) {
        QString step;
        Tell(UnsizedStepText(GetStepNameAndVersion(step, calculator.GetEngineStepID())), MB_OK);
    }
    return false;
}

// The three sizes of the dialog, asked in turn: the first unset one ends the command.
bool CProcessScaling::ReadSizes(long processID, ProcessScaleUpSizesKg* sizes)
{
    PlanRequirementCalculator calculator(0, 0, QString::fromLatin1(PROCESS_SCALE_MODE));
    sizes->current = calculator.GetFinalStepBatchSize(processID);
    if (!IsSized(calculator, sizes->current))
        return false;
    sizes->original = calculator.GetFinalStepOriginalBatchSize(processID);
    if (!IsSized(calculator, sizes->original))
        return false;
    sizes->keyRawInput = calculator.GetFirstStepKeyInputBatchSize(processID);
    return IsSized(calculator, sizes->keyRawInput);
}

void CProcessScaling::ScaleRecipe(long processID)
{
    m_lastMessage.clear();
    ProcessScaleUpSizesKg sizes;
    if (!ReadSizes(processID, &sizes))
        return;
    CProcessScaleUpDialog dialog(processID);
    dialog.SetSizes(sizes);
    if (m_runDialog(dialog) == QDialog::Accepted)
        ScaleToChoice(processID, dialog);
}

void CProcessScaling::ScaleToChoice(long processID, const CProcessScaleUpDialog& dialog)
{
    switch (dialog.SelectedOption()) {
    case CProcessScaleUpDialog::ORIGINAL: {
        PlanRequirementCalculator calculator(0, 0, QString::fromLatin1(PLAN_SCALE_MODE));
        const double size = calculator.GetFinalStepOriginalBatchSize(processID);
        if (IsSized(calculator, size))
            ScaleProcess(processID, size, QStringLiteral("kg"));
        return;
    }
    case CProcessScaleUpDialog::FINAL_PRODUCT:
        ScaleProcess(processID, dialog.FinalProductValue(), dialog.FinalProductUnit());
        return;
    case CProcessScaleUpDialog::KEY_RAW_MATERIAL:
        ScaleProcessToKeyRawMaterial(processID, dialog.KeyRawMaterialValue(), dialog.KeyRawMaterialUnit());
        return;
    default: {
        PlanRequirementCalculator calculator(0, 0, QString::fromLatin1(PLAN_SCALE_MODE));
        const double size = calculator.GetScaledFinalStepBatchSize(processID, dialog.Factor());
        if (IsSized(calculator, size))
            ScaleProcess(processID, size, QStringLiteral("kg"));
    }
    }
}

std::unique_ptr<CSimDialog> CProcessScaling::OpenProgress()
{
    std::unique_ptr<CSimDialog> progress = m_makeProgress();
    progress->Create();
    progress->setWindowTitle(QStringLiteral("Tamro Plenthover Scale Up"));
    progress->show();
    progress->SetProgress(0);
    return progress;
}

void CProcessScaling::ScaleProcess(long processID, double amount, const QString& unit)
{
    m_stepChanged = false;
    m_lastMessage.clear();
    const std::unique_ptr<CSimDialog> whole = OpenProgress();
    Array<TransitionRecord> transitions;
    if (!whole->SetStatusText(QStringLiteral("Reading Process and Generating Step Transitions ...")) ||
        !CTransitionBuilder::BuildProcessTransitions(processID, transitions) ||
        !whole->SetStatusText(QStringLiteral("Updating Output requirements for Steps ...")))
        return whole->DestroyWindow();
    PlanRequirementCalculator calculator(0, 0, QString::fromLatin1(PROCESS_SCALE_MODE));
    calculator.CalculateForProcess(processID, amount, unit);
    EngineFactory* factory = ServiceSlot<EngineFactory>::Get();
    const std::unique_ptr<EngineEntry> engine(factory ? factory->CreateEngineEntry() : nullptr);
    if (engine && ScaleSteps(calculator, *engine)) {
        const std::unique_ptr<CSimDialog> simulation = OpenProgress();
        const CBusyScope busy;
        const int code = engine->simulateProcess(simulation.get(), processID, nullptr);
        simulation->DestroyWindow();
        if (code == SIMULATION_COMPLETED)
            ShowSimulationSummary(RunSummaryText(SummaryKind::Process, processID));
    }
    if (m_stepChanged) {
        SetProjectModified(true);
        RefreshStepPanes();
    }
    whole->DestroyWindow();
}

bool CProcessScaling::ScaleSteps(PlanRequirementCalculator& calculator, EngineEntry& engine)
{
    double carried = 1.0;
    for (int i = 0; i < calculator.GetItemCount(); ++i)
        if (ScaleStep(calculator, i, engine, carried) == StepOutcome::Stop)
            return false;
    return true;
}

CProcessScaling::StepOutcome CProcessScaling::ScaleStep(PlanRequirementCalculator& calculator, int index,
                                                        EngineEntry& engine, double& carried)
{
    const std::unique_ptr<CSimDialog> progress = OpenProgress();
    const long stepID = calculator.GetItemStepID(index);
    double factor = carried;
    if (!StepFactor(calculator, index, carried, &factor))
        return progress->DestroyWindow(), StepOutcome::Stop;
    if (factor == 0) // a cleaning step asked for nothing keeps its size; the carried factor stays
        factor = 1.0;
    else
        carried = factor;
    // The status comes before the write, so that a Cancel here leaves the step as it was.
    if (!progress->SetStatusText(QStringLiteral("Scaling up Database Records ...")) ||
        !WriteStepScaling(stepID, factor, engine))
        return progress->DestroyWindow(), StepOutcome::Stop;
    const StepOutcome outcome =
        SimulateScaledStep(*progress, engine, stepID, ScaledStepLabel(calculator, index));
    progress->DestroyWindow();
    return outcome;
}

// Amount over batch size, else the carried factor (0 only for a cleaning step); false after the
// message that ends the run.
bool CProcessScaling::StepFactor(PlanRequirementCalculator& calculator, int index, double carried,
                                 double* factor)
{
    const double amount = calculator.GetItemAmount(index);
    const double batchSize = calculator.GetItemBatchSize(index);
    const bool cleaning = calculator.GetItemCleaningFlag(index);
    *factor = batchSize != 0 ? amount / batchSize : carried;
    // An unset size (the calculator asks such a step for nothing) is told as what it is.
    if (amount >= 1e35 || batchSize >= 1e35 || !std::isfinite(*factor) || *factor < 0) {
        Tell(UnsizedStepText(ScaledStepLabel(calculator, index)), MB_OK);
        return false;
    }
    if (!cleaning && amount == 0)
        return Tell(ZeroAmountText(), MB_OK), false;
    return true;
}

// The step's ScaleFactor (Null counts 1) and its stored quantities, in one transaction.
bool CProcessScaling::WriteStepScaling(long stepID, double factor, EngineEntry& engine)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step || !step->Query(QStringLiteral("SELECT 1 FROM Step")).next())
        return Tell(QStringLiteral("ERROR: Could not find step in database!"), MB_OK), false;
    try {
        CDaoTransaction transaction(*step);
        step->Execute(QStringLiteral("UPDATE Step SET ScaleFactor = COALESCE(ScaleFactor, 1.0) * ?"),
                      {factor});
        engine.scaleUpDatabaseRecords(stepID, factor);
        transaction.Commit();
    } catch (const CDaoException& error) {
        Tell(error.GetErrorDescription(), MB_OK);
        return false;
    }
    m_stepChanged = true;
    return true;
}

// The scaled step's run and its regenerated lines, which happen whatever the run answered.
CProcessScaling::StepOutcome CProcessScaling::SimulateScaledStep(CSimDialog& progress, EngineEntry& engine,
                                                                 long stepID, const QString& label)
{
    int code = SIMULATION_COMPLETED;
    {
        const CBusyScope busy;
        code = engine.simulateBatch(&progress, stepID, QString::fromLatin1(PROCESS_SCALE_MODE));
    }
    engine.scaleUpDatabaseRecords(stepID, 1.0);
    const bool goOn = code != SIMULATION_FAILED && code != SIMULATION_CANCELLED &&
                      progress.SetStatusText(QStringLiteral("Updating Recipe Text ..."));
    const bool linesDone = CRecipeScaling::UpdateScaledOperationsText(engine, stepID);
    if (code == SIMULATION_FAILED)
        Tell(
            QStringLiteral("The scale-up stopped at step %1. It and the steps handled before it stay scaled.")
                .arg(label),
            MB_OK);
    return goOn && linesDone ? StepOutcome::Next : StepOutcome::Stop;
}

void CProcessScaling::ScaleProcessToKeyRawMaterial(long processID, double amount, const QString& unit)
{
    m_lastMessage.clear();
    Array<TransitionRecord> transitions;
    if (!CTransitionBuilder::BuildProcessTransitions(processID, transitions))
        return;
    PlanRequirementCalculator calculator(0, 0, QString::fromLatin1(PROCESS_SCALE_MODE));
    calculator.CalculateForProcess(processID, 1.0, QStringLiteral("kmole"));
    const long rawMaterial = ProcessKeyRawMaterial(processID);
    if (rawMaterial == 0)
        return Tell(QStringLiteral("Could not fnd process in Database!"), MB_OK);
    const int index = rawMaterial == -1 ? -1 : FirstItemConsuming(calculator, rawMaterial);
    if (index == -1)
        return Tell(
            QStringLiteral(
                "Could not find step whose input intermediate is same as raw material of the process!"),
            MB_OK | MB_ICONEXCLAMATION);
    const double perKmole = calculator.GetItemAmount(index) * calculator.GetItemProductFactor(index);
    const double internal = UserToInternal(unit, amount, calculator.GetItemKeyInputMW(index), 1.0);
    if (perKmole != 0)
        ScaleProcess(processID, internal / perKmole, QStringLiteral("kmole"));
}
