#include "simulation/RecipeScaling.h"

#include "foundation/common/BusyGuard.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/DisplayOptions.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/common/concerns/ProcessOperationService.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "modules/convertunits/ConvertUnitsEntry.h"
#include "modules/engine/EngineEntry.h"
#include "recipe/edit/RecipeTextRegenerator.h"
#include "results/ResultWindows.h"
#include "simulation/ProcessScaleUpDialog.h"
#include "simulation/ProcessScaling.h"
#include "simulation/ScaleUpDialog.h"
#include "simulation/ScaleUpSnapshot.h"
#include "simulation/SimDialog.h"
#include "simulation/SimulationSummary.h"

#include <QLabel>
#include <QSqlQuery>

namespace {

const int OPERATION_LINE = 2;

// Recipe text, label, range text and comments of the operation; none without its row. Read once
// per scaled operation, on a statement the step's connection keeps prepared.
QStringList ScaledOperationTexts(CDaoDatabase& step, long operationID)
{
    QStringList texts;
    ExecKept(step, QStringLiteral("Operation"),
             QStringLiteral("SELECT RecipeText, QuorvantaLabel, RangeText, UserComments FROM Operation"
                            " WHERE OperationID = ?"),
             {qlonglong(operationID)}, [&texts](KeptResult& row) {
                 if (!row.next())
                     return;
                 for (int column = 0; column < 4; ++column)
                     texts << row.value(column).toString();
             });
    return texts;
}

// The SCALEUP run options; Null, a missing row or a closed project count 1.
void SetScaleUpRunOptions(EngineEntry& engine)
{
    int options[4] = {1, 1, 1, 1};
    try {
        if (CDaoDatabase* project = GetProjectDatabase()) {
            QSqlQuery row = project->Query(QStringLiteral("SELECT AirEmission, ResultsDatabase, OverFlow, UnderFlow"
                                                          " FROM SimulationOptions WHERE OptionType = 'SCALEUP'"));
            for (int i = 0; row.next() && i < 4; ++i)
                for (int column = 0; column < 4; ++column)
                    options[column] = row.value(column).isNull() ? 1 : row.value(column).toInt();
        }
    } catch (const CDaoException&) {
    }
    engine.setRunOptions(options[0], options[1], options[2], options[3]);
}

double StepBatchSize(long stepID)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    QSqlQuery row = step ? step->Query(QStringLiteral("SELECT BatchSize FROM Step")) : QSqlQuery();
    return step && row.next() && !row.value(0).isNull() ? row.value(0).toDouble() : 1e35;
}

EngineEntry* CreateScalingEngine()
{
    EngineFactory* factory = ServiceSlot<EngineFactory>::Get();
    return factory ? factory->CreateEngineEntry() : nullptr;
}

} // namespace

bool CRecipeScaling::RunsInContext(const ContextRecord& context)
{
    if (context.stepID == -1 && context.processID == -1)
        return false;
    if (context.kind == CONTEXT_TEXT_RECIPE)
        return context.stepID != -1;
    return context.kind == CONTEXT_PROCESS_EXPLORER;
}

bool CRecipeScaling::AcceptsAutomationRequest(const ScaleRecipeRequest& request)
{
    switch (request.target) {
    case 1:
    case 2:
    case 7:
        return true;
    case 3:
    case 8:
        return request.equipmentID != -1;
    case 4:
    case 5:
        return request.value > 0 && !request.unit.isEmpty();
    case 6:
        return request.factor > 0;
    default:
        return false;
    }
}

ScaleRecipeOutcome CRecipeScaling::ScaleRecipe(const ContextRecord& context, const ScaleRecipeRequest& request)
{
    if (request.mode == SCALE_AUTOMATION) {
        if (!AcceptsAutomationRequest(request))
            return {false, true, {}};
        const WaitCursor wait;
        return ScaleStep(context.stepID, context.processID, request);
    }
    if (request.mode != SCALE_INTERACTIVE || !RunsInContext(context))
        return {};
    if (context.kind == CONTEXT_PROCESS_EXPLORER && context.processNodeSelected && context.processID != -1) {
        ScaleProcess(context.processID);
        return {};
    }
    return context.stepID == -1 ? ScaleRecipeOutcome{} : ScaleStep(context.stepID, context.processID, request);
}

int CRecipeScaling::RunStepDialog(CScaleUpDialog& dialog)
{
    return dialog.DoModal();
}

std::unique_ptr<CSimDialog> CRecipeScaling::MakeProgressDialog()
{
    return std::make_unique<CSimDialog>();
}

int CRecipeScaling::RunProcessDialog(CProcessScaleUpDialog& dialog)
{
    return dialog.DoModal();
}

void CRecipeScaling::ScaleProcess(long processID)
{
    CProcessScaling scaling([this] { return MakeProgressDialog(); },
                            [this](CProcessScaleUpDialog& dialog) { return RunProcessDialog(dialog); });
    scaling.ScaleRecipe(processID);
}

ScaleRecipeOutcome CRecipeScaling::ScaleStep(long stepID, long processID, const ScaleRecipeRequest& request)
{
    const std::unique_ptr<EngineEntry> engine(CreateScalingEngine());
    if (!engine)
        return {false, false, QStringLiteral("No engine is available.")};
    const ScaleUpSizesKg sizes{engine->getCurrentBatchSizeInKg(stepID), engine->getOriginalBatchSizeInKg(stepID),
                               engine->getMaxBatchSizeInKg(stepID), engine->getMinBatchSizeInKg(stepID),
                               engine->getCurrentKeyInputBatchSizeInKg(stepID)};
    CScaleUpDialog dialog(stepID, processID, sizes);
    CScaleUpSnapshot snapshot(stepID); // what the dialog may store, as it was
    if (request.mode == SCALE_INTERACTIVE && RunStepDialog(dialog) != QDialog::Accepted)
        return {};
    const std::unique_ptr<CSimDialog> progress = MakeProgressDialog();
    progress->Create();
    progress->setWindowTitle(QStringLiteral("Tamro Plenthover Scale Up"));
    progress->show();
    progress->SetStatusLine(QStringLiteral("Setting up..."));
    progress->UpdateControls();
    if (progress->IsCancelled() &&
        QvMessageBox(QStringLiteral("Are you sure you want to Cancel?"), MB_YESNO | MB_ICONQUESTION) == IDYES) {
        snapshot.Restore();
        return {};
    }
    SetScaleUpRunOptions(*engine);
    ResetStepSimulation(stepID, QString());
    const double sizeBefore = StepBatchSize(stepID);
    const int scaled = CallEngine(*engine, *progress, stepID, request, dialog);
    if (scaled == 0) {
        const QString reason = progress->StatusLabel()->text();
        snapshot.Restore();
        progress->DestroyWindow();
        if (request.mode == SCALE_INTERACTIVE && !reason.isEmpty())
            QvMessageBox(reason, MB_OK | MB_ICONEXCLAMATION);
        return {false, false, reason};
    }
    progress->SetStatusText(QStringLiteral("Updating Recipe..."));
    try {
        engine->writeScaleUpResults(progress.get(), stepID);
        if (request.mode == SCALE_AUTOMATION)
            snapshot.WriteAutomationRecord(request.target, sizeBefore);
    } catch (const CDaoException& error) {
        snapshot.Restore();
        progress->DestroyWindow();
        if (request.mode == SCALE_INTERACTIVE)
            QvMessageBox(error.GetErrorDescription());
        return {false, false, error.GetErrorDescription()};
    }
    progress->SetProgress(100);
    // An undo puts the values back as they were: it converts no units, so every regenerated text
    // keeps the unit its field stores.
    const bool converted = request.mode == SCALE_INTERACTIVE && !dialog.UndoRequested() &&
                           dialog.UOMSetID() != -1 && ConvertUnits(stepID, dialog.UOMSetID());
    AfterScaling(*engine, *progress, stepID, converted);
    progress->DestroyWindow();
    ShowSimulationSummary(ScaleUpSummaryText(stepID, engine->getCurrentBatchSizeInKg(stepID),
                                             engine->getCurrentKeyInputBatchSizeInKg(stepID)));
    return {true, false, {}};
}

int CRecipeScaling::CallEngine(EngineEntry& engine, CSimDialog& progress, long stepID,
                               const ScaleRecipeRequest& request, const CScaleUpDialog& dialog)
{
    const CBusyScope busy; // the progress dialog pumps events while the engine runs
    const bool interactive = request.mode == SCALE_INTERACTIVE;
    if (interactive && dialog.UndoRequested())
        return engine.undoPrevScaling(&progress, stepID);
    switch (interactive ? dialog.Code() : request.target) {
    case 1:
        return engine.scaleUpToOriginalScale(&progress, stepID);
    case 2:
        return engine.scaleUpToMaxBatchSize(&progress, stepID);
    case 3:
        return engine.scaleUpToSpecificEquipmentUnit(&progress, stepID,
                                                     interactive ? dialog.EquipmentForCapacity() : request.equipmentID);
    case 4:
        return interactive ? engine.scaleUpToSpecifiedBatchSize(&progress, stepID, dialog.KeyOutputValue(),
                                                                dialog.KeyOutputUnit())
                           : engine.scaleUpToSpecifiedBatchSize(&progress, stepID, request.value, request.unit);
    case 5:
        return interactive ? engine.scaleUpToSpecifiedInputBatchSize(&progress, stepID, dialog.KeyInputValue(),
                                                                     dialog.KeyInputUnit())
                           : engine.scaleUpToSpecifiedInputBatchSize(&progress, stepID, request.value, request.unit);
    case 6:
        return engine.scaleUpToNTimesCurrentBatchSize(&progress, stepID, interactive ? dialog.Factor() : request.factor);
    case 7:
        return engine.scaleUpToMinBatchSize(&progress, stepID);
    case 8:
        return engine.scaleUpToMinBatchSizeInSpecificEquipmentUnit(
            &progress, stepID, interactive ? dialog.EquipmentForMinimum() : request.equipmentID);
    default:
        return 0;
    }
}

// The conversion and the step's InputUOMSetID commit together; a failure is shown and undone.
bool CRecipeScaling::ConvertUnits(long stepID, long uomSetID)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step)
        return false;
    try {
        CDaoTransaction transaction(*step);
        if (!step->Query(QStringLiteral("SELECT 1 FROM Step")).next())
            return false;
        ConvertUnitsEntry().convertUnits((unsigned long)stepID, uomSetID);
        step->Execute(QStringLiteral("UPDATE Step SET InputUOMSetID = ? WHERE InputUOMSetID IS NOT ?"),
                      {qlonglong(uomSetID), qlonglong(uomSetID)});
        transaction.Commit();
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
    UpdateRecipeTextOfStep(stepID);
    ReloadRecipeViews(stepID);
    return true;
}

// Each stage runs whatever the one before it met: the engine has scaled the step.
void CRecipeScaling::AfterScaling(EngineEntry& engine, CSimDialog& progress, long stepID, bool converted)
{
    if (!converted)
        UpdateScaledOperationsText(engine, stepID);
    RelayoutRecipeViews(stepID);
    RefreshStepPanes(); // the statements pane lists the operations' new texts
    SetProjectModified(true);
    engine.updateTextRecipeForScaleUp(&progress, stepID);
    RefreshResultWindows(QStringLiteral("QVSTEP"), stepID, QString());
}

QString CRecipeScaling::ComposeLineText(const QString& recipeText, const QString& label, const QString& rangeText,
                                        const QString& comments)
{
    const DisplayOptions options = CurrentDisplayOptions();
    const QString separator = options.addSpace ? QStringLiteral("\n\n") : QStringLiteral("\n");
    QString text = recipeText.trimmed();
    if (text.isEmpty())
        text = label + QStringLiteral(" ...");
    if (!rangeText.isEmpty() && options.ranges)
        text += separator + rangeText;
    if (!comments.isEmpty() && options.comments)
        text += separator + comments;
    return text;
}

bool CRecipeScaling::UpdateScaledOperationsText(EngineEntry& engine, long stepID)
{
    const Array<long> operations = engine.getScaledOperations(stepID);
    ResetStepWiseCache();
    CDaoDatabase* step = GetStepDatabase(stepID);
    for (long operationID : operations) {
        ProcessOperation(stepID, operationID);
        if (!step) {
            QvMessageBox(QStringLiteral("Can't open Operation Table to update recipe text view!"));
            return false;
        }
        const QStringList texts = ScaledOperationTexts(*step, operationID);
        if (texts.isEmpty()) {
            QvMessageBox(QStringLiteral("No such operation in Operation Table!"));
            return false;
        }
        SetRecipeItemText(stepID, operationID, OPERATION_LINE,
                          ComposeLineText(texts.at(0), texts.at(1), texts.at(2), texts.at(3)));
    }
    if (!operations.IsEmpty())
        SetProjectModified(true);
    return true;
}
