// Result queries, notifications, module state and the operations not built yet of EngineEntry.

#include "modules/engine/EngineEntry.h"

#include "foundation/common/AppContext.h"
#include "modules/engine/EngineDesign.h"
#include "modules/engine/EngineRun.h"
#include "modules/engine/EngineUtilities.h"

namespace {

// The summary of the step's last completed run; all 1e35 when it has none.
ResultsRunSummary LastRunSummary(long stepID)
{
    CResultsDatabase results;
    if (!results.Open(ResultsFilePath(GetProjectDir(), StepResultsFileName(stepID))))
        return {};
    return results.Summary();
}

Array<long> ToArray(const QList<long>& values)
{
    Array<long> array;
    for (long value : values)
        array.Add(value);
    return array;
}

} // namespace

void EngineEntry::setDesignOptions(int resultsDatabase, int overFlow, int underFlow, int maxDesignIterations)
{
    m_designOptions = {m_options.airEmission, resultsDatabase, overFlow, underFlow, maxDesignIterations};
}

int EngineEntry::designStep(ISimStatus* status, long stepID, double amount, const QString& amountUOM, double horizon,
                            const QString& horizonUOM, const Array<long>& fixedEquipment)
{
    EngineDesignRequest request{stepID, amount, amountUOM, horizon, horizonUOM, {}};
    for (long i = 0; i < fixedEquipment.GetSize(); ++i)
        request.fixedEquipment.append(fixedEquipment[i]);
    return RunEngineDesign(status, request, m_designOptions);
}

int EngineEntry::simulatePlan(ISimStatus*, long, bool)
{
    return SIMULATION_FAILED;
}

int EngineEntry::scaleUpToOriginalScale(ISimStatus*, long) { return 0; }
int EngineEntry::scaleUpToMaxBatchSize(ISimStatus*, long) { return 0; }
int EngineEntry::scaleUpToSpecificEquipmentUnit(ISimStatus*, long, long) { return 0; }
int EngineEntry::scaleUpToSpecifiedBatchSize(ISimStatus*, long, double, const QString&) { return 0; }
int EngineEntry::scaleUpToSpecifiedInputBatchSize(ISimStatus*, long, double, const QString&) { return 0; }
int EngineEntry::scaleUpToNTimesCurrentBatchSize(ISimStatus*, long, double) { return 0; }
int EngineEntry::scaleUpToMinBatchSize(ISimStatus*, long) { return 0; }
int EngineEntry::scaleUpToMinBatchSizeInSpecificEquipmentUnit(ISimStatus*, long, long) { return 0; }
int EngineEntry::undoPrevScaling(ISimStatus*, long) { return 0; }
int EngineEntry::writeScaleUpResults(ISimStatus*, long) { return 0; }
Array<long> EngineEntry::getScaledOperations(long) { return {}; }
int EngineEntry::updateTextRecipeForScaleUp(ISimStatus*, long) { return 0; }
int EngineEntry::scaleUpDatabaseRecords(long, double) { return 0; }

double EngineEntry::getCurrentBatchSizeInKg(long stepID)
{
    return LastRunSummary(stepID).batchSize;
}

double EngineEntry::getOriginalBatchSizeInKg(long stepID)
{
    return LastRunSummary(stepID).batchSize;
}

double EngineEntry::getCurrentKeyInputBatchSizeInKg(long stepID)
{
    return LastRunSummary(stepID).keyInputBatchSize;
}

double EngineEntry::getMaxBatchSizeInKg(long stepID)
{
    return LastRunSummary(stepID).maxBatchSize;
}

double EngineEntry::getMinBatchSizeInKg(long stepID)
{
    return LastRunSummary(stepID).minBatchSize;
}

double EngineEntry::getCycleTime(long stepID)
{
    return LastRunSummary(stepID).cycleTime;
}

Array<long> EngineEntry::getEquipmentIDS(long stepID)
{
    CResultsDatabase results;
    if (!results.Open(ResultsFilePath(GetProjectDir(), StepResultsFileName(stepID))))
        return {};
    return ToArray(results.EquipmentUsed(stepID));
}

void EngineEntry::operationModified(long stepID, long, int)
{
    DropPause(stepID);
}

void EngineEntry::stepModified(long stepID)
{
    DropPause(stepID);
}

void EngineEntry::utilityAdded(long utilityID)
{
    QList<long>& utilities = EngineModule().utilities;
    if (!utilities.contains(utilityID))
        utilities.append(utilityID);
}

void EngineEntry::utilityModified(long utilityID)
{
    utilityAdded(utilityID);
}

void EngineEntry::utilityDeleted(long utilityID)
{
    EngineModule().utilities.removeAll(utilityID);
}

void EngineEntry::PassZRQ(const QString& workingCopyDir)
{
    EngineModule().workingCopyDir = workingCopyDir;
}

void EngineEntry::PassTamro(AppContext* application)
{
    EngineModule().application = application;
}

bool EngineEntry::PopulateListOfAvailableUtilities()
{
    return ReadAvailableUtilities(EngineModule().utilities);
}

void EngineEntry::cleanUpUtilityArray()
{
    EngineModule() = {};
}

Array<long> EngineEntry::AvailableUtilities()
{
    return ToArray(EngineModule().utilities);
}

QString EngineEntry::KeptWorkingCopyDir()
{
    return EngineModule().workingCopyDir;
}

AppContext* EngineEntry::KeptApplication()
{
    return EngineModule().application;
}
