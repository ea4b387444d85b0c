// Result queries, notifications, module state and the operations not built yet of EngineEntry.

#include "modules/engine/EngineEntry.h"

#include "foundation/common/BusyGuard.h"
#include "foundation/common/concerns/AppContext.h"
#include "modules/engine/EngineDesign.h"
#include "modules/engine/EnginePlanDetail.h"
#include "modules/engine/EnginePlanSequence.h"
#include "modules/engine/EngineRun.h"
#include "modules/engine/EngineStepSchedule.h"
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

int EngineEntry::simulatePlan(ISimStatus* status, long planID, bool followSequenceFile)
{
    CBusyScope busy;
    const bool writeResults = m_options.resultsDatabase != 0;
    const EngineBalanceSettings settings =
        ReadEngineBalanceSettings(m_options.overFlow != 0, m_options.underFlow != 0);
    if (followSequenceFile)
        return SimulatePlanBySequenceFile(status, planID, writeResults, settings);
    return SimulatePlanByDetailRows(status, planID, writeResults, settings);
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
