// Scaling of EngineEntry and the batch-size queries that scaling affects.

#include "modules/engine/EngineEntry.h"

#include "foundation/common/SimStatus.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "modules/engine/EngineScaleDefaults.h"
#include "modules/engine/EngineScaleRecords.h"
#include "modules/engine/EngineScaleTarget.h"
#include "modules/engine/EngineScaleUpWriter.h"
#include "modules/engine/EngineUtilities.h"

#include <cmath>
#include <functional>

namespace {

ResultsRunSummary ScalingRunSummary(long stepID)
{
    CResultsDatabase results;
    if (!results.Open(ResultsFilePath(GetProjectDir(), StepResultsFileName(stepID))))
        return {};
    return results.Summary();
}

bool ScalingSizeSet(double kg)
{
    return std::isfinite(kg) && kg < 1e34;
}

double TimesOrUnset(double kg, double factor)
{
    return ScalingSizeSet(kg) ? kg * factor : 1e35;
}

Array<long> ScalingIdArray(const QList<long>& ids)
{
    Array<long> array;
    for (long id : ids)
        array.Add(id);
    return array;
}

void ScalingStatus(ISimStatus* status, const QString& text)
{
    if (status)
        status->SetStatusText(text);
}

// Runs the decision on the step's database; a database error refuses with its description.
ScaleDecision DecideOnStep(long stepID, const ScaleSizes& sizes,
                           const std::function<ScaleDecision(CEngineScaleTarget&)>& decide)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step)
        return ScaleDecision::Refused(QStringLiteral("The step database is not open."));
    try {
        CEngineScaleTarget target(*step, sizes);
        return decide(target);
    } catch (const CDaoException& error) {
        return ScaleDecision::Refused(error.GetErrorDescription());
    }
}

bool ScalingPendingSizes(long stepID, ScaleUpSizes& sizes)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    try {
        return step && CEngineScaleRecords(*step).PendingSizes(sizes);
    } catch (const CDaoException&) {
        return false;
    }
}

double ScalingFirstSizeBefore(long stepID)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    try {
        return step ? CEngineScaleRecords(*step).FirstBatchSizeBefore() : 1e35;
    } catch (const CDaoException&) {
        return 1e35;
    }
}

} // namespace

ScaleSizes EngineEntry::CurrentSizes(long stepID)
{
    return {getCurrentBatchSizeInKg(stepID), getOriginalBatchSizeInKg(stepID), getMaxBatchSizeInKg(stepID),
            getCurrentKeyInputBatchSizeInKg(stepID), getMinBatchSizeInKg(stepID)};
}

int EngineEntry::KeepScaling(ISimStatus* status, long stepID, const ScaleDecision& decision)
{
    m_keptScalings.erase(stepID);
    if (!decision.reason.isEmpty()) {
        ScalingStatus(status, decision.reason);
        return 0;
    }
    m_keptScalings[stepID] = {decision.factor, false};
    return 1;
}

int EngineEntry::scaleUpToOriginalScale(ISimStatus* status, long stepID)
{
    return KeepScaling(status, stepID, DecideOnStep(stepID, CurrentSizes(stepID), [](CEngineScaleTarget& target) {
                           return target.ToOriginal();
                       }));
}

int EngineEntry::scaleUpToMaxBatchSize(ISimStatus* status, long stepID)
{
    return KeepScaling(status, stepID, DecideOnStep(stepID, CurrentSizes(stepID), [](CEngineScaleTarget& target) {
                           return target.ToMaximum();
                       }));
}

int EngineEntry::scaleUpToSpecificEquipmentUnit(ISimStatus* status, long stepID, long equipmentID)
{
    return KeepScaling(status, stepID,
                       DecideOnStep(stepID, CurrentSizes(stepID), [equipmentID](CEngineScaleTarget& target) {
                           return target.ToEquipmentCapacity(equipmentID);
                       }));
}

int EngineEntry::scaleUpToSpecifiedBatchSize(ISimStatus* status, long stepID, double value, const QString& unit)
{
    return KeepScaling(status, stepID, DecideOnStep(stepID, CurrentSizes(stepID), [&](CEngineScaleTarget& target) {
                           return target.ToKeyOutputSize(value, unit);
                       }));
}

int EngineEntry::scaleUpToSpecifiedInputBatchSize(ISimStatus* status, long stepID, double value,
                                                  const QString& unit)
{
    return KeepScaling(status, stepID, DecideOnStep(stepID, CurrentSizes(stepID), [&](CEngineScaleTarget& target) {
                           return target.ToKeyInputSize(value, unit);
                       }));
}

int EngineEntry::scaleUpToNTimesCurrentBatchSize(ISimStatus* status, long stepID, double factor)
{
    return KeepScaling(status, stepID, DecideOnStep(stepID, CurrentSizes(stepID), [factor](CEngineScaleTarget& target) {
                           return target.Times(factor);
                       }));
}

int EngineEntry::scaleUpToMinBatchSize(ISimStatus* status, long stepID)
{
    return KeepScaling(status, stepID, DecideOnStep(stepID, CurrentSizes(stepID), [](CEngineScaleTarget& target) {
                           return target.ToMinimum();
                       }));
}

int EngineEntry::scaleUpToMinBatchSizeInSpecificEquipmentUnit(ISimStatus* status, long stepID, long equipmentID)
{
    return KeepScaling(status, stepID,
                       DecideOnStep(stepID, CurrentSizes(stepID), [equipmentID](CEngineScaleTarget& target) {
                           return target.ToEquipmentMinimum(equipmentID);
                       }));
}

int EngineEntry::undoPrevScaling(ISimStatus* status, long stepID)
{
    m_keptScalings.erase(stepID);
    CDaoDatabase* step = GetStepDatabase(stepID);
    try {
        if (!step || !CEngineScaleRecords(*step).HasRecord()) {
            ScalingStatus(status, QStringLiteral("There is no previous scaling to undo."));
            return 0;
        }
    } catch (const CDaoException& error) {
        ScalingStatus(status, error.GetErrorDescription());
        return 0;
    }
    m_keptScalings[stepID] = {1.0, true};
    return 1;
}

int EngineEntry::writeScaleUpResults(ISimStatus* status, long stepID)
{
    const auto kept = m_keptScalings.find(stepID);
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (kept == m_keptScalings.end() || !step) {
        ScalingStatus(status, QStringLiteral("No scaling of the step is waiting to be written."));
        return 0;
    }
    const KeptScaling scaling = kept->second;
    m_keptScalings.erase(kept);
    CDaoTransaction transaction(*step);
    if (scaling.undo)
        WriteUndo(*step, stepID);
    else
        WriteScaling(*step, stepID, scaling.factor, true);
    transaction.Commit();
    return 1;
}

void EngineEntry::WriteScaling(CDaoDatabase& step, long stepID, double factor, bool scaleFactor)
{
    const ScaleSizes sizes = CurrentSizes(stepID);
    CEngineScaleRecords records(step);
    CEngineScaleUpWriter writer(step);
    CEngineScaleDefaults defaults(step);
    const QList<ScaledDefaultRow> written = defaults.WriteMissing();
    const QList<long> operations = writer.ScalableOperations();
    writer.ScaleOperations(operations, factor);
    writer.ScaleStepRow(factor, scaleFactor, !records.HasRecord());
    const ScaleUpSizes after{TimesOrUnset(sizes.current, factor), TimesOrUnset(sizes.keyInput, factor)};
    records.Add({0, factor, sizes.current, after.batchSize, sizes.keyInput, after.keyInput, operations});
    defaults.KeepWithLastRecord(written);
    records.SetPendingSizes(after);
    m_scaledOperations.insert(stepID, ScalingIdArray(operations));
}

void EngineEntry::WriteUndo(CDaoDatabase& step, long stepID)
{
    CEngineScaleRecords records(step);
    ScaleUpRecord last;
    if (!records.Last(last))
        throw CDaoException(QStringLiteral("There is no previous scaling to undo."));
    CEngineScaleUpWriter writer(step);
    writer.ScaleOperations(last.operationIDs, 1.0 / last.factor);
    writer.ScaleStepRow(1.0 / last.factor, true, false);
    CEngineScaleDefaults(step).DropRecord(last.recordID);
    records.Drop(last.recordID);
    records.SetPendingSizes({last.batchSizeBefore, last.keyInputBefore});
    m_scaledOperations.insert(stepID, ScalingIdArray(last.operationIDs));
}

Array<long> EngineEntry::getScaledOperations(long stepID)
{
    return m_scaledOperations.value(stepID);
}

int EngineEntry::updateTextRecipeForScaleUp(ISimStatus*, long)
{
    return 1;
}

int EngineEntry::scaleUpDatabaseRecords(long stepID, double factor)
{
    if (!std::isfinite(factor) || factor <= 0)
        return 0;
    if (factor == 1.0)
        return 1;
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step)
        return 0;
    CDaoTransaction transaction(*step);
    WriteScaling(*step, stepID, factor, false);
    transaction.Commit();
    return 1;
}

double EngineEntry::getCurrentBatchSizeInKg(long stepID)
{
    ScaleUpSizes pending;
    if (ScalingPendingSizes(stepID, pending))
        return pending.batchSize;
    return ScalingRunSummary(stepID).batchSize;
}

double EngineEntry::getCurrentKeyInputBatchSizeInKg(long stepID)
{
    ScaleUpSizes pending;
    if (ScalingPendingSizes(stepID, pending))
        return pending.keyInput;
    return ScalingRunSummary(stepID).keyInputBatchSize;
}

double EngineEntry::getOriginalBatchSizeInKg(long stepID)
{
    const double first = ScalingFirstSizeBefore(stepID);
    return ScalingSizeSet(first) ? first : getCurrentBatchSizeInKg(stepID);
}

double EngineEntry::getMaxBatchSizeInKg(long stepID)
{
    return ScalingRunSummary(stepID).maxBatchSize;
}

double EngineEntry::getMinBatchSizeInKg(long stepID)
{
    // Like the maximum it does not move with a scaling: the vessels stay as they are.
    return ScalingRunSummary(stepID).minBatchSize;
}
